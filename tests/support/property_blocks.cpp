#include "property_blocks.h"

namespace ptxw {

Block sessionFormatBlock(uint32_t sampleRate, uint8_t audioFormat, SampleFormat format)
{
    Block b(0x1028);
    b.at(2).u8(audioFormat);
    b.at(4).u32(sampleRate);
    b.at(20).u8(2).u8(format.panDepth).u8(0).u8(format.interleaved).u8(format.bitDepth);
    b.zeros(6);
    return b;
}

Block counterFormatBlock(uint8_t code)
{
    Block b(0x2024);
    b.at(3).u8(code).zeros(4);
    return b;
}

Block timecodeBlock(uint8_t frameRateCode, uint32_t start, std::string_view lengthText)
{
    Block b(0x204d);
    b.at(42).u8(frameRateCode).zeros(8);
    b.at(2).u8(frameRateCode);
    b.at(11).u32(start);
    b.at(27).counted(lengthText);
    return b;
}

Block tempoMapBlock(const std::vector<TempoEvent> &events, std::optional<uint32_t> count)
{
    constexpr size_t kStride = 60;
    Block b(0x2028);
    b.at(13).u32(count.value_or(uint32_t(events.size())));
    size_t q = 24;
    for (const TempoEvent &e : events) {
        b.at(q).bytes("Const");
        b.at(q + 31).u64le(e.position);
        b.at(q + 40).f64le(e.bpm);
        q += kStride;
    }
    b.at(q).zeros(8);
    return b;
}

Block fixedTempoBlock(double bpm, bool fixed)
{
    Block b(0x2718);
    b.at(4).f64le(bpm).u8(fixed ? 0 : 1).zeros(2);
    return b;
}

Block meterMapBlock(const std::vector<MeterEvent> &events)
{
    Block b(0x2029);
    b.at(13).u32(uint32_t(events.size()));
    size_t p = 18;
    for (const MeterEvent &e : events) {
        b.at(p).u32le(e.position);
        b.at(p + 11).u32le(e.numerator).u32le(e.denominator);
        p += 19;
    }
    b.at(p).zeros(8);
    return b;
}

} // namespace ptxw
