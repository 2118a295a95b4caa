// The search of the index: every session holding all terms of a query, most
// matches first, then by path. The sessions' id range is split over the
// machine's cores, each part read on a connection of its own, so a query
// that matches the whole archive takes a fraction of the time.
#ifndef KESTRIX_ARCHIVE_SESSION_SEARCH_H
#define KESTRIX_ARCHIVE_SESSION_SEARCH_H

#include "archive_query.h"
#include "archive_types.h"
#include "worker_threads.h"

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

struct sqlite3;

namespace kestrix::archive {

class Statement;
class Tokenizer;

class SessionSearch {
public:
    // The first part is read on `db`, which must outlive this; the others
    // open the index file at `path` again, read-only.
    SessionSearch(sqlite3 *db, std::string path);
    ~SessionSearch();
    SessionSearch(const SessionSearch &) = delete;
    SessionSearch &operator=(const SessionSearch &) = delete;

    // Sessions holding every term, at most `limit` (0: all). Throws
    // ArchiveError.
    std::vector<SessionHit> run(const std::vector<QueryTerm> &terms, size_t limit);

private:
    struct Candidate;
    struct Part;

    sqlite3 *db_;
    std::string path_;
    std::unique_ptr<Tokenizer> tokenizer_;  // for the queries, made on first use
    std::unique_ptr<Statement> range_;      // the sessions' ids, prepared on first use
    std::vector<std::unique_ptr<Part>> parts_;
    std::vector<Candidate> ranked_;  // what the parts found, kept to be reused
    WorkerThreads workers_;          // last: stopped before the parts go
};

} // namespace kestrix::archive

#endif
