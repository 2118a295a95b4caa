#include "session_recipe.h"
#include "compare_timeline.h"
#include "compare_window.h"
#include "inspect_runner.h"
#include "ptx_detail_view.h"
#include "universe_overview.h"
#include "universe_view.h"

#include <QLabel>
#include <QSignalSpy>
#include <QTreeWidget>

#include <gtest/gtest.h>

using namespace comparetest;
using namespace kestrix;

namespace {

bool waitFor(QObject *sender, const char *signal)
{
    QSignalSpy spy(sender, signal);
    return spy.wait(10000);
}

QTreeWidgetItem *rowStartingWith(QTreeWidget *list, const QString &text)
{
    for (int s = 0; s < list->topLevelItemCount(); ++s)
        for (int r = 0; r < list->topLevelItem(s)->childCount(); ++r)
            if (list->topLevelItem(s)->child(r)->text(0).startsWith(text))
                return list->topLevelItem(s)->child(r);
    return nullptr;
}

// Base, then: Temp removed, a snare moved, a dialog clip added, a kick removed.
Recipe editedRecipe()
{
    Recipe r = baseRecipe();
    r.tracks.pop_back();
    r.tracks[2].placements[1].position = 576000;
    r.tracks[3].placements.push_back({"Dialog_01", 2880000});
    r.tracks[1].placements.erase(r.tracks[1].placements.begin());
    return r;
}

} // namespace

TEST(CompareTimeline, MarksAddedRemovedAndMovedClipsOnTheirRows)
{
    const PTXSessionInfo before = readSession(baseRecipe());
    const PTXSessionInfo after = readSession(editedRecipe());
    const CompareTimeline timeline = compareTimeline(compareSessions(before, after), before, after);

    // The removed track comes last, empty: only its outline is drawn.
    ASSERT_EQ(timeline.rows.size(), after.tracks.size() + 1);
    EXPECT_EQ(timeline.rows.back().name, "Temp");
    // The removed kick is outlined on the kick row and still counts for the time axis.
    const UniverseMark removedKick{1, 0, 24000, compare_colors::removed(), true};
    const UniverseMark added{3, 2880000, 2880000 + 480000, compare_colors::added(), false};
    const UniverseMark movedFrom{2, 480000, 576000, compare_colors::moved(), true};
    const UniverseMark movedTo{2, 576000, 672000, compare_colors::moved(), false};
    EXPECT_EQ(timeline.marks, (std::vector<UniverseMark>{removedKick, added, movedFrom, movedTo}));
    EXPECT_EQ(timeline.rows[1].clips.size(), 2u);
    EXPECT_EQ(timeline.session.tracks[1].clips.size(), 3u);
}

TEST(CompareWindow, ListsTheDifferencesSelectsInTheSessionWindowAndSaysWhyAFileCannotBeRead)
{
    const std::string oldPath = writeSession(baseRecipe());
    const std::string newPath = writeSession(editedRecipe());
    PTXDetailView view(QString::fromStdString(oldPath));
    ASSERT_TRUE(view.sessionInfo() || waitFor(&view, SIGNAL(loadFinished())));
    ASSERT_TRUE(view.sessionInfo());

    CompareWindow *window = CompareWindow::openFor(&view, QString::fromStdString(newPath));
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(waitFor(window, SIGNAL(comparisonFinished())));
    EXPECT_EQ(window->summary()->text(), "4 differences");
    QTreeWidget *list = window->differenceList();
    ASSERT_EQ(list->topLevelItemCount(), 2);
    EXPECT_EQ(list->topLevelItem(0)->text(0), "Tracks (1)");
    EXPECT_EQ(list->topLevelItem(1)->text(0), "Clips (3)");
    EXPECT_EQ(window->timeline()->universe()->rowCount(), 7u);

    // The moved snare is the second placement of the old snare track.
    list->setCurrentItem(rowStartingWith(list, "~ Snare: Snare_02 moved"));
    EXPECT_EQ(view.selectionManager().selectedItems().size(), 1u);
    ASSERT_TRUE(view.selectionManager().focusedItem());
    EXPECT_EQ(view.selectionManager().focusedItem()->kind, SelectableItemKind::trackClip("Snare"));

    list->setCurrentItem(rowStartingWith(list, "- Temp"));
    ASSERT_TRUE(view.selectionManager().focusedItem());
    EXPECT_EQ(*view.selectionManager().focusedItem(), (SelectableItem{"Temp", SelectableItemKind::track()}));
    window->close();

    // A file that is not a session: the window says why.
    const std::string garbage = inspecttest::tempPath("not-a-session.ptx");
    ASSERT_TRUE(ptxw::writeBytes(garbage, ptxw::Bytes(40, 0x11)));
    CompareWindow failing(readSession(baseRecipe()), "old.ptx", QString::fromStdString(garbage));
    ASSERT_TRUE(failing.isComparing());
    ASSERT_TRUE(waitFor(&failing, SIGNAL(comparisonFinished())));
    EXPECT_TRUE(failing.errorText().contains("Failed to parse session")) << failing.errorText().toStdString();
    EXPECT_TRUE(failing.errorText().startsWith("Could not read the other session:"));
}
