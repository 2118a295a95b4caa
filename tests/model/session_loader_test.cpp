// Loading real session files, written with the session-file writer.
#include "log.h"
#include "marker_blocks.h"
#include "media_blocks.h"
#include "property_blocks.h"
#include "session_loader.h"
#include "test_helpers.h"
#include "track_blocks.h"

#include <gtest/gtest.h>

using namespace kestrix;
using ptxtest::sessionWith;
using ptxtest::TempFile;

namespace {

PTXSessionInfo load(const ptxw::SessionFile &file)
{
    TempFile temp("Song.ptx");
    EXPECT_TRUE(file.write(temp.path()));
    Result<PTXSessionInfo, PTXError> result = loadSession(temp.path());
    if (!result) {
        ADD_FAILURE() << result.error().description();
        return {};
    }
    return std::move(result).value();
}

// Each clip as "name@position/colour file:offset+length".
std::vector<std::string> placed(const PTXTrackInfo &track)
{
    std::vector<std::string> out;
    for (const PTXClipInfo &c : track.clips)
        out.push_back(c.name + "@" + std::to_string(c.timelinePosition) + "/" + std::to_string(c.colorIndex) + " "
                      + std::to_string(c.sourceFileIndex) + ":" + std::to_string(c.sampleOffset) + "+"
                      + std::to_string(c.sampleLength));
    return out;
}

using Strings = std::vector<std::string>;

// The property texts in the order of the session info, a changing tempo or meter marked so.
Strings propertyTexts(const PTXSessionInfo &i)
{
    return {i.sampleRate,   i.bitDepth,      i.audioFormat,
            i.interleaved,  i.panDepth,      i.frameRate,
            i.sessionStart, i.sessionLength, i.tempo + (i.tempoChanges ? " changing" : ""),
            i.meter + (i.meterChanges ? " changing" : "")};
}

// Each location as "number name".
Strings numbersAndNames(const std::vector<PTXMemoryLocation> &locations)
{
    Strings out;
    for (const PTXMemoryLocation &m : locations)
        out.push_back(std::to_string(m.number) + " " + m.name);
    return out;
}

} // namespace

TEST(SessionLoader, PropertiesBecomeDisplayTexts)
{
    const PTXSessionInfo info = load(sessionWith({
                                         ptxw::sessionFormatBlock(44100, 4, {4, 1, 32}),
                                         ptxw::counterFormatBlock(3),
                                         ptxw::timecodeBlock(4, 108000, ""),
                                         ptxw::tempoMapBlock({{97.5, 0}, {140, 96000}}),
                                         ptxw::meterMapBlock({{0, 6, 8}, {1000, 4, 4}}),
                                     }));
    // Code 4 counts 30 frames per second.
    EXPECT_EQ(propertyTexts(info), (Strings{"44100", "32-bit float", "AIFF", "Yes", "-6.0 dB", "Unknown", "01:00:00:00",
                                            "Unknown", "97.5 BPM changing", "6/8 changing"}));
    EXPECT_EQ(info.mainCounterFormat, 3);

    // A fixed tempo wins over the map.
    const PTXSessionInfo fixed = load(sessionWith({
        ptxw::timecodeBlock(7, 0, "00:01:00:00"),
        ptxw::tempoMapBlock({{97.5, 0}, {140, 96000}}),
        ptxw::fixedTempoBlock(119.88, true),
        ptxw::meterMapBlock({{0, 3, 4}}),
    }));
    EXPECT_EQ(propertyTexts(fixed), (Strings{"Unknown", "Unknown", "Unknown", "Unknown", "Unknown", "30", "00:00:00:00",
                                             "00:01:00:00", "119.9 BPM", "3/4"}));

    // One tempo event is no change; without any property block the defaults show.
    const Strings defaults = {"Unknown", "Unknown",     "Unknown", "Unknown", "Unknown",
                              "30",      "00:00:00:00", "Unknown", "120 BPM", "4/4"};
    EXPECT_EQ(propertyTexts(load(sessionWith({ptxw::tempoMapBlock({{120.0, 0}})}))), defaults);
    EXPECT_EQ(propertyTexts(load(sessionWith({ptxw::counterFormatBlock(1)}))), defaults);
}

