#include "demo_tracks.h"

#include "demo_lookup.h"

#include <optional>
#include <string>

namespace demo {

namespace {

enum TrackType : uint8_t {
    kAudio = 0,
    kMidi = 1,
    kAux = 2,
    kMaster = 5,
    kInstrument = 7,
    kVideo = 8,
    kVca = 9,
    kFolder = 11,
};

enum ChannelFormat : uint8_t {
    kMono = 0,
    kStereo = 1,
    kFiveOne = 6,
};

struct DemoTrack {
    std::string name;
    TrackType type;
    std::optional<uint8_t> format;  // none for tracks that carry no audio
    uint16_t colour;                // palette index
    std::string parent;             // the folder track it sits in, if any
};

// In session order; a folder's tracks follow it directly, which is how the
// nesting records are read back.
const std::vector<DemoTrack> &demoTracks()
{
    static const std::vector<DemoTrack> tracks = {
        {"Picture", kVideo, std::nullopt, 91, ""},
        {"Click", kAux, kMono, 33, ""},
        {"Music", kFolder, std::nullopt, 62, ""},
        {"Drums", kFolder, std::nullopt, 31, "Music"},
        {"Drum Loop", kAudio, kStereo, 31, "Drums"},
        {"Kick", kAudio, kMono, 30, "Drums"},
        {"Snare", kAudio, kMono, 30, "Drums"},
        {"Perc Fill", kAudio, kMono, 32, "Drums"},
        {"Bass", kAudio, kMono, 37, "Music"},
        {"Piano", kAudio, kMono, 34, "Music"},
        {"Pad", kAudio, kMono, 44, "Music"},
        {"Lead Synth", kMidi, std::nullopt, 28, "Music"},
        {"Strings", kInstrument, kStereo, 83, "Music"},
        {"Sound FX", kFolder, std::nullopt, 67, ""},
        {"Ambience", kAudio, kFiveOne, 66, "Sound FX"},
        {"Impacts", kAudio, kMono, 79, "Sound FX"},
        {"Riser", kAudio, kMono, 78, "Sound FX"},
        {"Reverb", kAux, kStereo, 85, ""},
        {"Delay", kAux, kStereo, 85, ""},
        {"Music Bus", kAux, kStereo, 86, ""},
        {"FX Bus", kAux, kFiveOne, 86, ""},
        {"Music VCA", kVca, std::nullopt, 25, ""},
        {"FX VCA", kVca, std::nullopt, 25, ""},
        {"Main Mix", kMaster, kStereo, 79, ""},
    };
    return tracks;
}

uint32_t trackIndex(std::string_view name)
{
    return indexByName(demoTracks(), name, [](const DemoTrack &t) { return t.name; });
}

uint32_t childCount(const DemoTrack &folder)
{
    uint32_t count = 0;
    for (const DemoTrack &track : demoTracks())
        count += track.parent == folder.name ? 1 : 0;
    return count;
}

} // namespace

std::vector<ptxw::Block> trackBlocks()
{
    std::vector<ptxw::Block> blocks;
    for (const DemoTrack &track : demoTracks())
        blocks.push_back(ptxw::trackBlock({track.name, track.type, track.format, trackId(track.name), track.colour}));
    return blocks;
}

ptxw::Block folderNesting()
{
    std::vector<ptxw::FolderRecord> records;
    for (const DemoTrack &track : demoTracks())
        records.push_back({trackId(track.name), childCount(track)});
    return ptxw::folderBlock(records);
}

ptxw::TrackIdentifier trackId(std::string_view trackName)
{
    // Small numbers: identifier bytes never look like a block marker.
    return 1001 + trackIndex(trackName);
}

} // namespace demo
