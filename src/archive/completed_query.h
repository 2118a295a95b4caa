// A query's FTS5 expression with each word's prefix completed to the terms
// of the index it stands for, when they are few.
//
// FTS5 matches a prefix that its prefix index does not hold by first
// gathering the position lists of every term with that prefix over the whole
// index, whatever range of rows is asked for, and every part of a search does
// it again. A phrase per term is matched like any word instead. The terms
// are looked up in the snapshot that is searched, where the index's terms
// table holds every term its rows hold.
#ifndef KESTRIX_ARCHIVE_COMPLETED_QUERY_H
#define KESTRIX_ARCHIVE_COMPLETED_QUERY_H

#include "archive_query.h"

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace kestrix::archive {

class Tokenizer;

// A prefix stands for at most this many terms to be completed.
inline constexpr size_t kMostCompletions = 16;

class CompletedQuery {
public:
    // The index's terms starting with a prefix, in order, at most `most`.
    using TermsWithPrefix = std::function<std::vector<std::string>(const std::string &prefix, size_t most)>;

    CompletedQuery(const std::vector<QueryTerm> &terms, const Tokenizer &tokenizer);

    // The MATCH expression: every term must match.
    std::string expression(const TermsWithPrefix &termsWithPrefix) const;

private:
    struct Word {
        QueryTerm term;
        std::vector<std::string> tokens;  // as the index holds them; empty: not completed
    };
    std::vector<Word> words_;
};

} // namespace kestrix::archive

#endif
