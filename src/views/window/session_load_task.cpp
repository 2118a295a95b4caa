#include "session_load_task.h"

#include "audio_file_resolver.h"
#include "log.h"
#include "native_path.h"
#include "ptx_error.h"
#include "session_loader.h"

#include <QPromise>

#include <exception>
#if defined(__GLIBC__)
#include <malloc.h>
#endif
#include <memory>
#include <system_error>
#include <thread>

namespace kestrix {

namespace {

// A load leaves much freed memory in its thread's heap (the file, the block
// tree, the reader's records); the C library keeps it unless asked to give
// it back. Runs on the loading thread before the window gets its session, so
// that the window's own work does not wait for it. Under a sanitizer, whose
// allocator owns the heap, the C library's trim has nothing to give back and
// is not called.
#if defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(thread_sanitizer)
#define KESTRIX_SANITIZED_HEAP 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
#define KESTRIX_SANITIZED_HEAP 1
#endif

void releaseFreedMemory()
{
#if defined(__GLIBC__) && !defined(KESTRIX_SANITIZED_HEAP)
    malloc_trim(0);
#endif
}

} // namespace

LoadedSession loadSessionForWindow(const QString &path)
{
    try {
        Result<PTXSessionInfo, PTXError> result = loadSession(nativeBytesOfPath(path).toStdString());
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

SessionLoadTask::SessionLoadTask(QObject *parent, Loader loader)
    : QObject(parent)
    , loader_(std::move(loader))
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
    // The promise is shared with the loading thread so that it outlives this
    // task when the window closes mid-load; the watcher then never reports.
    auto promise = std::make_shared<QPromise<LoadedSession>>();
    watcher_.setFuture(promise->future());
    promise->start();
    try {
        std::thread([promise, path, load = loader_] {
            LoadedSession loaded = load(path);
            releaseFreedMemory();
            promise->addResult(std::move(loaded));
            promise->finish();
        }).detach();
    } catch (const std::system_error &error) {
        logLine("PTX", std::string("No thread to load the session on: ") + error.what());
        promise->addResult(LoadedSession{std::nullopt, tr("The system could not start the loading (%1).")
                                                           .arg(QString::fromLocal8Bit(error.what()))});
        promise->finish();
    }
}

} // namespace kestrix
