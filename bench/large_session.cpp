#include "bench_sessions.h"

#include "marker_blocks.h"
#include "media_blocks.h"
#include "property_blocks.h"
#include "track_blocks.h"

#include <cstdlib>
#include <filesystem>

namespace bench {

namespace {

std::string numbered(const char *prefix, int n)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, "%s %05d", prefix, n);
    return buf;
}

ptxw::PluginKey pluginKey(int n)
{
    ptxw::PluginKey key{};
    for (size_t k = 0; k < key.size(); ++k)
        key[k] = uint8_t('A' + (n + int(k)) % 26);
    return key;
}

ptxw::TrackIdentifier trackId(int t) { return 0x5000000000ULL + uint64_t(t); }

ptxw::Block audioFiles(int count)
{
    std::vector<ptxw::AudioListEntry> entries;
    entries.push_back(ptxw::folderEntry("Audio Files"));
    for (int f = 0; f < count; ++f)
        entries.push_back(ptxw::fileEntry(numbered("Take", f) + ".wav"));
    return ptxw::audioFileListBlock(entries, 0);
}

ptxw::Block clips(int count, int audioFileCount)
{
    std::vector<ptxw::ClipSpec> specs;
    specs.reserve(size_t(count));
    for (int c = 0; c < count; ++c) {
        ptxw::ClipSpec clip;
        clip.name = numbered("Take", c % audioFileCount) + "-" + std::to_string(c / audioFileCount);
        clip.sampleOffset = uint64_t(c % 97) * 4800;
        clip.sampleLength = 48000 + uint64_t(c % 13) * 1000;
        clip.fileIndex = uint32_t(c % audioFileCount);
        specs.push_back(std::move(clip));
    }
    return ptxw::clipListBlock(specs);
}

// One named playlist per track, together placing every clip once.
ptxw::Block playlists(int trackCount, int clipCount)
{
    std::vector<ptxw::Block> lists;
    const int perTrack = clipCount / trackCount;
    for (int t = 0; t < trackCount; ++t) {
        std::vector<ptxw::PlacementSpec> placements;
        for (int k = 0; k < perTrack; ++k) {
            ptxw::PlacementSpec p;
            p.index = uint32_t(t * perTrack + k);
            p.rawPosition = k % 4 == 3 ? ptxw::kMusicalPosition + uint64_t(k) * 960000
                                       : uint64_t(k) * 96000;
            p.color = uint16_t(25 + t % 69);
            placements.push_back(p);
        }
        lists.push_back(ptxw::playlistBlock(numbered("Track", t), {ptxw::placementListBlock(placements)}));
    }
    return ptxw::playlistsBlock(lists);
}

ptxw::Block trackSettings(int trackCount, int slotCount)
{
    std::vector<ptxw::Block> records;
    const int perTrack = slotCount / trackCount;
    for (int t = 0; t < trackCount; ++t) {
        std::vector<ptxw::Block> slots;
        for (int k = 0; k < perTrack; ++k)
            slots.push_back(ptxw::pluginSlotBlock(pluginKey((t + k) % 50), (t + k) % 3 != 0));
        records.push_back(ptxw::trackSettingsRecord(
            trackId(t), {ptxw::insertListBlock(slots), ptxw::commentBlock("Comment for " + numbered("Track", t))}));
    }
    return ptxw::trackSettingsBlock(records);
}

} // namespace

ptxw::SessionFile largeSession(const LargeSessionShape &shape)
{
    ptxw::SessionFile file;
    file.scheme = 5;
    file.seed = 0x61;
    file.block(ptxw::sessionFormatBlock(48000, 3))
        .block(ptxw::timecodeBlock(5, 0, "02:00:00:00"))
        .block(ptxw::tempoMapBlock({{120.0, 0}}))
        .block(ptxw::meterMapBlock({{0, 4, 4}}))
        .block(audioFiles(shape.audioFiles));

    std::vector<ptxw::FolderRecord> nesting;
    for (int t = 0; t < shape.tracks; ++t) {
        ptxw::TrackSpec track;
        track.name = numbered("Track", t);
        track.type = uint8_t(t % 10 == 0 ? 11 : t % 7 == 0 ? 2 : 0);
        track.formatCode = uint8_t(t % 3 == 0 ? 1 : 0);
        track.id = trackId(t);
        track.color = uint16_t(25 + t % 69);
        file.block(ptxw::trackBlock(track));
        nesting.push_back({trackId(t), t % 10 == 0 ? 9u : 0u});
    }
    file.block(ptxw::folderBlock(nesting)).block(clips(shape.clips, shape.audioFiles));
    for (int p = 0; p < 50; ++p)
        file.block(ptxw::pluginDefinitionBlock(numbered("Plug-in", p), pluginKey(p)));
    file.block(playlists(shape.tracks, shape.clips)).block(trackSettings(shape.tracks, shape.pluginSlots));
    for (int m = 0; m < shape.memoryLocations; ++m) {
        ptxw::MemoryLocation location;
        location.number = uint16_t(shape.memoryLocations - m);
        location.type = m % 5 == 0 ? 2 : 1;
        location.name = numbered("Marker", m);
        location.start = uint64_t(m) * 48000;
        location.end = location.start + (location.type == 2 ? 96000 : 0);
        location.colours = {{uint8_t(m), 40, 200}};
        file.block(ptxw::memoryLocationBlock(location));
    }
    return file;
}

const std::string &largeSessionPath()
{
    static const std::string path = [] {
        const auto p = std::filesystem::temp_directory_path() / "kestrix-bench-large.ptx";
        if (!largeSession().write(p.string()))
            std::abort();
        return p.string();
    }();
    return path;
}

} // namespace bench
