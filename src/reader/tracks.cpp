// Tracks (0x251a) and the identifiers that tie other blocks to them.
#include "ptx_extract.h"
#include "ptx_reader.h"

#include <algorithm>
#include <cstring>

namespace ptx {

namespace {

constexpr uint8_t kTrackTypeCount = 12;
constexpr uint8_t kUnknownCode = 255;
constexpr uint16_t kFormatChild = 0x4420;
// The format code sits this far past the name length, inside the format child.
constexpr uint64_t kFormatCodeDistance = 63;

} // namespace

ptx_track *TrackLinks::track_for(ptx_session &s, TrackId id) const
{
    const auto name = name_by_id.find(id);
    if (name == name_by_id.end())
        return nullptr;
    const auto index = index_by_name.find(name->second);
    return index == index_by_name.end() ? nullptr : &s.tracks[index->second];
}

// The identifier is the 8 bytes after the first '*' 0 0 0 found between
// offset+2 and a limit 12 bytes before the block's end, at most offset+100.
std::optional<TrackId> find_track_id(const ParseContext &ctx, const ptx_block &block)
{
    static constexpr uint8_t marker[4] = {'*', 0, 0, 0};
    const int64_t o = block.offset;
    const int64_t limit = std::min({int64_t(ctx.size), o + int64_t(block.size) - 12, o + 100});
    if (o + 14 > limit)
        return std::nullopt;
    for (int64_t p = o + 2; p <= limit - 12; ++p)
        if (std::memcmp(ctx.buf + p, marker, sizeof marker) == 0)
            return ctx.u64le(uint32_t(p + 4));
    return std::nullopt;
}

void read_tracks(const ParseContext &ctx, ptx_session &s, TrackLinks &links)
{
    const ptx_block_list &blocks = ctx.list(0x251a);
    for (uint32_t k = 0; k < blocks.count; ++k) {
        const ptx_block &b = *blocks.items[k];
        const uint64_t o = b.offset;
        if (!ctx.fits(o, 8))
            continue;
        uint32_t name_length = 0;
        const uint8_t *name = ptx_read_counted(ctx.buf, ctx.size, uint32_t(o + 4), ctx.be, &name_length);
        if (!name || name_length == 0)
            continue;

        ptx_track track;
        track.name.assign(reinterpret_cast<const char *>(name), name_length);
        const uint8_t type = ctx.u8(uint32_t(o + 2));
        track.type = type < kTrackTypeCount ? type : kUnknownCode;
        const uint64_t format_at = o + name_length + kFormatCodeDistance;
        if (first_child(b, kFormatChild) && format_at < ctx.size) {
            track.format_code = ctx.u8(uint32_t(format_at));
            track.format_name = ptx_track_format_name_for_code(track.format_code);
        }
        const uint64_t end = o + b.size;
        if (end <= ctx.size)
            track.color_index = ctx.u16le(uint32_t(end - 2));

        // The first track with a name wins; a later one leaves no trace,
        // not even its identifier.
        if (links.index_by_name.count(track.name))
            continue;
        if (const std::optional<TrackId> id = find_track_id(ctx, b))
            links.name_by_id[*id] = track.name;
        links.index_by_name.emplace(track.name, s.tracks.size());
        s.tracks.push_back(std::move(track));
    }
}

} // namespace ptx
