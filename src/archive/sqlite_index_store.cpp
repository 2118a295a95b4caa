#include "sqlite_index_store.h"

#include "sqlite_statement.h"

#include <sqlite3.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <map>
#include <set>
#include <system_error>

namespace kestrix::archive {

namespace {

// Each step brings the schema from version i to i + 1; steps are only ever
// appended. A session's names occupy the contiguous rowids
// first_name .. first_name + name_count - 1 of the names table, so that they
// can be dropped without scanning the index.
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
        kind UNINDEXED, session UNINDEXED,
        tokenize = 'unicode61 remove_diacritics 2', prefix = '2 3');
    )sql",
};

// The column of the names table that holds each kind, in NameKind order.
constexpr std::array<int, kNameKindCount> kKindColumn = {1, 2, 3, 5, 6, 7};
constexpr int kPathColumn = 4;
constexpr int kKindParam = 8;
constexpr int kSessionParam = 9;

} // namespace

int SqliteIndexStore::schemaVersion() { return int(kMigrations.size()); }

SqliteIndexStore::SqliteIndexStore(const std::string &path) : path_(path)
{
    if (sqlite3_open_v2(path.c_str(), &db_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_FULLMUTEX,
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
        exec("PRAGMA foreign_keys = ON");
        migrate();
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

    Statement insertName(db_, "INSERT INTO names(track, clip, file, path, plugin, marker, comment, kind, session)"
                              " VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)");
    int64_t first = 0;
    for (size_t i = 0; i < session.names.size(); ++i) {
        const IndexedName &name = session.names[i];
        insertName.bind(kKindColumn[size_t(name.kind)], name.name)
            .bind(kKindParam, int64_t(name.kind))
            .bind(kSessionParam, id);
        if (!name.detail.empty())
            insertName.bind(kPathColumn, name.detail);
        insertName.run();
        if (i == 0)
            first = sqlite3_last_insert_rowid(db_);
    }
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
    // Sessions holding every term, with the names that matched any of them.
    std::map<int64_t, std::set<int64_t>> matched;
    Statement query(db_, "SELECT rowid, session FROM names WHERE names MATCH ?");
    for (size_t t = 0; t < terms.size(); ++t) {
        std::map<int64_t, std::set<int64_t>> found;
        query.bind(1, ftsExpression(terms[t]));
        while (query.step()) {
            const int64_t session = query.integer(1);
            if (t == 0 || matched.count(session))
                found[session].insert(query.integer(0));
        }
        query.reset();
        if (t == 0) {
            matched = std::move(found);
        } else {
            for (auto it = matched.begin(); it != matched.end();) {
                auto hit = found.find(it->first);
                if (hit == found.end()) {
                    it = matched.erase(it);
                } else {
                    it->second.merge(hit->second);
                    ++it;
                }
            }
        }
        if (matched.empty())
            return {};
    }

    struct Ranked {
        size_t count;
        std::string path;
        std::string sessionName;
        const std::set<int64_t> *rows;
    };
    std::vector<Ranked> ranked;
    ranked.reserve(matched.size());
    Statement session(db_, "SELECT path, name FROM sessions WHERE id = ?");
    for (const auto &[id, rows] : matched) {
        session.bind(1, id);
        if (session.step())
            ranked.push_back({rows.size(), session.text(0), session.text(1), &rows});
        session.reset();
    }
    std::sort(ranked.begin(), ranked.end(), [](const Ranked &a, const Ranked &b) {
        return a.count != b.count ? a.count > b.count : a.path < b.path;
    });
    if (limit > 0 && ranked.size() > limit)
        ranked.resize(limit);

    std::vector<SessionHit> hits;
    hits.reserve(ranked.size());
    Statement name(db_, "SELECT kind, coalesce(track, clip, file, plugin, marker, comment, '') FROM names WHERE rowid = ?");
    for (const Ranked &r : ranked) {
        SessionHit hit{r.path, r.sessionName, {}};
        for (int64_t row : *r.rows) {
            name.bind(1, row);
            if (name.step()) {
                const int64_t kind = name.integer(0);
                if (kind >= 0 && kind < kNameKindCount)
                    hit.matches.push_back({NameKind(kind), name.text(1)});
            }
            name.reset();
        }
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
