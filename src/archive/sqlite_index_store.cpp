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
// appended.
//
// Two full-text tables hold the same names. session_text has one row per
// session (its rowid is the session's id) with all names of a kind in one
// column, so that finding the sessions that hold every term is one query.
// names has one row per name, to tell which names matched; a session's names
// occupy the contiguous rowids first_name .. first_name + name_count - 1, so
// that they can be dropped and searched without scanning the index.
constexpr std::array<const char *, 1> kMigrations = {
    R"sql(
    CREATE TABLE sessions(
        id INTEGER PRIMARY KEY,
        path TEXT NOT NULL UNIQUE,
        size INTEGER NOT NULL,
        modified INTEGER NOT NULL,
        name TEXT NOT NULL,
        properties TEXT NOT NULL,
        first_name INTEGER NOT NULL,
        name_count INTEGER NOT NULL);
    CREATE TABLE failures(
        path TEXT PRIMARY KEY,
        size INTEGER NOT NULL,
        modified INTEGER NOT NULL,
        error TEXT NOT NULL);
    CREATE VIRTUAL TABLE names USING fts5(
        track, clip, file, path, plugin, marker, comment,
        kind UNINDEXED,
        tokenize = 'unicode61 remove_diacritics 2', prefix = '2 3');
    CREATE VIRTUAL TABLE session_text USING fts5(
        track, clip, file, path, plugin, marker, comment,
        tokenize = 'unicode61 remove_diacritics 2', prefix = '2 3');
    )sql",
};

// The column of the names table that holds each kind, in NameKind order.
constexpr std::array<int, kNameKindCount> kKindColumn = {1, 2, 3, 5, 6, 7};
constexpr int kPathColumn = 4;
constexpr int kKindParam = 8;

// Between two names in a session_text column: a token of a private-use
// character, so that a phrase never runs from one name into the next.
constexpr std::string_view kNameSeparator = " \xEE\x80\x80 ";

// match_count(session_text): how many times the query's phrases occur in the
// row, which ranks the sessions before their matching names are listed.
void matchCount(const Fts5ExtensionApi *api, Fts5Context *context, sqlite3_context *result, int, sqlite3_value **)
{
    int count = 0;
    if (api->xInstCount(context, &count) != SQLITE_OK)
        count = 0;
    sqlite3_result_int(result, count);
}

void registerMatchCount(sqlite3 *db)
{
    fts5_api *api = nullptr;
    sqlite3_stmt *stmt = nullptr;
    if (sqlite3_prepare_v2(db, "SELECT fts5(?1)", -1, &stmt, nullptr) == SQLITE_OK) {
        sqlite3_bind_pointer(stmt, 1, static_cast<void *>(&api), "fts5_api_ptr", nullptr);
        sqlite3_step(stmt);
    }
    sqlite3_finalize(stmt);
    if (!api || api->iVersion < 2 ||
        api->xCreateFunction(api, "match_count", nullptr, matchCount, nullptr) != SQLITE_OK)
        throw ArchiveError("This SQLite has no usable FTS5");
}

std::string joined(const std::vector<QueryTerm> &terms, const char *op)
{
    std::string expression;
    for (const QueryTerm &term : terms)
        expression += (expression.empty() ? "(" : std::string(" ") + op + " (") + ftsExpression(term) + ")";
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
        migrate();
        registerMatchCount(db_);
    } catch (...) {
        sqlite3_close(db_);
        throw;
    }
}

SqliteIndexStore::~SqliteIndexStore() { sqlite3_close(db_); }

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
    Statement find(db_, "SELECT id, first_name, name_count FROM sessions WHERE path = ?");
    find.bind(1, path);
    if (find.step()) {
        const int64_t id = find.integer(0);
        const int64_t first = find.integer(1);
        const int64_t count = find.integer(2);
        Statement(db_, "DELETE FROM names WHERE rowid >= ? AND rowid < ?").bind(1, first).bind(2, first + count).run();
        Statement(db_, "DELETE FROM session_text WHERE rowid = ?").bind(1, id).run();
        Statement(db_, "DELETE FROM sessions WHERE id = ?").bind(1, id).run();
    }
    Statement(db_, "DELETE FROM failures WHERE path = ?").bind(1, path).run();
}

