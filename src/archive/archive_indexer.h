// Indexing and pruning an archive of sessions.
#ifndef KESTRIX_ARCHIVE_INDEXER_H
#define KESTRIX_ARCHIVE_INDEXER_H

#include "index_store.h"

#include <atomic>
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace kestrix::archive {

struct IndexProgress {
    size_t done = 0;   // files read (indexed or failed) so far
    size_t total = 0;  // files that need reading
    std::string path;  // the file just read
};

struct IndexOptions {
    unsigned threads = 0;  // readers; 0 for one per core
    // Called on the calling thread after each file is read.
    std::function<void(const IndexProgress &)> progress;
    // Called on the calling thread for each unreadable folder, link loop or missing path.
    std::function<void(const std::string &)> problem;
    const std::atomic<bool> *cancel = nullptr;
};

struct IndexSummary {
    size_t indexed = 0;
    size_t unchanged = 0;
    size_t failed = 0;
    size_t removed = 0;  // indexed files under the given folders that are gone
    bool cancelled = false;
};

// Indexes every session file under the given folders and files. Unchanged
// files (same size and modification time) are skipped; files that cannot be
// read are recorded with the reader's error. Results are committed in small
// batches, so an interrupted run keeps what it has read. Throws ArchiveError
// when the store fails.
IndexSummary indexPaths(IndexStore &store, const std::vector<std::string> &paths, const IndexOptions &options = {});

// Forgets every session whose file is gone; returns how many.
size_t pruneMissing(IndexStore &store);

} // namespace kestrix::archive

#endif
