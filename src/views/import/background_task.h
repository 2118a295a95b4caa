// Runs blocking work (PTSL calls) on a thread of its own and hands what it
// reports to the main thread. The thread outlives a window that closes
// meanwhile: what it reports then goes nowhere.
#ifndef KESTRIX_VIEWS_IMPORT_BACKGROUND_TASK_H
#define KESTRIX_VIEWS_IMPORT_BACKGROUND_TASK_H

#include <QCoreApplication>
#include <QPointer>

#include <memory>
#include <system_error>
#include <thread>
#include <utility>

namespace kestrix {

// Posts to the main thread while the receiver lives. The pointer is read
// only on the main thread; worker threads only copy the shared handle.
class MainThreadPost {
public:
    explicit MainThreadPost(QObject *receiver)
        : receiver_(std::make_shared<QPointer<QObject>>(receiver))
    {
    }

    template <typename Function>
    void operator()(Function function) const
    {
        QMetaObject::invokeMethod(
            QCoreApplication::instance(),
            [receiver = receiver_, function = std::move(function)]() mutable {
                if (*receiver)
                    function();
            },
            Qt::QueuedConnection);
    }

private:
    std::shared_ptr<QPointer<QObject>> receiver_;
};

// work() runs on a new thread; done(result) on the main thread while the
// receiver lives. False when no thread could be started (nothing runs).
template <typename Work, typename Done>
bool runInBackground(QObject *receiver, Work work, Done done)
{
    const MainThreadPost post(receiver);
    try {
        std::thread([post, work = std::move(work), done = std::move(done)]() mutable {
            auto result = work();
            post([done = std::move(done), result = std::move(result)]() mutable { done(std::move(result)); });
        }).detach();
    } catch (const std::system_error &) {
        return false;
    }
    return true;
}

} // namespace kestrix

#endif
