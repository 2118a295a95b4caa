// The storage behind the archive index. SQLite is the embedded default; a
// server database can implement the same interface.
#ifndef KESTRIX_ARCHIVE_INDEX_STORE_H
#define KESTRIX_ARCHIVE_INDEX_STORE_H

#include "archive_query.h"
#include "archive_types.h"

#include <string>
#include <unordered_map>
#include <vector>

namespace kestrix::archive {

// Every call may throw ArchiveError. Writes between beginBatch and
// commitBatch are kept together or not at all.
class IndexStore {
public:
    virtual ~IndexStore() = default;

    // The stamps of every indexed or failed file, by path.
    virtual std::unordered_map<std::string, FileStamp> knownStamps() = 0;

    virtual void beginBatch() = 0;
    virtual void commitBatch() = 0;
    // Drops the open batch's writes; does nothing without an open batch.
    virtual void rollbackBatch() = 0;
    // Replaces whatever the index holds for the session's path.
    virtual void putSession(const IndexedSession &session) = 0;
    // Records a file that could not be read, replacing what the index held.
    virtual void putFailure(const std::string &path, const FileStamp &stamp, const std::string &error) = 0;
    // Forgets a path, indexed or failed.
    virtual void forget(const std::string &path) = 0;

    // Sessions holding every term, most matches first, then by path; at
    // most `limit` of them (0: all).
    virtual std::vector<SessionHit> search(const std::vector<QueryTerm> &terms, size_t limit) = 0;
    virtual IndexStats stats() = 0;
};

} // namespace kestrix::archive

#endif
