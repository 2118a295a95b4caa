// The demo's clock: 48 kHz at 112 BPM in 4/4, and the two ways a placement
// stores its position (samples, or ticks above ptxw::kMusicalPosition).
#ifndef KESTRIX_DEMO_TIME_H
#define KESTRIX_DEMO_TIME_H

#include "track_blocks.h"

#include <cstdint>

namespace demo {

inline constexpr uint32_t kSampleRate = 48000;
inline constexpr double kTempo = 112.0;
inline constexpr uint64_t kTicksPerQuarter = 960000;
// The meter changes to 3/4 at bar 17, after the last placed clip, so every
// bar that holds a clip has four beats.
inline constexpr int kBeatsPerBar = 4;

// Beats (quarter notes) from the session start to a 1-based bar and beat.
constexpr double beatOf(int bar, double beat = 1.0)
{
    return (bar - 1) * kBeatsPerBar + (beat - 1.0);
}

constexpr double secondsOfBeats(double beats)
{
    return beats * 60.0 / kTempo;
}

constexpr uint64_t samplesOfSeconds(double seconds)
{
    return uint64_t(seconds * kSampleRate);
}

constexpr uint64_t samplesOfBeats(double beats)
{
    return samplesOfSeconds(secondsOfBeats(beats));
}

// A position kept in ticks, which the reader converts with the session tempo.
constexpr uint64_t musicalPosition(double beats)
{
    return ptxw::kMusicalPosition + uint64_t(beats * kTicksPerQuarter);
}

} // namespace demo

#endif
