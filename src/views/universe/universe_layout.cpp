#include "universe_layout.h"

#include <algorithm>

namespace kestrix {

std::optional<SessionExtent> sessionExtent(const std::vector<PTXTrackInfo> &tracks)
{
    std::optional<SessionExtent> extent;
    for (const PTXTrackInfo &track : tracks) {
        for (const PTXClipInfo &clip : track.clips) {
            const double start = double(clip.timelinePosition);
            const double end = start + double(clip.sampleLength);
            if (!extent)
                extent = SessionExtent{start, end};
            extent->start = std::min(extent->start, start);
            extent->end = std::max(extent->end, end);
        }
    }
    return extent;
}

UniverseHeight universeHeight(size_t rows, double extra)
{
    using namespace universe;
    UniverseHeight h;
    h.intrinsic = rows == 0 ? 0 : double(rows) * (kTrackHeight + kTrackGap) - kTrackGap + 2 * kVerticalInset;
    h.minimum = std::max(h.intrinsic / 16, kMinHeight);
    h.minExtra = h.minimum - h.intrinsic;
    h.height = std::max(h.minimum, h.intrinsic + extra);
    h.rowScale = h.intrinsic > 0 ? h.height / h.intrinsic : 1;
    return h;
}

double clampExtraHeight(double extra, size_t rows)
{
    return std::clamp(extra, universeHeight(rows, 0).minExtra, universe::kMaxExtraHeight);
}

} // namespace kestrix
