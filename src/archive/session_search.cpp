#include "session_search.h"

#include "completed_query.h"
#include "session_text.h"
#include "sqlite_connection.h"
#include "sqlite_statement.h"

#include <sqlite3.h>

#include <algorithm>
#include <functional>
#include <optional>
#include <span>
#include <string_view>
#include <thread>
#include <unordered_set>

namespace kestrix::archive {

namespace {

constexpr unsigned kMostParts = 4;

} // namespace

// A session holding all terms: its row, the stamp of the file it was read
// from, its path (in its part's path arena) and where its matched names lie
// in its part's list.
struct SessionSearch::Candidate {
    Part *part;
    int64_t id;
    int64_t size;
    int64_t modified;
    size_t pathAt;
    size_t pathSize;
    size_t firstRef;
    size_t refCount;

    std::string_view path() const;
};

// One range of session ids, read on one connection in one snapshot: the
// sessions found, then the names of those shown. Its lists are kept from one
// search to the next so that they are not grown again at every keystroke.
struct SessionSearch::Part {
    sqlite3 *db = nullptr;
    bool ownsDb = false;
    std::optional<ReadTransaction> snapshot;
    std::unique_ptr<Statement> completions;
    std::unique_ptr<Statement> sessions;
    std::unique_ptr<Statement> name;
    std::unique_ptr<Statement> text;
    MatchedNames matched;
    std::vector<Candidate> candidates;
    std::string paths;
    std::vector<size_t> best;  // a min-heap of the match counts of the best sessions so far

    ~Part()
    {
        snapshot.reset();
        completions.reset();  // the statements before their connection
        sessions.reset();
        name.reset();
        text.reset();
        if (ownsDb)
            sqlite3_close(db);
    }

    // Only the `keep` best sessions are wanted (0: all): a session that
    // `keep` others found before it already beat is not kept.
    void gather(const CompletedQuery &query, int64_t from, int64_t to, size_t keep)
    {
        matched.refs.clear();
        matched.atLeast = 0;
        matched.matchesOf.reset();
        candidates.clear();
        paths.clear();
        best.clear();
        snapshot.emplace(db);
        const std::string expression = query.expression(
            [this](const std::string &prefix, size_t most) { return termsWithPrefix(prefix, most); });
        if (!sessions)
            sessions = std::make_unique<Statement>(
                db, "SELECT s.id, s.path, s.size, s.modified, match_names(session_text, s.bounds, ?2)"
                    " FROM session_text JOIN sessions AS s ON s.id = session_text.rowid"
                    " WHERE session_text MATCH ?1 AND session_text.rowid BETWEEN ?3 AND ?4"
                    " AND may_show(session_text, ?2)");
        Statement &rows = *sessions;
        rows.bind(1, expression).bindPointer(2, &matched, kMatchedNamesType).bind(3, from).bind(4, to);
        while (rows.step()) {
            const auto count = size_t(rows.integer(4));
            if (keep > 0) {
                best.push_back(count);
                std::push_heap(best.begin(), best.end(), std::greater<>());
                if (best.size() > keep) {
                    std::pop_heap(best.begin(), best.end(), std::greater<>());
                    best.pop_back();
                }
                if (best.size() == keep)
                    matched.atLeast = best.front();
            }
            const std::string_view path = rows.textView(1);
            candidates.push_back({this, rows.integer(0), rows.integer(2), rows.integer(3), paths.size(), path.size(),
                                  matched.refs.size() - count, count});
            paths += path;
        }
        rows.reset();
    }

    // The index's terms that start with `prefix`, in this part's snapshot.
    std::vector<std::string> termsWithPrefix(const std::string &prefix, size_t most)
    {
        // Terms compare byte by byte: those with the prefix lie below the
        // prefix with its last byte raised.
        std::string end = prefix;
        if (end.empty() || static_cast<unsigned char>(end.back()) == 0xFF)
            return {};
        end.back() = char(static_cast<unsigned char>(end.back()) + 1);
        if (!completions)
            completions = std::make_unique<Statement>(
                db, "SELECT term FROM terms WHERE term >= ?1 AND term < ?2 ORDER BY term LIMIT ?3");
        completions->bind(1, prefix).bind(2, end).bind(3, int64_t(most));
        std::vector<std::string> terms;
        while (completions->step())
            terms.push_back(completions->text(0));
        completions->reset();
        return terms;
    }

    // The session's name and its matching names, read in this part's
    // snapshot, which holds the row the candidate was found in unless the
    // file was indexed again in between: false then, and nothing is filled.
    // FTS5 reads a row whole whichever columns are asked for, so all are
    // read at once.
    bool fill(const Candidate &c, SessionHit &hit)
    {
        if (!name)
            name = std::make_unique<Statement>(
                db, "SELECT name FROM sessions WHERE id = ?1 AND path = ?2 AND size = ?3 AND modified = ?4");
        name->bind(1, c.id).bind(2, c.path()).bind(3, c.size).bind(4, c.modified);
        const bool same = name->step();
        if (same)
            hit.sessionName = name->text(0);
        name->reset();
        if (!same)
            return false;
        hit.path = std::string(c.path());
        if (!text) {
            std::string columns;
            for (const char *column : kTextColumnNames)
                columns += (columns.empty() ? "" : ", ") + std::string(column);
            text = std::make_unique<Statement>(db, "SELECT " + columns + " FROM session_text WHERE rowid = ?");
        }
        text->bind(1, c.id);
        if (text->step()) {
            // Refs are sorted by column; the matches are listed kind by kind.
            const std::span<const NameRef> refs(c.part->matched.refs.data() + c.firstRef, c.refCount);
            for (int kind = 0; kind < kNameKindCount; ++kind) {
                const auto column = uint32_t(textColumnOf(NameKind(kind)));
                const auto [begin, end] = std::equal_range(refs.begin(), refs.end(), NameRef{column, 0},
                                                           [](const NameRef &a, const NameRef &b) { return a.column < b.column; });
                if (begin != end)
                    appendNames(text->textView(int(column)), {begin, end}, NameKind(kind), hit.matches);
            }
        }
        text->reset();
        return true;
    }

