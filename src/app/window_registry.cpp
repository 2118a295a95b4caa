#include "window_registry.h"

#include "file_location.h"
#include "file_window.h"
#include "native_path.h"
#include "open_window_list.h"
#include "per_file_settings_store.h"
#include "preference_keys.h"
#include "window_frames.h"

#include <QApplication>
#include <QDebug>
#include <QSettings>

namespace kestrix {

WindowRegistry::WindowRegistry(QObject *parent)
    : QObject(parent)
{
}

WindowRegistry::~WindowRegistry()
{
    const QList<FileWindow *> windows = windows_;
    windows_.clear();
    qDeleteAll(windows);
}

FileWindow *WindowRegistry::openWindow(const QString &filePath, std::optional<QRect> frame)
{
    const QString path = standardizedPath(filePath);
    if (FileWindow *existing = windowFor(path)) {
        bringToFront(existing);
        return existing;
    }
    if (!frame) {
        if (const std::optional<PersistedFrame> remembered = PerFileSettingsStore::shared().load(path).windowFrame)
            frame = remembered->toRect();
    }

    auto *window = new FileWindow(path);
    // A remembered frame may lie on a screen that is gone.
    window->setGeometry(frame && !frame->isEmpty()
                            ? frameOnConnectedScreens(*frame, FileWindow::kMinimumContentSize)
                            : centredOnPrimaryScreen(kDefaultWindowSize));
    windows_.prepend(window);
    connect(window, &FileWindow::becameKey, this, [this, window] { windowBecameKey(window); });
    connect(window, &FileWindow::closing, this, [this, window] { windowClosing(window); });
    connect(window, &FileWindow::frameChanged, this, [this, window] { windowFrameChanged(window); });
    connect(window, &QObject::destroyed, this, [this, window] { windows_.removeOne(window); });
    emit windowCreated(window);
    bringToFront(window);
    return window;
}

FileWindow *WindowRegistry::windowFor(const QString &filePath) const
{
    const QString path = standardizedPath(filePath);
    for (FileWindow *window : windows_) {
        if (window->filePath() == path)
            return window;
    }
    return nullptr;
}

std::optional<QString> WindowRegistry::focusedFilePath() const
{
    const QWidget *active = QApplication::activeWindow();
    for (const FileWindow *window : windows_) {
        if (window == active)
            return window->filePath();
    }
    return std::nullopt;
}

void WindowRegistry::markTerminating()
{
    terminating_ = true;
}

void WindowRegistry::writeOpenWindowList() const
{
    QList<OpenWindowEntry> entries;
    for (const FileWindow *window : windows_)
        entries.append({window->filePath(), window->geometry()});
    QSettings().setValue(prefs::kOpenFileURLs, encodeOpenWindowList(entries));
}

void WindowRegistry::restoreOpenWindows()
{
    const std::optional<QList<OpenWindowEntry>> entries = decodeOpenWindowList(QSettings().value(prefs::kOpenFileURLs));
    if (!entries)
        return;
    for (auto entry = entries->crbegin(); entry != entries->crend(); ++entry) {
        if (!isExistingFile(entry->path)) {
            qInfo().noquote() << "[App] Not reopening" << entry->path << "- the file is gone";
            continue;
        }
        openWindow(entry->path, entry->frame);
    }
}

void WindowRegistry::bringToFront(FileWindow *window)
{
    if (window->isMinimized())
        window->showNormal();
    else
        window->show();
    window->raise();
    window->activateWindow();
    moveToFront(window);
}

void WindowRegistry::moveToFront(FileWindow *window)
{
    windows_.removeOne(window);
    windows_.prepend(window);
}

void WindowRegistry::windowBecameKey(FileWindow *window)
{
    if (terminating_)
        return;
    moveToFront(window);
    writeOpenWindowList();
}

void WindowRegistry::windowClosing(FileWindow *window)
{
    if (terminating_)
        return;
    windows_.removeOne(window);
    writeOpenWindowList();
    PerFileSettingsStore::shared().flush();
}

void WindowRegistry::windowFrameChanged(FileWindow *window)
{
    if (terminating_ || !window->isVisible())
        return;
    PerFileSettingsStore &store = PerFileSettingsStore::shared();
    PerFileSettings settings = store.load(window->filePath());
    settings.windowFrame = PersistedFrame::fromRect(window->geometry());
    store.save(window->filePath(), settings);
}

} // namespace kestrix
