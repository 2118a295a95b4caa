#include "app_test_support.h"

#include "app_delegate.h"
#include "file_window.h"
#include "per_file_settings_store.h"
#include "quorvix_app.h"
#include "start_window.h"
#include "window_frames.h"
#include "window/ptx_detail_view.h"

#include <QApplication>
#include <QFile>
#include <QGuiApplication>
#include <QScreen>
#include <QSettings>

#include <functional>

using kestrix::FileWindow;
using kestrix::PerFileSettings;
using kestrix::PerFileSettingsStore;
using kestrix::QuorvixApp;

namespace {

QRect storedFrame(const QString &file)
{
    const auto frame = PerFileSettingsStore::shared().load(file).windowFrame;
    return frame ? frame->toRect() : QRect();
}

using Frames = QList<std::pair<QString, QRect>>;

// Each window's file and frame, the front-most first.
Frames framesFrontToBack(QuorvixApp &app)
{
    Frames frames;
    for (const FileWindow *window : app.windows().windowsFrontToBack())
        frames.append({window->filePath(), window->geometry()});
    return frames;
}

void moveAndWait(FileWindow *window, const QRect &frame)
{
    window->setGeometry(frame);
    EXPECT_TRUE(waitUntil([&] { return storedFrame(window->filePath()) == frame; }))
        << "the moved frame is remembered with the file";
}

// Quitting as the application does it: termination first, then Qt closes
// every window.
void quit(QuorvixApp &app, const std::function<void()> &whileQuitting = [] {})
{
    QEvent quitEvent(QEvent::Quit);
    app.eventFilter(qApp, &quitEvent);
    whileQuitting();
    for (FileWindow *window : app.windows().windowsFrontToBack())
        window->close();
    settle();
}

} // namespace

using WindowRegistryTest = AppTest;

TEST_F(WindowRegistryTest, OpeningTheSameFileTwiceRaisesItsOneWindowAndRefreshReloadsOnlyThatOne)
{
    const QString a = makeFile("A.ptx");
    const QString b = makeFile("B.ptx");
    QuorvixApp app;
    FileWindow *first = app.windows().openWindow(a);
    app.windows().openWindow(b);
    ASSERT_TRUE(waitUntil([&] { return QApplication::activeWindow() != first; }));

    EXPECT_EQ(app.windows().openWindow(folder_.path() + "/x/../A.ptx"), first);
    app.appDelegate().openFilesFromOutside({a});
    app.appDelegate().openFiles({a});

    EXPECT_EQ(app.windows().windowsFrontToBack().size(), 2);
    EXPECT_EQ(app.windows().windowsFrontToBack().front(), first);
    EXPECT_TRUE(waitUntil([&] { return QApplication::activeWindow() == first; })) << "raised and key";
    EXPECT_EQ(app.focusedFileURL(), a);

    // Refresh reloads only the key window.
    FileWindow *second = app.windows().windowFor(b);
    ASSERT_TRUE(waitUntil([&] { return !first->detailView()->isLoading() && !second->detailView()->isLoading(); }));
    emit app.notifications().refreshFile();
    EXPECT_TRUE(first->detailView()->isLoading());
    EXPECT_FALSE(second->detailView()->isLoading());
    EXPECT_TRUE(waitUntil([&] { return !first->detailView()->isLoading(); }));

    second->close();
    settle();
    const QVariantList stored = QSettings().value("openFileURLs").toList();
    ASSERT_EQ(stored.size(), 1) << "a closed window leaves the open list";
    EXPECT_EQ(stored[0].toMap().value("path").toString(), a);
    first->close();
}

