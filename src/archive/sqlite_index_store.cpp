#include "sqlite_index_store.h"

#include "name_bounds.h"
#include "sqlite_connection.h"
#include "sqlite_statement.h"

#include <sqlite3.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <system_error>

namespace kestrix::archive {

namespace {

// Each step brings the schema from version i to i + 1; steps are only ever
// appended. A session's names are one row of session_text (its rowid is
// the session's id), with the name bounds kept in sessions.bounds.
constexpr std::array<const char *, 3> kMigrations = {
    R"sql(
    CREATE TABLE sessions(
        id INTEGER PRIMARY KEY,
        path TEXT NOT NULL UNIQUE,
        size INTEGER NOT NULL,
        modified INTEGER NOT NULL,
        name TEXT NOT NULL,
        properties TEXT NOT NULL,
        name_count INTEGER NOT NULL,
        bounds BLOB NOT NULL);
    CREATE TABLE failures(
        path TEXT PRIMARY KEY,
        size INTEGER NOT NULL,
        modified INTEGER NOT NULL,
        error TEXT NOT NULL);
    CREATE VIRTUAL TABLE session_text USING fts5(
        track, plugin, marker, comment, file, path, clip,
        tokenize = 'unicode61 remove_diacritics 2', prefix = '2 3');
    )sql",
    // Name bounds in two bytes a start: the table is written anew, so that
    // the smaller rows share pages.
    R"sql(
    CREATE TABLE sessions_compact(
        id INTEGER PRIMARY KEY,
        path TEXT NOT NULL UNIQUE,
        size INTEGER NOT NULL,
        modified INTEGER NOT NULL,
        name TEXT NOT NULL,
        properties TEXT NOT NULL,
        name_count INTEGER NOT NULL,
        bounds BLOB NOT NULL);
    INSERT INTO sessions_compact
        SELECT id, path, size, modified, name, properties, name_count, bounds_from_fixed_width(bounds)
        FROM sessions ORDER BY id;
    DROP TABLE sessions;
    ALTER TABLE sessions_compact RENAME TO sessions;
    )sql",
    // Every term of session_text, so that a search can complete a word's
    // prefix to the terms it stands for.
    R"sql(
    CREATE TABLE terms(term TEXT PRIMARY KEY) WITHOUT ROWID;
    CREATE VIRTUAL TABLE temp.session_terms USING fts5vocab(main, session_text, row);
    INSERT INTO terms SELECT term FROM temp.session_terms;
    DROP TABLE temp.session_terms;
    )sql",
};

} // namespace

int SqliteIndexStore::schemaVersion() { return int(kMigrations.size()); }

SqliteIndexStore::SqliteIndexStore(const std::string &path)
    : db_(openIndexConnection(path, true, false)), search_(std::make_unique<SessionSearch>(db_, path)), path_(path)
{
    try {
        // A new index gets pages large enough for a session's row of names
        // (about 12 KB for 500 clips) to be read from one page, not from a
        // chain of them. An existing index keeps the size it was made with.
        exec("PRAGMA page_size = 16384");
        exec("PRAGMA journal_mode = WAL");
        // In WAL mode a committed transaction survives a killed process.
        exec("PRAGMA synchronous = NORMAL");
        registerBoundsConversion(db_);
        migrate();
        tokens_ = std::make_unique<Tokenizer>(db_);
    } catch (...) {
        sqlite3_close(db_);
        throw;
    }
}

SqliteIndexStore::~SqliteIndexStore()
{
    tokens_.reset();  // before the connection that made it
    search_.reset();
    sqlite3_close(db_);
}

void SqliteIndexStore::exec(const char *sql)
{
    if (sqlite3_exec(db_, sql, nullptr, nullptr, nullptr) != SQLITE_OK)
        throwSqliteError(db_, "Cannot update the index " + path_);
}

int64_t SqliteIndexStore::storedVersion()
{
    Statement version(db_, "PRAGMA user_version");
    version.step();
    const int64_t stored = version.integer(0);
    if (stored < 0 || stored > schemaVersion())
        throw ArchiveError("The index " + path_ + " was written by a newer version of Kestrix (schema " +
                           std::to_string(stored) + ")");
    return stored;
}

void SqliteIndexStore::migrate()
{
    // An up-to-date database needs no write lock, so opening it does not wait
    // for a run that is indexing.
    if (storedVersion() == schemaVersion())
        return;
    exec("BEGIN IMMEDIATE");
    try {
        for (int64_t v = storedVersion(); v < schemaVersion(); ++v)
            exec(kMigrations[size_t(v)]);
        exec(("PRAGMA user_version = " + std::to_string(schemaVersion())).c_str());
        exec("COMMIT");
    } catch (...) {
        sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
        throw;
    }
}

