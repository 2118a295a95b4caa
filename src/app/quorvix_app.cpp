#include "quorvix_app.h"

#include "app_commands.h"
#include "file_window.h"
#include "start_window.h"
#include "window/ptx_detail_view.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>

namespace kestrix {

QuorvixApp::QuorvixApp()
    : appDelegate_(windows_, recents_)
    , commands_(std::make_unique<AppCommands>(*this))
{
    connect(&windows_, &WindowRegistry::windowCreated, this, &QuorvixApp::prepareFileWindow);
    connect(&appDelegate_, &AppDelegate::startWindowCreated, this,
            [this](StartWindow *window) { commands_->installMenuBar(window); });
    connect(qApp, &QCoreApplication::aboutToQuit, &appDelegate_, &AppDelegate::applicationWillTerminate);
    qApp->installEventFilter(this);
}

QuorvixApp::~QuorvixApp() = default;

void QuorvixApp::launch(const QStringList &filesToOpen)
{
    appDelegate_.showStartWindow();
    appDelegate_.applicationDidFinishLaunching();
    // After the restoring that the delegate queued, so these end on top.
    if (!filesToOpen.isEmpty())
        QTimer::singleShot(0, this, [this, filesToOpen] { appDelegate_.openFilesFromOutside(filesToOpen); });
}

bool QuorvixApp::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == qApp && event->type() == QEvent::Quit)
        appDelegate_.applicationWillTerminate();
    return QObject::eventFilter(watched, event);
}

void QuorvixApp::prepareFileWindow(FileWindow *window)
{
    commands_->installMenuBar(window);
    // Every window hears the notifications; each acts only while it is the key window.
    PTXDetailView *view = window->detailView();
    view->setImportContext(&importContext_);
    connect(&notifications_, &AppNotifications::refreshFile, view, &PTXDetailView::refreshFile);
    connect(&notifications_, &AppNotifications::clearOverviewSelection, view, &PTXDetailView::clearOverviewSelection);
    connect(&notifications_, &AppNotifications::universeZoomInHorizontal, view,
            &PTXDetailView::universeZoomInHorizontal);
    connect(&notifications_, &AppNotifications::universeZoomOutHorizontal, view,
            &PTXDetailView::universeZoomOutHorizontal);
    connect(&notifications_, &AppNotifications::universeZoomInVertical, view, &PTXDetailView::universeZoomInVertical);
    connect(&notifications_, &AppNotifications::universeZoomOutVertical, view,
            &PTXDetailView::universeZoomOutVertical);
}

} // namespace kestrix
