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
