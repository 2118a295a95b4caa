// The Find in Sessions window over a small indexed archive, and where a
// double-clicked match lands in the session's window.
#include "archive_fixture.h"

#include "archive_indexer.h"
#include "find_sessions_window.h"
#include "reveal_match.h"
#include "session_loader.h"
#include "sqlite_index_store.h"

#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTreeWidget>

using namespace kestrix;
using namespace kestrix::archive;
using namespace archive_test;

namespace {

class FindSessionsWindowTest : public ArchiveFixture {
protected:
    // Types the query and waits for its results.
    bool search(FindSessionsWindow &window, const QString &text)
    {
        QSignalSpy shown(&window, &FindSessionsWindow::resultsShown);
        window.queryField()->setText(text);
        return shown.wait(5000);
    }
};

TEST_F(FindSessionsWindowTest, SearchesAsTheUserTypesAndOpensWhatIsDoubleClicked)
{
    writeArchive();
    {
        SqliteIndexStore store(database());
        indexPaths(store, {root() + "/Films", root() + "/Ads"});
    }
    FindSessionsWindow window(QString::fromStdString(database()));
    window.show();

    ASSERT_TRUE(search(window, QStringLiteral("door")));
    QTreeWidget *results = window.results();
    ASSERT_EQ(results->topLevelItemCount(), 2);
    QTreeWidgetItem *alpha = results->topLevelItem(0);
    EXPECT_TRUE(alpha->text(0).startsWith(QStringLiteral("Alpha (2 matches)")));
    EXPECT_EQ(alpha->text(1), QString::fromStdString(path("root/Films/ReelA/Alpha.ptx")));
    ASSERT_EQ(alpha->childCount(), 2);
    EXPECT_EQ((QStringList{alpha->child(0)->text(0), alpha->child(0)->text(1)}), (QStringList{"Door Slam-01", "Clip"}));
    EXPECT_EQ(window.statusLine()->text(), QStringLiteral("2 sessions"));

    QSignalSpy opened(&window, &FindSessionsWindow::openRequested);
    emit results->itemActivated(alpha->child(1), 0);
    ASSERT_EQ(opened.size(), 1);
    EXPECT_EQ(opened[0][0].toString(), QString::fromStdString(path("root/Films/ReelA/Alpha.ptx")));
    const auto match = opened[0][1].value<std::optional<SessionMatch>>();
    ASSERT_TRUE(match);
    EXPECT_EQ(std::tie(match->kind, match->name), std::make_tuple(NameKind::file, std::string("Door Slam.wav")));

    ASSERT_TRUE(search(window, QStringLiteral("nothing-here")));
    EXPECT_EQ(results->topLevelItemCount(), 0);
    EXPECT_EQ(window.statusLine()->text(), QStringLiteral("No session holds these names."));

    // Indexing in the background, then the current query again.
    writeArchiveSession(path("more/Late/Omega.ptx"), {{"Nothing-here Track"}, {}, {}, {}, {}, {}});
    QSignalSpy finished(&window, &FindSessionsWindow::indexingFinished);
    QSignalSpy shown(&window, &FindSessionsWindow::resultsShown);
    window.indexFolder(QString::fromStdString(path("more")));
    EXPECT_TRUE(window.isIndexing());
    ASSERT_TRUE(finished.wait(10000));
    EXPECT_FALSE(window.isIndexing());
    ASSERT_TRUE(shown.wait(5000));
    EXPECT_EQ(results->topLevelItemCount(), 1);
}

TEST_F(FindSessionsWindowTest, ADatabaseThatCannotBeOpenedIsSaidInTheWindow)
{
    ASSERT_TRUE(ptxw::writeBytes(database(), ptxw::Bytes(4096, 0x33)));
    FindSessionsWindow window(QString::fromStdString(database()));
    ASSERT_TRUE(search(window, QStringLiteral("door")));
    EXPECT_TRUE(window.statusLine()->text().startsWith(QStringLiteral("The index cannot be searched: ")));
}

TEST_F(FindSessionsWindowTest, EachKindOfMatchSelectsItsRow)
{
    writeArchive();
    const auto loaded = loadSession(path("root/Films/ReelA/Alpha.ptx"));
    ASSERT_TRUE(loaded);
    const PTXSessionInfo &session = loaded.value();
    const auto item = [&](NameKind kind, const std::string &name) { return itemForMatch(session, {kind, name}); };

    EXPECT_EQ(item(NameKind::track, "Music Stem"), (SelectableItem{"Music Stem", SelectableItemKind::track()}));
    EXPECT_EQ(item(NameKind::comment, "Take two is best"), (SelectableItem{"Dialog 1", SelectableItemKind::track()}));
    EXPECT_EQ(item(NameKind::plugin, "D-Verb"), (SelectableItem{"Dialog 1", SelectableItemKind::track()}));
    const auto clip = item(NameKind::clip, "Wind Loop");
    ASSERT_TRUE(clip);
    EXPECT_EQ(clip->kind, SelectableItemKind::clip());
    const auto file = item(NameKind::file, "Wind.wav");
    ASSERT_TRUE(file);
    EXPECT_EQ(file->kind, SelectableItemKind::audioFile());
    EXPECT_NE(file->id, item(NameKind::file, "Door Slam.wav")->id);
    EXPECT_FALSE(item(NameKind::marker, "Scene 12"));
    EXPECT_FALSE(item(NameKind::track, "Gone Track"));
}

} // namespace