TEST_F(WindowRegistryTest, WindowsOpenAtQuitReopenFrontToBackWithTheirFrames)
{
    const QString a = makeFile("A.ptx");
    const QString b = makeFile("B.ptx");
    const QString gone = makeFile("Gone.ptx");
    const QString c = makeFile("C.ptx");
    const QRect frameA(10, 10, 500, 400);
    const QRect frameB(40, 50, 520, 410);
    const QRect frameGone(60, 70, 530, 420);
    const QRect frameC(90, 100, 540, 430);
    {
        QuorvixApp app;
        app.windows().openWindow(a, frameA);
        app.windows().openWindow(gone, frameGone);
        app.windows().openWindow(c, frameC);
        moveAndWait(app.windows().openWindow(b), frameB);
        // The user brings A back to the front.
        app.windows().windowFor(a)->activateWindow();
        ASSERT_TRUE(waitUntil([&] { return framesFrontToBack(app).front().first == a; }));
        ASSERT_EQ(framesFrontToBack(app), (Frames{{a, frameA}, {b, frameB}, {c, frameC}, {gone, frameGone}}));

        // Resized while the application quits: what was stored stays.
        quit(app, [&] {
            FileWindow *window = app.windows().windowFor(b);
            window->setGeometry(5, 6, 300, 350);
            ASSERT_TRUE(waitUntil([&] { return window->geometry() == QRect(5, 6, 300, 350); }));
            settle();
        });
        EXPECT_EQ(storedFrame(b), frameB);
        EXPECT_TRUE(app.windows().isTerminating());
        EXPECT_TRUE(app.windows().windowsFrontToBack().isEmpty());
    }
    const QVariantList stored = QSettings().value("openFileURLs").toList();
    ASSERT_EQ(stored.size(), 4) << "closing the windows at quit does not shorten the list";
    const QVariantMap front{{"path", a}, {"x", 10.0}, {"y", 10.0}, {"width", 500.0}, {"height", 400.0}};
    EXPECT_EQ(stored[0].toMap(), front);

    ASSERT_TRUE(QFile::remove(gone));
    QuorvixApp relaunched;
    relaunched.launch({});
    ASSERT_TRUE(waitUntil([&] { return relaunched.windows().windowsFrontToBack().size() == 3; }));
    settle();
    EXPECT_EQ(framesFrontToBack(relaunched), (Frames{{a, frameA}, {b, frameB}, {c, frameC}}));
    EXPECT_EQ(QApplication::activeWindow(), relaunched.windows().windowFor(a)) << "the front-most opens last";

    quit(relaunched);
    relaunched.appDelegate().startWindow()->close();
}

TEST_F(WindowRegistryTest, AFrameOnAScreenThatIsGoneOpensOnAScreenOfTodayAndANewFileIsCentred)
{
    // Two screens side by side, the left one primary; windows no smaller than 240 by 300.
    const QRect left(0, 0, 1920, 1050);
    const auto placed = [&](QRect frame) {
        return kestrix::frameOnScreens(frame, {left, QRect(1920, 0, 1280, 994)}, left, QSize(240, 300));
    };
    EXPECT_EQ(placed({100, 100, 900, 600}), QRect(100, 100, 900, 600)) << "a frame that fits stays as it is";
    EXPECT_EQ(placed({2900, 500, 900, 600}), QRect(2300, 394, 900, 600)) << "pulled into the screen it lies on most";
    EXPECT_EQ(placed({6000, 4000, 900, 600}), QRect(1020, 450, 900, 600)) << "on no screen: onto the primary one";
    EXPECT_EQ(placed({1800, -50, 2000, 1400}), QRect(1920, 0, 1280, 994)) << "larger than its screen: shrunk to it";
    EXPECT_EQ(placed({10, 10, 3, 4}), QRect(10, 10, 240, 300));

    const QString stored = makeFile("Stored.ptx");
    const QString listed = makeFile("Listed.ptx");
    PerFileSettings settings;
    settings.windowFrame = kestrix::PersistedFrame{-5000, 8000, 700, 500};
    PerFileSettingsStore::shared().save(stored, settings);
    QuorvixApp app;
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    for (FileWindow *window : {app.windows().openWindow(stored), app.windows().openWindow(listed, QRect(9000, 9000, 700, 500))}) {
        EXPECT_TRUE(screen.contains(window->geometry())) << window->filePath().toStdString();
        EXPECT_EQ(window->geometry().size(), QSize(700, 500));
        window->close();
    }

    // A file seen for the first time: the default size, centred.
    const QString firstTime = makeFile("Mix.v2.ptx");
    FileWindow *window = app.windows().openWindow(firstTime);
    EXPECT_EQ(window->windowTitle(), "Mix.v2");
    EXPECT_EQ(window->windowFilePath(), firstTime);
    EXPECT_EQ(window->geometry().size(), QSize(900, 600));
    EXPECT_LE((window->geometry().center() - screen.center()).manhattanLength(), 1);
    EXPECT_EQ(window->detailView()->minimumSize(), QSize(240, 300));
    window->close();
}
