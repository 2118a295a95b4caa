#include "ruler_format.h"

namespace kestrix {

std::string_view formatText(RulerFormat format)
{
    switch (format) {
    case RulerFormat::minutesSeconds: return "Min:Sec";
    case RulerFormat::timecode: return "Timecode";
    case RulerFormat::barsBeats: return "Bars|Beats";
    case RulerFormat::feetFrames: return "Feet+Frames";
    case RulerFormat::samples: return "Samples";
    }
    return {};
}

RulerFormat formatForCounterCode(uint8_t code)
{
    switch (code) {
    case 0: return RulerFormat::barsBeats;
    case 2: return RulerFormat::timecode;
    case 3: return RulerFormat::feetFrames;
    case 4: return RulerFormat::samples;
    default: return RulerFormat::minutesSeconds;
    }
}

} // namespace kestrix
