#include "app_commands.h"

#include "audio_playback_log.h"
#include "compare_window.h"
#include "file_location.h"
#include "file_window.h"
#include "find_sessions_window.h"
#include "menu_text.h"
#include "native_path.h"
#include "open_panel.h"
#include "ptx_detail_view.h"
#include "quorvix_app.h"
#include "session_report_export.h"
#include "show_in_file_manager.h"
#include "splash_icons.h"

#include <QAction>
#include <QApplication>
#include <QDesktopServices>
#include <QKeySequence>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QToolBar>
#include <QUrl>

namespace kestrix {

namespace {

QAction *addCommand(QMenu *menu, const QString &text, const QKeySequence &shortcut = {})
{
    QAction *action = menu->addAction(text);
    action->setShortcut(shortcut);
    return action;
}

void sayNotAvailable(const QString &what)
{
    QMessageBox::information(QApplication::activeWindow(), QStringLiteral("Kestrix"),
                             QObject::tr("%1 is not available on this platform.").arg(what));
}

// Gives keyboard focus to the search field in the toolbar of the active
// window; nothing when it has none.
void focusToolbarSearchField()
{
    const auto *window = qobject_cast<QMainWindow *>(QApplication::activeWindow());
    if (!window)
        return;
    for (QToolBar *toolBar : window->findChildren<QToolBar *>()) {
        if (auto *field = toolBar->findChild<QLineEdit *>()) {
            field->setFocus(Qt::ShortcutFocusReason);
            field->selectAll();
            return;
        }
    }
}

// Compares the key file window's session with a file the user picks.
void compareKeyWindow()
{
    auto *window = qobject_cast<FileWindow *>(QApplication::activeWindow());
    if (!window || !window->detailView()->sessionInfo()) {
        QMessageBox::information(QApplication::activeWindow(), QStringLiteral("Kestrix"),
                                 QObject::tr("Open a session first; then choose the version to compare it with."));
        return;
    }
    const QStringList files = chooseSessionFiles(window);
    if (!files.isEmpty())
        CompareWindow::openFor(window->detailView(), files.first());
}

} // namespace

AppCommands::AppCommands(QuorvixApp &app)
    : app_(app)
    , openRecentMenu_(std::make_unique<QMenu>(QStringLiteral("Open Recent")))
{
    buildApplicationMenu();
    buildFileMenu();
    buildEditMenu();
    buildViewMenu();
    buildHelpMenu();

    // Queued: a recent item chosen from the menu changes the list while the
    // menu is still delivering that item's click.
    connect(&app_.recents(), &RecentFiles::urlsChanged, this, &AppCommands::rebuildOpenRecentMenu,
            Qt::QueuedConnection);
    rebuildOpenRecentMenu();
    connect(&app_.importContext(), &ActiveImportContext::trackCountChanged, this, &AppCommands::updateImportAction);
    connect(&app_.importContext(), &ActiveImportContext::importEnabledChanged, this, &AppCommands::updateImportAction);
    updateImportAction();
}

AppCommands::~AppCommands() = default;

void AppCommands::installMenuBar(QMainWindow *window)
{
    for (const std::unique_ptr<QMenu> &menu : menus_)
        window->menuBar()->addMenu(menu.get());
}

QMenu *AppCommands::addMenu(const QString &title)
{
    menus_.push_back(std::make_unique<QMenu>(title));
    return menus_.back().get();
}

void AppCommands::buildApplicationMenu()
{
    QMenu *menu = addMenu(QStringLiteral("Kestrix"));
    QAction *about = addCommand(menu, QStringLiteral("About Kestrix"));
    about->setMenuRole(QAction::AboutRole);
    connect(about, &QAction::triggered, this, [] {
        QMessageBox::about(QApplication::activeWindow(), QStringLiteral("About Kestrix"),
                           QObject::tr("<h3>Kestrix</h3><p>Version %1</p>"
                                       "<p>Browse Pro Tools sessions without Pro Tools.</p>"
                                       "<p>\u00a9 Tarnwell Audio</p>")
                               .arg(QCoreApplication::applicationVersion()));
    });
    QAction *updates = addCommand(menu, QStringLiteral("Check for Updates…"));
    updates->setMenuRole(QAction::ApplicationSpecificRole);
    connect(updates, &QAction::triggered, this, [] { sayNotAvailable(QObject::tr("Checking for updates")); });
    menu->addSeparator();
    QAction *quit = addCommand(menu, QObject::tr("Quit Kestrix"), QKeySequence::Quit);
    quit->setMenuRole(QAction::QuitRole);
    connect(quit, &QAction::triggered, qApp, &QCoreApplication::quit, Qt::QueuedConnection);
}

void AppCommands::buildFileMenu()
{
    QMenu *menu = addMenu(QStringLiteral("File"));
    connect(addCommand(menu, QStringLiteral("Open..."), QKeySequence(Qt::CTRL | Qt::Key_O)), &QAction::triggered, this,
            [this] { app_.appDelegate().runOpenPanel(QApplication::activeWindow()); });
    menu->addMenu(openRecentMenu_.get());
    connect(addCommand(menu, QStringLiteral("Find in Sessions…"), QKeySequence(Qt::SHIFT | Qt::CTRL | Qt::Key_F)),
            &QAction::triggered, this, [this] { showFindInSessions(app_.windows()); });
    connect(addCommand(menu, QObject::tr("Close"), QKeySequence::Close), &QAction::triggered, this, [] {
        if (QWidget *window = QApplication::activeWindow())
            window->close();
    });
    menu->addSeparator();
    connect(addCommand(menu, QStringLiteral("Refresh"), QKeySequence(Qt::CTRL | Qt::Key_R)), &QAction::triggered,
            &app_.notifications(), &AppNotifications::refreshFile);
    connect(addCommand(menu, QStringLiteral("Show in File Manager"), QKeySequence(Qt::SHIFT | Qt::CTRL | Qt::Key_R)),
            &QAction::triggered, this, [this] {
                if (const std::optional<QString> file = app_.focusedFileURL())
                    showInFileManager(*file, QApplication::activeWindow());
            });
    connect(addCommand(menu, QStringLiteral("Compare With…")), &QAction::triggered, this, &compareKeyWindow);
    menu->addSeparator();
    connect(addCommand(menu, QStringLiteral("Export Session Report…"), QKeySequence(Qt::CTRL | Qt::Key_P)),
            &QAction::triggered, this, &AppCommands::exportFocusedSessionReport);
    menu->addSeparator();
    importAction_ = addCommand(menu, importMenuTitle(0), QKeySequence(Qt::SHIFT | Qt::CTRL | Qt::Key_I));
    connect(importAction_, &QAction::triggered, &app_.importContext(), &ActiveImportContext::pulse);
}

void AppCommands::buildEditMenu()
{
    QMenu *menu = addMenu(QStringLiteral("Edit"));
    QAction *find = addCommand(menu, QStringLiteral("Find"), QKeySequence(Qt::CTRL | Qt::Key_F));
    find->setIcon(splashIcon(SplashIcon::magnifyingGlass, menu->palette().color(QPalette::WindowText)));
    connect(find, &QAction::triggered, this, &focusToolbarSearchField);
}

void AppCommands::buildViewMenu()
{
    QMenu *menu = addMenu(QStringLiteral("View"));
    AppNotifications *notifications = &app_.notifications();
    const auto post = [menu, notifications](const QString &text, const QKeySequence &shortcut,
                                            void (AppNotifications::*notification)()) {
        connect(addCommand(menu, text, shortcut), &QAction::triggered, notifications, notification);
    };
    post(QStringLiteral("Zoom In Horizontally"), QKeySequence(Qt::CTRL | Qt::Key_Right),
         &AppNotifications::universeZoomInHorizontal);
    post(QStringLiteral("Zoom Out Horizontally"), QKeySequence(Qt::CTRL | Qt::Key_Left),
         &AppNotifications::universeZoomOutHorizontal);
    menu->addSeparator();
    post(QStringLiteral("Zoom In Vertically"), QKeySequence(Qt::CTRL | Qt::Key_Up),
         &AppNotifications::universeZoomInVertical);
    post(QStringLiteral("Zoom Out Vertically"), QKeySequence(Qt::CTRL | Qt::Key_Down),
         &AppNotifications::universeZoomOutVertical);
    menu->addSeparator();
    post(QStringLiteral("Clear Zoom"), QKeySequence(Qt::CTRL | Qt::Key_0), &AppNotifications::clearOverviewSelection);
}

void AppCommands::buildHelpMenu()
{
    QMenu *menu = addMenu(QStringLiteral("Help"));
    connect(addCommand(menu, QStringLiteral("Open User Guide")), &QAction::triggered, this,
            [] { QDesktopServices::openUrl(QUrl(QString::fromLatin1(kUserGuideAddress))); });
    connect(addCommand(menu, QStringLiteral("Welcome")), &QAction::triggered, &app_.appDelegate(),
            &AppDelegate::showStartWindow);
    connect(addCommand(menu, QObject::tr("What's New")), &QAction::triggered, this,
            [] { sayNotAvailable(QObject::tr("What's New")); });
    menu->addSeparator();
    connect(addCommand(menu, QStringLiteral("Send Feature Request…")), &QAction::triggered, &app_.appDelegate(),
            &AppDelegate::showFeatureRequestWindow);
    connect(addCommand(menu, QStringLiteral("Send Bug Report…")), &QAction::triggered, &app_.appDelegate(),
            [this] { app_.appDelegate().showBugReportWindow(); });
    // The playback diagnostics, for a user who hears nothing or the wrong channels.
    connect(addCommand(menu, QStringLiteral("Send Audio Playback Log…")), &QAction::triggered, this,
            [] { AudioPlaybackLog::shared().sendReport(); });
}

void AppCommands::rebuildOpenRecentMenu()
{
    openRecentMenu_->clear();
    const QStringList &paths = app_.recents().urls();
    for (const QString &path : paths) {
        connect(openRecentMenu_->addAction(menuText(fileNameWithExtension(displayablePath(path)))), &QAction::triggered, this,
                [this, path] { app_.appDelegate().openFiles({path}); });
    }
    if (!paths.isEmpty())
        openRecentMenu_->addSeparator();
    connect(openRecentMenu_->addAction(QStringLiteral("Clear Menu")), &QAction::triggered, &app_.recents(),
            &RecentFiles::clear);
}

void AppCommands::exportFocusedSessionReport()
{
    const std::optional<QString> file = app_.focusedFileURL();
    FileWindow *window = file ? app_.windows().windowFor(*file) : nullptr;
    if (!window)
        return;
    // A window still loading, or whose load failed, has no session yet:
    // the export then reads the file itself.
    const PTXDetailView *view = window->detailView();
    exportSessionReport(window, *file, view && !view->isLoading() ? view->sharedSessionInfo() : nullptr);
}

void AppCommands::updateImportAction()
{
    importAction_->setText(importMenuTitle(app_.importContext().trackCount()));
    importAction_->setEnabled(app_.importContext().importEnabled());
}

} // namespace kestrix
