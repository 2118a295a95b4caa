// The timeline overview driven with the mouse, the wheel and the keyboard,
// and what it draws.
#include "overview_ruler.h"
#include "ruler_format_picker.h"
#include "universe_height_handle.h"
#include "universe_overview.h"
#include "universe_painter.h"
#include "universe_scroll_bar.h"
#include "universe_view.h"
#include "views_test_support.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QSignalSpy>
#include <QTest>
#include <QWheelEvent>

#include <gtest/gtest.h>

using namespace kestrix;
using namespace viewstest;

namespace {

bool sendWheel(QWidget &widget, QPoint pixels, QPoint angle = {})
{
    QWheelEvent event(QPointF(10, 10), widget.mapToGlobal(QPointF(10, 10)), pixels, angle, Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&widget, &event);
    return event.isAccepted();
}

} // namespace

TEST(UniverseView, ClicksDragsDoubleClicksAndTheWheel)
{
    // Ten rows of 4 points, each with one clip across the whole 200 points.
    UniverseView view;
    view.setTracks(lanes(10), SessionExtent{0, 48000});
    view.resize(200, 43);
    QSignalSpy clicks(&view, &UniverseView::clipClicked);
    QSignalSpy doubles(&view, &UniverseView::clipDoubleClicked);
    QSignalSpy selections(&view, &UniverseView::selectionChanged);
    QSignalSpy seeks(&view, &UniverseView::clipSeek);

    // Moved 2 points: a click on row 1's clip, reported with the modifiers.
    drag(view, {50, 7}, {52, 9}, Qt::ShiftModifier);
    ASSERT_EQ(clicks.count(), 1);
    EXPECT_EQ(clicks[0][0].value<ClipKey>(), (ClipKey{"T1", 0}));
    EXPECT_EQ(clicks[0][1].value<Qt::KeyboardModifiers>(), Qt::ShiftModifier);
    EXPECT_EQ(selections.count(), 0);

    // Moved 3 points: a selection, and no click.
    drag(view, {50, 7}, {53, 15});
    EXPECT_EQ(clicks.count(), 1);
    ASSERT_EQ(selections.count(), 1);
    const UniverseSelection selection = view.selection();
    EXPECT_EQ(selection.trackNames, (NameSet{"T1", "T2", "T3"}));
    EXPECT_EQ(selection.timeRange, (SampleRange{12000, 12720}));

    // A double click plays; its second release is not another click.
    doubleClick(view, {20, 3});
    EXPECT_EQ(clicks.count(), 2);
    ASSERT_EQ(doubles.count(), 1);
    EXPECT_EQ(doubles[0][0].value<ClipKey>(), (ClipKey{"T0", 0}));
    EXPECT_EQ(seeks.count(), 0);

    // A click on the playing clip seeks to the point clicked.
    view.setActiveClipKey(ClipKey{"T4", 0});
    view.setSampleRate(48000);
    drag(view, {150, 19}, {150, 19});
    ASSERT_EQ(seeks.count(), 1);
    EXPECT_DOUBLE_EQ(seeks[0][0].toDouble(), 0.75);

    // Below the rows nothing is hit; with selection disabled a drag does nothing.
    drag(view, {20, 42}, {20, 42});
    EXPECT_EQ(clicks.count(), 3);
    view.setSelectionDisabled(true);
    drag(view, {10, 3}, {100, 30});
    EXPECT_EQ(selections.count(), 1);
    EXPECT_EQ(clicks.count(), 3);

    view.clearSelection();
    EXPECT_TRUE(view.selection().empty());
    EXPECT_EQ(selections.count(), 2);

    // Not zoomed: the wheel is left to the page around.
    QSignalSpy viewports(&view, &UniverseView::viewportChanged);
    EXPECT_FALSE(sendWheel(view, {-30, 0}));
    EXPECT_FALSE(sendWheel(view, {0, -30}));

    UniverseViewport zoomed;
    zoomed.horizontalZoom = 2;
    zoomed.verticalZoom = 2;
    view.setViewport(zoomed);
    EXPECT_TRUE(sendWheel(view, {-50, 0}));
    EXPECT_DOUBLE_EQ(view.viewport().horizontalSampleOffset, 6000);  // 50 of 200 points at 24000 samples
    // A mouse wheel notch down moves 20 points: 2.5 rows of 8 points.
    EXPECT_TRUE(sendWheel(view, {}, {0, -120}));
    EXPECT_DOUBLE_EQ(view.viewport().verticalRowOffset, 2.5);
    EXPECT_EQ(viewports.count(), 2);
    EXPECT_EQ(viewports.last()[0].value<UniverseViewport>(), view.viewport());
}

