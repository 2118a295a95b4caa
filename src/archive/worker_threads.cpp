#include "worker_threads.h"

#include <algorithm>
#include <system_error>

namespace kestrix::archive {

WorkerThreads::~WorkerThreads()
{
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_all();
    for (std::thread &thread : threads_)
        thread.join();
}

void WorkerThreads::serve(size_t piece, size_t seen)
{
    std::unique_lock lock(mutex_);
    for (;;) {
        wake_.wait(lock, [&] { return stopping_ || round_ != seen; });
        if (stopping_)
            return;
        seen = round_;
        if (piece >= pieces_)
            continue;  // this job has fewer pieces
        const std::function<void(size_t)> &work = *work_;
        lock.unlock();
        std::exception_ptr failure;
        try {
            work(piece);
        } catch (...) {
            failure = std::current_exception();
        }
        lock.lock();
        if (failure && !failure_)
            failure_ = failure;
        if (--running_ == 0)
            done_.notify_one();
    }
}

void WorkerThreads::run(size_t n, const std::function<void(size_t)> &work)
{
    if (n == 0)
        return;
    while (threads_.size() + 1 < n) {
        try {
            threads_.emplace_back([this, piece = threads_.size() + 1, seen = round_] { serve(piece, seen); });
        } catch (const std::system_error &) {
            break;
        }
    }
    const size_t together = std::min(n, threads_.size() + 1);
    {
        std::lock_guard lock(mutex_);
        work_ = &work;
        pieces_ = together;
        running_ = together - 1;
        failure_ = nullptr;
        ++round_;
    }
    wake_.notify_all();

    std::exception_ptr failure;
    const auto runHere = [&](size_t piece) {
        try {
            work(piece);
        } catch (...) {
            if (!failure)
                failure = std::current_exception();
        }
    };
    runHere(0);
    for (size_t piece = together; piece < n; ++piece)
        runHere(piece);
    {
        std::unique_lock lock(mutex_);
        done_.wait(lock, [&] { return running_ == 0; });
        work_ = nullptr;
        if (!failure)
            failure = failure_;
    }
    if (failure)
        std::rethrow_exception(failure);
}

} // namespace kestrix::archive
