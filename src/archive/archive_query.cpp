#include "archive_query.h"

#include <algorithm>
#include <cctype>

namespace kestrix::archive {

namespace {

bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v'; }

// A byte that can be part of a token: ASCII letters and digits, and every
// byte of a non-ASCII character.
bool isTokenByte(char c) { return std::isalnum(static_cast<unsigned char>(c)) || static_cast<unsigned char>(c) >= 0x80; }

// "track:" and its siblings at `pos`, case-insensitive; returns the kind and
// moves `pos` past the colon.
std::optional<NameKind> takeKindPrefix(std::string_view text, size_t &pos)
{
    const size_t colon = text.find(':', pos);
    if (colon == std::string_view::npos || colon == pos || colon - pos > 8)
        return std::nullopt;
    std::string word(text.substr(pos, colon - pos));
    std::transform(word.begin(), word.end(), word.begin(), [](char c) { return char(std::tolower(static_cast<unsigned char>(c))); });
    const auto kind = nameKindFromText(word);
    if (kind)
        pos = colon + 1;
    return kind;
}

} // namespace

std::vector<QueryTerm> parseQuery(std::string_view text)
{
    std::vector<QueryTerm> terms;
    size_t pos = 0;
    while (pos < text.size()) {
        if (isSpace(text[pos])) {
            ++pos;
            continue;
        }
        QueryTerm term;
        term.kind = takeKindPrefix(text, pos);
        if (pos < text.size() && text[pos] == '"') {
            const size_t close = text.find('"', pos + 1);
            const size_t end = close == std::string_view::npos ? text.size() : close;
            term.text = std::string(text.substr(pos + 1, end - pos - 1));
            term.phrase = true;
            pos = close == std::string_view::npos ? text.size() : close + 1;
        } else {
            const size_t start = pos;
            while (pos < text.size() && !isSpace(text[pos]))
                ++pos;
            term.text = std::string(text.substr(start, pos - start));
        }
        if (std::any_of(term.text.begin(), term.text.end(), isTokenByte))
            terms.push_back(std::move(term));
    }
    return terms;
}

namespace {

std::string quoted(std::string_view text)
{
    std::string out = "\"";
    for (char c : text) {
        out += c;
        if (c == '"')
            out += '"';
    }
    return out + "\"";
}

// The match restricted to the term's kind of name; an audio file's path
// counts as part of its name.
std::string scoped(const QueryTerm &term, const std::string &match)
{
    if (!term.kind)
        return match;
    const std::string columns = *term.kind == NameKind::file ? "file path" : std::string(nameKindText(*term.kind));
    return "{" + columns + "} : " + match;
}

} // namespace

std::string ftsExpression(const QueryTerm &term) { return scoped(term, quoted(term.text) + (term.phrase ? "" : "*")); }

std::string ftsExpression(const QueryTerm &term, const std::string &head, const std::vector<std::string> &completions)
{
    std::string any;
    for (const std::string &completion : completions)
        any += (any.empty() ? "(" : " OR ") + quoted(head + completion);
    return scoped(term, any + ")");
}

} // namespace kestrix::archive
