// The numbers the ruler needs, read out of the session's display texts.
// Parsing never depends on the user's locale: a point is the decimal
// separator.
#ifndef KESTRIX_VIEWS_RULER_RULER_NUMBERS_H
#define KESTRIX_VIEWS_RULER_RULER_NUMBERS_H

#include "session_info.h"

#include <optional>
#include <string_view>

namespace kestrix {

// The whole text as a decimal number; none unless it parses and is positive.
std::optional<double> parseSampleRate(std::string_view text);
// The first run of digits and points, rounded up (29.97 counts 30 frames);
// 30 when there is none, it does not parse or it is not positive.
int parseFramesPerSecond(std::string_view text);
// The first run of digits and points; none unless positive.
std::optional<double> parseTempo(std::string_view text);
// The integer before the first "/"; none unless at least 1.
std::optional<int> parseBeatsPerBar(std::string_view text);
// "HH:MM:SS:FF" as seconds; 0 unless there are exactly four integers.
double parseSessionStartSeconds(std::string_view text, int framesPerSecond);

struct RulerNumbers {
    std::optional<double> sampleRate;
    int framesPerSecond = 30;
    std::optional<double> tempo;
    std::optional<int> beatsPerBar;
    double sessionStartSeconds = 0;
    bool tempoChanges = false;
    bool meterChanges = false;

    static RulerNumbers fromSession(const PTXSessionInfo &session);
};

} // namespace kestrix

#endif
