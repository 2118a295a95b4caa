// Texts from a session file on their way into a table cell.
#include "utf8_cell_text.h"

#include <gtest/gtest.h>

namespace {

using kestrix::report::cellText;

TEST(CellText, RepairsBoundsAndClassifies)
{
    EXPECT_TRUE(cellText("Caf\u00e9 \u2014 \u0416").plain);
    EXPECT_FALSE(cellText("\u96e8").plain);
    EXPECT_FALSE(cellText("e\u0301").plain);  // a combining accent needs shaping
    EXPECT_FALSE(cellText("\U0001F3B8").plain);
    EXPECT_EQ(cellText("\U0001F3B8").utf8, "\U0001F3B8");

    // Line breaks and tabs stay on the line; broken bytes become U+FFFD.
    EXPECT_EQ(cellText("a\nb\tc").utf8, "a b c");
    EXPECT_EQ(cellText("a\xff" "b").utf8, "a\uFFFDb");
    EXPECT_EQ(cellText("\xc0\xaf").utf8, "\uFFFD\uFFFD");       // overlong "/"
    EXPECT_EQ(cellText("\xed\xa0\x80").utf8, "\uFFFD\uFFFD\uFFFD");  // a lone surrogate
    EXPECT_EQ(cellText("ab\xe6\x97").utf8, "ab\uFFFD\uFFFD");    // cut mid-character

    const std::string huge(100000, 'x');
    EXPECT_EQ(cellText(huge).utf8.size(), kestrix::report::kMaxCellCharacters);
    std::string wide;
    for (int i = 0; i < 1000; ++i)
        wide += "\u96e8";
    EXPECT_EQ(cellText(wide).utf8.size(), kestrix::report::kMaxCellCharacters * 3);
}

} // namespace
