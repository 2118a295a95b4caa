#include "lower_case.h"

#include <unicode/uchar.h>
#include <unicode/ustring.h>
#include <unicode/utf16.h>
#include <unicode/utf8.h>

#include <algorithm>
#include <cstdint>

namespace kestrix {

namespace {

// The longest full lower-case mapping of one code point is three code
// points; room for that in UTF-16 and UTF-8.
constexpr int32_t kMaxLowerUnits = 8;
constexpr int32_t kMaxUtf8Bytes = 4;

// Appends the full lower case of `cp`, or returns false when ICU cannot map it.
bool appendLowerCodePoint(UChar32 cp, std::string &out)
{
    UChar source[2];
    int32_t sourceLength = 0;
    U16_APPEND_UNSAFE(source, sourceLength, cp);
    UChar lower[kMaxLowerUnits];
    UErrorCode status = U_ZERO_ERROR;
    // The root locale: the same mapping whatever the user's language.
    const int32_t lowerLength = u_strToLower(lower, kMaxLowerUnits, source, sourceLength, "root", &status);
    if (U_FAILURE(status) || lowerLength > kMaxLowerUnits)
        return false;
    for (int32_t i = 0; i < lowerLength;) {
        UChar32 c;
        U16_NEXT(lower, i, lowerLength, c);
        char bytes[kMaxUtf8Bytes];
        int32_t length = 0;
        U8_APPEND_UNSAFE(bytes, length, c);
        out.append(bytes, size_t(length));
    }
    return true;
}

} // namespace

void appendLowerCase(std::string_view text, std::string &out)
{
    out.reserve(out.size() + text.size());
    size_t i = 0;
    while (i < text.size()) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (c < 0x80) {
            out += char(c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c);
            ++i;
            continue;
        }
        // Decode one sequence from a window of at most four bytes, so that
        // the offsets stay small whatever the length of the text.
        const char *window = text.data() + i;
        const int32_t windowLength = int32_t(std::min<size_t>(text.size() - i, kMaxUtf8Bytes));
        int32_t length = 0;
        UChar32 cp;
        U8_NEXT(window, length, windowLength, cp);
        const bool changes = cp >= 0 && u_hasBinaryProperty(cp, UCHAR_CHANGES_WHEN_LOWERCASED);
        if (!changes || !appendLowerCodePoint(cp, out))
            out.append(window, size_t(length));
        i += size_t(length);
    }
}

std::string lowerCase(std::string_view text)
{
    std::string out;
    appendLowerCase(text, out);
    return out;
}

} // namespace kestrix
