// kestrix-index: indexes every session under folders into one database and
// searches it.
//
//   kestrix-index [--db FILE] add PATH...
//   kestrix-index [--db FILE] search [--json] [--limit N] QUERY
//   kestrix-index [--db FILE] stats
//   kestrix-index [--db FILE] prune
//
// Exit status: 0 on success (search: with results), 1 when a search finds
// nothing, 2 on usage and database errors.
#include "archive_indexer.h"
#include "archive_query.h"
#include "default_index_path.h"
#include "progress_line.h"
#include "search_output.h"
#include "sqlite_index_store.h"

#include "command_line.h"

#include <cstdio>
#include <iostream>

using namespace kestrix::archive;

namespace {

constexpr int kExitNone = 1;
constexpr int kExitError = 2;

SqliteIndexStore openStore(const std::string &path)
{
    std::string error;
    if (!makeIndexFolder(path, error))
        throw ArchiveError(error);
    return SqliteIndexStore(path);
}

int runAdd(SqliteIndexStore &store, const std::vector<std::string> &paths)
{
    ProgressLine progress(stderr);
    IndexOptions options;
    options.progress = [&](const IndexProgress &p) { progress.update(p); };
    options.problem = [&](const std::string &problem) {
        progress.finish();
        std::fprintf(stderr, "kestrix-index: %s\n", problem.c_str());
    };
    const IndexSummary summary = indexPaths(store, paths, options);
    progress.finish();
    std::printf("indexed %zu, unchanged %zu, failed %zu, removed %zu\n", summary.indexed, summary.unchanged,
                summary.failed, summary.removed);
    return 0;
}

int runSearch(SqliteIndexStore &store, const std::vector<std::string> &words, bool json, size_t limit)
{
    std::string query;
    for (const std::string &word : words)
        query += (query.empty() ? "" : " ") + word;
    const auto hits = store.search(parseQuery(query), limit);
    std::fputs((json ? searchJson(hits) : searchText(hits)).c_str(), stdout);
    return hits.empty() ? kExitNone : 0;
}

int runStats(SqliteIndexStore &store)
{
    const IndexStats stats = store.stats();
    std::printf("sessions %lld\nnames %lld\nfailed files %zu\ndatabase size %lld bytes\n",
                static_cast<long long>(stats.sessions), static_cast<long long>(stats.names), stats.failed.size(),
                static_cast<long long>(stats.databaseBytes));
    for (const FailedFile &failed : stats.failed)
        std::printf("  %s\t%s\n", failed.path.c_str(), failed.error.c_str());
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    CLI::App app{"Indexes Pro Tools sessions and searches the index.", "kestrix-index"};
    app.set_version_flag("--version", std::string("kestrix-index ") + KESTRIX_VERSION);
    std::string database = defaultIndexPath();
    app.add_option("--db", database, "The index database (default: $XDG_DATA_HOME/kestrix/index.sqlite)");
    app.require_subcommand(1);

    std::vector<std::string> paths;
    CLI::App *add = app.add_subcommand("add", "Index every .ptx file under the folders, or the files given");
    add->add_option("PATH", paths, "Folders or session files")->required();

    std::vector<std::string> words;
    bool json = false;
    size_t limit = 0;
    CLI::App *search = app.add_subcommand("search", "List the sessions that hold every word of the query");
    search->add_flag("--json", json, "Print JSON");
    search->add_option("--limit", limit, "At most N sessions (0: all)")->check(CLI::NonNegativeNumber);
    search->add_option("QUERY", words, "Words, \"phrases\", track:, clip:, file:, plugin:, marker:, comment:")
        ->required();

    CLI::App *stats = app.add_subcommand("stats", "Sessions, names, failed files and database size");
    CLI::App *prune = app.add_subcommand("prune", "Forget sessions whose files are gone");

    if (const std::optional<int> status = kestrix::cli::parse(app, argc, argv))
        return *status;
    if (database.empty()) {
        std::fputs("kestrix-index: no database: set HOME or XDG_DATA_HOME, or give --db\n", stderr);
        return kExitError;
    }

    try {
        SqliteIndexStore store = openStore(database);
        if (add->parsed())
            return runAdd(store, paths);
        if (search->parsed())
            return runSearch(store, words, json, limit);
        if (stats->parsed())
            return runStats(store);
        if (prune->parsed()) {
            std::printf("removed %zu\n", pruneMissing(store));
            return 0;
        }
    } catch (const ArchiveError &e) {
        std::fprintf(stderr, "kestrix-index: %s\n", e.what());
    } catch (const std::exception &e) {
        std::fprintf(stderr, "kestrix-index: %s\n", e.what());
    }
    return kExitError;
}
