#include "display_text.h"

#include <cmath>
#include <cstdio>

namespace kestrix {

namespace {

// printf-style formatting without a length limit ("%.1f" of 1e300 is long).
template <class... Args>
std::string format(const char *pattern, Args... args)
{
    const int n = std::snprintf(nullptr, 0, pattern, args...);
    if (n <= 0)
        return {};
    std::string text(size_t(n) + 1, '\0');
    std::snprintf(text.data(), text.size(), pattern, args...);
    text.pop_back();
    return text;
}

} // namespace

std::string sampleRateText(uint32_t sampleRate)
{
    return sampleRate == 0 ? std::string(kUnknownText) : std::to_string(sampleRate);
}

std::string bitDepthText(uint8_t bits, bool isFloat)
{
    if (bits == 0)
        return std::string(kUnknownText);
    return std::to_string(bits) + (isFloat ? "-bit float" : "-bit");
}

std::string audioFormatText(uint8_t code)
{
    switch (code) {
    case 3: return "WAV";
    case 4: return "AIFF";
    default: return std::string(kUnknownText);
    }
}

std::string interleavedText(int flag)
{
    switch (flag) {
    case 1: return "Yes";
    case 0: return "No";
    default: return std::string(kUnknownText);
    }
}

std::string panDepthText(uint8_t code)
{
    switch (code) {
    case 1: return "-2.5 dB";
    case 2: return "-3.0 dB";
    case 3: return "-4.5 dB";
    case 4: return "-6.0 dB";
    default: return std::string(kUnknownText);
    }
}

std::string frameRateText(uint8_t code)
{
    switch (code) {
    case 1: return "24";
    case 2: return "25";
    case 3: return "29.97";
    case 5: return "29.97 Drop";
    case 7: return "30";
    case 8: return "30 Drop";
    case 9: return "23.976";
    case 10: return "50";
    case 11: return "59.94";
    case 12: return "59.94 Drop";
    case 13: return "60";
    case 14: return "60 Drop";
    case 15: return "47.952";
    case 16: return "48";
    case 17: return "100";
    case 18: return "119.88";
    case 19: return "119.88 Drop";
    case 20: return "120";
    case 21: return "120 Drop";
    default: return std::string(kUnknownText);
    }
}

unsigned nominalFramesPerSecond(uint8_t code)
{
    if (code == 1 || code == 9)
        return 24;
    if (code == 2)
        return 25;
    if (code == 10)
        return 50;
    if (code >= 11 && code <= 14)
        return 60;
    if (code == 15 || code == 16)
        return 48;
    if (code == 17)
        return 100;
    if (code >= 18 && code <= 21)
        return 120;
    return 30;  // codes 3 to 8 and anything unnamed
}

std::string sessionStartText(uint8_t frameRateCode, uint32_t startFrames)
{
    if (frameRateCode == 0)
        return std::string(kUnknownText);
    const unsigned fps = nominalFramesPerSecond(frameRateCode);
    const uint32_t seconds = startFrames / fps;
    const uint32_t frames = startFrames - seconds * fps;
    return format("%02u:%02u:%02u:%02u", unsigned(seconds / 3600), unsigned(seconds / 60 % 60),
                  unsigned(seconds % 60), unsigned(frames));
}

std::string tempoText(double bpm)
{
    // 2^63: the doubles below it convert to int64 without overflow.
    constexpr double kInt64Limit = 9223372036854775808.0;
    if (std::isfinite(bpm) && bpm == std::trunc(bpm) && bpm >= -kInt64Limit && bpm < kInt64Limit)
        return std::to_string(static_cast<long long>(bpm)) + " BPM";
    return format("%.1f BPM", bpm);
}

std::string meterText(uint32_t numerator, uint32_t denominator)
{
    return std::to_string(numerator) + "/" + std::to_string(denominator);
}

std::string sessionLengthText(std::string_view readerText)
{
    return std::string(readerText.empty() ? kUnknownText : readerText);
}

} // namespace kestrix
