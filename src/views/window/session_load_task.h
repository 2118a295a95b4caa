// Reads a session file on a background thread and hands the result to the
// main thread: the session model, its grouped files and clips, and what was
// found of its audio files on disk. Starting again supersedes a load still
// running; its result is dropped.
//
// Each load runs on a thread of its own that nothing waits for: a file on a
// network share that hangs may block it for good, and that must neither
// hold up other loads nor keep the application from quitting.
#ifndef KESTRIX_VIEWS_WINDOW_SESSION_LOAD_TASK_H
#define KESTRIX_VIEWS_WINDOW_SESSION_LOAD_TASK_H

#include "overview_data.h"

#include <QFutureWatcher>
#include <QObject>
#include <QString>

#include <functional>
#include <optional>

namespace kestrix {

struct LoadedSession {
    std::optional<OverviewData> data;
    QString error; // the text shown when data is absent
};

// The whole load: read, group, look for the audio files. Runs on any thread.
LoadedSession loadSessionForWindow(const QString &path);

class SessionLoadTask : public QObject {
    Q_OBJECT
public:
    using Loader = std::function<LoadedSession(const QString &path)>;

    explicit SessionLoadTask(QObject *parent = nullptr, Loader loader = loadSessionForWindow);

    void start(const QString &path);
    bool isRunning() const { return running_; }

signals:
    // On the main thread.
    void finished(const kestrix::LoadedSession &result);

private:
    Loader loader_;
    QFutureWatcher<LoadedSession> watcher_;
    bool running_ = false;
};

} // namespace kestrix

#endif
