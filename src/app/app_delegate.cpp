#include "app_delegate.h"

#include "bug_report_opener.h"
#include "bug_report_view.h"
#include "feature_request_view.h"
#include "content_view.h"
#include "native_path.h"
#include "open_panel.h"
#include "per_file_settings_store.h"
#include "preference_keys.h"
#include "recent_files.h"
#include "start_window.h"
#include "window_registry.h"

#include <QDebug>
#include <QSettings>
#include <QTimer>

namespace kestrix {

AppDelegate::AppDelegate(WindowRegistry &windows, RecentFiles &recents, QObject *parent)
    : QObject(parent)
    , windows_(windows)
    , recents_(recents)
{
    // The playback log and the import dialogs open the bug report through this.
    feedback::setBugReportOpener([this](const QString &description, const QString &attachmentPath) {
        showBugReportWindow(description, attachmentPath);
    });
}

AppDelegate::~AppDelegate()
{
    feedback::setBugReportOpener({});
    delete featureRequestWindow_;
    delete bugReportWindow_;
    delete startWindow_;
}

void AppDelegate::applicationDidFinishLaunching()
{
    QSettings settings;
    if (!settings.value(prefs::kWelcomeScreenShown, false).toBool()) {
        settings.setValue(prefs::kWelcomeScreenShown, true);
        showStartWindow();
    }
    QTimer::singleShot(0, &windows_, &WindowRegistry::restoreOpenWindows);
}

void AppDelegate::applicationWillTerminate()
{
    if (windows_.isTerminating())
        return;
    windows_.markTerminating();
    windows_.writeOpenWindowList();
    PerFileSettingsStore::shared().flush();
}

void AppDelegate::showStartWindow()
{
    if (!startWindow_) {
        startWindow_ = new StartWindow(recents_);
        connect(startWindow_->contentView(), &ContentView::recentFileChosen, this,
                [this](const QString &path) { openFiles({path}); });
        connect(startWindow_->contentView(), &ContentView::openPanelRequested, this,
                [this] { runOpenPanel(startWindow_); });
        emit startWindowCreated(startWindow_);
        startWindow_->fitAndCentre();
    }
    startWindow_->show();
    startWindow_->raise();
    startWindow_->activateWindow();
}

void AppDelegate::openFilesFromOutside(const QStringList &paths)
{
    QStringList files;
    for (const QString &path : paths) {
        if (isExistingFolder(path))
            qInfo().noquote() << "[App] Not opening" << path << "- it is a folder";
        else
            files.append(path);
    }
    if (files.isEmpty())
        return;
    // The files open first: closing the start window while it is the only
    // window would end the application.
    openFiles(files);
    if (startWindow_)
        startWindow_->close();
}

void AppDelegate::openFiles(const QStringList &paths)
{
    for (const QString &path : paths) {
        recents_.add(path);
        windows_.openWindow(path);
    }
}

void AppDelegate::runOpenPanel(QWidget *parent)
{
    openFiles(chooseSessionFiles(parent));
}

namespace {

// The window raised and given the keyboard.
void bringToFront(QWidget *window)
{
    window->show();
    window->raise();
    window->activateWindow();
}

// A form that was sent is done with; the next request gets a fresh one.
template <typename View>
void dropIfSent(QPointer<View> &window)
{
    if (window && window->form().submitted()) {
        window->close();
        delete window.data();
    }
}

template <typename View>
View *feedbackWindow(QPointer<View> &window)
{
    dropIfSent(window);
    if (!window) {
        window = new View(feedback::FeedbackService::fromBuildAndEnvironment());
        window->setAttribute(Qt::WA_DeleteOnClose);
    }
    return window;
}

} // namespace

void AppDelegate::showFeatureRequestWindow()
{
    bringToFront(feedbackWindow(featureRequestWindow_));
}

feedback::FeatureRequestView *AppDelegate::featureRequestWindow() const
{
    return featureRequestWindow_;
}

feedback::BugReportView *AppDelegate::bugReportWindow() const
{
    return bugReportWindow_;
}

void AppDelegate::showBugReportWindow(const QString &prefillDescription, const QString &prefillAttachment)
{
    feedback::BugReportView *window = feedbackWindow(bugReportWindow_);
    window->open(prefillDescription, prefillAttachment);
    bringToFront(window);
}

} // namespace kestrix