void SqliteIndexStore::putSession(const IndexedSession &session)
{
    removeSessionRows(session.path);
    Statement insertSession(db_, "INSERT INTO sessions(path, size, modified, name, properties, first_name, name_count)"
                                 " VALUES (?, ?, ?, ?, ?, 0, 0)");
    insertSession.bind(1, session.path)
        .bind(2, session.stamp.size)
        .bind(3, session.stamp.modified)
        .bind(4, session.sessionName)
        .bind(5, session.propertiesJson)
        .run();
    const int64_t id = sqlite3_last_insert_rowid(db_);

    Statement insertName(db_, "INSERT INTO names(track, clip, file, path, plugin, marker, comment, kind)"
                              " VALUES (?, ?, ?, ?, ?, ?, ?, ?)");
    int64_t first = 0;
    for (size_t i = 0; i < session.names.size(); ++i) {
        const IndexedName &name = session.names[i];
        insertName.bind(kKindColumn[size_t(name.kind)], name.name).bind(kKindParam, int64_t(name.kind));
        if (!name.detail.empty())
            insertName.bind(kPathColumn, name.detail);
        insertName.run();
        if (i == 0)
            first = sqlite3_last_insert_rowid(db_);
    }
    std::array<std::string, 7> columns;  // the columns of session_text, in order
    for (const IndexedName &name : session.names) {
        std::string &text = columns[size_t(kKindColumn[size_t(name.kind)] - 1)];
        (text.empty() ? text : text.append(kNameSeparator)).append(name.name);
        if (!name.detail.empty()) {
            std::string &path = columns[size_t(kPathColumn - 1)];
            (path.empty() ? path : path.append(kNameSeparator)).append(name.detail);
        }
    }
    Statement insertText(db_, "INSERT INTO session_text(rowid, track, clip, file, path, plugin, marker, comment)"
                              " VALUES (?, ?, ?, ?, ?, ?, ?, ?)");
    insertText.bind(1, id);
    for (size_t c = 0; c < columns.size(); ++c)
        insertText.bind(int(c) + 2, columns[c]);
    insertText.run();

    Statement(db_, "UPDATE sessions SET first_name = ?, name_count = ? WHERE id = ?")
        .bind(1, first)
        .bind(2, int64_t(session.names.size()))
        .bind(3, id)
        .run();
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
    // The sessions holding every term, the likeliest first.
    struct Candidate {
        std::string path;
        std::string sessionName;
        int64_t firstName = 0;
        int64_t nameCount = 0;
    };
    std::vector<Candidate> candidates;
    Statement sessions(db_, "SELECT s.path, s.name, s.first_name, s.name_count FROM"
                            " (SELECT rowid AS id, match_count(session_text) AS n FROM session_text"
                            "  WHERE session_text MATCH ?) AS m"
                            " JOIN sessions AS s ON s.id = m.id ORDER BY m.n DESC, s.path LIMIT ?");
    sessions.bind(1, joined(terms, "AND")).bind(2, limit > 0 ? int64_t(limit) : int64_t(-1));
    while (sessions.step())
        candidates.push_back({sessions.text(0), sessions.text(1), sessions.integer(2), sessions.integer(3)});

    // Their names that match any term.
    std::vector<SessionHit> hits;
    hits.reserve(candidates.size());
    Statement names(db_, "SELECT kind, coalesce(track, clip, file, plugin, marker, comment, '') FROM names"
                         " WHERE names MATCH ? AND rowid >= ? AND rowid < ?");
    const std::string anyTerm = joined(terms, "OR");
    for (const Candidate &c : candidates) {
        SessionHit hit{c.path, c.sessionName, {}};
        names.bind(1, anyTerm).bind(2, c.firstName).bind(3, c.firstName + c.nameCount);
        while (names.step()) {
            const int64_t kind = names.integer(0);
            if (kind >= 0 && kind < kNameKindCount)
                hit.matches.push_back({NameKind(kind), names.text(1)});
        }
        names.reset();
        hits.push_back(std::move(hit));
    }
    // The ranking counted occurrences; the order shown counts matching names.
    std::stable_sort(hits.begin(), hits.end(), [](const SessionHit &a, const SessionHit &b) {
        return a.matches.size() != b.matches.size() ? a.matches.size() > b.matches.size() : a.path < b.path;
    });
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
