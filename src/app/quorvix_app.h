// The application entry object: it holds, for the life of the process, the
// application delegate, the recent files, the import context, the window
// registry and the menus, and ties them together.
#ifndef KESTRIX_APP_QUORVIX_APP_H
#define KESTRIX_APP_QUORVIX_APP_H

#include "active_import_context.h"
#include "app_delegate.h"
#include "app_notifications.h"
#include "recent_files.h"
#include "window_registry.h"

#include <QObject>
#include <QStringList>

#include <memory>
#include <optional>

class QMainWindow;

namespace kestrix {

class AppCommands;
class FileWindow;

class QuorvixApp : public QObject {
    Q_OBJECT
public:
    // Reads the recent files; shows nothing yet. The application's name
    // and organisation must be set, since they locate the preferences.
    QuorvixApp();
    ~QuorvixApp() override;

    // Start-up: the start window, the first-launch welcome, the windows of
    // last time, then `filesToOpen` as an open request from outside.
    void launch(const QStringList &filesToOpen);

    // The file of the key window, absent when the key window is not a file window.
    std::optional<QString> focusedFileURL() const { return windows_.focusedFilePath(); }

    AppDelegate &appDelegate() { return appDelegate_; }
    RecentFiles &recents() { return recents_; }
    ActiveImportContext &importContext() { return importContext_; }
    AppNotifications &notifications() { return notifications_; }
    WindowRegistry &windows() { return windows_; }
    AppCommands &commands() { return *commands_; }

    // Termination starts before Qt closes the windows on quit, so the
    // windows' closing does not empty the list of windows to reopen.
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void prepareFileWindow(FileWindow *window);
    // Tells the user, in the window in front, that what windows remember
    // will be lost.
    void reportSettingsWriteFailure(const QString &settingsFile);

    // Declared in construction order; destroyed in reverse, menus first.
    RecentFiles recents_;
    ActiveImportContext importContext_;
    AppNotifications notifications_;
    WindowRegistry windows_;
    AppDelegate appDelegate_;
    std::unique_ptr<AppCommands> commands_;
};

} // namespace kestrix

#endif
