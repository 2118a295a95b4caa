#include "universe_anchors.h"

#include <algorithm>

namespace kestrix {
namespace {

std::optional<double> midpoint(const std::optional<SampleRange> &range)
{
    return range ? std::optional((range->lower + range->upper) / 2) : std::nullopt;
}

// Grows a span (of samples or of rows) one interval at a time.
struct Span {
    std::optional<SampleRange> range;
    void add(double lower, double upper)
    {
        if (!range)
            range = SampleRange{lower, upper};
        range->lower = std::min(range->lower, lower);
        range->upper = std::max(range->upper, upper);
    }
    std::optional<double> midpoint() const { return kestrix::midpoint(range); }
};

// Calls `visit(row, clip)` for each selected clip that is shown.
template <typename Visit>
void forSelectedClips(const UniverseRows &rows, const QSet<ClipKey> &keys, Visit visit)
{
    for (const ClipKey &key : keys) {
        if (const auto found = rows.find(key))
            visit(found->first, *found->second);
    }
}

std::optional<double> rowsMidpoint(const UniverseRows &rows, const NameSet &names)
{
    Span span;
    for (size_t row = 0; row < rows.count(); ++row) {
        if (names.contains(rows.tracks()[row].name))
            span.add(double(row), double(row + 1));
    }
    return span.midpoint();
}

} // namespace

ZoomAnchors horizontalAnchors(const UniverseRows &rows, const UniverseSelectionState &state)
{
    Span clips;
    forSelectedClips(rows, state.selectedClips, [&](size_t, const PTXClipInfo &clip) {
        clips.add(double(clip.timelinePosition), double(clip.timelinePosition + clip.sampleLength));
    });
    return {clips.midpoint(), midpoint(state.selection.timeRange), midpoint(state.listSelectionSpan)};
}

ZoomAnchors verticalAnchors(const UniverseRows &rows, const UniverseSelectionState &state)
{
    Span clipRows;
    forSelectedClips(rows, state.selectedClips,
                     [&](size_t row, const PTXClipInfo &) { clipRows.add(double(row), double(row + 1)); });
    return {clipRows.midpoint(), rowsMidpoint(rows, state.selection.trackNames),
            rowsMidpoint(rows, state.selectedTrackNames)};
}

} // namespace kestrix
