// A prepared SQLite statement that finalizes itself and turns failures into
// ArchiveError.
#ifndef KESTRIX_ARCHIVE_SQLITE_STATEMENT_H
#define KESTRIX_ARCHIVE_SQLITE_STATEMENT_H

#include "archive_types.h"

#include <cstdint>
#include <string>
#include <string_view>

struct sqlite3;
struct sqlite3_stmt;

namespace kestrix::archive {

class Statement {
public:
    Statement(sqlite3 *db, std::string_view sql);
    ~Statement();
    Statement(const Statement &) = delete;
    Statement &operator=(const Statement &) = delete;

    // Parameters are numbered from 1.
    Statement &bind(int index, int64_t value);
    Statement &bind(int index, std::string_view text);
    Statement &bindBlob(int index, std::string_view bytes);
    // A pointer for a function of ours to read (sqlite3_bind_pointer); `type`
    // must outlive the statement.
    Statement &bindPointer(int index, void *pointer, const char *type);
    // True while a row is available; false when done.
    bool step();
    // Runs a statement that returns no rows.
    void run();
    void reset();

    // Columns are numbered from 0.
    int64_t integer(int column) const;
    std::string text(int column) const;
    // Valid until the next step or reset.
    std::string_view textView(int column) const;

private:
    sqlite3 *db_;
    sqlite3_stmt *stmt_ = nullptr;
};

// The database's last error as an ArchiveError.
[[noreturn]] void throwSqliteError(sqlite3 *db, std::string_view what);

} // namespace kestrix::archive

#endif
