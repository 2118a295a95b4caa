#include "app_test_support.h"

#include "active_import_context.h"
#include "app_commands.h"
#include "content_view.h"
#include "recent_session_row.h"
#include "file_window.h"
#include "per_file_settings.h"
#include "quorvix_app.h"
#include "start_window.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QSettings>

using kestrix::QuorvixApp;

namespace {

bool startWindowVisible(QuorvixApp &app)
{
    return app.appDelegate().startWindow() && app.appDelegate().startWindow()->isVisible();
}

QStringList actionTexts(const QMenu *menu)
{
    QStringList texts;
    for (const QAction *action : menu->actions())
        texts.append(action->isSeparator() ? QStringLiteral("--") : action->text());
    return texts;
}

QAction *actionNamed(const QMenu *menu, const QString &text)
{
    for (QAction *action : menu->actions()) {
        if (action->text() == text)
            return action;
    }
    return nullptr;
}

QStringList visibleLabelTexts(const QWidget *widget)
{
    QStringList texts;
    for (const QLabel *label : widget->findChildren<QLabel *>()) {
        if (label->isVisible())
            texts.append(label->text());
    }
    return texts;
}

} // namespace

using AppLaunchTest = AppTest;

TEST_F(AppLaunchTest, TheStartWindowShowsRecentSessionsOrSaysThereAreNone)
{
    QuorvixApp app;
    app.launch({});
    ASSERT_TRUE(startWindowVisible(app));
    kestrix::StartWindow *start = app.appDelegate().startWindow();
    EXPECT_EQ(start->windowTitle(), "Kestrix");
    EXPECT_EQ(start->minimumSize(), start->maximumSize()) << "fixed size";
    EXPECT_EQ(QSettings().value("welcomeScreenShown").toBool(), true);

    QStringList texts = visibleLabelTexts(start);
    EXPECT_TRUE(texts.contains("Recent Sessions"));
    EXPECT_TRUE(texts.contains("No Recent Sessions"));
    EXPECT_TRUE(texts.contains("Version 9.8.7"));
    EXPECT_TRUE(texts.contains("Quick Look in Finder"));

    app.recents().add(makeFile("Mix.ptx"));
    settle();
    EXPECT_FALSE(visibleLabelTexts(start).contains("No Recent Sessions"));
    const auto rows = start->findChildren<kestrix::RecentSessionRow *>();
    ASSERT_EQ(rows.size(), 1);
    EXPECT_EQ(rows.front()->filePath(), path("Mix.ptx"));

    app.appDelegate().showStartWindow();
    EXPECT_EQ(app.appDelegate().startWindow(), start) << "Welcome raises the one start window";
    start->close();
}

TEST_F(AppLaunchTest, AFileOpenedFromOutsideClosesTheStartWindow)
{
    const QString named = makeFile("Kestrix.ptx");
    const QString other = makeFile("Other.ptx");
    QuorvixApp app;
    app.launch({folder_.path(), named});
    ASSERT_TRUE(waitUntil([&] { return app.windows().windowFor(named) != nullptr; }));
    settle();
    EXPECT_FALSE(startWindowVisible(app));
    EXPECT_EQ(app.windows().windowsFrontToBack().size(), 1) << "the folder is not opened";
    EXPECT_EQ(app.recents().urls(), QStringList{named});

    // A session named like the application keeps its window when the start
    // window is closed for the next file.
    app.appDelegate().showStartWindow();
    ASSERT_TRUE(startWindowVisible(app));
    app.appDelegate().openFilesFromOutside({other});
    settle();
    EXPECT_FALSE(startWindowVisible(app));
    ASSERT_NE(app.windows().windowFor(named), nullptr);
    EXPECT_TRUE(app.windows().windowFor(named)->isVisible());
    EXPECT_EQ(app.recents().urls(), (QStringList{other, named}));

    for (kestrix::FileWindow *window : app.windows().windowsFrontToBack())
        window->close();
}

