// Builders for the blocks that hold the session properties.
#ifndef KESTRIX_TEST_PROPERTY_BLOCKS_H
#define KESTRIX_TEST_PROPERTY_BLOCKS_H

#include "session_writer.h"

#include <optional>
#include <string_view>
#include <vector>

namespace ptxw {

struct SampleFormat {
    uint8_t panDepth = 2;     // 1..4
    uint8_t interleaved = 0;  // 0, 1, or anything above 1 for "unknown"
    uint8_t bitDepth = 24;    // 16, 24 or 32
};

// 0x1028: audio format at offset+2, sample rate at offset+4 and the
// sample-format record 2, pan, -, interleaved, bits at offset+20..24.
Block sessionFormatBlock(uint32_t sampleRate, uint8_t audioFormat, SampleFormat format = {});

// 0x2024: the main counter format at offset+3.
Block counterFormatBlock(uint8_t code);

// 0x204d: frame-rate code at offset+42 (and offset+2), session start at
// offset+11 and the length text counted at offset+27.
Block timecodeBlock(uint8_t frameRateCode, uint32_t start, std::string_view lengthText);

struct TempoEvent {
    double bpm;
    uint64_t position;
};
// 0x2028: the event count (the number of events unless given) at
// offset+13, then one "Const" record per event.
Block tempoMapBlock(const std::vector<TempoEvent> &events, std::optional<uint32_t> count = std::nullopt);

// 0x2718: the tempo 11 bytes before the end and the "not fixed" flag 3 before.
Block fixedTempoBlock(double bpm, bool fixed);

struct MeterEvent {
    uint32_t position;
    uint32_t numerator;
    uint32_t denominator;
};
// 0x2029: the event count at offset+13 and 19-byte events from offset+18.
Block meterMapBlock(const std::vector<MeterEvent> &events);

} // namespace ptxw

#endif
