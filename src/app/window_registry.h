// The open file windows: one per session file, kept front-most first. It
// opens and raises them, remembers each window's frame with the file, and
// keeps the list of open windows in the preferences so that they reopen at
// the next launch.
#ifndef KESTRIX_APP_WINDOW_REGISTRY_H
#define KESTRIX_APP_WINDOW_REGISTRY_H

#include <QList>
#include <QObject>
#include <QRect>
#include <QString>

#include <optional>

namespace kestrix {

class FileWindow;

class WindowRegistry : public QObject {
    Q_OBJECT
public:
    static constexpr QSize kDefaultWindowSize{900, 600};

    explicit WindowRegistry(QObject *parent = nullptr);
    // Closes nothing and writes nothing: the windows just go away.
    ~WindowRegistry() override;

    // Raises the file's window when it has one. Otherwise opens a window at
    // `frame`, else at the frame remembered for the file, else 900 by 600
    // centred on the screen.
    FileWindow *openWindow(const QString &filePath, std::optional<QRect> frame = std::nullopt);

    FileWindow *windowFor(const QString &filePath) const;
    const QList<FileWindow *> &windowsFrontToBack() const { return windows_; }
    // The file of the key window, when the key window is a file window.
    std::optional<QString> focusedFilePath() const;

    // From now on window events write nothing. Set once, at termination.
    void markTerminating();
    bool isTerminating() const { return terminating_; }

    void writeOpenWindowList() const;
    // Reopens the stored windows back to front, so the front-most ends on top.
    // Files that no longer exist are skipped.
    void restoreOpenWindows();

signals:
    // A new window, before it is shown.
    void windowCreated(FileWindow *window);

private:
    void bringToFront(FileWindow *window);
    void moveToFront(FileWindow *window);
    void windowBecameKey(FileWindow *window);
    void windowClosing(FileWindow *window);
    void windowFrameChanged(FileWindow *window);

    QList<FileWindow *> windows_;
    bool terminating_ = false;
};

} // namespace kestrix

#endif
