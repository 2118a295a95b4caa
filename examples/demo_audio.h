// The demo session's audio files, synthesized: a drum loop, single hits, a
// bass line, piano chords, a pad, two effects and a 5.1 ambience bed stored
// as one mono file per channel.
#ifndef KESTRIX_DEMO_AUDIO_H
#define KESTRIX_DEMO_AUDIO_H

#include "demo_synth.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace demo {

struct AudioFile {
    std::string name;               // file name, with its extension
    int bitDepth = 24;
    std::vector<Signal> channels;   // all of the same length

    uint64_t frames() const { return channels.front().size(); }
};

// The ambience bed's channels in file order; file "Ambience.L.wav" holds
// channel L and clip "Ambience.L" plays it.
inline constexpr std::array<std::string_view, 6> kAmbienceChannels = {"L", "R", "C", "LFE", "Ls", "Rs"};
std::string ambienceChannelName(std::string_view channel);

// The files in the order the session lists them.
std::vector<AudioFile> renderDemoAudio();

} // namespace demo

#endif
