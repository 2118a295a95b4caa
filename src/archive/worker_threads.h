// Threads kept for running pieces of one job at once: a search runs at every
// keystroke, and starting a thread costs as much as a small search.
#ifndef KESTRIX_ARCHIVE_WORKER_THREADS_H
#define KESTRIX_ARCHIVE_WORKER_THREADS_H

#include <condition_variable>
#include <cstddef>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace kestrix::archive {

class WorkerThreads {
public:
    WorkerThreads() = default;
    ~WorkerThreads();
    WorkerThreads(const WorkerThreads &) = delete;
    WorkerThreads &operator=(const WorkerThreads &) = delete;

    // Runs work(0) … work(n - 1) at once, work(0) on the calling thread, and
    // returns when all are done, rethrowing the first failure. Pieces that
    // no thread can be started for run on the calling thread, afterwards.
    void run(size_t n, const std::function<void(size_t)> &work);

private:
    // Runs `piece` of every job after round `seen` until stopped.
    void serve(size_t piece, size_t seen);

    std::vector<std::thread> threads_;  // threads_[i] runs piece i + 1
    std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable done_;
    const std::function<void(size_t)> *work_ = nullptr;
    size_t round_ = 0;    // raised for each job
    size_t pieces_ = 0;   // pieces of this job, the caller's included
    size_t running_ = 0;  // pieces handed to threads and not yet done
    std::exception_ptr failure_;
    bool stopping_ = false;
};

} // namespace kestrix::archive

#endif
