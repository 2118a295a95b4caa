#include "demo_media.h"

#include "demo_lookup.h"
#include "demo_time.h"
#include "media_blocks.h"

#include <stdexcept>
#include <string>

namespace demo {

namespace {

struct ClipDef {
    std::string name;
    std::string file;
    uint64_t offset = 0;
    uint64_t length = 0;  // 0: up to the end of the file
};

struct GroupHit {
    std::string clip;
    double beat;  // from the start of the group
};

struct GroupDef {
    std::string name;
    std::vector<GroupHit> hits;
};

const std::vector<ClipDef> &clipDefs()
{
    static const std::vector<ClipDef> clips = [] {
        std::vector<ClipDef> list = {
            {"Drum Loop", "Drum Loop.wav"},
            {"Kick", "Kick.wav"},
            {"Snare", "Snare.wav"},
            {"Bass", "Bass.wav"},
            {"Bass-01", "Bass.wav", samplesOfBeats(2)},  // the C-E half of the line
            {"Piano Chords", "Piano.wav"},
            {"Pad", "Pad.wav"},
            {"Pad-01", "Pad.wav", samplesOfSeconds(0.5), samplesOfSeconds(1.5)},
            {"Impact", "Impact.wav"},
            {"Riser", "Riser.wav"},
        };
        for (std::string_view channel : kAmbienceChannels)
            list.push_back({ambienceChannelName(channel), ambienceChannelName(channel) + ".wav"});
        return list;
    }();
    return clips;
}

const std::vector<GroupDef> &groupDefs()
{
    static const std::vector<GroupDef> groups = {
        {"Fill A", {{"Kick", 0}, {"Kick", 0.5}, {"Snare", 1}, {"Kick", 2}, {"Snare", 3}, {"Snare", 3.5}}},
        {"Fill B", {{"Snare", 0}, {"Snare", 0.5}, {"Snare", 1}, {"Snare", 1.5}, {"Kick", 2}, {"Kick", 3}}},
    };
    return groups;
}

ptxw::ClipSpec clipSpec(const ClipDef &clip, const std::vector<AudioFile> &files)
{
    const uint32_t file = indexByName(files, clip.file, [](const AudioFile &f) { return f.name; });
    const uint64_t frames = files[file].frames();
    const uint64_t length = clip.length ? clip.length : frames - clip.offset;
    if (clip.offset >= frames || length > frames - clip.offset)
        throw std::invalid_argument("clip \"" + clip.name + "\" does not lie inside " + clip.file);
    ptxw::ClipSpec spec;
    spec.name = clip.name;
    spec.sampleOffset = clip.offset;
    spec.sampleLength = length;
    spec.fileIndex = file;
    return spec;
}

} // namespace

ptxw::Block audioFileList(const std::vector<AudioFile> &files, std::string_view sessionName)
{
    std::vector<ptxw::AudioListEntry> entries = {ptxw::folderEntry("Audio Files")};
    for (const AudioFile &file : files)
        entries.push_back(ptxw::fileEntry(file.name));
    entries.push_back(ptxw::locationEntry("Macintosh HD"));
    entries.push_back(ptxw::folderEntry("Sessions"));
    entries.push_back(ptxw::folderEntry(std::string(sessionName)));
    // The folders are anchored at the last entry, the session folder.
    return ptxw::audioFileListBlock(entries, uint32_t(entries.size() - 1));
}

ptxw::Block clipList(const std::vector<AudioFile> &files)
{
    std::vector<ptxw::ClipSpec> specs;
    for (const ClipDef &clip : clipDefs())
        specs.push_back(clipSpec(clip, files));
    return ptxw::clipListBlock(specs);
}

std::vector<ptxw::Block> clipGroups()
{
    std::vector<ptxw::Block> blocks;
    for (const GroupDef &group : groupDefs()) {
        std::vector<ptxw::GroupMember> members;
        for (const GroupHit &hit : group.hits)
            members.push_back({clipIndex(hit.clip), samplesOfBeats(hit.beat)});
        blocks.push_back(ptxw::clipGroupNameBlock(group.name));
        blocks.push_back(ptxw::clipGroupMembersBlock(members));
    }
    return blocks;
}

uint32_t clipIndex(std::string_view name)
{
    return indexByName(clipDefs(), name, [](const ClipDef &c) { return c.name; });
}

uint32_t clipGroupIndex(std::string_view name)
{
    return indexByName(groupDefs(), name, [](const GroupDef &g) { return g.name; });
}

} // namespace demo
