// The query language of the archive search, turned into FTS5 expressions.
//
// Words match as prefixes, all words must match somewhere in a session, double
// quotes make a phrase, and "track:", "clip:", "file:", "plugin:", "marker:"
// and "comment:" restrict the following word or phrase to one kind of name.
// Every user text is a valid query: each word is passed to FTS5 as a quoted
// string, so nothing the user types is read as FTS5 or SQL syntax.
#ifndef KESTRIX_ARCHIVE_QUERY_H
#define KESTRIX_ARCHIVE_QUERY_H

#include "archive_types.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kestrix::archive {

struct QueryTerm {
    std::optional<NameKind> kind;
    std::string text;
    bool phrase = false;
    bool operator==(const QueryTerm &) const = default;
};

// The terms of a user's query. Terms without a letter or digit are dropped
// (they would match every name, or none, depending on FTS5's mood); an empty
// result means the query can match nothing.
std::vector<QueryTerm> parseQuery(std::string_view text);

// The FTS5 MATCH expression of one term.
std::string ftsExpression(const QueryTerm &term);
// The same for a word whose last token stands for the `completions` and
// whose tokens before it are `head` (each followed by a space): a phrase per
// completion, any of which matches.
std::string ftsExpression(const QueryTerm &term, const std::string &head, const std::vector<std::string> &completions);

} // namespace kestrix::archive

#endif
