#include "ptx_extract.h"

namespace ptx {

ptx_track *TrackLinks::track_for(ptx_session &, TrackId) const { return nullptr; }
std::optional<TrackId> find_track_id(const ParseContext &, const ptx_block &) { return std::nullopt; }
void read_tracks(const ParseContext &, ptx_session &, TrackLinks &) {}
void read_folders(const ParseContext &, ptx_session &, const TrackLinks &) {}
void read_playlists(const ParseContext &, ptx_session &, const TrackLinks &) {}
void read_plugin_definitions(const ParseContext &, PluginDefs &) {}
void read_track_settings(const ParseContext &, ptx_session &, const TrackLinks &, const PluginDefs &) {}
void collect_plugin_names(ptx_session &) {}

} // namespace ptx
