#include "test_helpers.h"
#include "track_blocks.h"

#include <gtest/gtest.h>

using namespace ptxw;
using namespace ptxtest;
using namespace std::string_literals;

namespace {

// A 0x2015 block with the counted text at offset+at and `tail` bytes after it.
Block commentAt(size_t at, std::string_view text, size_t tail = 5)
{
    Block b(0x2015);
    b.at(at).counted(text).zeros(tail);
    return b;
}

// The comment a single track gets from one settings record with `children`.
std::string commentFrom(const std::vector<Block> &children)
{
    SessionPtr s = openSession(sessionWith({trackBlock({"A", 0, 0, 1}), trackSettingsBlock({trackSettingsRecord(1, children)})}));
    return s ? ptx_track_comment(s.get(), 0) : "<no session>";
}

} // namespace

TEST(Comments, CountedTextNearTheBlockStartInPrintableUtf8)
{
    // Read whole: any script in UTF-8, tabs and line breaks, up to 9999 bytes.
    for (const std::string &text : {"Take 3, tab\there\r\nnext line"s, std::string(9999, 'c'), "Müller sagt"s,
                                    "Řeč, łódź, ő"s, "日本語のコメント"s, "Ճամփա"s, "🎬 take 3"s, "non\xC2\xA0" "break"s})
        EXPECT_EQ(commentFrom({commentBlock(text)}), text);
    // Not read: too long, empty, control bytes, bytes that are not UTF-8.
    for (const std::string &text : {std::string(10000, 'c'), ""s, "bell\a"s, "Latin-1 M\xFCller"s, "cut \xE6\x97"s,
                                    "overlong \xC0\xAF"s, "overlong \xF0\x8F\xBF\xBF"s, "surrogate \xED\xA0\x80"s,
                                    "C1 \xC2\x85 control"s, "beyond \xF4\x90\x80\x80"s})
        EXPECT_EQ(commentFrom({commentBlock(text)}), "") << text;
    EXPECT_EQ(commentFrom({commentAt(44, "last start")}), "last start");
    EXPECT_EQ(commentFrom({commentAt(45, "too far")}), "");
    // The length must start more than 5 bytes before the block's end.
    EXPECT_EQ(commentFrom({commentAt(23, "x", 1)}), "x");
    EXPECT_EQ(commentFrom({commentAt(23, "x", 0)}), "");
    Block lengthOnly(0x2015);
    lengthOnly.at(23).u32(3).bytes("ab");  // three bytes announced, two in the block
    EXPECT_EQ(commentFrom({lengthOnly, commentBlock("second block")}), "");
}

TEST(Comments, FirstBlockInDepthFirstOrderAndFirstRecordWins)
{
    Block inner(0x3000);
    inner.at(2).zeros(2).child(commentBlock("deep"));
    EXPECT_EQ(commentFrom({inner, commentBlock("shallow")}), "deep");

    SessionPtr s = openSession(sessionWith({
        trackBlock({"A", 0, 0, 1}),
        trackSettingsBlock({
            trackSettingsRecord(1, {commentBlock("bad\x01")}),
            trackSettingsRecord(1, {commentBlock("kept")}, 0x2620),
            trackSettingsRecord(1, {commentBlock("later")}, 0x2621),
        }),
    }));
    ASSERT_TRUE(s);
    EXPECT_STREQ(ptx_track_comment(s.get(), 0), "kept");
}

// Settings blocks nested 30 000 deep, each holding one record for the same
// track and no comment: every record is searched, and a search that starts
// over for each record takes minutes instead of a moment.
TEST(Comments, DeeplyNestedRecordsAreSearchedOnce)
{
    constexpr size_t kDepth = 30000;
    constexpr size_t kLevel = 9 + 9 + 12 + 12;  // settings header, record header, identifier, padding
    const size_t total = kDepth * kLevel;
    Bytes chain;
    chain.reserve(total);
    for (size_t at = 0; at < total; at += kLevel) {
        // Each header's size reaches to the end of the chain.
        appendHeader(chain, uint32_t(total - at - 7), 0x2624);
        appendHeader(chain, uint32_t(total - at - 9 - 7), 0x261c);
        chain.insert(chain.end(), {'*', 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0});  // identifier 1
        chain.resize(at + kLevel, 0);
    }
    SessionFile file = sessionWith({trackBlock({"A", 0, 0, 1, 0})});
    file.bytes(chain);
    SessionPtr s = openSession(file);
    ASSERT_TRUE(s);
    EXPECT_STREQ(ptx_track_comment(s.get(), 0), "");
}
