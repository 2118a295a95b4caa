#include "sqlite_statement.h"

#include <sqlite3.h>

namespace kestrix::archive {

void throwSqliteError(sqlite3 *db, std::string_view what)
{
    throw ArchiveError(std::string(what) + ": " + (db ? sqlite3_errmsg(db) : "out of memory"));
}

Statement::Statement(sqlite3 *db, std::string_view sql) : db_(db)
{
    if (sqlite3_prepare_v2(db, sql.data(), int(sql.size()), &stmt_, nullptr) != SQLITE_OK)
        throwSqliteError(db, "Cannot prepare a database query");
}

Statement::~Statement() { sqlite3_finalize(stmt_); }

Statement &Statement::bind(int index, int64_t value)
{
    if (sqlite3_bind_int64(stmt_, index, value) != SQLITE_OK)
        throwSqliteError(db_, "Cannot bind a value");
    return *this;
}

Statement &Statement::bind(int index, std::string_view text)
{
    if (sqlite3_bind_text(stmt_, index, text.data(), int(text.size()), SQLITE_TRANSIENT) != SQLITE_OK)
        throwSqliteError(db_, "Cannot bind a text");
    return *this;
}

Statement &Statement::bindBlob(int index, std::string_view bytes)
{
    if (sqlite3_bind_blob(stmt_, index, bytes.data(), int(bytes.size()), SQLITE_TRANSIENT) != SQLITE_OK)
        throwSqliteError(db_, "Cannot bind a value");
    return *this;
}

Statement &Statement::bindPointer(int index, void *pointer, const char *type)
{
    if (sqlite3_bind_pointer(stmt_, index, pointer, type, nullptr) != SQLITE_OK)
        throwSqliteError(db_, "Cannot bind a value");
    return *this;
}

bool Statement::step()
{
    const int rc = sqlite3_step(stmt_);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    throwSqliteError(db_, "Database query failed");
}

void Statement::run()
{
    while (step()) {
    }
    reset();
}

void Statement::reset()
{
    sqlite3_reset(stmt_);
    sqlite3_clear_bindings(stmt_);
}

int64_t Statement::integer(int column) const { return sqlite3_column_int64(stmt_, column); }

std::string Statement::text(int column) const
{
    const auto *bytes = reinterpret_cast<const char *>(sqlite3_column_text(stmt_, column));
    return bytes ? std::string(bytes, size_t(sqlite3_column_bytes(stmt_, column))) : std::string();
}

std::string_view Statement::textView(int column) const
{
    const auto *bytes = reinterpret_cast<const char *>(sqlite3_column_text(stmt_, column));
    return bytes ? std::string_view(bytes, size_t(sqlite3_column_bytes(stmt_, column))) : std::string_view();
}

} // namespace kestrix::archive
