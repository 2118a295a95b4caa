#include "archive_sessions.h"

#include "marker_blocks.h"
#include "media_blocks.h"
#include "property_blocks.h"
#include "track_blocks.h"

#include <cstdlib>
#include <filesystem>

namespace archive_test {

namespace {

ptxw::PluginKey pluginKey(size_t n)
{
    ptxw::PluginKey key{};
    for (size_t k = 0; k < key.size(); ++k)
        key[k] = uint8_t('A' + (n * 7 + k) % 26);
    key[0] = uint8_t(n);
    return key;
}

ptxw::TrackIdentifier trackId(size_t t) { return 0x7000000000ULL + t; }

} // namespace

ptxw::SessionFile archiveSession(const ArchiveSession &session)
{
    ptxw::SessionFile file;
    file.scheme = 5;
    file.seed = 0x2d;
    file.block(ptxw::sessionFormatBlock(48000, 3)).block(ptxw::timecodeBlock(2, 0, "00:10:00:00"));

    std::vector<ptxw::AudioListEntry> entries{ptxw::folderEntry("Audio Files")};
    for (const std::string &name : session.files)
        entries.push_back(ptxw::fileEntry(name));
    file.block(ptxw::audioFileListBlock(entries, 0));

    for (size_t t = 0; t < session.tracks.size(); ++t)
        file.block(ptxw::trackBlock({.name = session.tracks[t], .formatCode = std::nullopt, .id = trackId(t)}));

    std::vector<ptxw::ClipSpec> clips;
    for (size_t c = 0; c < session.clips.size(); ++c) {
        ptxw::ClipSpec clip;
        clip.name = session.clips[c];
        clip.sampleLength = 48000;
        if (!session.files.empty())
            clip.fileIndex = uint32_t(c % session.files.size());
        clips.push_back(clip);
    }
    file.block(ptxw::clipListBlock(clips));

    for (size_t p = 0; p < session.plugins.size(); ++p)
        file.block(ptxw::pluginDefinitionBlock(session.plugins[p], pluginKey(p)));

    std::vector<ptxw::Block> records;
    for (size_t t = 0; t < session.tracks.size(); ++t) {
        std::vector<ptxw::Block> children;
        if (t == 0 && !session.plugins.empty()) {
            std::vector<ptxw::Block> slots;
            for (size_t p = 0; p < session.plugins.size(); ++p)
                slots.push_back(ptxw::pluginSlotBlock(pluginKey(p), 1));
            children.push_back(ptxw::insertListBlock(slots));
        }
        if (t < session.comments.size() && !session.comments[t].empty())
            children.push_back(ptxw::commentBlock(session.comments[t]));
        if (!children.empty())
            records.push_back(ptxw::trackSettingsRecord(trackId(t), children));
    }
    if (!records.empty())
        file.block(ptxw::trackSettingsBlock(records));

    for (size_t m = 0; m < session.markers.size(); ++m)
        file.block(ptxw::memoryLocationBlock(
            {.number = uint16_t(m + 1), .name = session.markers[m], .start = uint64_t(m) * 48000, .colours = {}}));
    return file;
}

void writeArchiveSession(const std::string &path, const ArchiveSession &session)
{
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    if (!archiveSession(session).write(path))
        std::abort();
}

} // namespace archive_test
