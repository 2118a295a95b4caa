#include "archive_indexer.h"

#include "archive_scan.h"
#include "session_names.h"

#include <chrono>
#include <condition_variable>
#include <deque>
#include <filesystem>
#include <mutex>
#include <optional>
#include <thread>

namespace kestrix::archive {

namespace {

// A batch is committed after this many files or this much time, whichever
// comes first: small enough that an interrupted run loses little, large
// enough that commits do not dominate.
constexpr size_t kBatchFiles = 256;
constexpr auto kBatchTime = std::chrono::milliseconds(250);

struct ReadOutcome {
    const FoundFile *file = nullptr;
    std::optional<IndexedSession> session;
    std::string error;
};

// Reader threads hand their outcomes to the writing thread through a
// bounded queue, so memory stays bounded however slow the database is.
class OutcomeQueue {
public:
    explicit OutcomeQueue(size_t capacity) : capacity_(capacity) {}

    void push(ReadOutcome outcome)
    {
        std::unique_lock lock(mutex_);
        notFull_.wait(lock, [&] { return queue_.size() < capacity_ || closed_; });
        if (closed_)
            return;
        queue_.push_back(std::move(outcome));
        notEmpty_.notify_one();
    }

    // Empty when every producer has finished and the queue is drained.
    std::optional<ReadOutcome> pop()
    {
        std::unique_lock lock(mutex_);
        notEmpty_.wait(lock, [&] { return !queue_.empty() || producers_ == 0; });
        if (queue_.empty())
            return std::nullopt;
        ReadOutcome outcome = std::move(queue_.front());
        queue_.pop_front();
        notFull_.notify_one();
        return outcome;
    }

    void setProducers(size_t n) { producers_ = n; }
    void producerDone()
    {
        std::lock_guard lock(mutex_);
        --producers_;
        notEmpty_.notify_all();
    }
    // Unblocks producers when the consumer stops early.
    void close()
    {
        std::lock_guard lock(mutex_);
        closed_ = true;
        queue_.clear();
        notFull_.notify_all();
    }

private:
    std::mutex mutex_;
    std::condition_variable notFull_;
    std::condition_variable notEmpty_;
    std::deque<ReadOutcome> queue_;
    size_t capacity_;
    size_t producers_ = 0;
    bool closed_ = false;
};

bool cancelled(const IndexOptions &options) { return options.cancel && options.cancel->load(); }

bool isUnder(const std::string &path, const std::string &folder)
{
    return path.size() > folder.size() && path.compare(0, folder.size(), folder) == 0 &&
           (path[folder.size()] == '/' || folder.back() == '/');
}

bool fileIsGone(const std::string &path)
{
    std::error_code error;
    return !std::filesystem::exists(path, error) && !error;
}

// Writes the outcomes as they arrive, committing in batches.
void writeOutcomes(IndexStore &store, OutcomeQueue &queue, size_t total, const IndexOptions &options,
                   IndexSummary &summary)
{
    size_t done = 0;
    size_t inBatch = 0;
    auto batchStart = std::chrono::steady_clock::now();
    bool open = false;
    while (std::optional<ReadOutcome> outcome = queue.pop()) {
        if (!open) {
            store.beginBatch();
            open = true;
            inBatch = 0;
            batchStart = std::chrono::steady_clock::now();
        }
        if (outcome->session) {
            store.putSession(*outcome->session);
            ++summary.indexed;
        } else {
            store.putFailure(outcome->file->path, outcome->file->stamp, outcome->error);
            ++summary.failed;
        }
        ++inBatch;
        if (inBatch >= kBatchFiles || std::chrono::steady_clock::now() - batchStart >= kBatchTime) {
            store.commitBatch();
            open = false;
        }
        if (options.progress)
            options.progress({++done, total, outcome->file->path});
    }
    if (open)
        store.commitBatch();
}

} // namespace

IndexSummary indexPaths(IndexStore &store, const std::vector<std::string> &paths, const IndexOptions &options)
{
    IndexSummary summary;
    const ScanResult scan = scanForSessions(paths, options.cancel);
    if (options.problem)
        for (const std::string &problem : scan.problems)
            options.problem(problem);

    const auto known = store.knownStamps();
    std::vector<const FoundFile *> todo;
    for (const FoundFile &file : scan.files) {
        const auto it = known.find(file.path);
        if (it != known.end() && it->second == file.stamp)
            ++summary.unchanged;
        else
            todo.push_back(&file);
    }

    const unsigned threads = std::max(1u, std::min<unsigned>(options.threads ? options.threads
                                                                              : std::thread::hardware_concurrency(),
                                                             unsigned(std::max<size_t>(todo.size(), 1))));
    OutcomeQueue queue(size_t(threads) * 4);
    queue.setProducers(threads);
    std::atomic<size_t> next{0};
    std::vector<std::thread> readers;
    for (unsigned t = 0; t < threads; ++t)
        readers.emplace_back([&] {
            for (size_t i; !cancelled(options) && (i = next.fetch_add(1)) < todo.size();) {
                auto result = readIndexedSession(todo[i]->path, todo[i]->stamp);
                ReadOutcome outcome{todo[i], std::nullopt, {}};
                if (result)
                    outcome.session = std::move(result).value();
                else
                    outcome.error = result.error();
                queue.push(std::move(outcome));
            }
            queue.producerDone();
        });

    try {
        writeOutcomes(store, queue, todo.size(), options, summary);
    } catch (...) {
        store.rollbackBatch();
        queue.close();
        for (std::thread &reader : readers)
            reader.join();
        throw;
    }
    for (std::thread &reader : readers)
        reader.join();

    summary.cancelled = cancelled(options);
    if (summary.cancelled)
        return summary;

    // Files once indexed under the given folders that are no longer there.
    store.beginBatch();
    for (const auto &[path, stamp] : known) {
        for (const std::string &folder : scan.folders) {
            if (isUnder(path, folder) && fileIsGone(path)) {
                store.forget(path);
                ++summary.removed;
                break;
            }
        }
    }
    store.commitBatch();
    return summary;
}

size_t pruneMissing(IndexStore &store)
{
    size_t removed = 0;
    const auto known = store.knownStamps();
    store.beginBatch();
    for (const auto &[path, stamp] : known) {
        if (fileIsGone(path)) {
            store.forget(path);
            ++removed;
        }
    }
    store.commitBatch();
    return removed;
}

} // namespace kestrix::archive
