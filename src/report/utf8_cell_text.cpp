#include "utf8_cell_text.h"

#include <algorithm>
#include <cstdint>

namespace kestrix::report {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

// Decodes one character at `i` and advances past it; an invalid or
// overlong sequence gives U+FFFD and skips one byte.
char32_t decode(std::string_view s, size_t &i)
{
    const auto byte = [&](size_t k) { return static_cast<uint8_t>(s[k]); };
    const uint8_t lead = byte(i);
    if (lead < 0x80) {
        ++i;
        return lead;
    }
    size_t length = 0;
    char32_t c = 0;
    char32_t least = 0;
    if ((lead & 0xE0) == 0xC0) {
        length = 2, c = lead & 0x1F, least = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, c = lead & 0x0F, least = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, c = lead & 0x07, least = 0x10000;
    }
    if (length == 0 || i + length > s.size()) {
        ++i;
        return kReplacement;
    }
    for (size_t k = 1; k < length; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80) {
            ++i;
            return kReplacement;
        }
        c = (c << 6) | (byte(i + k) & 0x3F);
    }
    if (c < least || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
        ++i;
        return kReplacement;
    }
    i += length;
    return c;
}

void append(std::string &out, char32_t c)
{
    if (c < 0x80) {
        out += char(c);
    } else if (c < 0x800) {
        out += char(0xC0 | (c >> 6));
        out += char(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += char(0xE0 | (c >> 12));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    } else {
        out += char(0xF0 | (c >> 18));
        out += char(0x80 | ((c >> 12) & 0x3F));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    }
}

// Latin, Greek and Cyrillic letters, punctuation, currency signs, letter-like
// symbols and arrows: drawn glyph by glyph, without shaping.
bool isPlain(char32_t c)
{
    return c < 0x0300 || (c >= 0x0370 && c < 0x0483) || (c >= 0x048A && c < 0x0530) ||
           (c >= 0x1E00 && c < 0x2000) || (c >= 0x2010 && c < 0x2060) || (c >= 0x20A0 && c < 0x20C0) ||
           (c >= 0x2100 && c < 0x2200);
}

} // namespace

CellText cellText(std::string_view text)
{
    CellText cell;
    cell.utf8.reserve(std::min(text.size(), kMaxCellCharacters * 4));
    size_t i = 0;
    for (size_t count = 0; i < text.size() && count < kMaxCellCharacters; ++count) {
        char32_t c = decode(text, i);
        if (c < 0x20 || (c >= 0x7F && c < 0xA0))
            c = ' ';
        cell.plain = cell.plain && isPlain(c);
        append(cell.utf8, c);
    }
    return cell;
}

} // namespace kestrix::report
