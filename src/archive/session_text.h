// The full-text row of one session and what FTS5 tells about its matches.
//
// A session is one row of the session_text table: one column per kind of
// name (track, plugin, marker, comment, file, path, clip), the names of a
// column joined by a separator token so that a phrase never runs from one
// name into the next. The path column holds each audio file's folder (its
// path without the name the file column has) at the same position as its
// name in the file column; rows written before hold the whole path, which
// finds the same files. Beside the row the index keeps its name bounds
// (name_bounds.h), so that a match found by FTS5 at a token offset names the
// name it lies in.
#ifndef KESTRIX_ARCHIVE_SESSION_TEXT_H
#define KESTRIX_ARCHIVE_SESSION_TEXT_H

#include "archive_types.h"

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

struct sqlite3;

namespace kestrix::archive {

inline constexpr int kTextColumnCount = 7;
inline constexpr int kFileColumn = 4;
inline constexpr int kPathColumn = 5;
// The columns of session_text, in order.
inline constexpr std::array<const char *, kTextColumnCount> kTextColumnNames = {"track", "plugin", "marker", "comment",
                                                                                "file",  "path",   "clip"};
// The tokenizer of session_text, as written in its CREATE statement.
inline constexpr const char *kTokenizerSql = "unicode61 remove_diacritics 2";

// The column that holds each kind of name.
int textColumnOf(NameKind kind);

struct SessionText {
    std::array<std::string, kTextColumnCount> columns;
    std::string bounds;  // the name bounds, an opaque blob
    int64_t nameCount = 0;
};

// Tokens as session_text's tokenizer sees them, folded as it stores them.
// Bound to one connection. It remembers the terms it has counted, so that
// each new one is handed out once.
class Tokenizer {
public:
    explicit Tokenizer(sqlite3 *db);  // throws ArchiveError
    ~Tokenizer();
    Tokenizer(const Tokenizer &) = delete;
    Tokenizer &operator=(const Tokenizer &) = delete;

    // Counts the text's tokens, noting the terms not met before.
    uint32_t count(std::string_view text);
    // The text's tokens, in order.
    std::vector<std::string> tokens(std::string_view text) const;
    // The terms met for the first time since the last call.
    std::vector<std::string> takeNewTerms();
    // Forgets the terms met: those written in a batch that was rolled back
    // are gone and must be handed out again.
    void forgetTerms();

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

SessionText sessionText(const std::vector<IndexedName> &names, Tokenizer &tokens);


struct NameRef {
    uint32_t column = 0;
    uint32_t index = 0;
    auto operator<=>(const NameRef &) const = default;
};

// Where a match lies: its column and token offset.
struct MatchAt {
    uint32_t column = 0;
    uint32_t offset = 0;
};

// The names one search's matches lie in, gathered row by row into one flat
// list, so that ten thousand matching rows cost no allocation each.
struct MatchedNames {
    std::vector<NameRef> refs;
    // A row with fewer matches than this cannot rank among the sessions
    // shown (each match lies in one name at most).
    size_t atLeast = 0;
    // The functions' own, kept to be reused: the matches of the row
    // `matchesOf` (none: to be gathered), and per column a bit per name.
    std::optional<int64_t> matchesOf;
    std::vector<MatchAt> matches;
    std::array<std::vector<uint64_t>, kTextColumnCount> bits;
};
// The pointer type a MatchedNames is bound with (sqlite3_bind_pointer).
inline constexpr const char *kMatchedNamesType = "kestrix_matched_names";

// Registers two FTS5 functions on the connection, both given a bound
// MatchedNames:
// - may_show(session_text, matched): whether the row has at least `atLeast`
//   matches. In a WHERE clause it keeps a row that cannot be shown from
//   being joined to its session.
// - match_names(session_text, bounds, matched): appends to `refs` the
//   distinct (column, name index) pairs the row's matches lie in, the path
//   column folded into the file column, sorted by column and index, and
//   returns how many it appended.
void registerMatchNames(sqlite3 *db);

// Appends the names of a column's text that `refs` (sorted by index) point at.
void appendNames(std::string_view column, std::span<const NameRef> refs, NameKind kind,
                 std::vector<SessionMatch> &out);

} // namespace kestrix::archive

#endif
