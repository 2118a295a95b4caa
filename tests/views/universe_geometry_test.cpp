// The timeline overview's geometry: its height limits, where rows and
// samples land on screen, what a rubber band selects, the scroll-bar thumbs,
// and zooming and scrolling (the numbers a user sees go wrong when the anchor
// drifts or the view runs past the session).
#include "universe_anchors.h"
#include "universe_layout.h"
#include "universe_mapping.h"
#include "universe_row_index.h"
#include "universe_scroll_bar.h"
#include "universe_zoom.h"
#include "views_test_support.h"

#include <gtest/gtest.h>

using namespace kestrix;
using namespace viewstest;

namespace {

constexpr SessionExtent kTenSeconds{0, 480000};

// Where an absolute sample sits across the visible range, 0 to 1.
double screenFraction(const UniverseViewport &v, const SessionExtent &extent, double sample)
{
    return (sample - extent.start - v.horizontalSampleOffset) / (extent.total() / v.horizontalZoom);
}

} // namespace

TEST(UniverseZoom, StepsUpTo64AndBackDownTo1WithoutLeavingTheSession)
{
    UniverseViewport v;
    for (int i = 0; i < 30; ++i)
        v = zoomHorizontally(v, kTenSeconds, universe::kZoomInFactor, {});
    EXPECT_DOUBLE_EQ(v.horizontalZoom, 64);
    for (int i = 0; i < 30; ++i)
        v = zoomHorizontally(v, kTenSeconds, universe::kZoomOutFactor, {});
    EXPECT_DOUBLE_EQ(v.horizontalZoom, 1);
    EXPECT_DOUBLE_EQ(v.horizontalSampleOffset, 0);

    // At 1 already, zooming out changes nothing, not even a stray offset;
    // the vertical fields ride along untouched.
    UniverseViewport atOne{1, 3, 1234, 2};
    EXPECT_EQ(zoomHorizontally(atOne, kTenSeconds, universe::kZoomOutFactor, {}), atOne);
    EXPECT_EQ(zoomHorizontally(atOne, kTenSeconds, 2, {}).verticalRowOffset, 2);

    // Zooming out at the end would show past the session end: the offset is
    // pulled back so the visible range ends there.
    UniverseViewport atEnd;
    atEnd.horizontalZoom = 4;
    atEnd.horizontalSampleOffset = 360000;
    EXPECT_DOUBLE_EQ(zoomHorizontally(atEnd, kTenSeconds, 0.5, {}).horizontalSampleOffset, 480000 - 480000 / 2.0);

    // No clips, or clips of no length: the commands do nothing.
    EXPECT_EQ(zoomHorizontally({}, std::nullopt, 1.5, {}), UniverseViewport{});
    EXPECT_EQ(zoomHorizontally({}, SessionExtent{500, 500}, 1.5, {}), UniverseViewport{});
    EXPECT_EQ(zoomVertically({}, 0, 1.5, {}), UniverseViewport{});
}

TEST(UniverseZoom, KeepsTheAnchorInPlaceAndAnchorsComeFromTheMostSpecificSelection)
{
    const SessionExtent extent{96000, 96000 + 480000};
    UniverseViewport v;
    v.horizontalZoom = 4;
    v.horizontalSampleOffset = 100000;
    // Nothing selected: the centre of the visible range stays the centre.
    const double centre = extent.start + 100000 + 480000 / 4.0 / 2;
    const UniverseViewport centred = zoomHorizontally(v, extent, 1.5, {});
    EXPECT_NEAR(screenFraction(centred, extent, centre), 0.5, 1e-12);

    // A selected time range: its midpoint stays where it was on screen.
    const double mid = extent.start + 130000;
    ZoomAnchors anchors;
    anchors.selectionRange = mid;
    const UniverseViewport ranged = zoomHorizontally(v, extent, 1.5, anchors);
    EXPECT_NEAR(screenFraction(ranged, extent, mid), screenFraction(v, extent, mid), 1e-12);
    EXPECT_NE(ranged.horizontalSampleOffset, centred.horizontalSampleOffset);

    // Rows: the middle row stays in the middle, an anchor near the end
    // keeps its place, and zooming back out stops at the last row.
    EXPECT_DOUBLE_EQ(zoomVertically({}, 10, 2, {}).verticalRowOffset, 2.5);
    ZoomAnchors nearEnd;
    nearEnd.selectionRange = 9.5;
    EXPECT_DOUBLE_EQ(zoomVertically({}, 10, 4, nearEnd).verticalRowOffset, 7.125);
    EXPECT_DOUBLE_EQ(zoomVertically({1, 4, 0, 7.5}, 10, 0.5, {}).verticalRowOffset, 5);
    EXPECT_EQ(zoomVertically({}, 10, 100, {}).verticalZoom, 64);

    // Anchors come from the most specific selection.
    const UniverseRows rows({track("A", {clip("a1", -1, 0, 100), clip("a2", -1, 1000, 100)}),
                             track("B", {clip("b1", -1, 5000, 1000)}), track("C", {clip("c1", -1, 9000, 1000)})});
    UniverseSelectionState state;
    state.listSelectionSpan = SampleRange{200, 400};
    EXPECT_EQ(horizontalAnchors(rows, state).listSelection, 300);

    state.selection.trackNames = {"C"};
    state.selection.timeRange = SampleRange{8000, 10000};
    state.selectedClips = {ClipKey{"A", 1}, ClipKey{"B", 0}, ClipKey{"Gone", 0}, ClipKey{"A", 7}};
    const ZoomAnchors h = horizontalAnchors(rows, state);
    EXPECT_EQ(h.selectedClips, (1000 + 6000) / 2.0);  // a2 to b1; unknown keys ignored
    EXPECT_EQ(h.selectionRange, 9000);

    // Which anchor wins shows in where the zoom lands.
    const SessionExtent tenThousand{0, 10000};
    auto offsetWith = [&](ZoomAnchors a) { return zoomHorizontally({}, tenThousand, 2, a).horizontalSampleOffset; };
    EXPECT_DOUBLE_EQ(offsetWith(h), 3500 / 2.0);
    EXPECT_DOUBLE_EQ(offsetWith({std::nullopt, h.selectionRange, h.listSelection}), 4500);
    EXPECT_DOUBLE_EQ(offsetWith({std::nullopt, std::nullopt, h.listSelection}), 150);

    // Rows: selected clips' rows, then the selection's tracks, then the
    // tracks selected in the lists.
    state.selectedTrackNames = {"A"};
    const ZoomAnchors vertical = verticalAnchors(rows, state);
    EXPECT_EQ(vertical.selectedClips, 1);      // rows 0 and 1
    EXPECT_EQ(vertical.selectionRange, 2.5);   // row 2
    EXPECT_EQ(vertical.listSelection, 0.5);    // row 0
}

