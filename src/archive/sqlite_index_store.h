// The archive index in one SQLite file: sessions, failed files and an FTS5
// table with one row of names per session. WAL mode, so searches run while another process indexes.
#ifndef KESTRIX_ARCHIVE_SQLITE_INDEX_STORE_H
#define KESTRIX_ARCHIVE_SQLITE_INDEX_STORE_H

#include "index_store.h"
#include "session_search.h"
#include "session_text.h"

#include <cstdint>
#include <memory>
#include <string>

struct sqlite3;

namespace kestrix::archive {

class SqliteIndexStore : public IndexStore {
public:
    // Opens or creates the database and brings its schema up to date; the
    // folder must exist. Throws ArchiveError.
    explicit SqliteIndexStore(const std::string &path);
    ~SqliteIndexStore() override;
    SqliteIndexStore(const SqliteIndexStore &) = delete;
    SqliteIndexStore &operator=(const SqliteIndexStore &) = delete;

    std::unordered_map<std::string, FileStamp> knownStamps() override;
    void beginBatch() override;
    void commitBatch() override;
    void rollbackBatch() override;
    void putSession(const IndexedSession &session) override;
    void putFailure(const std::string &path, const FileStamp &stamp, const std::string &error) override;
    void forget(const std::string &path) override;
    std::vector<SessionHit> search(const std::vector<QueryTerm> &terms, size_t limit) override;
    IndexStats stats() override;

    // The schema version this build writes.
    static int schemaVersion();

private:
    int64_t storedVersion();
    void migrate();
    void exec(const char *sql);
    void removeSessionRows(const std::string &path);

    sqlite3 *db_ = nullptr;
    std::unique_ptr<Tokenizer> tokens_;
    std::unique_ptr<SessionSearch> search_;
    std::string path_;
};

} // namespace kestrix::archive

#endif
