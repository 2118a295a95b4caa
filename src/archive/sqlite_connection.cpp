#include "sqlite_connection.h"

#include "archive_types.h"
#include "session_text.h"

#include <sqlite3.h>

#include <mutex>

namespace kestrix::archive {

namespace {

// SQLite counts the memory it allocates under one lock for the whole
// process, which the threads of a search would wait on at every allocation.
// It can only be turned off before SQLite is first used; after that the call
// changes nothing.
void stopCountingMemory()
{
    static std::once_flag once;
    std::call_once(once, [] { sqlite3_config(SQLITE_CONFIG_MEMSTATUS, 0); });
}

} // namespace

sqlite3 *openIndexConnection(const std::string &path, bool create, bool readOnly)
{
    stopCountingMemory();
    const int access = readOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE | (create ? SQLITE_OPEN_CREATE : 0);
    sqlite3 *db = nullptr;
    const auto fail = [&](const std::string &message) {
        sqlite3_close(db);
        throw ArchiveError("Cannot open the index " + path + ": " + message);
    };
    if (sqlite3_open_v2(path.c_str(), &db, access | SQLITE_OPEN_NOMUTEX, nullptr) != SQLITE_OK)
        fail(db ? sqlite3_errmsg(db) : "out of memory");
    sqlite3_busy_timeout(db, 5000);
    // Searches read many pages: mapped, they are not copied in by one system
    // call each. SQLite caps the size at what it supports.
    for (const char *setting : {"PRAGMA cache_size = -32768", "PRAGMA mmap_size = 2147418112"})
        if (sqlite3_exec(db, setting, nullptr, nullptr, nullptr) != SQLITE_OK)
            fail(sqlite3_errmsg(db));
    try {
        registerMatchNames(db);
    } catch (const ArchiveError &error) {
        fail(error.what());
    }
    return db;
}

ReadTransaction::ReadTransaction(sqlite3 *db) : db_(db)
{
    if (sqlite3_get_autocommit(db_) && sqlite3_exec(db_, "BEGIN", nullptr, nullptr, nullptr) == SQLITE_OK)
        open_ = true;
}

ReadTransaction::~ReadTransaction()
{
    if (open_)
        sqlite3_exec(db_, "COMMIT", nullptr, nullptr, nullptr);
}

} // namespace kestrix::archive