TEST(UniverseScroll, StopsAtTheEdgesAndTheBarsThumbIsTheVisibleFraction)
{
    // How far a wheel moves is the view's wheel test; here, the edges.
    UniverseViewport v;
    v.horizontalZoom = 2;
    EXPECT_DOUBLE_EQ(scrollHorizontally(v, kTenSeconds, 1000, 50).horizontalSampleOffset, 0);
    EXPECT_DOUBLE_EQ(scrollHorizontally(v, kTenSeconds, 1000, -1e6).horizontalSampleOffset, 240000);
    EXPECT_EQ(scrollHorizontally(v, kTenSeconds, 0, -50), v);
    EXPECT_EQ(scrollHorizontally(v, std::nullopt, 1000, -50), v);

    v.verticalZoom = 4;
    // 20 rows at 4 times allow 15 rows of offset.
    EXPECT_DOUBLE_EQ(scrollVertically(v, 20, 8, -1000).verticalRowOffset, 15);
    EXPECT_DOUBLE_EQ(scrollVertically(v, 20, 8, 16).verticalRowOffset, 0);

    // The scroll bar's thumb is the visible fraction and drags proportionally.
    ThumbGeometry t = thumbGeometry(400, 4, 250, 1000);
    EXPECT_DOUBLE_EQ(t.length, 100);
    EXPECT_DOUBLE_EQ(t.position, 100);
    // Deep zoom keeps a thumb that can be grabbed, inside the bar.
    t = thumbGeometry(400, 64, 1000 - 1000 / 64.0, 1000);
    EXPECT_DOUBLE_EQ(t.length, UniverseScrollBar::kMinThumbLength);
    EXPECT_DOUBLE_EQ(t.position + t.length, 400);

    EXPECT_DOUBLE_EQ(draggedOffset(250, 40, 400, 4, 1000), 350);
    EXPECT_DOUBLE_EQ(draggedOffset(250, 4000, 400, 4, 1000), 750);
    EXPECT_DOUBLE_EQ(draggedOffset(250, -4000, 400, 4, 1000), 0);
}

