// Tracks with placed clips for the timeline overview and ruler tests.
#ifndef KESTRIX_TESTS_VIEWS_UNIVERSE_TEST_TRACKS_H
#define KESTRIX_TESTS_VIEWS_UNIVERSE_TEST_TRACKS_H

#include "session_info.h"

#include <string>
#include <vector>

namespace universetest {

inline kestrix::PTXClipInfo placed(std::string name, uint64_t position, uint64_t length)
{
    kestrix::PTXClipInfo clip;
    clip.name = std::move(name);
    clip.timelinePosition = position;
    clip.sampleLength = length;
    return clip;
}

inline kestrix::PTXTrackInfo lane(std::string name, std::vector<kestrix::PTXClipInfo> clips = {},
                                  uint16_t colorIndex = kestrix::kNoColorIndex)
{
    kestrix::PTXTrackInfo track;
    track.name = std::move(name);
    track.type = kestrix::PTXTrackType::audio;
    track.colorIndex = colorIndex;
    track.clips = std::move(clips);
    return track;
}

// `count` tracks "T0", "T1", … each holding one clip.
inline std::vector<kestrix::PTXTrackInfo> lanes(int count, uint64_t position = 0, uint64_t length = 48000)
{
    std::vector<kestrix::PTXTrackInfo> tracks;
    for (int i = 0; i < count; ++i)
        tracks.push_back(lane("T" + std::to_string(i), {placed("c" + std::to_string(i), position, length)}));
    return tracks;
}

} // namespace universetest

#endif
