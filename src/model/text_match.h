// Free-text matching for the search field: every term must occur in the
// lower-cased name.
#ifndef KESTRIX_MODEL_TEXT_MATCH_H
#define KESTRIX_MODEL_TEXT_MATCH_H

#include "lower_case.h"

#include <string>
#include <string_view>
#include <vector>

namespace kestrix {

// The text trimmed of blanks (spaces, tabs, line breaks), lower-cased and
// split at every blank, without empty pieces. No terms means no search.
std::vector<std::string> searchTerms(std::string_view text);

// Tests names against a set of terms, lower-casing each name once into a
// reused buffer. Not shared between threads.
class TermMatcher {
public:
    explicit TermMatcher(std::vector<std::string> terms) : terms_(std::move(terms)) {}
    explicit TermMatcher(std::string_view searchText) : TermMatcher(searchTerms(searchText)) {}

    // True when there is nothing to search for.
    bool empty() const { return terms_.empty(); }
    // True when the lower-cased name contains every term.
    bool matches(std::string_view name) const;

private:
    std::vector<std::string> terms_;
    mutable std::string lowered_;
};

} // namespace kestrix

#endif