TEST(UniverseView, DrawsClipsAndWhatIsSelectedOverThem)
{
    std::vector<PTXTrackInfo> tracks{track("A", {clip("a", -1, 0, 1000), clip("b", -1, 3000, 1000)}),
                                     track("B", {clip("c", -1, 5000, 5000)})};
    tracks[0].colorIndex = 2;
    tracks[1].colorIndex = 30;
    const UniverseRows rows(tracks);
    const UniverseViewport viewport;
    const UniverseMapping m = universeMapping(viewport, SessionExtent{0, 10000}, rows.count(), 100, 1);
    UniverseSelectionState state;
    UniverseColors colors{Qt::white, QColor(0, 0, 255), Qt::black, QColor(255, 0, 0)};
    auto paint = [&](std::optional<double> playhead = {}) {
        QImage image(100, 11, QImage::Format_RGB32);
        QPainter painter(&image);
        paintUniverse(painter, UniverseScene{rows, m, state, std::nullopt, std::nullopt, playhead, colors},
                      image.rect());
        return image;
    };

    QImage image = paint();
    EXPECT_EQ(image.pixelColor(5, 3), rows.color(0));     // clip a
    EXPECT_EQ(image.pixelColor(20, 3), Qt::white);         // between a and b
    EXPECT_EQ(image.pixelColor(35, 3), rows.color(0));    // clip b
    EXPECT_EQ(image.pixelColor(70, 7), rows.color(1));    // clip c, row B
    EXPECT_EQ(image.pixelColor(30, 7), Qt::white);
    EXPECT_NE(rows.color(0), rows.color(1));

    state.selectedClips = {ClipKey{"A", 1}};
    image = paint(2000);
    EXPECT_EQ(image.pixelColor(35, 3), QColor(0, 0, 255));
    EXPECT_EQ(image.pixelColor(5, 3), rows.color(0));
    EXPECT_EQ(image.pixelColor(20, 9), QColor(255, 0, 0));  // the playhead

    // The selection tints its rows within its time range only.
    state.selectedClips.clear();
    state.selection.trackNames = {"B"};
    state.selection.timeRange = SampleRange{6000, 8000};
    image = paint();
    EXPECT_NE(image.pixelColor(70, 7), rows.color(1));
    EXPECT_EQ(image.pixelColor(90, 7), rows.color(1));
    EXPECT_EQ(image.pixelColor(5, 3), rows.color(0));
}

