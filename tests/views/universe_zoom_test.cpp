// Zooming and scrolling the timeline overview: the numbers a user sees go
// wrong when the anchor drifts or the view runs past the session.
#include "universe_anchors.h"
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

TEST(UniverseZoom, KeepsTheAnchorInPlace)
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
}

TEST(UniverseZoom, AnchorsComeFromTheMostSpecificSelection)
{
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
    const SessionExtent extent{0, 10000};
    auto offsetWith = [&](ZoomAnchors a) { return zoomHorizontally({}, extent, 2, a).horizontalSampleOffset; };
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

TEST(UniverseScroll, MovesOnlyWhenZoomedAndStopsAtTheEdges)
{
    UniverseViewport v;
    // Not zoomed: horizontal scrolling does nothing.
    EXPECT_EQ(scrollHorizontally(v, kTenSeconds, 1000, -50), v);
    v.horizontalZoom = 2;
    // 1000 points show 240000 samples: 50 points are 12000 samples.
    EXPECT_DOUBLE_EQ(scrollHorizontally(v, kTenSeconds, 1000, -50).horizontalSampleOffset, 12000);
    EXPECT_DOUBLE_EQ(scrollHorizontally(v, kTenSeconds, 1000, 50).horizontalSampleOffset, 0);
    EXPECT_DOUBLE_EQ(scrollHorizontally(v, kTenSeconds, 1000, -1e6).horizontalSampleOffset, 240000);
    EXPECT_EQ(scrollHorizontally(v, kTenSeconds, 0, -50), v);
    EXPECT_EQ(scrollHorizontally(v, std::nullopt, 1000, -50), v);

    v.verticalZoom = 4;
    // Rows 8 points apart: 16 points down are 2 rows; 20 rows allow 15.
    EXPECT_DOUBLE_EQ(scrollVertically(v, 20, 8, -16).verticalRowOffset, 2);
    EXPECT_DOUBLE_EQ(scrollVertically(v, 20, 8, -1000).verticalRowOffset, 15);
    EXPECT_DOUBLE_EQ(scrollVertically(v, 20, 8, 16).verticalRowOffset, 0);
}
