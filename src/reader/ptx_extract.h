// The extraction steps of a session parse, in the order the parse runs them,
// and the working maps that tie tracks to the blocks that refer to them.
#ifndef KESTRIX_PTX_EXTRACT_H
#define KESTRIX_PTX_EXTRACT_H

#include "ptx_session_record.h"

#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>

namespace ptx {

// Track identifiers are 8 bytes after the marker '*' 0 0 0; held as the
// little-endian integer of those bytes.
using TrackId = uint64_t;

struct TrackLinks {
    std::unordered_map<TrackId, std::string> name_by_id;
    std::unordered_map<std::string, size_t> index_by_name;
    // The track an identifier refers to, or null.
    ptx_track *track_for(ptx_session &s, TrackId id) const;
};

// Plug-in definitions: 12-byte key → name (a later definition replaces the
// name), and its first 8 bytes → name (the first definition is kept).
struct PluginDefs {
    static constexpr size_t kKeySize = 12;
    static constexpr size_t kShortKeySize = 8;
    std::unordered_map<std::string, std::string> by_key;
    std::unordered_map<std::string, std::string> by_short_key;
    // The name for a 12-byte key, falling back to its first 8 bytes; or null.
    const std::string *name_for(const std::string &key) const;
};

// The identifier near the start of a block, if any.
std::optional<TrackId> find_track_id(const ParseContext &ctx, const ptx_block &block);

// Session properties.
void read_session_format(const ParseContext &ctx, ptx_session &s);
void read_counter_format(const ParseContext &ctx, ptx_session &s);
void read_timecode(const ParseContext &ctx, ptx_session &s);
void read_tempo_map(const ParseContext &ctx, ptx_session &s);
void read_fixed_tempo(const ParseContext &ctx, ptx_session &s);
void read_meter_map(const ParseContext &ctx, ptx_session &s);
// Fixed tempo when set, else the first tempo event's bpm, else 0.
double effective_tempo(const ptx_session &s);

// Audio files, clips and clip groups.
void read_audio_files(const ParseContext &ctx, ptx_session &s);
void read_clips(const ParseContext &ctx, ptx_session &s);
void read_clip_groups(const ParseContext &ctx, ptx_session &s);

// Tracks and everything linked to them.
void read_tracks(const ParseContext &ctx, ptx_session &s, TrackLinks &links);
void read_folders(const ParseContext &ctx, ptx_session &s, const TrackLinks &links);
void read_playlists(const ParseContext &ctx, ptx_session &s, const TrackLinks &links);
void read_plugin_definitions(const ParseContext &ctx, PluginDefs &defs);
void read_track_settings(const ParseContext &ctx, ptx_session &s, const TrackLinks &links,
                         const PluginDefs &defs);
void collect_plugin_names(ptx_session &s);

// Memory locations, sorted by number.
void read_memory_locations(const ParseContext &ctx, ptx_session &s);

} // namespace ptx

#endif
