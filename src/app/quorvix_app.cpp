#include "quorvix_app.h"

#include "app_commands.h"
#include "file_window.h"
#include "per_file_settings_store.h"
#include "start_window.h"
#include "window/ptx_detail_view.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QMessageBox>
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
    connect(&PerFileSettingsStore::shared(), &PerFileSettingsStore::writeFailed, this,
            &QuorvixApp::reportSettingsWriteFailure);
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

void QuorvixApp::reportSettingsWriteFailure(const QString &settingsFile)
{
    QWidget *parent = QApplication::activeWindow();
    if (!parent && !windows_.windowsFrontToBack().isEmpty())
        parent = windows_.windowsFrontToBack().front();
    // Not modal: it says something, it asks nothing.
    auto *message = new QMessageBox(QMessageBox::Warning, QStringLiteral("Kestrix"),
                                    tr("Kestrix cannot save its settings."), QMessageBox::Ok, parent);
    message->setInformativeText(
        tr("The settings file \"%1\" cannot be written, so window positions, timeline zoom and open sections "
           "will not be remembered next time. Check that you can write to its folder.")
            .arg(QDir::toNativeSeparators(settingsFile)));
    message->setAttribute(Qt::WA_DeleteOnClose);
    message->setWindowModality(Qt::NonModal);
    message->show();
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
