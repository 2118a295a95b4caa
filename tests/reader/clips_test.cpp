#include "media_blocks.h"
#include "test_helpers.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace ptxw;
using ptxtest::openSession;
using ptxtest::sessionWith;

namespace {

// Each clip as "name file-index offset length".
std::vector<std::string> clipsOf(const SessionFile &file)
{
    ptxtest::SessionPtr s = openSession(file);
    return ptxtest::rows(ptx_clip_count(s.get()), [&](int c) {
        return ptxtest::joined(" ", ptx_clip_name(s.get(), c), ptx_clip_file_index(s.get(), c),
                               ptx_clip_sample_offset(s.get(), c), ptx_clip_sample_length(s.get(), c));
    });
}

} // namespace

TEST(Clips, WidthNibblesSayHowManyBytesTheOffsetAndLengthTake)
{
    // A second 0x2628 child after the first one's index is not the source.
    Block twoSources = clipBlock({.name = "Doubled", .sampleOffset = 1, .sampleLength = 2, .fileIndex = 3});
    twoSources.child(Block(0x2628)).u32le(9);
    Block list = clipListBlock({
        {.name = "Kick", .sampleOffset = 0x0102030405, .sampleLength = 48000, .fileIndex = 2},
        {.name = "Snare", .sampleOffset = 0x11223344, .sampleLength = 0x556677,
         .offsetWidth = 0x40, .lengthWidth = 0x30, .fileIndex = 0},
        {.name = "Hat", .sampleOffset = 7, .sampleLength = 0x0a0b,
         .offsetWidth = 0x1f, .lengthWidth = 0x2c, .fileIndex = 1},
        {.name = "Silence", .sampleLength = 300, .offsetWidth = 0x0f, .lengthWidth = 0x20},
        {.name = "Long", .sampleOffset = 0x0807060504030201, .sampleLength = 5,
         .offsetWidth = 0x80, .lengthWidth = 0x10, .fileIndex = 4},
    });
    list.child(twoSources);
    const Block later = clipListBlock({{.name = "Later", .sampleOffset = 10, .sampleLength = 20, .fileIndex = 5}});

    const std::vector<std::string> expected = {
        "Kick 2 " + std::to_string(0x0102030405) + " 48000", "Snare 0 " + std::to_string(0x11223344) + " " + std::to_string(0x556677),
        "Hat 1 7 " + std::to_string(0x0a0b),                 "Silence -1 0 300",
        "Long 4 " + std::to_string(0x0807060504030201) + " 5", "Doubled 3 1 2", "Later 5 10 20",
    };
    for (bool bigEndian : {false, true}) {
        SCOPED_TRACE(bigEndian ? "big-endian" : "little-endian");
        EXPECT_EQ(clipsOf(sessionWith({list, later}, bigEndian)), expected);
    }
}

TEST(Clips, ClipsThatDoNotFitAreSkipped)
{
    Block nameOnly(0x2629);  // the name fits, the width bytes do not
    nameOnly.at(11).counted("Short").zeros(3);
    Block list = clipListBlock({{.name = ""}, {.name = std::string(501, 'x')},
                                {.name = std::string(500, 'n'), .sampleLength = 1}, {.name = "Ok", .sampleLength = 2}});
    list.child(nameOnly);
    // The widths claim 30 bytes of values, but the file ends two bytes on.
    Block cut = clipBlock({.name = "Cut", .sampleOffset = 1, .sampleLength = 1, .offsetWidth = 0x10, .lengthWidth = 0x10});
    cut.at(3 + 16).u8(0xf0).u8(0xf0);
    Block cutList(0x262a);
    cutList.child(cut);
    EXPECT_EQ(clipsOf(sessionWith({list, cutList})),
              (std::vector<std::string>{std::string(500, 'n') + " -1 0 1", "Ok -1 0 2"}));

    // The source child ends the file: there is no room for the index.
    Block noRoom = clipBlock({.name = "NoRoom", .sampleLength = 4});
    noRoom.child(Block(0x2628));
    Block noRoomList(0x262a);
    noRoomList.child(noRoom);
    EXPECT_EQ(clipsOf(sessionWith({noRoomList})), std::vector<std::string>{"NoRoom -1 0 4"});
}
