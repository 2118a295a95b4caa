// The media lists: audio files with their folders, clips and clip groups.
#include "media_blocks.h"
#include "test_helpers.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace ptxw;
using ptxtest::openSession;
using ptxtest::sessionWith;

namespace {

// Each file as "name|path|type tag|unhandled".
std::vector<std::string> audioFilesOf(const SessionFile &file)
{
    ptxtest::SessionPtr s = openSession(file);
    return ptxtest::rows(ptx_audio_file_count(s.get()), [&](int f) {
        return ptxtest::joined("|", ptx_audio_file_name(s.get(), f), ptx_audio_file_path(s.get(), f),
                               ptx_audio_file_type_tag(s.get(), f), ptx_audio_file_unhandled(s.get(), f));
    });
}

std::vector<std::string> pathsOf(const SessionFile &file)
{
    ptxtest::SessionPtr s = openSession(file);
    return ptxtest::rows(ptx_audio_file_count(s.get()), [&](int f) { return ptx_audio_file_path(s.get(), f); });
}

// Each clip as "name file-index offset length".
std::vector<std::string> clipsOf(const SessionFile &file)
{
    ptxtest::SessionPtr s = openSession(file);
    return ptxtest::rows(ptx_clip_count(s.get()), [&](int c) {
        return ptxtest::joined(" ", ptx_clip_name(s.get(), c), ptx_clip_file_index(s.get(), c),
                               ptx_clip_sample_offset(s.get(), c), ptx_clip_sample_length(s.get(), c));
    });
}

// Each group as "<name>: <clip>@<offset> ...".
std::vector<std::string> groupsOf(const SessionFile &file)
{
    ptxtest::SessionPtr s = openSession(file);
    return ptxtest::rows(ptx_clip_group_count(s.get()), [&](int g) {
        std::string group = std::string(ptx_clip_group_name(s.get(), g)) + ":";
        for (int m = 0; m < ptx_clip_group_member_count(s.get(), g); ++m)
            group += " " + ptxtest::joined("@", ptx_clip_group_member_clip(s.get(), g, m),
                                           ptx_clip_group_member_offset(s.get(), g, m));
        return group;
    });
}

Block container(uint16_t contentType, const std::vector<Block> &children)
{
    Block b(contentType);
    for (const Block &child : children)
        b.child(child);
    return b;
}

constexpr uint64_t kBias = 1'000'000'000'000;
constexpr uint64_t kLargest5Bytes = (uint64_t(1) << 40) - 1;

} // namespace

TEST(AudioFiles, FilesTakeTheirFolderFromTheEntriesAroundThem)
{
    const Block list = audioFileListBlock(
        {
            folderEntry("Audio Files"),
            fileEntry("Kick.wav"),                  // right after a folder
            fileEntry("Snare.wav"),                 // same folder as the file before
            folderEntry("Bounces"),
            fileEntry("Mix.grp.wav"),               // group files are not listed
            fileEntry("Mix.wav"),                   // not right after a folder any more
            fileEntry("Vox.aif", "AIFF", 2, 3),     // linked to folder 3
            fileEntry("Pad.wav", "WAVE", 2, 1),     // a link to a file is ignored
            fileEntry("Bass.wav", "WAVE", 2, 40),   // and so is one beyond the list
            folderEntry(std::string("\0", 1)),      // names are kept as stored: a NUL
            fileEntry("Loop.wav"),                  // ends the path text handed out
            fileEntry(std::string("\0x", 2)),       // and a NUL-led name is still listed
        },
        0);
    const Block second = audioFileListBlock({fileEntry("Loose.wav")}, 0);

    for (bool bigEndian : {false, true}) {
        SCOPED_TRACE(bigEndian ? "big-endian" : "little-endian");
        EXPECT_EQ(pathsOf(sessionWith({list, second}, bigEndian)),
                  (std::vector<std::string>{"/Audio Files/Kick.wav", "/Audio Files/Snare.wav",
                                            "/Audio Files/Mix.wav", "/Bounces/Vox.aif", "/Bounces/Pad.wav",
                                            "/Bounces/Bass.wav", "/", "/", "/Loose.wav"}));
    }
}

