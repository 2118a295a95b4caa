#include "session_load_task.h"

#include "audio_file_resolver.h"
#include "log.h"
#include "ptx_error.h"
#include "session_loader.h"

#include <QFile>
#include <QPromise>
#include <QThreadPool>

#include <exception>
#include <memory>

namespace kestrix {

LoadedSession loadSessionForWindow(const QString &path)
{
    try {
        Result<PTXSessionInfo, PTXError> result = loadSession(QFile::encodeName(path).toStdString());
        if (!result)
            return {std::nullopt, QString::fromStdString(result.error().description())};
        auto session = std::make_shared<const PTXSessionInfo>(std::move(result).value());
        AudioFileStatus files = resolveAudioFiles(session->audioFiles, path);
        return {OverviewData::make(std::move(session), std::move(files)), {}};
    } catch (const std::exception &exception) {
        // Nothing may escape a pool thread; the user sees the parse failure.
        logLine("PTX", std::string("Loading failed: ") + exception.what());
        return {std::nullopt, QString::fromStdString(PTXError::parseFailed().description())};
    }
}

SessionLoadTask::SessionLoadTask(QObject *parent)
    : QObject(parent)
{
    connect(&watcher_, &QFutureWatcher<LoadedSession>::finished, this, [this] {
        if (watcher_.future().resultCount() == 0)
            return;
        running_ = false;
        emit finished(watcher_.result());
    });
}

void SessionLoadTask::start(const QString &path)
{
    running_ = true;
    // The promise is shared with the pool thread so that it outlives this
    // task when the window closes mid-load; the watcher then never reports.
    auto promise = std::make_shared<QPromise<LoadedSession>>();
    watcher_.setFuture(promise->future());
    QThreadPool::globalInstance()->start([promise, path] {
        promise->start();
        promise->addResult(loadSessionForWindow(path));
        promise->finish();
    });
}

} // namespace kestrix
