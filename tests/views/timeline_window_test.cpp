// The timeline overview inside a file window: which rows and clips it
// shows, what clicking and dragging on it does to the lists, and what the
// window keeps of it for the file.
#include "views_test_support.h"

#include "file_list_section.h"
#include "overview_ruler.h"
#include "per_file_settings_store.h"
#include "ptx_preview_content.h"
#include "timeline_overview_section.h"
#include "tracks_section.h"
#include "universe_height_handle.h"
#include "universe_overview.h"
#include "universe_scroll_bar.h"
#include "universe_view.h"

#include <QApplication>
#include <QFile>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <algorithm>
#include <cmath>

#include <gtest/gtest.h>

using namespace kestrix;
using namespace viewstest;

namespace {

// Each test works on its own copy, so what one keeps for the file does not
// reach another.
struct DemoCopy {
    QTemporaryDir folder;
    QString path = folder.filePath("Demo.ptx");
    DemoCopy() { EXPECT_TRUE(QFile::copy(QStringLiteral(KESTRIX_DEMO_SESSION), path)); }
};

// The middle of a clip's bar.
QPointF pointOn(const UniverseView &universe, const ClipKey &key)
{
    const auto [row, clip] = *universe.rows().find(key);
    const UniverseMapping m = universe.mapping();
    return {m.xForSample(double(clip->timelinePosition) + double(clip->sampleLength) / 2),
            m.rowTop(row) + m.barHeight / 2};
}

QToolButton *zoomButton(PTXDetailView &view, const QString &help)
{
    for (QToolButton *button : view.content()->timelineSection()->findChildren<QToolButton *>())
        if (button->toolTip() == help)
            return button;
    return nullptr;
}

std::vector<ClipKey> keysOf(const QSet<ClipKey> &keys)
{
    std::vector<ClipKey> sorted(keys.begin(), keys.end());
    std::sort(sorted.begin(), sorted.end(), [](const ClipKey &a, const ClipKey &b) {
        return std::tie(a.trackName, a.placement) < std::tie(b.trackName, b.placement);
    });
    return sorted;
}

} // namespace

