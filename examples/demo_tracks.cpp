#include "demo_tracks.h"

#include "demo_lookup.h"
#include "track_type.h"

#include <optional>
#include <string>

namespace demo {

namespace {

using kestrix::PTXTrackType;

enum ChannelFormat : uint8_t {
    kMono = 0,
    kStereo = 1,
    kFiveOne = 6,
};

struct DemoTrack {
    std::string name;
    PTXTrackType type;
    std::optional<uint8_t> format;  // none for tracks that carry no audio
    uint16_t colour;                // palette index
    std::string parent;             // the folder track it sits in, if any
};

// In session order; a folder's tracks follow it directly, which is how the
// nesting records are read back.
const std::vector<DemoTrack> &demoTracks()
{
    static const std::vector<DemoTrack> tracks = {
        {"Picture", PTXTrackType::video, std::nullopt, 91, ""},
        {"Click", PTXTrackType::aux, kMono, 33, ""},
        {"Music", PTXTrackType::folder, std::nullopt, 62, ""},
        {"Drums", PTXTrackType::folder, std::nullopt, 31, "Music"},
        {"Drum Loop", PTXTrackType::audio, kStereo, 31, "Drums"},
        {"Kick", PTXTrackType::audio, kMono, 30, "Drums"},
        {"Snare", PTXTrackType::audio, kMono, 30, "Drums"},
        {"Perc Fill", PTXTrackType::audio, kMono, 32, "Drums"},
        {"Bass", PTXTrackType::audio, kMono, 37, "Music"},
        {"Piano", PTXTrackType::audio, kMono, 34, "Music"},
        {"Pad", PTXTrackType::audio, kMono, 44, "Music"},
        {"Lead Synth", PTXTrackType::midi, std::nullopt, 28, "Music"},
        {"Strings", PTXTrackType::instrument, kStereo, 83, "Music"},
        {"Sound FX", PTXTrackType::folder, std::nullopt, 67, ""},
        {"Ambience", PTXTrackType::audio, kFiveOne, 66, "Sound FX"},
        {"Impacts", PTXTrackType::audio, kMono, 79, "Sound FX"},
        {"Riser", PTXTrackType::audio, kMono, 78, "Sound FX"},
        {"Reverb", PTXTrackType::aux, kStereo, 85, ""},
        {"Delay", PTXTrackType::aux, kStereo, 85, ""},
        {"Music Bus", PTXTrackType::aux, kStereo, 86, ""},
        {"FX Bus", PTXTrackType::aux, kFiveOne, 86, ""},
        {"Music VCA", PTXTrackType::vca, std::nullopt, 25, ""},
        {"FX VCA", PTXTrackType::vca, std::nullopt, 25, ""},
        {"Main Mix", PTXTrackType::masterFader, kStereo, 79, ""},
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
        blocks.push_back(ptxw::trackBlock({track.name, uint8_t(track.type), track.format, trackId(track.name), track.colour}));
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
