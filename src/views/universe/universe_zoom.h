// Zooming and scrolling the timeline overview: pure functions from one
// viewport to the next.
#ifndef KESTRIX_VIEWS_UNIVERSE_UNIVERSE_ZOOM_H
#define KESTRIX_VIEWS_UNIVERSE_UNIVERSE_ZOOM_H

#include "universe_layout.h"
#include "universe_state.h"

#include <cstddef>
#include <optional>

namespace kestrix {

// What a zoom keeps in place, most specific first. Positions are absolute
// samples (horizontal) or row positions (vertical).
struct ZoomAnchors {
    std::optional<double> selectedClips;   // clips selected on the overview
    std::optional<double> selectionRange;  // the overview selection (its time range or its tracks)
    std::optional<double> listSelection;   // clips of the items selected in the lists
};

// Multiplies the horizontal zoom by `factor` (kept within 1 to 64) and moves
// the offset so that the anchor stays where it is on screen, without
// showing anything past the session end. Unchanged without an extent.
UniverseViewport zoomHorizontally(const UniverseViewport &viewport, const std::optional<SessionExtent> &extent,
                                  double factor, const ZoomAnchors &anchors);

// The same on rows.
UniverseViewport zoomVertically(const UniverseViewport &viewport, size_t rows, double factor,
                                const ZoomAnchors &anchors);

// Scroll deltas in points (positive moves the content right / down, as the
// wheel reports them). `width` is the drawn width, `rowPitch` the height of
// one row in points.
UniverseViewport scrollHorizontally(const UniverseViewport &viewport, const std::optional<SessionExtent> &extent,
                                    double width, double delta);
UniverseViewport scrollVertically(const UniverseViewport &viewport, size_t rows, double rowPitch, double delta);

// The viewport with every value one the user interface can produce: zooms
// within 1 to 64 (one that is not a number counts as 1), offsets finite and
// not negative. Stored viewports come from anywhere; the offsets' upper
// bounds depend on the session and are applied where they are drawn.
UniverseViewport validViewport(const UniverseViewport &viewport);

// The furthest the offsets may go at the viewport's zoom.
double maxSampleOffset(const UniverseViewport &viewport, double total);
double maxRowOffset(const UniverseViewport &viewport, size_t rows);

} // namespace kestrix

#endif
