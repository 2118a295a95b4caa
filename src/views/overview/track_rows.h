// The track list flattened into rows: each shown track, and under an
// expanded track its inserts and the clips of its lane.
#ifndef KESTRIX_VIEWS_OVERVIEW_TRACK_ROWS_H
#define KESTRIX_VIEWS_OVERVIEW_TRACK_ROWS_H

#include "multi_mono_grouping.h"
#include "session_info.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

namespace kestrix {

struct TrackListRow {
    enum class Kind : uint8_t { track, insertsHeading, insert, noInserts, clipHeader, clip };

    Kind kind = Kind::track;
    bool expanded = false; // for track rows
    uint32_t track = 0; // index into the session's tracks
    uint32_t item = 0; // the insert's index, or the clip group's index in the lane
    bool operator==(const TrackListRow &) const = default;
};

// The clip groups one expanded track shows.
using ClipLane = std::shared_ptr<const std::vector<PTXClipGroup>>;

// Rows for the tracks at `visible`, in order. `laneOf` is asked only for
// expanded tracks; a lane without clips adds no clip header.
std::vector<TrackListRow> buildTrackRows(const std::vector<PTXTrackInfo> &tracks, const std::vector<size_t> &visible,
                                         const std::function<bool(size_t track)> &isExpanded,
                                         const std::function<const ClipLane &(size_t track)> &laneOf);

} // namespace kestrix

#endif
