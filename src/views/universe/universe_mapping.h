// Where things are on the timeline overview: samples to x, rows to y, and
// back. Built from the viewport for one drawn size.
#ifndef KESTRIX_VIEWS_UNIVERSE_UNIVERSE_MAPPING_H
#define KESTRIX_VIEWS_UNIVERSE_UNIVERSE_MAPPING_H

#include "universe_layout.h"
#include "universe_state.h"

#include <QPointF>
#include <QRectF>

#include <cstddef>
#include <optional>
#include <utility>
#include <vector>

namespace kestrix {

struct UniverseMapping {
    double visibleStart = 0;   // absolute samples at x = 0
    double visibleLength = 0;  // samples across the width; 0 without an extent
    double width = 0;
    double firstRowTop = 0;    // y of row `rowOffset`
    double rowOffset = 0;
    double rowPitch = 0;       // a row and its gap
    double barHeight = 0;
    size_t rows = 0;

    double xForSample(double sample) const;
    double sampleAtX(double x) const;
    double rowTop(size_t row) const { return firstRowTop + (double(row) - rowOffset) * rowPitch; }
    // The row whose band (bar and gap) holds y.
    std::optional<size_t> rowAt(double y) const;
    // The rows whose bands meet [top, bottom]: first and one past the last.
    std::pair<size_t, size_t> rowsBetween(double top, double bottom) const;
};

// Offsets past what the zoom allows (a stale stored viewport, fewer rows
// after filtering) are pulled back for drawing, and values no user could
// set are drawn as their nearest valid ones.
UniverseMapping universeMapping(const UniverseViewport &viewport, const std::optional<SessionExtent> &extent,
                                size_t rows, double width, double rowScale);

// A press moved this far is a rubber-band drag, not a click.
bool isSelectionDrag(QPointF start, QPointF current);

// The selection a rubber band makes: the names of the rows it touches and
// the sample positions under its left and right edges (kept inside the
// drawn width).
UniverseSelection selectionFromBand(const QRectF &band, const UniverseMapping &mapping,
                                    const std::vector<PTXTrackInfo> &rows);

} // namespace kestrix

#endif
