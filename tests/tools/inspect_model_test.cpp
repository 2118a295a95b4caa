// kestrix-inspect's outputs: the model's --json document and plain summary,
// the reader's --reader-json values, and the error of a file it cannot read.
#include "marker_blocks.h"
#include "media_blocks.h"
#include "property_blocks.h"
#include "session_writer.h"
#include "track_blocks.h"
#include "inspect_runner.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace {

using inspecttest::inspect;
using inspecttest::InspectRun;
using inspecttest::tempPath;

// Two folders of tracks, a stereo pair of files and clips, a group
// placement, plug-ins and two memory locations written out of order.
ptxw::SessionFile smallSession()
{
    const ptxw::TrackSpec folder{.name = "Band", .type = 11, .formatCode = std::nullopt, .id = 1};
    const ptxw::TrackSpec gtr{.name = "Gtr", .formatCode = 1, .id = 2, .color = 30};
    const ptxw::PluginKey eq = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
    const ptxw::ClipSpec left{.name = "Gtr.L", .sampleLength = 48000, .fileIndex = 0};
    const ptxw::ClipSpec right{.name = "Gtr.R", .sampleLength = 48000, .fileIndex = 1};
    ptxw::MemoryLocation verse{2, 3, 1, "Verse", 96000, 0, {}};
    ptxw::MemoryLocation intro{1, 0, 8, "Intro", 0, 0, {}};

    ptxw::SessionFile file;
    file.block(ptxw::sessionFormatBlock(48000, 3, {2, 0, 24}))
        .block(ptxw::timecodeBlock(7, 108000, "00:02:00:00"))
        .block(ptxw::tempoMapBlock({{97.5, 0}}))
        .block(ptxw::trackBlock(folder))
        .block(ptxw::trackBlock(gtr))
        .block(ptxw::folderBlock({{1, 1}, {2, 0}}))
        .block(ptxw::audioFileListBlock({ptxw::folderEntry("Audio Files"), ptxw::fileEntry("Gtr.L.wav"),
                                         ptxw::fileEntry("Gtr.R.wav"), ptxw::fileEntry("Score.mid", "Midi")},
                                        0))
        .block(ptxw::clipListBlock({left, right}))
        .block(ptxw::clipGroupMembersBlock({{0, 0}, {1, 0}}))
        .block(ptxw::clipGroupNameBlock("Gtr"))
        .block(ptxw::playlistsBlock({ptxw::playlistBlock("Gtr", {ptxw::placementListBlock({{0, 1000, 31, true}})})}))
        .block(ptxw::pluginDefinitionBlock("Caf\xe9 EQ", eq))
        .block(ptxw::trackSettingsBlock({ptxw::trackSettingsRecord(2, {ptxw::insertListBlock({ptxw::pluginSlotBlock(eq, true)})})}))
        .block(ptxw::memoryLocationBlock(verse))
        .block(ptxw::memoryLocationBlock(intro));
    return file;
}

} // namespace