TEST(TimelineInWindow, ShowsEveryClipAndClickingOrDrawingOnItSelects)
{
    DemoCopy demo;
    // Short enough that the clicked clip's lane lies below the fold.
    Window window(demo.path, QRect(100, 100, 1000, 500));
    UniverseView &universe = *window.view->timeline()->universe();
    SelectionManager &selection = window.view->selectionManager();
    const PTXSessionInfo &session = *window.view->sessionInfo();
    ASSERT_EQ(universe.rowCount(), session.tracks.size());
    // Every clip can be hit where it is drawn, on closed tracks as on open ones.
    for (const PTXTrackInfo &track : session.tracks) {
        for (size_t placement = 0; placement < track.clips.size(); ++placement) {
            const QString name = QString::fromStdString(track.name);
            const std::optional<ClipKey> hit = universe.clipAt(pointOn(universe, {name, int(placement)}));
            EXPECT_EQ(hit ? hit->trackName : QString(), name) << "clip " << placement;
        }
    }
    // The rows follow the track list as a search narrows it.
    window.view->setSearchQuery({"Piano", SearchQuery::Scope::tracks});
    ASSERT_EQ(universe.rowCount(), 2u);
    EXPECT_EQ(universe.rows().tracks()[0].name, "Music") << "the folder holding the match stays";
    EXPECT_EQ(universe.rows().tracks()[1].name, "Piano");
    window.view->setSearchQuery({});
    EXPECT_EQ(universe.rowCount(), session.tracks.size());

    const PTXTrackInfo &percFill = universe.rows().tracks()[*universe.rows().rowNamed("Perc Fill")];
    ASSERT_EQ(percFill.clips[0].name, "Kick");
    ASSERT_EQ(percFill.clips[2].name, "Snare");

    window.view->content()->setSectionExpanded(OverviewSection::tracks, true);
    QScrollBar &page = *window.view->content()->verticalScrollBar();
    const int pageAt = page.value();
    click(universe, pointOn(universe, {"Perc Fill", 2}));
    EXPECT_EQ(page.value(), pageAt) << "the page does not run away from the timeline";
    EXPECT_EQ(selection.selectedItems(),
              (std::unordered_set<SelectableItem>{{"Snare", SelectableItemKind::trackClip("Perc Fill")}}));
    EXPECT_TRUE(window.view->expandedItems().contains("Perc Fill")) << "the lane opens to show the selection";
    // Every placement of the selected clip on that track is marked, no other.
    std::vector<ClipKey> snares;
    for (size_t p = 0; p < percFill.clips.size(); ++p)
        if (percFill.clips[p].name == "Snare")
            snares.push_back({"Perc Fill", int(p)});
    EXPECT_EQ(keysOf(universe.selectionState().selectedClips), snares);
    EXPECT_EQ(universe.toolTipAt(pointOn(universe, {"Perc Fill", 2})), "Snare — Perc Fill");

    // Ctrl-click (⌘ on macOS) adds the Kick clips of the same lane, then takes them away again.
    click(universe, pointOn(universe, {"Perc Fill", 0}), Qt::ControlModifier);
    EXPECT_EQ(selection.selectedItems().size(), 2u);
    EXPECT_GT(universe.selectionState().selectedClips.size(), snares.size());
    click(universe, pointOn(universe, {"Perc Fill", 0}), Qt::ControlModifier);
    EXPECT_EQ(keysOf(universe.selectionState().selectedClips), snares);

    // A clip chosen in the clip list is marked wherever it is placed.
    window.view->content()->setSectionExpanded(OverviewSection::clips, true);
    FileListSection &clipList = *window.view->content()->clipsSection();
    clickRow(clipList.list(), clipList.rowOf({"Snare", SelectableItemKind::clip()}));
    QSet<ClipKey> everySnare;
    for (const PTXTrackInfo &track : universe.rows().tracks())
        for (size_t p = 0; p < track.clips.size(); ++p)
            if (track.clips[p].name == "Snare")
                everySnare.insert({QString::fromStdString(track.name), int(p)});
    EXPECT_GT(everySnare.size(), snares.size());
    EXPECT_EQ(keysOf(universe.selectionState().selectedClips), keysOf(everySnare));

    // Selecting a track in the list marks its row, not its clips.
    clickRow(window.view->content()->tracksSection()->list(),
             rowOfTrack(*window.view->content()->tracksSection()->model(), "Bass"));
    EXPECT_TRUE(universe.selectionState().selectedClips.empty());
    EXPECT_EQ(universe.selectionState().selectedTrackNames, (NameSet{"Bass"}));

    // A double click asks the window to play the clip.
    QSignalSpy plays(window.view, &PTXDetailView::clipPlayRequested);
    doubleClick(universe, pointOn(universe, {"Kick", 1}));
    ASSERT_EQ(plays.count(), 1);
    EXPECT_EQ(plays[0][0].value<ClipKey>(), (ClipKey{"Kick", 1}));

    // A rectangle across the Kick row only, over its first two seconds, narrows the lists.
    ASSERT_EQ(window.view->content()->clipsSection()->title(), "Clips (11)");
    const UniverseMapping m = universe.mapping();
    const double top = m.rowTop(*universe.rows().rowNamed("Kick"));
    drag(universe, {m.xForSample(0) + 1, top + 0.5}, {m.xForSample(2 * 48000.0), top + 2.5});
    const UniverseSelection drawn = window.view->universeSelection();
    EXPECT_EQ(drawn.trackNames, (NameSet{"Kick"}));
    ASSERT_TRUE(drawn.timeRange);
    EXPECT_NEAR(drawn.timeRange->upper, 96000, m.visibleLength / m.width);
    EXPECT_EQ(window.view->content()->clipsSection()->title(), "Clips (1 of 11)");
    EXPECT_EQ(window.view->content()->audioFilesSection()->title(), "Audio Files (1 of 9)");

    // It is kept for the file.
    Window reopened(demo.path);
    EXPECT_EQ(reopened.view->timeline()->universe()->selection(), drawn);
    EXPECT_EQ(reopened.view->content()->clipsSection()->title(), "Clips (1 of 11)");
}