TEST(SessionLoader, PlacementsBecomeTheTracksClips)
{
    // The session's own clip list is unplaced.
    std::vector<ptxw::ClipSpec> clips;
    std::vector<PTXClipInfo> unplaced;
    for (int c = 0; c < 8; ++c) {
        const std::string name = "Clip " + std::to_string(c);
        clips.push_back({name, uint64_t(10 * c), uint64_t(1000 + c)});
        unplaced.push_back({name, name, c == 3 ? 1 : -1, uint64_t(10 * c), uint64_t(1000 + c), 0, kNoColorIndex});
    }
    clips[3].fileIndex = 1;
    const PTXSessionInfo info = load(sessionWith({
        ptxw::clipListBlock(clips),
        ptxw::clipGroupMembersBlock({{0, 0}}),
        ptxw::clipGroupMembersBlock({{4, 0}, {99, 10}}),  // the second member is out of range
        ptxw::clipGroupMembersBlock({{5, 0}, {7, 48000}}),
        ptxw::clipGroupNameBlock("G0"),
        ptxw::clipGroupNameBlock("G1"),
        ptxw::clipGroupNameBlock("G2"),
        ptxw::trackBlock({"A", 0, 1}),
        ptxw::trackBlock({"B", 3}),  // 3 names no track type
        ptxw::playlistsBlock({ptxw::playlistBlock("A", {ptxw::placementListBlock({
                                                           {3, 1000, 30, false},
                                                           {2, 96000, 40, true},
                                                           {50, 5, 30, false},  // no clip 50
                                                           {9, 5, 30, true},    // no group 9
                                                           {1, 200000, 41, true},
                                                       })})}),
    }));
    ASSERT_EQ(info.tracks.size(), 2u);
    const PTXTrackInfo &a = info.tracks[0];
    EXPECT_EQ(placed(a), (Strings{"Clip 3@1000/30 1:30+1003", "Clip 5@96000/40 -1:50+1005",
                                  "Clip 7@144000/40 -1:70+1007", "Clip 4@200000/41 -1:40+1004"}));
    EXPECT_EQ(a.type, PTXTrackType::audio);
    EXPECT_EQ(a.format.name, "Stereo");
    EXPECT_FALSE(a.parentName);
    PTXTrackInfo b;
    b.name = "B";
    b.format.name = "Unknown";
    EXPECT_EQ(info.tracks[1], b) << "type unknown, no clips";
    EXPECT_EQ(info.audioTrackCount, 1);
    EXPECT_EQ(info.clipCount, 8);
    EXPECT_EQ(info.clips, unplaced);
}