std::unordered_map<std::string, FileStamp> SqliteIndexStore::knownStamps()
{
    std::unordered_map<std::string, FileStamp> stamps;
    for (const char *sql : {"SELECT path, size, modified FROM sessions", "SELECT path, size, modified FROM failures"}) {
        Statement rows(db_, sql);
        while (rows.step())
            stamps[rows.text(0)] = FileStamp{rows.integer(1), rows.integer(2)};
    }
    return stamps;
}

void SqliteIndexStore::beginBatch() { exec("BEGIN IMMEDIATE"); }

void SqliteIndexStore::commitBatch() { exec("COMMIT"); }

void SqliteIndexStore::rollbackBatch()
{
    if (!sqlite3_get_autocommit(db_))
        sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
    tokens_->forgetTerms();
}

void SqliteIndexStore::removeSessionRows(const std::string &path)
{
    Statement find(db_, "SELECT id FROM sessions WHERE path = ?");
    find.bind(1, path);
    if (find.step()) {
        const int64_t id = find.integer(0);
        Statement(db_, "DELETE FROM session_text WHERE rowid = ?").bind(1, id).run();
        Statement(db_, "DELETE FROM sessions WHERE id = ?").bind(1, id).run();
    }
    Statement(db_, "DELETE FROM failures WHERE path = ?").bind(1, path).run();
}

void SqliteIndexStore::putSession(const IndexedSession &session)
{
    removeSessionRows(session.path);
    const SessionText text = sessionText(session.names, *tokens_);
    try {
        // The session's new terms first: a term written for a session that is
        // not does no harm, a session whose term is missing would not be found
        // by the term's prefix.
        const std::vector<std::string> terms = tokens_->takeNewTerms();
        if (!terms.empty()) {
            Statement insertTerm(db_, "INSERT OR IGNORE INTO terms(term) VALUES (?)");
            for (const std::string &term : terms)
                insertTerm.bind(1, term).run();
        }
    } catch (...) {
        tokens_->forgetTerms();
        throw;
    }
    Statement(db_, "INSERT INTO sessions(path, size, modified, name, properties, name_count, bounds)"
                   " VALUES (?, ?, ?, ?, ?, ?, ?)")
        .bind(1, session.path)
        .bind(2, session.stamp.size)
        .bind(3, session.stamp.modified)
        .bind(4, session.sessionName)
        .bind(5, session.propertiesJson)
        .bind(6, text.nameCount)
        .bindBlob(7, text.bounds)
        .run();
    Statement insertText(db_, "INSERT INTO session_text(rowid, track, plugin, marker, comment, file, path, clip)"
                              " VALUES (?, ?, ?, ?, ?, ?, ?, ?)");
    insertText.bind(1, sqlite3_last_insert_rowid(db_));
    for (size_t c = 0; c < text.columns.size(); ++c)
        insertText.bind(int(c) + 2, text.columns[c]);
    insertText.run();
}

void SqliteIndexStore::putFailure(const std::string &path, const FileStamp &stamp, const std::string &error)
{
    removeSessionRows(path);
    Statement(db_, "INSERT INTO failures(path, size, modified, error) VALUES (?, ?, ?, ?)")
        .bind(1, path)
        .bind(2, stamp.size)
        .bind(3, stamp.modified)
        .bind(4, error)
        .run();
}

void SqliteIndexStore::forget(const std::string &path) { removeSessionRows(path); }

std::vector<SessionHit> SqliteIndexStore::search(const std::vector<QueryTerm> &terms, size_t limit)
{
    if (terms.empty())
        return {};
    return search_->run(terms, limit);
}

IndexStats SqliteIndexStore::stats()
{
    IndexStats stats;
    Statement totals(db_, "SELECT count(*), coalesce(sum(name_count), 0) FROM sessions");
    if (totals.step()) {
        stats.sessions = totals.integer(0);
        stats.names = totals.integer(1);
    }
    Statement failures(db_, "SELECT path, error FROM failures ORDER BY path");
    while (failures.step())
        stats.failed.push_back({failures.text(0), failures.text(1)});
    for (const char *suffix : {"", "-wal"}) {
        std::error_code error;
        const auto bytes = std::filesystem::file_size(path_ + suffix, error);
        if (!error)
            stats.databaseBytes += int64_t(bytes);
    }
    return stats;
}

} // namespace kestrix::archive
