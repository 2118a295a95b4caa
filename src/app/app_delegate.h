// Launch and termination, the start window, and the ways files get opened:
// the open panel, the recent list and open requests from outside.
#ifndef KESTRIX_APP_APP_DELEGATE_H
#define KESTRIX_APP_APP_DELEGATE_H

#include "start_window.h"

#include <QObject>
#include <QPointer>
#include <QStringList>

class QWidget;

namespace kestrix {

namespace feedback {
class BugReportView;
class FeatureRequestView;
} // namespace feedback

class RecentFiles;
class WindowRegistry;

class AppDelegate : public QObject {
    Q_OBJECT
public:
    AppDelegate(WindowRegistry &windows, RecentFiles &recents, QObject *parent = nullptr);
    ~AppDelegate() override;

    // Shows the start window the first time this user launches the
    // application, then queues the reopening of last time's windows.
    void applicationDidFinishLaunching();
    // Stops window events from writing anything, then writes the open-window
    // list once. Later calls do nothing.
    void applicationWillTerminate();

    // Brings the start window to the front, creating it when it is not open.
    void showStartWindow();
    StartWindow *startWindow() const { return startWindow_; }

    // Files handed over by the system (command line, file manager, a second
    // launch): folders are ignored; each file is added to the recent list and
    // opened, and the start window closes.
    void openFilesFromOutside(const QStringList &paths);
    // Adds each file to the recent list and opens it, in order.
    void openFiles(const QStringList &paths);
    // The modal chooser for .ptx files; the chosen files are opened.
    void runOpenPanel(QWidget *parent);

    // The feedback windows, one of each: an open one is brought to the front,
    // one showing that it was sent makes way for a fresh form.
    void showFeatureRequestWindow();
    // An empty description or attachment leaves that part of the form as it is.
    void showBugReportWindow(const QString &prefillDescription = {}, const QString &prefillAttachment = {});
    feedback::FeatureRequestView *featureRequestWindow() const;
    feedback::BugReportView *bugReportWindow() const;

signals:
    // A new start window, before it is shown.
    void startWindowCreated(StartWindow *window);

private:
    WindowRegistry &windows_;
    RecentFiles &recents_;
    QPointer<StartWindow> startWindow_;
    QPointer<feedback::FeatureRequestView> featureRequestWindow_;
    QPointer<feedback::BugReportView> bugReportWindow_;
};

} // namespace kestrix

#endif