TEST(SessionLoader, FoldersPluginsFilesAndMemoryLocations)
{
    const ptxw::PluginKey eq = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
    const ptxw::PluginKey comp = {2, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
    ptxw::MemoryLocation three{3, 3, 1, "Chorus", 96000, 0, {{200, 10, 10}}};
    ptxw::MemoryLocation firstOne{1, 1, 2, "Intro", 0, 48000, {}};
    ptxw::MemoryLocation two{2, 0, 8, "Note", 0, 0, {}};
    ptxw::MemoryLocation secondOne{1, 1, 1, "Intro again", 10, 0, {}};
    const PTXSessionInfo info = load(sessionWith({
        ptxw::trackBlock({"Drums", 11, std::nullopt, 1}),
        ptxw::trackBlock({"Kick", 0, 0, 2, 27}),
        ptxw::folderBlock({{1, 1}, {2, 0}}),
        ptxw::pluginDefinitionBlock("EQ", eq),
        ptxw::pluginDefinitionBlock("Comp", comp),
        ptxw::trackSettingsBlock({ptxw::trackSettingsRecord(
            2, {ptxw::insertListBlock({ptxw::pluginSlotBlock(eq, true), ptxw::emptySlotBlock(),
                                       ptxw::pluginSlotBlock(comp, false)}),
                ptxw::commentBlock("Beater side")})}),
        ptxw::audioFileListBlock({ptxw::folderEntry("Audio Files"), ptxw::fileEntry("Kick.wav"),
                                  ptxw::fileEntry("Clip.mov", "MooV")},
                                 0),
        ptxw::memoryLocationBlock(three),
        ptxw::memoryLocationBlock(firstOne),
        ptxw::memoryLocationBlock(two),
        ptxw::memoryLocationBlock(secondOne),
    }));
    ASSERT_EQ(info.tracks.size(), 2u);
    const PTXTrackInfo &drums = info.tracks[0];
    const PTXTrackInfo &kick = info.tracks[1];
    // Folder nesting, colours and file paths: see the model dump of the
    // inspect tool's tests.
    EXPECT_TRUE(drums.isFolder);
    EXPECT_EQ(kick.format.name, "Mono");
    EXPECT_EQ(kick.comment, "Beater side");
    EXPECT_EQ(kick.plugins, (std::vector<PTXTrackPlugin>{{0, "EQ", true}, {2, "Comp", false}}));
    EXPECT_EQ(info.activePlugins, Strings{"EQ"});
    EXPECT_EQ(info.deactivatedPlugins, Strings{"Comp"});

    EXPECT_EQ(info.audioFiles, (std::vector<PTXAudioFile>{{"Kick.wav", "/Audio Files/Kick.wav", "WAVE", false},
                                                          {"Clip.mov", "/Audio Files/Clip.mov", "MooV", true}}));
    // Sorted by number, equal numbers in file order.
    EXPECT_EQ(info.memoryLocations, (std::vector<PTXMemoryLocation>{
                                        {1, 1, "Intro", "selection", 2, 1, 0, 48000, 0, 0, 0},
                                        {1, 1, "Intro again", "marker", 1, 1, 10, 0, 0, 0, 0},
                                        {2, 2, "Note", "none", 8, 0, 0, 0, 0, 0, 0},
                                        {3, 3, "Chorus", "marker", 1, 3, 96000, 0, 200, 10, 10},
                                    }));
    EXPECT_EQ(info.memoryLocations[3].referenceLabel(), "Absolute");
    EXPECT_EQ(info.memoryLocations[1].referenceLabel(), "Bar | Beat");
    EXPECT_EQ(info.memoryLocations[2].referenceLabel(), "") << "no time properties";
}

TEST(SessionLoader, MemoryLocationsSortByNumberKeepingReaderOrderForEqualNumbers)
{
    // Enough locations that an unstable sort would reorder equal numbers.
    ptxw::SessionFile file;
    Strings expected;
    for (int i = 0; i < 60; ++i)
        file.block(ptxw::memoryLocationBlock({.number = uint16_t(5 - i % 5), .name = std::to_string(i)}));
    for (int rest = 4; rest >= 0; --rest)
        for (int i = rest; i < 60; i += 5)
            expected.push_back(std::to_string(5 - rest) + " " + std::to_string(i));
    EXPECT_EQ(numbersAndNames(load(file).memoryLocations), expected);
}

TEST(SessionLoader, SessionNameIsTheFileNameWithoutExtension)
{
    EXPECT_EQ(sessionNameFromPath("/Users/me/Sessions/My Song.v2.ptx"), "My Song.v2");
    EXPECT_EQ(sessionNameFromPath("Mix.ptx"), "Mix");
    EXPECT_EQ(sessionNameFromPath("/a/Mix"), "Mix");
    EXPECT_EQ(sessionNameFromPath("/a/.ptx"), ".ptx") << "a leading dot starts no extension";
}

TEST(SessionLoader, UnreadableFileFailsAndLogsTheReaderText)
{
    std::vector<std::string> lines;
    LogSink previous = setLogSink([&](std::string_view component, std::string_view message) {
        lines.push_back("[" + std::string(component) + "] " + std::string(message));
    });
    const Result<PTXSessionInfo, PTXError> missing = loadSession("/nonexistent/folder/Song.ptx");
    setLogSink(std::move(previous));

    ASSERT_FALSE(missing);
    EXPECT_EQ(missing.error(), PTXError::parseFailed());
    EXPECT_EQ(lines, Strings{"[PTXSession] Parse failed: Failed to parse session"});
    EXPECT_EQ(PTXError::decryptFailed(-3).description(), "Failed to decrypt .ptx file (error -3)");
}
