#include "app_test_support.h"

#include "active_import_context.h"
#include "app_commands.h"
#include "file_window.h"
#include "native_path.h"
#include "per_file_settings_store.h"
#include "quorvix_app.h"
#include "recent_session_row.h"
#include "start_window.h"
#include "window/ptx_detail_view.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QSettings>
#include <QTest>
#include <QTimer>

#include <cstdio>

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
    for (QAction *action : menu->actions())
        if (action->text() == text)
            return action;
    return nullptr;
}

QStringList visibleLabelTexts(const QWidget *widget)
{
    QStringList texts;
    for (const QLabel *label : widget->findChildren<QLabel *>())
        if (label->isVisible())
            texts.append(label->text());
    return texts;
}

} // namespace

using AppLaunchTest = AppTest;

TEST_F(AppLaunchTest, TheStartWindowShowsRecentSessionsOrSaysThereAreNoneAndARowReopensAMovedWindowWhereItWas)
{
    QuorvixApp app;
    // The welcome comes once per user.
    QSettings().setValue("welcomeScreenShown", true);
    app.appDelegate().applicationDidFinishLaunching();
    EXPECT_EQ(app.appDelegate().startWindow(), nullptr);
    QSettings().setValue("welcomeScreenShown", false);
    app.appDelegate().applicationDidFinishLaunching();
    ASSERT_TRUE(startWindowVisible(app));
    EXPECT_TRUE(QSettings().value("welcomeScreenShown").toBool());
    kestrix::StartWindow *start = app.appDelegate().startWindow();
    EXPECT_EQ(start->windowTitle(), "Kestrix");
    EXPECT_EQ(start->minimumSize(), start->maximumSize()) << "fixed size";

    const QStringList texts = visibleLabelTexts(start);
    for (const char *text : {"Recent Sessions", "No Recent Sessions", "Version 9.8.7", "Session Thumbnails"})
        EXPECT_TRUE(texts.contains(text)) << text;

    const QString file = makeFile("Mix.ptx");
    app.recents().add(file);
    settle();
    EXPECT_FALSE(visibleLabelTexts(start).contains("No Recent Sessions"));
    const auto rows = start->findChildren<kestrix::RecentSessionRow *>();
    ASSERT_EQ(rows.size(), 1);
    EXPECT_EQ(rows.front()->filePath(), file);

    // A moved window reopens where it was, also from a click on its row.
    const QRect moved(70, 80, 640, 480);
    app.windows().openWindow(file)->setGeometry(moved);
    ASSERT_TRUE(waitUntil([&] { return kestrix::PerFileSettingsStore::shared().load(file).windowFrame.has_value(); }));
    app.windows().windowFor(file)->close();
    ASSERT_TRUE(waitUntil([&] { return app.windows().windowsFrontToBack().isEmpty(); }));
    EXPECT_EQ(app.windows().openWindow(file)->geometry(), moved);
    app.windows().windowFor(file)->close();
    settle();
    QTest::mouseClick(rows.front(), Qt::LeftButton);
    ASSERT_NE(app.windows().windowFor(file), nullptr);
    EXPECT_EQ(app.windows().windowFor(file)->geometry(), moved);
    app.windows().windowFor(file)->close();

    app.appDelegate().showStartWindow();
    EXPECT_EQ(app.appDelegate().startWindow(), start) << "Welcome raises the one start window";
    start->close();
}