TEST(InspectModel, JsonInDeclarationOrderAndSummaryOfOneSession)
{
    const std::string path = tempPath("Small Session.ptx");
    ASSERT_TRUE(smallSession().write(path));
    const InspectRun run = inspect("--json '" + path + "'");
    const InspectRun summary = inspect("'" + path + "'");
    std::filesystem::remove(path);
    ASSERT_EQ(run.status, 0) << run.err;
    const std::string clip = R"("id":"Gtr.L","name":"Gtr.L","sourceFileIndex":0,"sampleOffset":0,"sampleLength":48000,)";
    const std::string clipR = R"("id":"Gtr.R","name":"Gtr.R","sourceFileIndex":1,"sampleOffset":0,"sampleLength":48000,)";
    EXPECT_EQ(run.out,
              R"({"sessionName":"Small Session","sampleRate":"48000","bitDepth":"24-bit",)"
              R"("audioFormat":"WAV","interleaved":"No","panDepth":"-3.0 dB","frameRate":"30",)"
              R"("sessionStart":"01:00:00:00","sessionLength":"00:02:00:00","tempo":"97.5 BPM","tempoChanges":false,)"
              R"("meter":"4/4","meterChanges":false,"audioTrackCount":1,"clipCount":2,)"
              R"("clips":[{)" + clip + R"("timelinePosition":0,"colorIndex":65534},{)" + clipR +
              R"("timelinePosition":0,"colorIndex":65534}],)"
              R"("tracks":[{"name":"Band","type":11,"format":{"name":"Unknown"},"colorIndex":65534,"comment":"",)"
              R"("plugins":[],"clips":[],"depth":0,"parentName":null,"isFolder":true,"childCount":1},)"
              R"({"name":"Gtr","type":0,"format":{"name":"Stereo"},"colorIndex":30,"comment":"",)"
              R"("plugins":[{"id":0,"name":"Caf\u00e9 EQ","active":true}],)"
              R"("clips":[{)" + clip + R"("timelinePosition":1000,"colorIndex":31},{)" + clipR +
              R"("timelinePosition":1000,"colorIndex":31}],"depth":1,"parentName":"Band","isFolder":false,"childCount":0}],)"
              R"("audioFiles":[{"name":"Gtr.L.wav","path":"/Audio Files/Gtr.L.wav","typeTag":"WAVE","unhandledType":false},)"
              R"({"name":"Gtr.R.wav","path":"/Audio Files/Gtr.R.wav","typeTag":"WAVE","unhandledType":false},)"
              R"({"name":"Score.mid","path":"/Audio Files/Score.mid","typeTag":"Midi","unhandledType":true}],)"
              R"("activePlugins":["Caf\u00e9 EQ"],"deactivatedPlugins":[],)"
              R"("memoryLocations":[{"id":1,"number":1,"name":"Intro","timeProperties":"none","type":8,"reference":0,)"
              R"("startTime":0,"endTime":0,"colorR":0,"colorG":0,"colorB":0},)"
              R"({"id":2,"number":2,"name":"Verse","timeProperties":"marker","type":1,"reference":3,)"
              R"("startTime":96000,"endTime":0,"colorR":0,"colorG":0,"colorB":0}],)"
              R"("mainCounterFormat":255,"debugInfo":"",)"
              R"("audioFileGroups":[{"id":"Gtr","baseName":"Gtr","channels":[)"
              R"({"suffix":"L","fileName":"Gtr.L.wav","path":"/Audio Files/Gtr.L.wav"},)"
              R"({"suffix":"R","fileName":"Gtr.R.wav","path":"/Audio Files/Gtr.R.wav"}]},)"
              R"({"id":"Score.mid","baseName":"Score.mid","channels":[{"suffix":"","fileName":"Score.mid","path":"/Audio Files/Score.mid"}]}],)"
              R"("clipGroups":[{"id":"Gtr","baseName":"Gtr","channels":[)"
              R"({"suffix":"L","clip":{)" + clip + R"("timelinePosition":0,"colorIndex":65534}},)"
              R"({"suffix":"R","clip":{)" + clipR + R"("timelinePosition":0,"colorIndex":65534}}]}]})"
              "\n");
    ASSERT_EQ(summary.status, 0) << summary.err;
    EXPECT_EQ(summary.out, "Session: Small Session\n"
                       "  Sample rate:     48000\n"
                       "  Bit depth:       24-bit\n"
                       "  Audio format:    WAV\n"
                       "  Interleaved:     No\n"
                       "  Pan depth:       -3.0 dB\n"
                       "  Frame rate:      30\n"
                       "  Session start:   01:00:00:00\n"
                       "  Session length:  00:02:00:00\n"
                       "  Tempo:           97.5 BPM\n"
                       "  Meter:           4/4\n"
                       "Tracks: 2 (1 audio)\n"
                       "  Band (B Folder, Unknown, 0 clips)\n"
                       "    Gtr (Audio, Stereo, 2 clips)\n"
                       "Clips: 2 (1 groups)\n"
                       "Audio files: 3 (2 groups)\n"
                       "  Gtr.L.wav [WAV] /Audio Files/Gtr.L.wav\n"
                       "  Gtr.R.wav [WAV] /Audio Files/Gtr.R.wav\n"
                       "  Score.mid [idiM, not playable] /Audio Files/Score.mid\n"
                       "Plug-ins: 1 active, 0 inactive\n"
                       "  Active (1)\n"
                       "    Caf\xe9 EQ\n"
                       "  Inactive (0)\n"
                       "Memory locations: 2\n"
                       "  1. Intro (none, 0)\n"
                       "  2. Verse (marker, 96000)\n");
}

TEST(InspectModel, ReaderJsonOfSessionProperties)
{
    ptxw::SessionFile file;
    file.bigEndian = true;
    file.scheme = 5;
    file.seed = 17;
    file.block(ptxw::sessionFormatBlock(44100, 4, {1, 1, 16}))
        .block(ptxw::counterFormatBlock(3))
        .block(ptxw::timecodeBlock(6, 4000000000u, "Caf\xe9 \"1\""))
        .block(ptxw::tempoMapBlock({{133.5, 0}}))
        .block(ptxw::meterMapBlock({{0, 6, 8}}));
    const std::string path = tempPath("props.ptx");
    ASSERT_TRUE(file.write(path));
    const InspectRun run = inspect("--reader-json " + path);
    std::filesystem::remove(path);
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out,
              "{\"sample_rate\":44100,\"bit_depth\":16,\"is_float\":0,\"audio_format\":4,"
              "\"frame_rate_code\":6,\"interleaved\":1,\"pan_depth\":1,\"session_start\":4000000000,"
              "\"length_text\":\"Caf\\u00e9 \\\"1\\\"\",\"main_counter_format\":3,\"has_fixed_tempo\":0,"
              "\"fixed_tempo\":120,\"tempo_bpm\":[133.5],\"meters\":[[6,8]],\"tracks\":[],\"clips\":[],"
              "\"clip_groups\":[],\"audio_files\":[],\"active_plugins\":[],\"inactive_plugins\":[],"
              "\"memory_locations\":[]}\n");
}

TEST(InspectModel, UnreadableFileExitsOneWithTheErrorOnStderr)
{
    const std::string modelError = "[PTXSession] Parse failed: Failed to parse session\n"
                                   "/nonexistent/Song.ptx: Failed to parse session blocks\n";
    for (const auto &[option, error] : {std::pair<std::string, std::string>{"", modelError}, {"--json ", modelError},
                                        {"--reader-json ", "/nonexistent/Song.ptx: Failed to parse session\n"}}) {
        const InspectRun run = inspect(option + "/nonexistent/Song.ptx");
        EXPECT_EQ(run.status, 1) << option;
        EXPECT_EQ(run.out, "") << option;
        EXPECT_EQ(run.err, error) << option;
    }
}
