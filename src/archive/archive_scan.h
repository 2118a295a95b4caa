// Finding the session files under folders.
#ifndef KESTRIX_ARCHIVE_SCAN_H
#define KESTRIX_ARCHIVE_SCAN_H

#include "archive_types.h"

#include <atomic>
#include <string>
#include <vector>

namespace kestrix::archive {

struct FoundFile {
    std::string path;
    FileStamp stamp;
};

struct ScanResult {
    std::vector<FoundFile> files;      // each file once, in walk order
    std::vector<std::string> folders;  // the folders given, as absolute paths
    std::vector<std::string> problems; // unreadable folders, link loops, missing paths
};

// Every .ptx file (any letter case) under the given folders, recursively and
// following symbolic links, and every file given by name. A folder reached
// again through a link to itself or an ancestor is reported and skipped; a
// folder reached twice through other links is walked once. Stops early when
// `cancel` becomes true.
ScanResult scanForSessions(const std::vector<std::string> &paths, const std::atomic<bool> *cancel = nullptr);

// The stamp of a file; false when it cannot be read.
bool stampOf(const std::string &path, FileStamp &stamp);

} // namespace kestrix::archive

#endif