TEST(TimelineInWindow, ZoomHeightAndPlaceInTheWindowAreKeptForTheFile)
{
    DemoCopy demo;
    UniverseViewport zoomed;
    {
        Window window(demo.path, QRect(100, 100, 1300, 950));
        window.activate();
        PTXPreviewContent &content = *window.view->content();
        UniverseOverview &timeline = *window.view->timeline();
        const UniverseView &universe = *timeline.universe();
        const SessionExtent extent = *universe.extent();

        // The timeline sits under its ruler with the handle under it, with
        // the lists closed and height to spare.
        const auto closeLists = [&] {
            for (OverviewSection section : {OverviewSection::tracks, OverviewSection::audioFiles,
                                            OverviewSection::clips, OverviewSection::plugins,
                                            OverviewSection::locations})
                content.setSectionExpanded(section, false);
        };
        const auto rectOf = [&](const QWidget *part) {
            QApplication::processEvents();
            return QRect(part->mapTo(&timeline, QPoint(0, 0)), part->size());
        };
        const auto expectStacked = [&](const char *state) {
            const QRect ruler = rectOf(timeline.ruler());
            const QRect rows = rectOf(timeline.universe());
            const QRect handle = rectOf(timeline.heightHandle());
            ASSERT_GT(content.widget()->height(), timeline.height() + 300) << "the window has height to spare";
            EXPECT_LE(rows.top() - ruler.bottom(), 3) << state;
            // The horizontal bar keeps its place between them, shown or not.
            EXPECT_LE(handle.top() - rows.bottom(), UniverseScrollBar::kThickness + 5) << state;
            EXPECT_EQ(timeline.height(), handle.bottom() + 1) << state;
            if (timeline.verticalBar()->isVisible()) {
                EXPECT_EQ(rectOf(timeline.verticalBar()).height(), rows.height()) << state;
            }
        };
        closeLists();
        expectStacked("at rest");
        content.setSectionExpanded(OverviewSection::tracks, true);

        // With a track selected in the list, zooming keeps its clips where they are.
        clickRow(content.tracksSection()->list(), rowOfTrack(*content.tracksSection()->model(), "Piano"));
        const PTXTrackInfo &piano = universe.rows().tracks()[*universe.rows().rowNamed("Piano")];
        double first = INFINITY;
        double last = 0;
        for (const PTXClipInfo &clip : piano.clips) {
            first = std::min(first, double(clip.timelinePosition));
            last = std::max(last, double(clip.timelinePosition + clip.sampleLength));
        }
        const double anchor = (first + last) / 2 - extent.start;
        QToolButton *zoomIn = zoomButton(*window.view, "Zoom in horizontally");
        ASSERT_TRUE(zoomIn);
        zoomIn->click();
        EXPECT_DOUBLE_EQ(universe.viewport().horizontalZoom, 1.5);
        EXPECT_NEAR(universe.viewport().horizontalSampleOffset, anchor - anchor / 1.5, 1e-6);

        // The window's own keys: Ctrl+] in, and the vertical pair.
        QTest::keyClick(&window.window, Qt::Key_BracketRight, Qt::ControlModifier);
        EXPECT_DOUBLE_EQ(universe.viewport().horizontalZoom, 2.25);
        QTest::keyClick(&window.window, Qt::Key_Up, Qt::MetaModifier | Qt::AltModifier);
        EXPECT_DOUBLE_EQ(universe.viewport().verticalZoom, 1.5);
        zoomed = universe.viewport();
        EXPECT_EQ(window.view->universeViewport(), zoomed);
        closeLists();
        expectStacked("zoomed");

        // The height handle, dragged 30 points down.
        drag(*timeline.heightHandle(), {50, 2}, {50, 32});
        EXPECT_EQ(window.view->overviewUniverseExtraHeight(), 30);
        content.setSectionExpanded(OverviewSection::sessionInfo, false);
        expectStacked("the only section open");
    }
    const PerFileSettings saved = PerFileSettingsStore::shared().load(demo.path);
    EXPECT_EQ(saved.universeViewport, zoomed);
    EXPECT_EQ(saved.overviewUniverseExtraHeight, 30);

    Window reopened(demo.path);
    const UniverseOverview &timeline = *reopened.view->timeline();
    EXPECT_EQ(timeline.universe()->viewport(), zoomed);
    EXPECT_TRUE(timeline.horizontalBar()->isVisible());
    const int rows = int(timeline.universe()->rowCount());
    EXPECT_EQ(timeline.universe()->height(), 4 * rows + 3 + 30);
}
