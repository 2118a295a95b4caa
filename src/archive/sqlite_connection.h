// The index's SQLite connections: opened with the settings every search
// relies on, and a read transaction around a search.
#ifndef KESTRIX_ARCHIVE_SQLITE_CONNECTION_H
#define KESTRIX_ARCHIVE_SQLITE_CONNECTION_H

#include <string>

struct sqlite3;

namespace kestrix::archive {

// Opens the index file (creating it when `create` is set, read-only when
// `readOnly` is) with a busy timeout, a page cache and a mapped file, and
// registers match_names. Throws ArchiveError.
sqlite3 *openIndexConnection(const std::string &path, bool create, bool readOnly);

// One snapshot for all the statements of a search, and one shared lock
// instead of one per statement. Does nothing inside a transaction already
// open on the connection.
class ReadTransaction {
public:
    explicit ReadTransaction(sqlite3 *db);
    ~ReadTransaction();
    ReadTransaction(const ReadTransaction &) = delete;
    ReadTransaction &operator=(const ReadTransaction &) = delete;

private:
    sqlite3 *db_;
    bool open_ = false;
};

} // namespace kestrix::archive

#endif