TEST(AudioFiles, FoldersAreStoredAtTheLocationTheyAreAnchoredTo)
{
    const Block anchored = audioFileListBlock(
        {
            folderEntry("Audio Files"),               // 0: at the base
            fileEntry("A.wav"),                       // 1
            fileEntry("Ext.wav", "WAVE", 1, 8),       // 2: the next folder is at 8
            fileEntry("Far.wav", "WAVE", 1, 0x80000009),  // 3: top bit set, no anchor
            folderEntry("Imported"),                  // 4: at 8
            fileEntry("B.wav"),                       // 5
            folderEntry("Other"),                     // 6: back at the base
            fileEntry("C.wav"),                       // 7
            locationEntry("Macintosh HD"),            // 8
            locationEntry("Backup"),                  // 9
            folderEntry("Sessions"),                  // 10
            folderEntry("Song"),                      // 11
            fileEntry("Stray.wav"),                   // 12: after the locations, not listed
        },
        11);
    EXPECT_EQ(pathsOf(sessionWith({anchored})),
              (std::vector<std::string>{"/Backup/Sessions/Song/Audio Files/A.wav",
                                        "/Backup/Sessions/Song/Audio Files/Ext.wav",
                                        "/Backup/Sessions/Song/Audio Files/Far.wav",
                                        "/Macintosh HD/Imported/B.wav", "/Backup/Sessions/Song/Other/C.wav"}));

    // Anchors without a location component at or before them, or beyond the
    // list, add no prefix.
    const Block unanchored = audioFileListBlock(
        {folderEntry("F"), fileEntry("x.wav"), fileEntry("y.wav", "WAVE", 1, 99), folderEntry("G"),
         fileEntry("z.wav"), locationEntry("Vol")},
        0);
    EXPECT_EQ(pathsOf(sessionWith({unanchored})),
              (std::vector<std::string>{"/F/x.wav", "/F/y.wav", "/G/z.wav"}));
}

TEST(AudioFiles, TypeTagsAreKeptAndUnknownOnesMarked)
{
    const Block list = audioFileListBlock(
        {fileEntry("a", "WAVE"), fileEntry("b", "EVAW"), fileEntry("c", "AIFF"), fileEntry("d", "FFIA"),
         fileEntry("e", "fFXM"), fileEntry("f", "MXFf"), fileEntry("g", "mp3 "),
         fileEntry("h", "WAV\x01"),  // not all printable: a location component
         fileEntry("i", "WAVE")},
        0);
    EXPECT_EQ(audioFilesOf(sessionWith({list}, true)),
              (std::vector<std::string>{"a|/a|WAVE|0", "b|/b|EVAW|0", "c|/c|AIFF|0", "d|/d|FFIA|0", "e|/e|fFXM|0",
                                        "f|/f|MXFf|0", "g|/g|mp3 |1"}));
}

TEST(AudioFiles, AListEndsAtItsFirstMalformedEntry)
{
    const std::string longest(500, 'n');
    const Block lengths = audioFileListBlock(
        {fileEntry("ok.wav"), fileEntry(longest), fileEntry(std::string(501, 'x')), fileEntry("after.wav")}, 0);
    const Block startsWithLocation = audioFileListBlock({locationEntry("Vol"), fileEntry("late.wav")}, 0);

    // An entry cut off after its kind byte is still the list's last entry.
    Block withoutLink = audioFileListBlock({folderEntry("F"), fileEntry("A.wav")}, 0);
    withoutLink.counted("Tail.wav").bytes("WAVE").u8(0);
    // Type bytes beyond the end read as zero, which makes this a location
    // component. The block ends the file, so nothing past it may be read.
    Block cutType = audioFileListBlock({folderEntry("G"), fileEntry("B.wav")}, 0);
    cutType.counted("Cut.wav").bytes("WA");

    EXPECT_EQ(pathsOf(sessionWith({lengths, startsWithLocation, withoutLink, cutType})),
              (std::vector<std::string>{"/ok.wav", "/" + longest, "/F/A.wav", "/F/Tail.wav", "/G/B.wav"}));
}

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

