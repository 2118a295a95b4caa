#include "completed_query.h"

#include "session_text.h"

#include <string_view>

namespace kestrix::archive {

namespace {

size_t characters(std::string_view utf8)
{
    size_t n = 0;
    for (char c : utf8)
        n += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return n;
}

// session_text keeps prefixes of 2 and 3 characters in an index of their
// own, which FTS5 reads directly.
bool inPrefixIndex(std::string_view token)
{
    const size_t n = characters(token);
    return n == 2 || n == 3;
}

} // namespace

CompletedQuery::CompletedQuery(const std::vector<QueryTerm> &terms, const Tokenizer &tokenizer)
{
    for (const QueryTerm &term : terms) {
        Word word{term, {}};
        if (!term.phrase) {
            word.tokens = tokenizer.tokens(term.text);
            if (!word.tokens.empty() && inPrefixIndex(word.tokens.back()))
                word.tokens.clear();
        }
        words_.push_back(std::move(word));
    }
}

std::string CompletedQuery::expression(const TermsWithPrefix &termsWithPrefix) const
{
    std::string expression;
    for (const Word &word : words_) {
        std::string match;
        if (!word.tokens.empty()) {
            // A prefix that stands for no term matches nothing, which FTS5
            // finds out quickly; one that stands for many is left to FTS5.
            const std::vector<std::string> completions = termsWithPrefix(word.tokens.back(), kMostCompletions + 1);
            if (!completions.empty() && completions.size() <= kMostCompletions) {
                std::string head;
                for (size_t t = 0; t + 1 < word.tokens.size(); ++t)
                    head += word.tokens[t] + " ";
                match = ftsExpression(word.term, head, completions);
            }
        }
        if (match.empty())
            match = ftsExpression(word.term);
        expression += (expression.empty() ? "(" : " AND (") + match + ")";
    }
    return expression;
}

} // namespace kestrix::archive
