#include "text_match.h"

namespace kestrix {

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

} // namespace

std::vector<std::string> searchTerms(std::string_view text)
{
    std::vector<std::string> terms;
    size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && isBlank(text[i]))
            ++i;
        const size_t start = i;
        while (i < text.size() && !isBlank(text[i]))
            ++i;
        if (i > start)
            terms.push_back(lowerCase(text.substr(start, i - start)));
    }
    return terms;
}

bool TermMatcher::matches(std::string_view name) const
{
    if (terms_.empty())
        return true;
    lowered_.clear();
    appendLowerCase(name, lowered_);
    for (const std::string &term : terms_)
        if (lowered_.find(term) == std::string::npos)
            return false;
    return true;
}

} // namespace kestrix
