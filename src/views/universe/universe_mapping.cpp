#include "universe_mapping.h"

#include "universe_zoom.h"

#include <algorithm>
#include <cmath>

namespace kestrix {

double UniverseMapping::xForSample(double sample) const
{
    return visibleLength > 0 ? (sample - visibleStart) / visibleLength * width : 0;
}

double UniverseMapping::sampleAtX(double x) const
{
    return width > 0 ? visibleStart + x / width * visibleLength : visibleStart;
}

std::optional<size_t> UniverseMapping::rowAt(double y) const
{
    if (rowPitch <= 0)
        return std::nullopt;
    const double row = std::floor(rowOffset + (y - firstRowTop) / rowPitch);
    if (row < 0 || row >= double(rows))
        return std::nullopt;
    return size_t(row);
}

std::pair<size_t, size_t> UniverseMapping::rowsBetween(double top, double bottom) const
{
    if (rowPitch <= 0 || rows == 0 || bottom < top)
        return {0, 0};
    const double first = std::clamp(std::floor(rowOffset + (top - firstRowTop) / rowPitch), 0.0, double(rows));
    const double last = std::clamp(std::floor(rowOffset + (bottom - firstRowTop) / rowPitch) + 1, 0.0, double(rows));
    return first < last ? std::pair{size_t(first), size_t(last)} : std::pair<size_t, size_t>{0, 0};
}

UniverseMapping universeMapping(const UniverseViewport &stored, const std::optional<SessionExtent> &extent,
                                size_t rows, double width, double rowScale)
{
    using namespace universe;
    const UniverseViewport viewport = validViewport(stored);
    UniverseMapping m;
    m.width = width;
    m.rows = rows;
    if (extent && extent->total() > 0) {
        const double total = extent->total();
        m.visibleLength = total / viewport.horizontalZoom;
        m.visibleStart =
            extent->start + std::clamp(viewport.horizontalSampleOffset, 0.0, maxSampleOffset(viewport, total));
    }
    const double scale = viewport.verticalZoom * rowScale;
    m.firstRowTop = kVerticalInset * rowScale;
    m.rowOffset = std::clamp(viewport.verticalRowOffset, 0.0, maxRowOffset(viewport, rows));
    m.rowPitch = (kTrackHeight + kTrackGap) * scale;
    m.barHeight = kTrackHeight * scale;
    return m;
}

bool isSelectionDrag(QPointF start, QPointF current)
{
    return std::abs(current.x() - start.x()) >= universe::kDragThreshold ||
           std::abs(current.y() - start.y()) >= universe::kDragThreshold;
}

UniverseSelection selectionFromBand(const QRectF &band, const UniverseMapping &mapping,
                                    const std::vector<PTXTrackInfo> &rows)
{
    const QRectF r = band.normalized();
    UniverseSelection selection;
    const auto [first, last] = mapping.rowsBetween(r.top(), r.bottom());
    for (size_t row = first; row < last && row < rows.size(); ++row)
        selection.trackNames.insert(rows[row].name);
    const double left = std::clamp(r.left(), 0.0, mapping.width);
    const double right = std::clamp(r.right(), 0.0, mapping.width);
    if (mapping.visibleLength > 0)
        selection.timeRange = SampleRange{mapping.sampleAtX(left), mapping.sampleAtX(right)};
    return selection;
}

} // namespace kestrix
