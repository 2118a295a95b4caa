// The clip list: every 0x2629 child of a 0x262a block is one clip, a region
// of an audio file referred to by its index in the audio file list.
#include "ptx_extract.h"

#include <algorithm>
#include <optional>

namespace ptx {

namespace {

constexpr uint32_t kMaxNameLength = 500;
constexpr uint32_t kMinClipSize = 20;

// The little-endian integer of `count` bytes; bytes beyond the eighth wrap
// onto the low ones (they do not occur in valid files).
uint64_t le_integer(const ParseContext &ctx, uint64_t at, unsigned count)
{
    uint64_t v = 0;
    for (unsigned k = 0; k < count; ++k)
        v |= uint64_t(ctx.u8(uint32_t(at + k))) << ((8 * k) % 64);
    return v;
}

// The source file's index is the u32 LE right after the clip's first
// 0x2628 child; -1 without one or when those bytes lie beyond the file.
int32_t file_index_of(const ParseContext &ctx, const ptx_block &clip)
{
    const ptx_block *source = first_child(clip, 0x2628);
    if (!source)
        return -1;
    const uint64_t at = uint64_t(source->offset) + source->size;
    return ctx.fits(at, 4) ? int32_t(ctx.u32le(uint32_t(at))) : -1;
}

// Name counted at offset+11; two width bytes at offset+L+16 and +L+17 whose
// high nibbles are the byte counts of the sample offset and the sample
// length, which follow one another from offset+L+20.
std::optional<ptx_clip> read_clip(const ParseContext &ctx, const ptx_block &block)
{
    const uint64_t o = block.offset;
    const uint64_t end = std::min<uint64_t>(ctx.size, o + block.size);
    if (block.size < kMinClipSize || o + 15 > end)
        return std::nullopt;
    const uint32_t length = ctx.u32(uint32_t(o + 11));
    if (length < 1 || length > kMaxNameLength || o + length + 20 > end)
        return std::nullopt;
    const unsigned offset_bytes = ctx.u8(uint32_t(o + length + 16)) >> 4;
    const unsigned length_bytes = ctx.u8(uint32_t(o + length + 17)) >> 4;
    const uint64_t values_at = o + length + 20;
    // The values may run on past the clip block but never past the file.
    if (!ctx.fits(values_at, offset_bytes + length_bytes))
        return std::nullopt;

    ptx_clip clip;
    clip.name = ctx.text(uint32_t(o + 15), length);
    clip.sample_offset = le_integer(ctx, values_at, offset_bytes);
    clip.sample_length = le_integer(ctx, values_at + offset_bytes, length_bytes);
    clip.file_index = file_index_of(ctx, block);
    return clip;
}

} // namespace

void read_clips(const ParseContext &ctx, ptx_session &s)
{
    const ptx_block_list &lists = ctx.list(0x262a);
    // Sessions hold up to hundreds of thousands of clips: size the list once
    // rather than letting doubling hold two copies at the peak.
    size_t candidates = 0;
    for (uint32_t k = 0; k < lists.count; ++k)
        candidates += lists.items[k]->child_count;
    s.clips.reserve(s.clips.size() + candidates);
    for (uint32_t k = 0; k < lists.count; ++k) {
        const ptx_block &list = *lists.items[k];
        for (uint32_t c = 0; c < list.child_count; ++c) {
            const ptx_block &child = list.children[c];
            if (child.content_type != 0x2629)
                continue;
            if (std::optional<ptx_clip> clip = read_clip(ctx, child))
                s.clips.push_back(std::move(*clip));
        }
    }
}

} // namespace ptx
