#include "test_helpers.h"
#include "track_blocks.h"

#include <gtest/gtest.h>

using namespace ptxw;
using namespace ptxtest;

namespace {

Block commentFor(TrackIdentifier id, const char *text)
{
    return trackSettingsRecord(id, {commentBlock(text)});
}

// A track "T" whose identifier ends 12 bytes before offset+size-12.
Block trackEndingAt(size_t size, TrackIdentifier id)
{
    Block b(0x251a);
    b.at(4).counted("T");
    b.at(13).bytes(std::string_view("*\0\0\0", 4)).u64le(id);
    b.at(size - 2).u16le(1);
    return b;
}

// Each track as "name|type|format|colour|comment|depth|folder|parent".
std::vector<std::string> tracksOf(const ptx_session *s)
{
    return rows(ptx_track_count(s), [&](int t) {
        return joined("|", ptx_track_name(s, t), ptx_track_type(s, t), ptx_track_format_name(s, t),
                      ptx_track_color_index(s, t), ptx_track_comment(s, t), ptx_track_depth(s, t),
                      ptx_track_is_folder(s, t), ptx_track_parent_name(s, t));
    });
}

} // namespace

TEST(Tracks, ReadFieldsInBothByteOrdersAndFirstTrackOfANameWins)
{
    Block noFormatChild = trackBlock({"NoFmt", 4, std::nullopt, 0x44, 9});
    noFormatChild.at(5 + 63).u8(1);  // a format byte without the 0x4420 child means nothing
    for (bool bigEndian : {false, true}) {
        SCOPED_TRACE(bigEndian ? "big-endian" : "little-endian");
        SessionPtr s = openSession(sessionWith(
            {
                trackBlock({"Lead", 0, 6, 0x0102030405060708ULL, 12}),
                trackBlock({"", 0, 1, 0x55, 1}),
                trackBlock({"Pad", 11, 13, 0x22, 3}),
                trackBlock({"Odd", 12, 20, std::nullopt, 0x1234}),
                noFormatChild,
                trackBlock({"Lead", 3, 2, 0x33, 7}),
                // The duplicate's identifier must not lead to the first "Lead".
                trackSettingsBlock(
                    {commentFor(0x33, "from the duplicate"), commentFor(0x0102030405060708ULL, "first Lead")}),
            },
            bigEndian));
        ASSERT_TRUE(s);
        // The identifier and the colour are always little-endian.
        EXPECT_EQ(tracksOf(s.get()), (std::vector<std::string>{
                                         "Lead|0|5.1|12|first Lead|0|0|",
                                         "Pad|11|7.0|3||0|0|",
                                         "Odd|255|Unknown|4660||0|0|",
                                         "NoFmt|4|Unknown|9||0|0|",
                                     }));
    }
}

TEST(Tracks, IdentifierIsSoughtOnlyNearTheBlockStart)
{
    const std::string longest(76, 'a'), tooLong(77, 'b');
    SessionPtr s = openSession(sessionWith({
        trackBlock({longest, 0, 0, 0x01, 0}),
        trackBlock({tooLong, 0, 0, 0x02, 0}),
        trackSettingsBlock({commentFor(0x01, "reached"), commentFor(0x02, "beyond offset+100")}),
    }));
    ASSERT_TRUE(s);
    EXPECT_STREQ(ptx_track_comment(s.get(), 0), "reached");
    EXPECT_STREQ(ptx_track_comment(s.get(), 1), "");

    // The identifier must end 12 bytes before the block's end.
    for (const auto &[size, expected] : {std::pair<size_t, const char *>{37, "fits"}, {36, ""}}) {
        SessionPtr t = openSession(sessionWith({trackEndingAt(size, 0x07), trackSettingsBlock({commentFor(0x07, "fits")})}));
        ASSERT_TRUE(t);
        EXPECT_STREQ(ptx_track_comment(t.get(), 0), expected) << "block size " << size;
        EXPECT_EQ(ptx_track_color_index(t.get(), 0), 1);
    }
}