TEST(UniverseMapping, HeightRowsAndSamplesOnScreenTheRubberBandAndTheClipsInARange)
{
    const std::optional<SessionExtent> extent = sessionExtent(
        {track("A", {clip("a", -1, 48000, 96000)}), track("Empty"), track("B", {clip("b", -1, 100000, 500000)})});
    ASSERT_TRUE(extent);
    EXPECT_EQ(*extent, (SessionExtent{48000, 600000}));
    EXPECT_EQ(sessionExtent({track("Empty")}), std::nullopt);

    UniverseViewport v;
    v.horizontalZoom = 2;
    v.horizontalSampleOffset = 100000;
    v.verticalZoom = 2;
    v.verticalRowOffset = 1;
    const UniverseMapping m = universeMapping(v, extent, 10, 552, 1);
    EXPECT_DOUBLE_EQ(m.visibleStart, 148000);
    EXPECT_DOUBLE_EQ(m.xForSample(148000 + 276000), 552);
    EXPECT_DOUBLE_EQ(m.sampleAtX(276), 148000 + 138000);
    // Rows 8 points apart from the inset, row 1 at the top.
    EXPECT_DOUBLE_EQ(m.rowTop(1), 2);
    EXPECT_DOUBLE_EQ(m.rowTop(3), 18);
    EXPECT_EQ(m.rowAt(2), 1u);
    EXPECT_EQ(m.rowAt(9.9), 1u);  // the gap belongs to the row above
    EXPECT_EQ(m.rowAt(10), 2u);
    EXPECT_EQ(m.rowAt(-20), std::nullopt);
    EXPECT_EQ(m.rowAt(1000), std::nullopt);

    // A stale offset beyond what the zoom allows is drawn as far as it goes.
    v.horizontalSampleOffset = 1e9;
    v.verticalRowOffset = 50;
    const UniverseMapping stale = universeMapping(v, extent, 10, 552, 1);
    EXPECT_DOUBLE_EQ(stale.visibleStart, 48000 + 276000);
    EXPECT_DOUBLE_EQ(stale.rowOffset, 5);

    // A rubber band selects the rows it touches and the time under its edges.
    const std::vector<PTXTrackInfo> rows = lanes(10);
    const UniverseMapping band = universeMapping({}, SessionExtent{0, 1000}, rows.size(), 100, 1);
    // y 7 lies in row 1's band (6 to 10), y 14 in row 3's (14 to 18).
    UniverseSelection s = selectionFromBand(QRectF(QPointF(60, 14), QPointF(20, 7)), band, rows);
    EXPECT_EQ(s.trackNames, (NameSet{"T1", "T2", "T3"}));
    EXPECT_EQ(s.timeRange, (SampleRange{200, 600}));
    // Dragged out past the edges: the whole width, the rows up to the last.
    s = selectionFromBand(QRectF(QPointF(-40, 30), QPointF(400, 400)), band, rows);
    EXPECT_EQ(s.trackNames, (NameSet{"T7", "T8", "T9"}));
    EXPECT_EQ(s.timeRange, (SampleRange{0, 1000}));
    // Below every row: a time range and no tracks, which keeps no clip.
    s = selectionFromBand(QRectF(QPointF(10, 200), QPointF(20, 300)), band, rows);
    EXPECT_TRUE(s.trackNames.empty());
    EXPECT_TRUE(s.timeRange);

    // A drag under three points either way is a click.
    EXPECT_FALSE(isSelectionDrag({10, 10}, {12, 8}));
    EXPECT_TRUE(isSelectionDrag({10, 10}, {13, 10}));
    EXPECT_TRUE(isSelectionDrag({10, 10}, {10, 7}));

    // The row index finds only the clips in a range.
    const UniverseRowIndex index({track("A", {clip("late", -1, 900, 50), clip("long", -1, 0, 1000), clip("early", -1, 10, 20),
                                             clip("mid", -1, 400, 100)})});
    auto names = [](std::span<const RowClip> clips) {
        std::vector<uint32_t> placements;
        for (const RowClip &c : clips)
            placements.push_back(c.placement);
        return placements;
    };
    // "long" spans everything, so it is a candidate wherever one looks.
    EXPECT_EQ(names(index.candidates(0, 450, 460)), (std::vector<uint32_t>{1, 2, 3}));
    EXPECT_EQ(names(index.candidates(0, 2000, 3000)), std::vector<uint32_t>{});
    EXPECT_EQ(names(index.candidates(5, 0, 1000)), std::vector<uint32_t>{});
    // Of two clips under a point the one drawn on top wins; near misses
    // count within the tolerance.
    EXPECT_EQ(index.clipNear(0, 450, 0), 3u);
    const UniverseRowIndex sparse({track("B", {clip("x", -1, 100, 10), clip("y", -1, 200, 10)})});
    EXPECT_EQ(sparse.clipNear(0, 112, 5), 0u);
    EXPECT_EQ(sparse.clipNear(0, 150, 5), std::nullopt);

    // The height: how the rows scale and its floor.
    // Ten rows rest at 43 points, the overview's handle test shows; the
    // handle adds at most 600 (the overview caps what it is given as well).
    EXPECT_EQ(universeHeight(10, 0).rowScale, 1);
    EXPECT_EQ(clampExtraHeight(5000, 10), 600);
    EXPECT_DOUBLE_EQ(universeHeight(10, 600).rowScale, 643.0 / 43);

    // Many rows: the floor is a sixteenth of the resting height.
    EXPECT_EQ(universeHeight(1000, -1e9).height, 4003.0 / 16);
    // Fewer rows than fill 20 points: the rows stretch to the minimum.
    EXPECT_EQ(universeHeight(2, 0).height, 20);
    EXPECT_DOUBLE_EQ(universeHeight(2, 0).rowScale, 20.0 / 11);
    EXPECT_EQ(universeHeight(0, 0).height, 20);
    EXPECT_EQ(universeHeight(0, 0).rowScale, 1);
}