    // Ends the snapshot and leaves no statement running.
    void finish()
    {
        for (Statement *statement : {completions.get(), sessions.get(), name.get(), text.get()})
            if (statement)
                statement->reset();
        snapshot.reset();
    }
};

std::string_view SessionSearch::Candidate::path() const { return std::string_view(part->paths).substr(pathAt, pathSize); }

SessionSearch::SessionSearch(sqlite3 *db, std::string path) : db_(db), path_(std::move(path)) {}

SessionSearch::~SessionSearch() = default;

std::vector<SessionHit> SessionSearch::run(const std::vector<QueryTerm> &terms, size_t limit)
{
    if (!tokenizer_)
        tokenizer_ = std::make_unique<Tokenizer>(db_);
    const CompletedQuery query(terms, *tokenizer_);
    // The id range, split evenly: ids are handed out in order, so each part
    // gets about as many sessions.
    int64_t low = 0, high = 0;
    if (!range_)
        range_ = std::make_unique<Statement>(db_, "SELECT (SELECT min(id) FROM sessions), (SELECT max(id) FROM sessions)");
    if (range_->step()) {
        low = range_->integer(0);
        high = range_->integer(1);
    }
    range_->reset();
    // Inside a transaction of its own connection the search must see what
    // that transaction wrote, which other connections cannot: one part then.
    const unsigned cores = sqlite3_get_autocommit(db_)
                               ? std::clamp(std::thread::hardware_concurrency(), 1u, kMostParts)
                               : 1u;
    size_t count = size_t(std::clamp<int64_t>(high - low + 1, 1, cores));
    while (parts_.size() < count) {
        auto part = std::make_unique<Part>();
        if (parts_.empty()) {
            part->db = db_;
        } else {
            try {
                part->db = openIndexConnection(path_, false, true);
                part->ownsDb = true;
            } catch (const ArchiveError &) {
                count = parts_.size();  // fewer parts, as many as could be opened
                break;
            }
        }
        parts_.push_back(std::move(part));
    }
    const int64_t span = (high - low + 1) / int64_t(count);
    const auto from = [&](size_t p) { return low + span * int64_t(p); };
    const auto to = [&](size_t p) { return p + 1 == count ? high : from(p + 1) - 1; };

    struct Finish {
        std::span<std::unique_ptr<Part>> parts;
        ~Finish()
        {
            for (auto &part : parts)
                part->finish();
        }
    } finish{std::span(parts_).first(count)};
    std::vector<Candidate *> shown;
    for (size_t keep = limit;; keep = 0) {
        workers_.run(count, [&](size_t p) { parts_[p]->gather(query, from(p), to(p), keep); });

        std::vector<Candidate> &all = ranked_;
        all.clear();
        for (const auto &part : finish.parts)
            all.insert(all.end(), part->candidates.begin(), part->candidates.end());
        const auto before = [](const Candidate &a, const Candidate &b) {
            return a.refCount != b.refCount ? a.refCount > b.refCount : a.path() < b.path();
        };
        const size_t wanted = limit > 0 ? std::min(limit, all.size()) : all.size();
        std::partial_sort(all.begin(), all.begin() + ptrdiff_t(wanted), all.end(), before);
        // The parts' snapshots are taken one after another: a session that
        // another process indexed again in between can be in two parts under
        // two ids. It is shown once, and a part's copy may have kept out one
        // that would now be shown: the parts then gather again, keeping all.
        shown.clear();
        bool twice = false;
        std::unordered_set<std::string_view> shownPaths;
        for (size_t i = 0; i < all.size() && shown.size() < wanted; ++i) {
            if (i == wanted)
                std::sort(all.begin() + ptrdiff_t(i), all.end(), before);
            if (shownPaths.insert(all[i].path()).second)
                shown.push_back(&all[i]);
            else
                twice = true;
        }
        if (!twice || keep == 0)
            break;
    }

    // The shown sessions are dealt out to the parts whichever found them:
    // the first ones by path often lie in one part. One indexed again since
    // its part's snapshot is filled by that part afterwards.
    std::vector<SessionHit> hits(shown.size());
    std::vector<std::vector<size_t>> left(count);
    workers_.run(count, [&](size_t p) {
        for (size_t i = p; i < shown.size(); i += count)
            if (!parts_[p]->fill(*shown[i], hits[i]))
                left[p].push_back(i);
    });
    for (const std::vector<size_t> &indices : left)
        for (size_t i : indices)
            shown[i]->part->fill(*shown[i], hits[i]);
    return hits;
}

} // namespace kestrix::archive
