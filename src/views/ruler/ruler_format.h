// The five counter formats the overview ruler labels the timeline in.
#ifndef KESTRIX_VIEWS_RULER_RULER_FORMAT_H
#define KESTRIX_VIEWS_RULER_RULER_FORMAT_H

#include <array>
#include <cstdint>
#include <string_view>

namespace kestrix {

enum class RulerFormat : uint8_t { minutesSeconds, timecode, barsBeats, feetFrames, samples };

// "Min:Sec", "Timecode", "Bars|Beats", "Feet+Frames", "Samples": the label
// in the picker as well.
std::string_view formatText(RulerFormat format);

// The order of the picker.
inline constexpr std::array kPickerFormats = {RulerFormat::timecode, RulerFormat::minutesSeconds,
                                              RulerFormat::samples, RulerFormat::feetFrames,
                                              RulerFormat::barsBeats};

// The format of the session's main counter, by the code stored in the
// session: 0 Bars|Beats, 1 Min:Sec, 2 Timecode, 3 Feet+Frames, 4 Samples,
// the order of the counter menu. Any other code (255 when the session
// names none) gives Min:Sec.
RulerFormat formatForCounterCode(uint8_t code);

} // namespace kestrix

#endif
