// Scalar session properties: format, counter, timecode, tempo and meter.
#include "ptx_extract.h"

#include <algorithm>
#include <cstring>

namespace ptx {

namespace {

constexpr uint8_t kDefaultFrameRateCode = 7;

// The bytes b[p-5], b[p-4], b[p-2], b[p-1] of a sample-format record:
// 2, pan depth 1..4, interleaving, bit depth 16/24/32.
bool is_sample_format_at(const uint8_t *b, uint64_t p)
{
    const uint8_t bits = b[p - 1];
    return b[p - 5] == 2 && b[p - 4] >= 1 && b[p - 4] <= 4 && (bits == 16 || bits == 24 || bits == 32);
}

void scan_sample_format(const ParseContext &ctx, const ptx_block &block, ptx_session &s)
{
    if (s.pan_depth != 0 && s.bit_depth != 0 && s.interleaved != -1)
        return;  // nothing left for a match to set
    const uint64_t end = std::min<uint64_t>(ctx.size, uint64_t(block.offset) + block.size);
    for (uint64_t p = uint64_t(block.offset) + 25; p <= end; ++p) {
        if (!is_sample_format_at(ctx.buf, p))
            continue;
        if (s.pan_depth == 0)
            s.pan_depth = ctx.buf[p - 4];
        if (s.bit_depth == 0) {
            s.bit_depth = ctx.buf[p - 1];
            s.is_float = s.bit_depth == 32;
        }
        if (s.interleaved == -1 && ctx.buf[p - 2] <= 1)
            s.interleaved = int8_t(ctx.buf[p - 2]);
        return;
    }
}

} // namespace

void read_session_format(const ParseContext &ctx, ptx_session &s)
{
    const ptx_block_list &blocks = ctx.list(0x1028);
    for (uint32_t k = 0; k < blocks.count; ++k) {
        const ptx_block &b = *blocks.items[k];
        if (s.sample_rate == 0 && ctx.fits(b.offset, 8))
            s.sample_rate = ctx.u32(b.offset + 4);
        if (s.audio_format == 0 && uint64_t(b.offset) + 2 < ctx.size)
            s.audio_format = ctx.u8(b.offset + 2);
        scan_sample_format(ctx, b, s);
    }
}

void read_counter_format(const ParseContext &ctx, ptx_session &s)
{
    const ptx_block_list &blocks = ctx.list(0x2024);
    for (uint32_t k = 0; k < blocks.count; ++k) {
        const ptx_block &b = *blocks.items[k];
        if (ctx.fits(b.offset, 4)) {
            s.main_counter_format = ctx.u8(b.offset + 3);
            return;
        }
    }
}

void read_timecode(const ParseContext &ctx, ptx_session &s)
{
    const ptx_block_list &blocks = ctx.list(0x204d);
    if (blocks.count > 0) {
        const uint64_t o = blocks.items[0]->offset;
        uint8_t code = 0;
        if (ctx.fits(o, 43))
            code = ctx.u8(uint32_t(o + 42));
        if (code == 0 && ctx.fits(o, 3))
            code = ctx.u8(uint32_t(o + 2));
        s.frame_rate_code = code;
        if (o + 15 < ctx.size)
            s.session_start = ctx.u32(uint32_t(o + 11));
        if (o + 35 < ctx.size) {
            const uint32_t len = ctx.u32(uint32_t(o + 27));
            if (len >= 1 && len <= 49 && ctx.fits(o + 31, len))
                s.session_length_text = ctx.text(uint32_t(o + 31), len);
        }
    }
    if (s.frame_rate_code == 0)
        s.frame_rate_code = kDefaultFrameRateCode;
}

// Collects the tempo events of one block: each starts at the marker "Const",
// with the position 31 and the bpm 40 bytes after it.
static std::vector<ptx_tempo_event> tempo_events(const ParseContext &ctx, const ptx_block &b)
{
    std::vector<ptx_tempo_event> events;
    const uint64_t o = b.offset;
    if (b.size < 21 || !ctx.fits(o, b.size))
        return events;
    const uint32_t count = ctx.u32(uint32_t(o + 13));
    const int64_t limit = int64_t(o) + int64_t(b.size) - 48;
    int64_t p = int64_t(o) + 21;
    static const char marker[] = "Const";
    while (p < limit && events.size() < count) {
        int64_t q = p;
        while (q <= limit && std::memcmp(ctx.buf + q, marker, 5) != 0)
            ++q;
        if (q > limit)
            break;
        events.push_back({ctx.f64le(uint32_t(q + 40)), ctx.u64le(uint32_t(q + 31))});
        p = q + 46;
    }
    return events;
}

void read_tempo_map(const ParseContext &ctx, ptx_session &s)
{
    const ptx_block_list &blocks = ctx.list(0x2028);
    for (uint32_t k = 0; k < blocks.count; ++k) {
        std::vector<ptx_tempo_event> events = tempo_events(ctx, *blocks.items[k]);
        if (events.empty())
            continue;
        s.tempo_map = std::move(events);
        return;
    }
}

void read_fixed_tempo(const ParseContext &ctx, ptx_session &s)
{
    const ptx_block_list &blocks = ctx.list(0x2718);
    if (blocks.count == 0)
        return;
    const ptx_block &b = *blocks.items[0];
    const uint64_t end = uint64_t(b.offset) + b.size;
    if (b.size < 11 || end - 2 > ctx.size)
        return;
    s.fixed_tempo = ctx.f64le(uint32_t(end - 11));
    s.has_fixed_tempo = ctx.u8(uint32_t(end - 3)) == 0;
}

double effective_tempo(const ptx_session &s)
{
    if (s.has_fixed_tempo)
        return s.fixed_tempo;
    return s.tempo_map.empty() ? 0.0 : s.tempo_map.front().bpm;
}

// Meter events are 19 bytes apart or more; the next one is found by its
// position, which must lie within 10 000 000 after the previous event's.
static std::vector<ptx_meter_event> meter_events(const ParseContext &ctx, const ptx_block &b)
{
    std::vector<ptx_meter_event> events;
    const uint64_t o = b.offset;
    if (b.size < 25 || !ctx.fits(o, b.size))
        return events;
    const uint64_t end = o + b.size;
    const uint32_t count = ctx.u32(uint32_t(o + 13));
    if (count == 0) {
        events.push_back({4, 4});
        return events;
    }
    uint64_t p = o + 18;
    for (uint32_t n = 0; n < count; ++n) {
        if (p + 19 > end)
            break;
        const uint32_t position = ctx.u32le(uint32_t(p));
        events.push_back({ctx.u32le(uint32_t(p + 11)), ctx.u32le(uint32_t(p + 15))});
        if (n + 1 == count)
            break;
        p += 18;
        for (;;) {
            if (p + 1 >= end - 19)
                return events;
            const uint32_t v = ctx.u32le(uint32_t(p + 1));
            ++p;
            if (v >= position && v - position < 10000000)
                break;
        }
    }
    return events;
}

void read_meter_map(const ParseContext &ctx, ptx_session &s)
{
    const ptx_block_list &blocks = ctx.list(0x2029);
    for (uint32_t k = 0; k < blocks.count; ++k) {
        std::vector<ptx_meter_event> events = meter_events(ctx, *blocks.items[k]);
        if (events.empty())
            continue;
        s.meter_map = std::move(events);
        return;
    }
}

} // namespace ptx
