// Display texts of the session properties, from the reader's raw values.
#ifndef KESTRIX_MODEL_DISPLAY_TEXT_H
#define KESTRIX_MODEL_DISPLAY_TEXT_H

#include <cstdint>
#include <string>
#include <string_view>

namespace kestrix {

inline constexpr std::string_view kUnknownText = "Unknown";

// "48000", or "Unknown" for 0.
std::string sampleRateText(uint32_t sampleRate);
// "24-bit", "32-bit float", or "Unknown" for 0 bits whatever the float flag.
std::string bitDepthText(uint8_t bits, bool isFloat);
// 3 "WAV", 4 "AIFF".
std::string audioFormatText(uint8_t code);
// 1 "Yes", 0 "No".
std::string interleavedText(int flag);
// 1..4: "-2.5 dB", "-3.0 dB", "-4.5 dB", "-6.0 dB".
std::string panDepthText(uint8_t code);
// "29.97 Drop" and so on; codes 4 and 6 name no rate.
std::string frameRateText(uint8_t code);
// Whole frames per second used to count timecode at the code's rate
// (30 for codes that name no rate).
unsigned nominalFramesPerSecond(uint8_t code);
// "HH:MM:SS:FF" of a frame count, hours not wrapped at 24; "Unknown" when
// the frame-rate code is 0.
std::string sessionStartText(uint8_t frameRateCode, uint32_t startFrames);
// "120 BPM" for whole numbers, "97.5 BPM" otherwise.
std::string tempoText(double bpm);
// "6/8".
std::string meterText(uint32_t numerator, uint32_t denominator);
// The reader's length text, or "Unknown" when it is empty.
std::string sessionLengthText(std::string_view readerText);

} // namespace kestrix

#endif
