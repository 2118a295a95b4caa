// Track comments in scripts other than Latin: written as UTF-8, read whole.
#include "test_helpers.h"
#include "track_blocks.h"

#include <gtest/gtest.h>

using namespace ptxw;
using namespace ptxtest;

TEST(CommentText, AnyScriptInUtf8IsReadAndBrokenOrControlBytesAreNot)
{
    const auto commentOf = [](std::string_view text) {
        SessionPtr s = openSession(
            sessionWith({trackBlock({"A", 0, 0, 1}), trackSettingsBlock({trackSettingsRecord(1, {commentBlock(text)})})}));
        return s ? std::string(ptx_track_comment(s.get(), 0)) : "<no session>";
    };
    for (const char *text : {"Müller sagt: zweiter Take", "Řeč, łódź, ő", "日本語のコメント", "Ճամփա", "🎬 take 3",
                             "non\xC2\xA0" "break"})
        EXPECT_EQ(commentOf(text), text);
    for (const char *text : {"Latin-1 M\xFCller", "cut \xE6\x97", "overlong \xC0\xAF", "surrogate \xED\xA0\x80",
                             "C1 \xC2\x85 control", "beyond \xF4\x90\x80\x80"})
        EXPECT_EQ(commentOf(text), "") << text;
}
