// Indexing progress on stderr: a bar redrawn in place on a terminal, plain
// lines now and then otherwise.
#ifndef KESTRIX_INDEX_PROGRESS_LINE_H
#define KESTRIX_INDEX_PROGRESS_LINE_H

#include "archive_indexer.h"

#include <chrono>
#include <cstdio>

namespace kestrix::archive {

class ProgressLine {
public:
    explicit ProgressLine(std::FILE *out);
    void update(const IndexProgress &progress);
    // Ends the bar's line so that later output starts on a fresh one.
    void finish();

private:
    std::FILE *out_;
    bool terminal_;
    bool drawn_ = false;
    std::chrono::steady_clock::time_point last_{};
};

} // namespace kestrix::archive

#endif
