#include "universe_row_index.h"

#include <algorithm>
#include <cmath>

namespace kestrix {

UniverseRowIndex::UniverseRowIndex(const std::vector<PTXTrackInfo> &rows)
{
    rows_.reserve(rows.size());
    for (const PTXTrackInfo &track : rows) {
        Row row;
        row.clips.reserve(track.clips.size());
        for (size_t i = 0; i < track.clips.size(); ++i) {
            const PTXClipInfo &clip = track.clips[i];
            const double start = double(clip.timelinePosition);
            row.clips.push_back({start, start + double(clip.sampleLength), uint32_t(i)});
        }
        std::stable_sort(row.clips.begin(), row.clips.end(),
                         [](const RowClip &a, const RowClip &b) { return a.start < b.start; });
        row.endSoFar.reserve(row.clips.size());
        double latest = -INFINITY;
        for (const RowClip &clip : row.clips)
            row.endSoFar.push_back(latest = std::max(latest, clip.end));
        rows_.push_back(std::move(row));
    }
}

std::span<const RowClip> UniverseRowIndex::candidates(size_t row, double from, double to) const
{
    if (row >= rows_.size())
        return {};
    const Row &r = rows_[row];
    // endSoFar never decreases: before `first` every clip ends by `from`.
    const size_t first = size_t(std::upper_bound(r.endSoFar.begin(), r.endSoFar.end(), from) - r.endSoFar.begin());
    const auto last = std::lower_bound(r.clips.begin(), r.clips.end(), to,
                                       [](const RowClip &clip, double value) { return clip.start < value; });
    const size_t count = size_t(last - r.clips.begin());
    if (first >= count)
        return {};
    return std::span<const RowClip>(r.clips).subspan(first, count - first);
}

std::optional<uint32_t> UniverseRowIndex::clipNear(size_t row, double sample, double tolerance) const
{
    std::optional<uint32_t> best;
    double bestDistance = INFINITY;
    for (const RowClip &clip : candidates(row, sample - tolerance, sample + tolerance)) {
        const double distance = sample < clip.start ? clip.start - sample : std::max(sample - clip.end, 0.0);
        // Later clips win ties: they are drawn on top.
        if (distance <= tolerance && distance <= bestDistance) {
            bestDistance = distance;
            best = clip.placement;
        }
    }
    return best;
}

} // namespace kestrix
