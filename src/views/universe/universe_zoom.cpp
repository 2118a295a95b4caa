#include "universe_zoom.h"

#include <algorithm>
#include <cmath>

namespace kestrix {
namespace {

double zoomed(double zoom, double factor)
{
    return std::clamp(zoom * factor, universe::kMinZoom, universe::kMaxZoom);
}

double firstAnchor(const ZoomAnchors &anchors, double fallback)
{
    return anchors.selectedClips.value_or(anchors.selectionRange.value_or(anchors.listSelection.value_or(fallback)));
}

// Keeps `anchor` (measured like `offset`) at the same place on screen while
// the visible length goes from `total / z0` to `total / z1`.
double anchoredOffset(double anchor, double offset, double total, double z0, double z1)
{
    const double visible0 = total / z0;
    const double visible1 = total / z1;
    const double fraction = (anchor - offset) / visible0;
    return std::max(std::min(anchor - visible1 * fraction, total - visible1), 0.0);
}

double validZoom(double zoom)
{
    return std::isnan(zoom) ? universe::kMinZoom : std::clamp(zoom, universe::kMinZoom, universe::kMaxZoom);
}

double validOffset(double offset)
{
    return std::isfinite(offset) && offset > 0 ? offset : 0;
}

} // namespace

UniverseViewport validViewport(const UniverseViewport &viewport)
{
    return {validZoom(viewport.horizontalZoom), validZoom(viewport.verticalZoom),
            validOffset(viewport.horizontalSampleOffset), validOffset(viewport.verticalRowOffset)};
}

double maxSampleOffset(const UniverseViewport &viewport, double total)
{
    return std::max(total - total / viewport.horizontalZoom, 0.0);
}

double maxRowOffset(const UniverseViewport &viewport, size_t rows)
{
    return std::max(double(rows) - double(rows) / viewport.verticalZoom, 0.0);
}

UniverseViewport zoomHorizontally(const UniverseViewport &viewport, const std::optional<SessionExtent> &extent,
                                  double factor, const ZoomAnchors &anchors)
{
    const double z0 = viewport.horizontalZoom;
    const double z1 = zoomed(z0, factor);
    if (z1 == z0 || !extent || extent->total() <= 0)
        return viewport;
    const double total = extent->total();
    const double centre = extent->start + viewport.horizontalSampleOffset + total / z0 / 2;
    const double anchor = firstAnchor(anchors, centre) - extent->start;
    UniverseViewport next = viewport;
    next.horizontalZoom = z1;
    next.horizontalSampleOffset = anchoredOffset(anchor, viewport.horizontalSampleOffset, total, z0, z1);
    return next;
}

UniverseViewport zoomVertically(const UniverseViewport &viewport, size_t rows, double factor,
                                const ZoomAnchors &anchors)
{
    const double z0 = viewport.verticalZoom;
    const double z1 = zoomed(z0, factor);
    if (rows == 0 || z1 == z0)
        return viewport;
    const double count = double(rows);
    const double centre = viewport.verticalRowOffset + count / z0 / 2;
    UniverseViewport next = viewport;
    next.verticalZoom = z1;
    next.verticalRowOffset = anchoredOffset(firstAnchor(anchors, centre), viewport.verticalRowOffset, count, z0, z1);
    return next;
}

UniverseViewport scrollHorizontally(const UniverseViewport &viewport, const std::optional<SessionExtent> &extent,
                                    double width, double delta)
{
    if (width <= 0 || !extent || extent->total() <= 0 || delta == 0 ||
        viewport.horizontalZoom <= universe::kZoomedThreshold)
        return viewport;
    const double total = extent->total();
    const double pointsPerSample = width * viewport.horizontalZoom / total;
    UniverseViewport next = viewport;
    next.horizontalSampleOffset =
        std::max(std::min(viewport.horizontalSampleOffset - delta / pointsPerSample, maxSampleOffset(viewport, total)),
                 0.0);
    return next;
}

UniverseViewport scrollVertically(const UniverseViewport &viewport, size_t rows, double rowPitch, double delta)
{
    if (rows == 0 || rowPitch <= 0 || delta == 0 || viewport.verticalZoom <= universe::kZoomedThreshold)
        return viewport;
    UniverseViewport next = viewport;
    next.verticalRowOffset =
        std::max(std::min(viewport.verticalRowOffset - delta / rowPitch, maxRowOffset(viewport, rows)), 0.0);
    return next;
}

} // namespace kestrix
