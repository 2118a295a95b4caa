#include "track_rows.h"

namespace kestrix {

std::vector<TrackListRow> buildTrackRows(const std::vector<PTXTrackInfo> &tracks, const std::vector<size_t> &visible,
                                         const std::function<bool(size_t track)> &isExpanded,
                                         const std::function<const ClipLane &(size_t track)> &laneOf)
{
    using Kind = TrackListRow::Kind;
    std::vector<TrackListRow> rows;
    rows.reserve(visible.size());
    for (size_t t : visible) {
        const auto track = uint32_t(t);
        const bool expanded = isExpanded(t);
        rows.push_back({Kind::track, expanded, track, 0});
        if (!expanded)
            continue;
        const std::vector<PTXTrackPlugin> &plugins = tracks[t].plugins;
        if (plugins.empty()) {
            rows.push_back({Kind::noInserts, false, track, 0});
        } else {
            rows.push_back({Kind::insertsHeading, false, track, 0});
            for (size_t p = 0; p < plugins.size(); ++p)
                rows.push_back({Kind::insert, false, track, uint32_t(p)});
        }
        const ClipLane &lane = laneOf(t);
        if (!lane || lane->empty())
            continue;
        rows.push_back({Kind::clipHeader, false, track, 0});
        for (size_t c = 0; c < lane->size(); ++c)
            rows.push_back({Kind::clip, false, track, uint32_t(c)});
    }
    return rows;
}

} // namespace kestrix
