#include "sqlite_index_store.h"

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
constexpr std::array<const char *, 1> kMigrations = {
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
};

// A read transaction around a search: one snapshot for all its statements,
// and one shared lock instead of one per statement. Does nothing inside a
// transaction already open on the connection.
class ReadTransaction {
public:
    explicit ReadTransaction(sqlite3 *db) : db_(db)
    {
        if (sqlite3_get_autocommit(db_) && sqlite3_exec(db_, "BEGIN", nullptr, nullptr, nullptr) == SQLITE_OK)
            open_ = true;
    }
    ~ReadTransaction()
    {
        if (open_)
            sqlite3_exec(db_, "COMMIT", nullptr, nullptr, nullptr);
    }
    ReadTransaction(const ReadTransaction &) = delete;
    ReadTransaction &operator=(const ReadTransaction &) = delete;

private:
    sqlite3 *db_;
    bool open_ = false;
};

std::string allOf(const std::vector<QueryTerm> &terms)
{
    std::string expression;
    for (const QueryTerm &term : terms)
        expression += (expression.empty() ? "(" : " AND (") + ftsExpression(term) + ")";
    return expression;
}

} // namespace

int SqliteIndexStore::schemaVersion() { return int(kMigrations.size()); }

SqliteIndexStore::SqliteIndexStore(const std::string &path) : path_(path)
{
    if (sqlite3_open_v2(path.c_str(), &db_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX,
                        nullptr) != SQLITE_OK) {
        const std::string message = db_ ? sqlite3_errmsg(db_) : "out of memory";
        sqlite3_close(db_);
        db_ = nullptr;
        throw ArchiveError("Cannot open the index " + path + ": " + message);
    }
    try {
        sqlite3_busy_timeout(db_, 5000);
        exec("PRAGMA journal_mode = WAL");
        // In WAL mode a committed transaction survives a killed process.
        exec("PRAGMA synchronous = NORMAL");
        exec("PRAGMA cache_size = -32768");
        // Searches read many pages: mapped, they are not copied in by one
        // system call each. SQLite caps the size at what it supports.
        exec("PRAGMA mmap_size = 2147418112");
        migrate();
        registerMatchNames(db_);
        tokens_ = std::make_unique<TokenCounter>(db_);
    } catch (...) {
        sqlite3_close(db_);
        throw;
    }
}

SqliteIndexStore::~SqliteIndexStore()
{
    tokens_.reset();  // before the connection that made it
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
    // Every session holding all terms, with how many names its matches lie
    // in; the names themselves go to one shared list.
    struct Candidate {
        int64_t id;
        std::string path;
        size_t firstRef;
        size_t refCount;
    };
    const ReadTransaction snapshot(db_);
    std::vector<Candidate> candidates;
    MatchedNames matched;
    Statement sessions(db_, "SELECT s.id, s.path, match_names(session_text, s.bounds, ?2)"
                            " FROM session_text JOIN sessions AS s ON s.id = session_text.rowid"
                            " WHERE session_text MATCH ?1");
    sessions.bind(1, allOf(terms)).bindPointer(2, &matched, kMatchedNamesType);
    while (sessions.step()) {
        const auto count = size_t(sessions.integer(2));
        candidates.push_back({sessions.integer(0), sessions.text(1), matched.refs.size() - count, count});
    }

    const auto before = [](const Candidate &a, const Candidate &b) {
        return a.refCount != b.refCount ? a.refCount > b.refCount : a.path < b.path;
    };
    const size_t shown = limit > 0 ? std::min(limit, candidates.size()) : candidates.size();
    std::partial_sort(candidates.begin(), candidates.begin() + ptrdiff_t(shown), candidates.end(), before);
    candidates.resize(shown);

    // The matching names, read from the shown sessions' rows, one column at a
    // time: a session's clips alone can fill many pages.
    std::vector<SessionHit> hits;
    hits.reserve(shown);
    Statement name(db_, "SELECT name FROM sessions WHERE id = ?");
    std::array<std::unique_ptr<Statement>, kTextColumnCount> columnOf;
    for (Candidate &c : candidates) {
        SessionHit hit{std::move(c.path), {}, {}};
        name.bind(1, c.id);
        if (name.step())
            hit.sessionName = name.text(0);
        name.reset();
        const NameRef *refs = matched.refs.data() + c.firstRef;
        for (size_t r = 0; r < c.refCount;) {
            const uint32_t column = refs[r].column;
            size_t end = r;
            while (end < c.refCount && refs[end].column == column)
                ++end;
            if (column < kTextColumnCount) {
                auto &statement = columnOf[column];
                if (!statement)
                    statement = std::make_unique<Statement>(
                        db_, "SELECT " + std::string(kTextColumnNames[column]) + " FROM session_text WHERE rowid = ?");
                statement->bind(1, c.id);
                if (statement->step())
                    appendNames(statement->textView(0), {refs + r, refs + end}, kindOfTextColumn(int(column)), hit.matches);
                statement->reset();
            }
            r = end;
        }
        std::stable_sort(hit.matches.begin(), hit.matches.end(),
                         [](const SessionMatch &a, const SessionMatch &b) { return a.kind < b.kind; });
        hits.push_back(std::move(hit));
    }
    return hits;
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
