// Prepares a text from a session file for one line of a table cell: valid
// UTF-8, control characters as spaces, and no longer than any cell can show.
#ifndef KESTRIX_REPORT_UTF8_CELL_TEXT_H
#define KESTRIX_REPORT_UTF8_CELL_TEXT_H

#include <string>
#include <string_view>

namespace kestrix::report {

// The widest cell (540 points) shows far fewer characters than this, so the
// rest of a longer text never reaches the shaper.
inline constexpr size_t kMaxCellCharacters = 400;

struct CellText {
    std::string utf8;
    // Every character is one the main font's glyphs show as they are: no
    // script that needs shaping, no combining marks, no emoji.
    bool plain = true;
};

// Invalid sequences become U+FFFD; tabs, line breaks and other control
// characters become spaces; the text is cut after kMaxCellCharacters.
CellText cellText(std::string_view text);

} // namespace kestrix::report

#endif
