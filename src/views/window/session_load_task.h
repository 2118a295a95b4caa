// Reads a session file on a background thread and hands the result to the
// main thread: the session model, its grouped files and clips, and what was
// found of its audio files on disk. Starting again supersedes a load still
// running; its result is dropped.
#ifndef KESTRIX_VIEWS_WINDOW_SESSION_LOAD_TASK_H
#define KESTRIX_VIEWS_WINDOW_SESSION_LOAD_TASK_H

#include "overview_data.h"

#include <QFutureWatcher>
#include <QObject>
#include <QString>

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
    explicit SessionLoadTask(QObject *parent = nullptr);

    void start(const QString &path);
    bool isRunning() const { return running_; }

signals:
    // On the main thread.
    void finished(const kestrix::LoadedSession &result);

private:
    QFutureWatcher<LoadedSession> watcher_;
    bool running_ = false;
};

} // namespace kestrix

#endif
