// The overview's height limits, where rows and samples land on screen, what
// a rubber band selects, and the scroll-bar thumbs.
#include "universe_anchors.h"
#include "universe_layout.h"
#include "universe_mapping.h"
#include "universe_row_index.h"
#include "universe_scroll_bar.h"
#include "views_test_support.h"

#include <gtest/gtest.h>

using namespace kestrix;
using namespace viewstest;

TEST(UniverseHeight, RestingSizeAndTheHandleLimits)
{
    const UniverseHeight rest = universeHeight(10, 0);
    EXPECT_EQ(rest.intrinsic, 43);
    EXPECT_EQ(rest.height, 43);
    EXPECT_EQ(rest.rowScale, 1);

    // Down: at most 600 extra. (The way up, to 20 points, is the overview's handle test.)
    EXPECT_EQ(clampExtraHeight(5000, 10), 600);
    EXPECT_EQ(universeHeight(10, 600).height, 643);
    EXPECT_DOUBLE_EQ(universeHeight(10, 600).rowScale, 643.0 / 43);

    // Many rows: the floor is a sixteenth of the resting height.
    EXPECT_EQ(universeHeight(1000, -1e9).height, 4003.0 / 16);
    // Fewer rows than fill 20 points: the rows stretch to the minimum.
    EXPECT_EQ(universeHeight(2, 0).height, 20);
    EXPECT_DOUBLE_EQ(universeHeight(2, 0).rowScale, 20.0 / 11);
    EXPECT_EQ(universeHeight(0, 0).height, 20);
    EXPECT_EQ(universeHeight(0, 0).rowScale, 1);
}

TEST(UniverseMapping, RowsAndSamplesOnScreen)
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
}

TEST(UniverseMapping, RubberBandSelectsTheRowsItTouchesAndTheTimeUnderItsEdges)
{
    const std::vector<PTXTrackInfo> rows = lanes(10);
    const UniverseMapping m = universeMapping({}, SessionExtent{0, 1000}, rows.size(), 100, 1);
    // y 7 lies in row 1's band (6 to 10), y 14 in row 3's (14 to 18).
    UniverseSelection s = selectionFromBand(QRectF(QPointF(60, 14), QPointF(20, 7)), m, rows);
    EXPECT_EQ(s.trackNames, (NameSet{"T1", "T2", "T3"}));
    EXPECT_EQ(s.timeRange, (SampleRange{200, 600}));
    // Dragged out past the edges: the whole width, the rows up to the last.
    s = selectionFromBand(QRectF(QPointF(-40, 30), QPointF(400, 400)), m, rows);
    EXPECT_EQ(s.trackNames, (NameSet{"T7", "T8", "T9"}));
    EXPECT_EQ(s.timeRange, (SampleRange{0, 1000}));
    // Below every row: a time range and no tracks, which keeps no clip.
    s = selectionFromBand(QRectF(QPointF(10, 200), QPointF(20, 300)), m, rows);
    EXPECT_TRUE(s.trackNames.empty());
    EXPECT_TRUE(s.timeRange);

    // A drag under three points either way is a click.
    EXPECT_FALSE(isSelectionDrag({10, 10}, {12, 8}));
    EXPECT_TRUE(isSelectionDrag({10, 10}, {13, 10}));
    EXPECT_TRUE(isSelectionDrag({10, 10}, {10, 7}));
}

TEST(UniverseRowIndex, FindsOnlyTheClipsInARange)
{
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
}

TEST(UniverseScrollBar, ThumbIsTheVisibleFractionAndDragsProportionally)
{
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