TEST(UniverseOverview, RulerZoomScrollBarsAndHeightHandle)
{
    // Ten rows of 4 points, each with one clip, with the ruler, bars and handle.
    PTXSessionInfo session;
    session.sampleRate = "48000";
    session.tempo = "120 BPM";
    session.meter = "4/4";
    session.tracks = lanes(10);
    session.mainCounterFormat = 2;
    UniverseOverview overview;
    overview.setSession(session, session.tracks);
    overview.resize(300, 200);
    // The ruler starts in the session's counter format.
    OverviewRuler &ruler = *overview.ruler();
    EXPECT_EQ(ruler.format(), RulerFormat::timecode);
    EXPECT_EQ(ruler.labels().front().text, "00:00:00:00");
    // Stored values no user could set show as the nearest valid ones.
    overview.setViewport({1e9, INFINITY, NAN, 1e300});
    EXPECT_EQ(overview.universe()->viewport().horizontalZoom, 64);
    EXPECT_EQ(overview.universe()->viewport().verticalZoom, 64);
    EXPECT_EQ(overview.universe()->mapping().rowOffset, 10 - 10.0 / 64);
    overview.setViewport({0, NAN, INFINITY, -3});
    EXPECT_EQ(overview.universe()->viewport(), (UniverseViewport{1, 1, 0, 0}));
    EXPECT_EQ(overview.universe()->mapping().visibleLength, 48000);
    // Bars|Beats with tempo changes cannot be shown: the ruler starts in Min:Sec.
    session.mainCounterFormat = 0;
    session.tempoChanges = true;
    overview.setSession(session, session.tracks);
    EXPECT_EQ(ruler.format(), RulerFormat::minutesSeconds);
    overview.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&overview));
    // The picker greys Bars|Beats out and lets the user choose Samples.
    sendMouse(ruler, QEvent::MouseButtonRelease, {20, 7});
    ASSERT_TRUE(ruler.picker());
    RulerFormatPicker &picker = *ruler.picker();
    const auto row = [](RulerFormat format) {
        return int(std::find(kPickerFormats.begin(), kPickerFormats.end(), format) - kPickerFormats.begin());
    };
    EXPECT_EQ(picker.formatAt(picker.rowRect(row(RulerFormat::barsBeats)).center()), std::nullopt);
    sendMouse(picker, QEvent::MouseButtonRelease, picker.rowRect(row(RulerFormat::samples)).center());
    EXPECT_EQ(ruler.format(), RulerFormat::samples);
    EXPECT_EQ(ruler.labels().front().text, "0");
    QSignalSpy viewports(&overview, &UniverseOverview::viewportChanged);
    QSignalSpy extras(&overview, &UniverseOverview::extraHeightChanged);

    EXPECT_EQ(overview.universe()->height(), 43);
    EXPECT_FALSE(overview.horizontalBar()->isVisible());
    overview.zoom(Qt::Horizontal, 1.5);
    EXPECT_TRUE(overview.horizontalBar()->isVisible());
    EXPECT_FALSE(overview.verticalBar()->isVisible());
    overview.zoom(Qt::Vertical, 1.5);
    EXPECT_TRUE(overview.verticalBar()->isVisible());
    overview.zoom(Qt::Vertical, 2.0 / 3.0);
    EXPECT_DOUBLE_EQ(overview.universe()->viewport().verticalZoom, 1);
    EXPECT_FALSE(overview.verticalBar()->isVisible());
    EXPECT_EQ(viewports.count(), 3);
    EXPECT_EQ(viewports.last()[0].value<UniverseViewport>(), overview.universe()->viewport());

    // Dragging the thumb scrolls proportionally, and the ruler follows.
    const std::vector<LabelEntry> before = ruler.labels();
    UniverseScrollBar &bar = *overview.horizontalBar();
    const double thumbMiddle = bar.thumb().position + bar.thumb().length / 2;
    drag(bar, {thumbMiddle, 4}, {thumbMiddle + bar.width() / 10.0, 4});
    EXPECT_NEAR(overview.universe()->viewport().horizontalSampleOffset, 8000 + 4800, 1);  // zoomed in at the centre
    EXPECT_NE(ruler.labels(), before);

    // The height handle: far down stops at 600 extra, far up at 20 points;
    // a stored height beyond either shows as the nearest.
    UniverseHeightHandle &handle = *overview.heightHandle();
    drag(handle, {50, 4}, {50, 5000});
    EXPECT_EQ(extras.last()[0].toDouble(), 600);
    EXPECT_EQ(overview.universe()->height(), 643);
    drag(handle, {50, 4}, {50, -5000});
    EXPECT_EQ(extras.last()[0].toDouble(), -23);
    EXPECT_EQ(overview.universe()->height(), 20);
    overview.setExtraHeight(1e9);
    EXPECT_EQ(overview.universe()->height(), 643);
    overview.setExtraHeight(NAN);
    EXPECT_EQ(overview.universe()->height(), 43);
    // Far below the minimum: a drag starts from the 20 points shown.
    overview.setExtraHeight(-1e300);
    EXPECT_EQ(overview.universe()->height(), 20);
    drag(handle, {50, 4}, {50, 34});
    EXPECT_EQ(overview.universe()->height(), 50);

    // The labels kept between paints follow the width.
    const size_t narrow = ruler.labels().size();
    overview.resize(600, 200);
    QApplication::processEvents();
    EXPECT_GT(ruler.labels().size(), narrow);
}
