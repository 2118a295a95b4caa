#include "app_test_support.h"

#include "recent_files.h"

#include <QFile>
#include <QSettings>

using kestrix::RecentFiles;

using RecentFilesTest = AppTest;

TEST_F(RecentFilesTest, KeepsFifteenMostRecentFirstWithoutDuplicatesOrFilesThatAreGone)
{
    RecentFiles recents;
    QStringList files;
    for (int i = 0; i < 16; ++i)
        files.append(makeFile(QStringLiteral("Session %1.ptx").arg(i)));
    for (const QString &file : files)
        recents.add(file);

    ASSERT_EQ(recents.urls().size(), 15) << "the 16th file pushes the oldest out";
    EXPECT_EQ(recents.urls().front(), files[15]);
    EXPECT_EQ(recents.urls().back(), files[1]);
    EXPECT_FALSE(recents.urls().contains(files[0]));

    // Re-adding moves the file to the top; another spelling of the same path
    // is the same file.
    recents.add(folder_.path() + QStringLiteral("/./sub/../Session 5.ptx"));
    EXPECT_EQ(recents.urls().size(), 15);
    EXPECT_EQ(recents.urls().front(), files[5]);
    EXPECT_EQ(recents.urls().count(files[5]), 1);
    EXPECT_EQ(recents.urls()[1], files[15]);

    EXPECT_EQ(QSettings().value("recentFileURLs").toStringList(), recents.urls())
        << "stored as absolute paths, most recent first, on every change";

    ASSERT_TRUE(QFile::remove(files[15]));
    QStringList kept = recents.urls();
    kept.removeAll(files[15]);
    RecentFiles reloaded;
    EXPECT_EQ(reloaded.urls(), kept) << "files that are gone are dropped on loading";
    reloaded.clear();
    EXPECT_TRUE(reloaded.urls().isEmpty());
    EXPECT_TRUE(RecentFiles().urls().isEmpty()) << "clearing is stored too";
}