TEST(ClipGroups, MemberBlocksFillTheGroupsInTreeOrder)
{
    // The walk does not enter a member block, so the "?" inside the first
    // one belongs to no group.
    Block first = clipGroupMembersBlock({{0, 10}, {1, kBias + 480}});
    first.child(clipGroupMembersBlock({{9, 9}}));
    // A 0x1052 block with another name is walked through, not read.
    Block bass = clipGroupMembersBlock({{7, 7}}, "Bass");
    bass.child(container(0x3002, {clipGroupMembersBlock({{2, kBias - 1}})}));
    // Members under every 0x1050 child; a 13-byte member is too short.
    Block third = clipGroupMembersBlock({{3, kLargest5Bytes}, {4, kBias}});
    Block tooShort(0x104f);
    tooShort.at(4).u32le(6);
    tooShort.at(9).uintle(6, 4);
    third.child(container(0x1050, {groupMemberBlock({5, 5}), tooShort}));

    const Block before = container(0x3001, {first, bass});
    const Block after = container(0x3003, {container(0x3004, {third}), clipGroupMembersBlock({{8, 8}})});
    const std::vector<std::string> expected = {
        "Drums: 0@10 1@480",
        "Keys: 2@" + std::to_string(kBias - 1),
        "FX: 3@" + std::to_string(kLargest5Bytes - kBias) + " 4@0 5@5",
    };
    for (bool bigEndian : {false, true}) {
        SCOPED_TRACE(bigEndian ? "big-endian" : "little-endian");
        EXPECT_EQ(groupsOf(sessionWith({before, after, clipGroupNameBlock("Drums"), clipGroupNameBlock("Keys"),
                                        clipGroupNameBlock("FX")},
                                       bigEndian)),
                  expected);
        // With two names only the first two member blocks are used.
        EXPECT_EQ(groupsOf(sessionWith({before, after, clipGroupNameBlock("Drums"), clipGroupNameBlock("Keys")},
                                       bigEndian)),
                  (std::vector<std::string>{expected[0], expected[1]}));
    }
    EXPECT_TRUE(groupsOf(sessionWith({before, after})).empty());
}

TEST(ClipGroups, NameIsTheFirstNameChildThatFits)
{
    Block empty(0x2628);
    empty.at(2).u32(0);
    Block named(0x2628);
    named.at(2).counted("Strings");
    const Block secondChild = container(0x262b, {empty, named});
    const Block nameless = container(0x262b, {empty});
    const Block longest = clipGroupNameBlock(std::string(256, 'g'));
    const Block tooLong = clipGroupNameBlock(std::string(257, 'x'));
    // Only the count is inside the 0x2628 child; the name after it is still
    // inside the file.
    Block countOnly(0x2628);
    countOnly.at(2).u32(5);
    Block outside(0x262b);
    outside.child(countOnly);
    outside.bytes("Piano");
    // The last name runs past the end of the file.
    Block pastEnd(0x2628);
    pastEnd.at(2).u32(40).bytes("Cut");
    const Block cut = container(0x262b, {pastEnd});

    EXPECT_EQ(groupsOf(sessionWith({secondChild, nameless, longest, tooLong, outside, cut})),
              (std::vector<std::string>{"Strings:", std::string(256, 'g') + ":", "Piano:"}));
}

// The tree, its index and the walk to the members hold no recursion: a
// stack frame per level would overflow here.
TEST(ClipGroups, MembersAndNameAreFoundUnderAVeryDeepTree)
{
    Bytes inner = clipGroupMembersBlock({{4, 44}}).serialize(false);
    const Bytes name = clipGroupNameBlock("Deep").serialize(false);
    inner.insert(inner.end(), name.begin(), name.end());
    SessionFile file;
    file.bytes(ptxtest::nestedDeep(inner, 200000));
    EXPECT_EQ(groupsOf(file), std::vector<std::string>{"Deep: 4@44"});
}