TEST_F(AppLaunchTest, TheWelcomeIsShownOncePerUser)
{
    QSettings().setValue("welcomeScreenShown", true);
    QuorvixApp app;
    app.appDelegate().applicationDidFinishLaunching();
    EXPECT_EQ(app.appDelegate().startWindow(), nullptr);

    QSettings().setValue("welcomeScreenShown", false);
    app.appDelegate().applicationDidFinishLaunching();
    EXPECT_TRUE(startWindowVisible(app));
    EXPECT_TRUE(QSettings().value("welcomeScreenShown").toBool());
    app.appDelegate().startWindow()->close();
}

TEST_F(AppLaunchTest, ThePreferenceKeysAreExactlyTheDocumentedOnes)
{
    const QString file = makeFile("Mix.ptx");
    {
        QuorvixApp app;
        app.launch({file});
        ASSERT_TRUE(waitUntil([&] { return app.windows().windowFor(file) != nullptr; }));
        kestrix::FileWindow *window = app.windows().windowFor(file);
        window->setGeometry(20, 30, 600, 400);
        ASSERT_TRUE(waitUntil([&] { return kestrix::PerFileSettings::load(file).windowFrame.has_value(); }));
        app.appDelegate().applicationWillTerminate();
        window->close();
    }
    QSettings settings;
    QStringList keys = settings.allKeys();
    keys.sort();
    ASSERT_EQ(keys.size(), 4) << keys.join(", ").toStdString();
    EXPECT_EQ(keys.mid(1), (QStringList{"openFileURLs", "recentFileURLs", "welcomeScreenShown"}));
    // Asked for by its literal name, since a Base64 "/" reads as a group separator in QSettings.
    EXPECT_TRUE(settings.contains("kestrix.perFile." + QString::fromLatin1(file.toUtf8().toBase64())));
    EXPECT_TRUE(keys.front().startsWith("kestrix.perFile."));
}

TEST_F(AppLaunchTest, TheImportItemNamesHowManyItemsItWouldImport)
{
    EXPECT_EQ(kestrix::importMenuTitle(0), "Import to Pro Tools…");
    EXPECT_EQ(kestrix::importMenuTitle(1), "Import to Pro Tools…");
    EXPECT_EQ(kestrix::importMenuTitle(3), "Import 3 Items to Pro Tools…");

    QuorvixApp app;
    QAction *import = app.commands().importAction();
    EXPECT_EQ(import->text(), "Import to Pro Tools…");
    EXPECT_FALSE(import->isEnabled()) << "nothing to import without a key window that can";

    app.importContext().setTrackCount(3);
    app.importContext().setImportEnabled(true);
    EXPECT_EQ(import->text(), "Import 3 Items to Pro Tools…");
    EXPECT_TRUE(import->isEnabled());
    EXPECT_EQ(import->shortcut(), QKeySequence(Qt::SHIFT | Qt::CTRL | Qt::Key_I));

    import->trigger();
    import->trigger();
    EXPECT_EQ(app.importContext().importPulse(), 2);

    app.importContext().setTrackCount(1);
    EXPECT_EQ(import->text(), "Import to Pro Tools…");
}

TEST_F(AppLaunchTest, OpenRecentListsTheFilesAndClears)
{
    const QString a = makeFile("A.ptx");
    const QString b = makeFile("B.ptx");
    QuorvixApp app;
    const QMenu *menu = app.commands().openRecentMenu();
    EXPECT_EQ(actionTexts(menu), QStringList{"Clear Menu"});

    app.recents().add(a);
    app.recents().add(b);
    settle();
    ASSERT_EQ(actionTexts(menu), (QStringList{"B.ptx", "A.ptx", "--", "Clear Menu"}));

    actionNamed(menu, "A.ptx")->trigger();
    settle();
    ASSERT_NE(app.windows().windowFor(a), nullptr);
    EXPECT_EQ(actionTexts(menu), (QStringList{"A.ptx", "B.ptx", "--", "Clear Menu"}));

    actionNamed(menu, "Clear Menu")->trigger();
    settle();
    EXPECT_TRUE(app.recents().urls().isEmpty());
    EXPECT_EQ(actionTexts(menu), QStringList{"Clear Menu"});
    app.windows().windowFor(a)->close();
}