TEST_F(AppLaunchTest, OpenRecentListsTheFilesAndClearsAndImportNamesItsItemCount)
{
    const QString a = makeFile("A.ptx");
    const QString b = makeFile("B.ptx");
    QuorvixApp app;
    const QMenu *menu = app.commands().openRecentMenu();
    EXPECT_EQ(actionTexts(menu), QStringList{"Clear Menu"});

    const QString ampersand = makeFile("R&D mix.ptx");
    app.recents().add(ampersand);
    settle();
    ASSERT_EQ(menu->actions().size(), 3);
    EXPECT_EQ(menu->actions().front()->iconText(), "R&D mix.ptx") << "shown as named, no letter underlined";
    menu->actions().front()->trigger();
    settle();
    ASSERT_NE(app.windows().windowFor(ampersand), nullptr);
    app.windows().windowFor(ampersand)->close();
    app.recents().clear();

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

    // The import item names how many items it would import.
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

TEST_F(AppLaunchTest, AFileOpenedFromOutsideClosesTheStartWindowAlsoWhileADialogIsOpen)
{
    const QString named = makeFile("Kestrix.ptx");
    const QString file = makeFile("Mix.ptx");
    QuorvixApp app;
    app.launch({folder_.path(), named});
    ASSERT_TRUE(waitUntil([&] { return app.windows().windowFor(named) != nullptr; }));
    settle();
    EXPECT_FALSE(startWindowVisible(app));
    EXPECT_EQ(app.windows().windowsFrontToBack().size(), 1) << "the folder is not opened";
    EXPECT_EQ(app.recents().urls(), QStringList{named});

    app.appDelegate().showStartWindow();
    ASSERT_TRUE(startWindowVisible(app));
    kestrix::StartWindow *start = app.appDelegate().startWindow();
    QAction *updates = nullptr;
    for (const QAction *menu : start->menuBar()->actions())
        if (!updates && menu->menu())
            updates = actionNamed(menu->menu(), "Check for Updates…");
    ASSERT_TRUE(updates);

    // The open dialog over the start window, then the updates message.
    const std::function<void()> dialogs[] = {
        [&] { app.appDelegate().runOpenPanel(start); },
        [&] { updates->trigger(); },
    };
    for (const std::function<void()> &runDialog : dialogs) {
        app.appDelegate().showStartWindow();
        bool handedOver = false;
        QTimer whileOpen;
        QObject::connect(&whileOpen, &QTimer::timeout, [&] {
            QWidget *dialog = QApplication::activeModalWidget();
            if (!dialog || handedOver)
                return;
            handedOver = true;
            // Another launch hands a file over while the dialog waits for the user.
            app.appDelegate().openFilesFromOutside({file});
            settle();
            dialog->close();
        });
        whileOpen.start(10);
        runDialog();
        settle();
        EXPECT_TRUE(handedOver);
        ASSERT_NE(app.windows().windowFor(file), nullptr);
        EXPECT_FALSE(startWindowVisible(app));
        // A session named like the application keeps its window when the
        // start window is closed for the next file.
        ASSERT_NE(app.windows().windowFor(named), nullptr);
        EXPECT_TRUE(app.windows().windowFor(named)->isVisible());
        app.windows().windowFor(file)->close();
        settle();
    }
    EXPECT_EQ(app.recents().urls(), (QStringList{file, named}));
    app.windows().windowFor(named)->close();
}

TEST_F(AppLaunchTest, SettingsThatCannotBeWrittenAreSaidOnceInTheWindow)
{
    const QString file = makeFile("Mix.ptx");
    QuorvixApp app;
    kestrix::FileWindow *window = app.windows().openWindow(file);
    settle();
    kestrix::PerFileSettingsStore::shared().flush();
    QSettings().sync();
    const QString settingsFile = QSettings().fileName();
    // A folder where the file should be: not writable even for root.
    QFile::remove(settingsFile);
    ASSERT_TRUE(QDir().mkpath(settingsFile));

    const auto messages = [] {
        QList<QMessageBox *> shown;
        for (QWidget *widget : QApplication::topLevelWidgets())
            if (auto *box = qobject_cast<QMessageBox *>(widget); box && box->isVisible())
                shown.append(box);
        return shown;
    };
    for (const QRect frame : {QRect(20, 30, 600, 400), QRect(40, 50, 620, 420)}) {
        window->setGeometry(frame);
        settle();
        kestrix::PerFileSettingsStore::shared().flush();
        settle();
    }
    ASSERT_EQ(messages().size(), 1) << "said once, not at every move";
    EXPECT_EQ(messages().front()->text(), "Kestrix cannot save its settings.");
    EXPECT_TRUE(messages().front()->informativeText().contains(QDir::toNativeSeparators(settingsFile)));
    EXPECT_FALSE(messages().front()->isModal()) << "the window stays usable";
    messages().front()->close();
    window->close();
    settle();
    EXPECT_TRUE(QDir().rmdir(settingsFile));
}

TEST_F(AppLaunchTest, AFileWhoseNameIsNotUtf8OpensAndIsRememberedUnderTheDocumentedKeys)
{
    const QByteArray bytes = QFile::encodeName(folder_.path()) + "/Mix \xff\xfe.ptx";
    QFile demo(QStringLiteral(KESTRIX_DEMO_SESSION));
    ASSERT_TRUE(demo.open(QIODevice::ReadOnly));
    // Written by its bytes: Qt would spell the name in UTF-8.
    QFile copy;
    FILE *out = std::fopen(bytes.constData(), "wb");
    ASSERT_TRUE(out && copy.open(out, QIODevice::WriteOnly, QFileDevice::AutoCloseHandle));
    copy.write(demo.readAll());
    copy.close();
    const QString file = kestrix::pathFromNativeBytes(bytes);
    ASSERT_TRUE(kestrix::isExistingFile(file)) << "the test needs the file under its own bytes";
    {
        QuorvixApp app;
        app.launch({file});
        ASSERT_TRUE(waitUntil([&] { return app.windows().windowFor(file) != nullptr; }));
        kestrix::FileWindow *window = app.windows().windowFor(file);
        ASSERT_TRUE(waitUntil([&] { return !window->detailView()->isLoading(); }, 10000));
        EXPECT_NE(window->detailView()->sessionInfo(), nullptr) << window->detailView()->errorText().toStdString();
        EXPECT_EQ(window->windowTitle(), "Mix \uFFFD\uFFFD");
        window->setGeometry(20, 30, 600, 400);
        ASSERT_TRUE(waitUntil([&] { return kestrix::PerFileSettingsStore::shared().load(file).windowFrame.has_value(); }));
        app.appDelegate().applicationWillTerminate();
        window->close();
    }
    QSettings settings;
    QStringList keys = settings.allKeys();
    keys.sort();
    ASSERT_EQ(keys.size(), 5) << keys.join(", ").toStdString();
    // Besides the records, the order in which they were last used, so that the oldest can go.
    EXPECT_EQ(keys.mid(1),
              (QStringList{"kestrix.perFileRecentlyUsed", "openFileURLs", "recentFileURLs", "welcomeScreenShown"}));
    // The record is keyed by the Base64 of the path's bytes, asked for by its
    // literal name since a Base64 "/" reads as a group separator in QSettings.
    EXPECT_TRUE(settings.contains("kestrix.perFile." + QString::fromLatin1(bytes.toBase64())));
    EXPECT_TRUE(keys.front().startsWith("kestrix.perFile."));

    QuorvixApp relaunched;
    EXPECT_EQ(relaunched.recents().urls(), QStringList{file}) << "the recent list keeps the bytes";
    relaunched.windows().restoreOpenWindows();
    ASSERT_NE(relaunched.windows().windowFor(file), nullptr) << "and so does the list of open windows";
    relaunched.windows().windowFor(file)->close();
}
