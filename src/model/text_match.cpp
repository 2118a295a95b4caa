#include "text_match.h"

namespace kestrix {

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

// The lower-case form of the two-byte UTF-8 capital lead, second (both
// unsigned), or false when it is not one of the capitals handled here.
bool lowerTwoByte(unsigned char &lead, unsigned char &second)
{
    if (lead == 0xC3 && second >= 0x80 && second <= 0x9E && second != 0x97) {  // À..Þ except ×
        second += 0x20;
        return true;
    }
    if (lead == 0xCE && second >= 0x91 && second <= 0xA9 && second != 0xA2) {  // Α..Ω
        if (second <= 0x9F)
            second += 0x20;
        else {
            lead = 0xCF;
            second -= 0x20;
        }
        return true;
    }
    if (lead == 0xD0 && second >= 0x80 && second <= 0xAF) {  // Ѐ..Џ, А..Я
        if (second <= 0x8F) {
            lead = 0xD1;
            second += 0x10;
        } else if (second <= 0x9F) {
            second += 0x20;
        } else {
            lead = 0xD1;
            second -= 0x20;
        }
        return true;
    }
    return false;
}

} // namespace

void appendLowerCase(std::string_view text, std::string &out)
{
    for (size_t i = 0; i < text.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        if (c >= 'A' && c <= 'Z') {
            out += char(c + ('a' - 'A'));
            continue;
        }
        if (c >= 0xC0 && i + 1 < text.size()) {
            unsigned char second = static_cast<unsigned char>(text[i + 1]);
            if (lowerTwoByte(c, second)) {
                out += char(c);
                out += char(second);
                ++i;
                continue;
            }
        }
        out += char(c);
    }
}

std::string lowerCase(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    appendLowerCase(text, out);
    return out;
}

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
