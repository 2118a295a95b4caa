// The searchable picture of one session file.
#ifndef KESTRIX_ARCHIVE_SESSION_NAMES_H
#define KESTRIX_ARCHIVE_SESSION_NAMES_H

#include "archive_types.h"
#include "result.h"

#include <string>

namespace kestrix::archive {

// Reads the file at `path` (stamped `stamp`) into its names and properties.
// Fails with the reader's error text. Safe to call from several threads.
Result<IndexedSession, std::string> readIndexedSession(const std::string &path, const FileStamp &stamp);

} // namespace kestrix::archive

#endif
