// Playlists (0x1054): clip placements grouped under a name, handed to tracks
// by name, and the unnamed ones by order to multichannel audio tracks.
#include "ptx_extract.h"

#include <algorithm>
#include <iterator>
#include <limits>
#include <vector>

namespace ptx {

namespace {

constexpr uint16_t kPlaylist = 0x1052;
constexpr uint16_t kPlacementList = 0x1050;
constexpr uint16_t kPlacement = 0x104f;
constexpr uint32_t kMaxNameLength = 500;
constexpr uint64_t kMusicalBase = 1000000000000ULL;  // positions at or above are in ticks
constexpr double kTicksPerQuarter = 960000.0;
constexpr uint8_t kAudioTrack = 0;

struct Playlist {
    std::string name;
    std::vector<ptx_clip_placement> placements;
    bool used = false;
};

// Turns ticks into samples; the tempo is in quarter notes per minute.
struct PositionConversion {
    double tempo = 0.0;
    uint32_t sample_rate = 0;
    bool enabled() const { return tempo > 0.0 && sample_rate != 0; }

    uint64_t samples(uint64_t ticks) const
    {
        const double v = double(sample_rate) * double(ticks) * 60.0 / (tempo * kTicksPerQuarter);
        if (!(v >= 0.0))
            return 0;  // negative or not a number
        if (v >= 18446744073709551616.0)
            return std::numeric_limits<uint64_t>::max();
        return uint64_t(v);
    }
};

uint32_t channel_count(uint8_t format_code)
{
    static constexpr uint8_t channels[15] = {1, 2, 3, 4, 4, 5, 6, 6, 7, 7, 8, 1, 1, 7, 8};
    return format_code < 15 ? channels[format_code] : 1;
}

uint64_t uint40le(const ParseContext &ctx, uint32_t o)
{
    uint64_t v = 0;
    for (int k = 4; k >= 0; --k)
        v = (v << 8) | ctx.u8(o + uint32_t(k));
    return v;
}

ptx_clip_placement read_placement(const ParseContext &ctx, const ptx_block &b, const PositionConversion &conv)
{
    const uint32_t o = b.offset;  // the block (size >= 20) lies inside the file
    const uint32_t index = ctx.u32le(o + 4);
    uint64_t raw = uint40le(ctx, o + 9);
    if (raw >= kMusicalBase) {
        raw -= kMusicalBase;
        if (conv.enabled())
            raw = conv.samples(raw);
    }
    ptx_clip_placement placement;
    placement.color_index = ctx.u16le(o + 18);
    if (b.size >= 21 && ctx.u8(o + 20) != 0)
        placement.group_index = int32_t(index);
    else
        placement.clip_index = int32_t(index);
    placement.position = uint32_t(std::min<uint64_t>(raw, std::numeric_limits<uint32_t>::max()));
    return placement;
}

// A placement list whose byte at offset+46 is 1 is not shown on the track.
bool is_skipped_list(const ParseContext &ctx, const ptx_block &list)
{
    const uint64_t flag_at = uint64_t(list.offset) + 46;
    return list.size >= 47 && flag_at < ctx.size && ctx.u8(uint32_t(flag_at)) == 1;
}

void read_playlist(const ParseContext &ctx, const ptx_block &b, const PositionConversion &conv,
                   std::vector<Playlist> &out)
{
    const uint64_t o = b.offset;
    if (!ctx.fits(o + 2, 4))
        return;
    const uint32_t name_length = ctx.u32(uint32_t(o + 2));
    if (name_length > kMaxNameLength || name_length + 6 > b.size)
        return;
    Playlist playlist;
    playlist.name = ctx.text(uint32_t(o + 6), name_length);
    // Sized once: doubling would leave up to half again as much unused room
    // in every track's placement list.
    size_t candidates = 0;
    for (uint32_t i = 0; i < b.child_count; ++i)
        if (b.children[i].content_type == kPlacementList)
            candidates += b.children[i].child_count;
    playlist.placements.reserve(candidates);
    for (uint32_t i = 0; i < b.child_count; ++i) {
        const ptx_block &list = b.children[i];
        if (list.content_type != kPlacementList || is_skipped_list(ctx, list))
            continue;
        for (uint32_t j = 0; j < list.child_count; ++j) {
            const ptx_block &placement = list.children[j];
            if (placement.content_type == kPlacement && placement.size >= 20)
                playlist.placements.push_back(read_placement(ctx, placement, conv));
        }
    }
    if (!playlist.placements.empty())
        out.push_back(std::move(playlist));
}

void give(Playlist &playlist, ptx_track &track)
{
    // Most tracks take one playlist: hand its list over rather than copy it.
    if (track.placements.empty())
        track.placements = std::move(playlist.placements);
    else
        track.placements.insert(track.placements.end(), playlist.placements.begin(), playlist.placements.end());
    playlist.placements = {};
    playlist.used = true;  // a playlist goes to one track only
}

void match_by_name(std::vector<Playlist> &playlists, ptx_session &s, const TrackLinks &links)
{
    for (Playlist &playlist : playlists) {
        if (playlist.name.empty())
            continue;
        const auto track = links.index_by_name.find(playlist.name);
        if (track != links.index_by_name.end())
            give(playlist, s.tracks[track->second]);
    }
}

// One cursor for the whole pass: each audio track without placements takes
// as many of the next unnamed playlists as it has channels.
void match_by_order(std::vector<Playlist> &playlists, ptx_session &s)
{
    size_t cursor = 0;
    for (ptx_track &track : s.tracks) {
        if (track.type != kAudioTrack || !track.placements.empty())
            continue;
        for (uint32_t n = channel_count(track.format_code); n > 0; --n) {
            while (cursor < playlists.size() && (playlists[cursor].used || !playlists[cursor].name.empty()))
                ++cursor;
            if (cursor == playlists.size())
                return;
            give(playlists[cursor++], track);
        }
    }
}

} // namespace

void read_playlists(const ParseContext &ctx, ptx_session &s, const TrackLinks &links)
{
    const PositionConversion conv{effective_tempo(s), s.sample_rate};
    std::vector<Playlist> playlists;
    const ptx_block_list &blocks = ctx.list(0x1054);
    for (uint32_t k = 0; k < blocks.count; ++k) {
        const ptx_block &b = *blocks.items[k];
        for (uint32_t i = 0; i < b.child_count; ++i)
            if (b.children[i].content_type == kPlaylist)
                read_playlist(ctx, b.children[i], conv, playlists);
    }
    match_by_name(playlists, s, links);
    match_by_order(playlists, s);
}

} // namespace ptx
