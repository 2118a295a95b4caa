// The string literals of a C++ source text, comments skipped: what a scan
// for user-visible wording looks at.
#ifndef KESTRIX_TESTS_DESKTOP_STRING_LITERALS_H
#define KESTRIX_TESTS_DESKTOP_STRING_LITERALS_H

#include <string>
#include <string_view>
#include <vector>

namespace kestrix::test {

struct StringLiteral {
    std::string text;  // as written, escapes not undone
    int line = 0;
};

std::vector<StringLiteral> stringLiterals(std::string_view source);

} // namespace kestrix::test

#endif
