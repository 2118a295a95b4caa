// The threads a search keeps: jobs of any number of pieces, one after another
// on the same threads, each piece run once and a failure handed back.
#include "worker_threads.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <stdexcept>
#include <thread>
#include <vector>

using namespace kestrix::archive;

TEST(WorkerThreads, EachPieceRunsOnceAtOnceWithTheOthersAndFailuresComeBack)
{
    WorkerThreads workers;
    for (size_t n : {3, 1, 4, 2, 0, 4}) {
        std::vector<std::atomic<int>> runs(n);
        std::atomic<size_t> started = 0;
        std::atomic<size_t> together = 0;  // pieces that saw all the others start
        std::thread::id first;
        workers.run(n, [&](size_t piece) {
            ++runs[piece];
            if (piece == 0)
                first = std::this_thread::get_id();
            // Every piece waits for all to have started: they run at once.
            ++started;
            const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(5);
            while (started < n && std::chrono::steady_clock::now() < until)
                std::this_thread::yield();
            together += started == n;
        });
        EXPECT_EQ(together, n);
        for (size_t piece = 0; piece < n; ++piece)
            EXPECT_EQ(runs[piece], 1) << n << " pieces, piece " << piece;
        if (n > 0) {
            EXPECT_EQ(first, std::this_thread::get_id());
        }
    }

    std::atomic<int> finished = 0;
    EXPECT_THROW(workers.run(3,
                             [&](size_t piece) {
                                 if (piece == 2)
                                     throw std::runtime_error("piece 2");
                                 ++finished;
                             }),
                 std::runtime_error);
    EXPECT_EQ(finished, 2);  // the others ran to the end before the failure came back
    std::atomic<int> after = 0;
    workers.run(3, [&](size_t) { ++after; });
    EXPECT_EQ(after, 3);
}
