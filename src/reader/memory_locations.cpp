// Memory locations: the session's named markers and stored selections, one
// per 0x2077 block, listed by number.
#include "ptx_extract.h"

#include <algorithm>
#include <optional>

namespace ptx {

namespace {

constexpr uint16_t kMemoryLocationType = 0x2077;
constexpr uint16_t kColourType = 0x4826;
// A longer name is taken for damage rather than a location.
constexpr uint32_t kNameLengthLimit = 10000;

// Only markers (1 and 9) and selections (2) are drawn in a colour.
bool carries_colour(uint8_t type)
{
    return type == 1 || type == 2 || type == 9;
}

// The first colour child that is not black; the location stays black
// without one.
void read_colour(const ParseContext &ctx, const ptx_block &block, ptx_memory_location &location)
{
    for (uint32_t k = 0; k < block.child_count; ++k) {
        const ptx_block &child = block.children[k];
        if (child.content_type != kColourType || !ctx.fits(child.offset, 9))
            continue;
        const uint8_t r = ctx.u8(child.offset + 4);
        const uint8_t g = ctx.u8(child.offset + 6);
        const uint8_t b = ctx.u8(child.offset + 8);
        if (r == 0 && g == 0 && b == 0)
            continue;
        location.color_r = r;
        location.color_g = g;
        location.color_b = b;
        return;
    }
}

// Number at offset+2, reference and type at +4 and +5, the name counted at
// +8, and the start and end times right after the name.
std::optional<ptx_memory_location> read_location(const ParseContext &ctx, const ptx_block &block)
{
    const uint64_t o = block.offset;
    if (!ctx.fits(o, 14))
        return std::nullopt;
    ptx_memory_location location;
    location.number = ctx.u16(uint32_t(o + 2));
    location.reference = ctx.u8(uint32_t(o + 4));
    location.type = ctx.u8(uint32_t(o + 5));

    const uint32_t length = ctx.u32(uint32_t(o + 8));
    if (length >= kNameLengthLimit || !ctx.fits(o + 12, length))
        return std::nullopt;
    location.name = ctx.text(uint32_t(o + 12), length);

    // Times that run past the end of the file stay 0; the location is kept.
    const uint64_t times = o + 12 + length;
    if (ctx.fits(times, 16)) {
        location.start = ctx.u64(uint32_t(times));
        location.end = ctx.u64(uint32_t(times + 8));
    }
    if (carries_colour(location.type))
        read_colour(ctx, block, location);
    return location;
}

} // namespace

void read_memory_locations(const ParseContext &ctx, ptx_session &s)
{
    const ptx_block_list &blocks = ctx.list(kMemoryLocationType);
    for (uint32_t k = 0; k < blocks.count; ++k)
        if (std::optional<ptx_memory_location> location = read_location(ctx, *blocks.items[k]))
            s.memory_locations.push_back(std::move(*location));
    // Stable, so locations sharing a number keep their file order.
    std::stable_sort(s.memory_locations.begin(), s.memory_locations.end(),
                     [](const ptx_memory_location &a, const ptx_memory_location &b) {
                         return a.number < b.number;
                     });
}

} // namespace ptx
