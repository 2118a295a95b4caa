// ptsl-sim keeps what imports leave in the session: tracks, imported
// files, clips and spotted clips, answering as Pro Tools does.
#include "common/ptsl_text.h"
#include "ptsl.h"
#include "ptsl_command.h"
#include "ptsl_json.h"
#include "sim_fixture.h"

#include <filesystem>
#include <fstream>

namespace {

namespace fs = std::filesystem;

class SimImportTest : public PtslSimTest {
protected:
    void SetUp() override
    {
        PtslSimTest::SetUp();
        for (const char *name : {"a/Kick.wav", "b/Kick.wav"}) {
            fs::create_directories(fs::path(path(name)).parent_path());
            std::ofstream(path(name)) << "RIFF";
        }
    }
};

kestrix::CommandResult run(int32_t command, const std::string &body)
{
    return ptsl_run_command(command, body);
}

std::string importBody(const std::string &files, const char *operation)
{
    return "{\"file_list\": [" + files + "], \"audio_operations\": \"" + operation + "\"}";
}

std::string clipBody(const std::string &name, const std::string &fileId, int start, int end)
{
    return "{\"clip_list\": [{\"name\": \"" + name + "\", \"clip_info\": [{\"file_id\": \"" + fileId +
           "\", \"src_start_point\": {\"time_type\": \"BTType_Samples\", \"position\": " + std::to_string(start) +
           "}, \"src_end_point\": {\"time_type\": \"BTType_Samples\", \"position\": " + std::to_string(end) + "}}]}]}";
}

} // namespace

// The import operation tests drive the sim through renamed tracks, folders,
// colours and refused clips; this covers what they do not reach.
TEST_F(SimImportTest, CopiedFilesGetUniqueNamesAndUnknownReferencesAndScriptedRefusalsFail)
{
    SimProcess &sim = startSim({"--track", "Kick"});
    ASSERT_EQ(ptsl_connect(), 0);
    const auto track = run(72, R"({"number_of_tracks": 1, "track_name": "Kick", "track_format": "TF_Mono", )"
                               R"("track_type": "TT_Audio", "track_timebase": "TTB_Samples"})");
    EXPECT_EQ(track.body, R"({"created_track_names":["Kick 1"],"created_track_ids":["t-2"]})");

    const auto imported =
        run(123, importBody("\"" + path("a/Kick.wav") + "\",\"" + path("b/Kick.wav") + "\"", "AOperations_CopyAudio"));
    ASSERT_TRUE(imported.ok) << imported.error;
    EXPECT_EQ(kestrix::jsonAllStringValues(imported.body, "original_input_path"),
              (std::vector<std::string>{path("a/Kick.wav"), path("b/Kick.wav")}));
    EXPECT_EQ(kestrix::jsonAllStringValues(imported.body, "file_path"),
              (std::vector<std::string>{"/Sessions/Mix/Audio Files/Kick.wav", "/Sessions/Mix/Audio Files/Kick_1.wav"}));
    const auto linked = run(123, importBody("\"" + path("a/Kick.wav") + "\"", "AOperations_AddAudio"));
    EXPECT_EQ(kestrix::jsonStringValue(linked.body, "file_path"), path("a/Kick.wav")) << "linked files stay put";
    EXPECT_FALSE(run(123, importBody("\"" + path("gone.wav") + "\"", "AOperations_CopyAudio")).ok);

    const auto clip = run(127, clipBody("Kick_01", "f-1", 0, 48000));
    EXPECT_EQ(clip.body, R"({"clip_ids":["c-4"]})") << "after the three whole-file clips of the imports";
    EXPECT_FALSE(run(127, clipBody("Kick_02", "f-9", 0, 48000)).ok) << "unknown file id";
    EXPECT_FALSE(run(127, clipBody("Kick_02", "f-1", 100, 100)).ok) << "empty source range";
    EXPECT_FALSE(run(124, R"({"src_clips": ["c-99"], "dst_track_name": "Kick 1", "dst_location_data": )"
                          R"({"location": {"location": "0"}}})").ok);
    EXPECT_TRUE(run(153, R"({"track_names": ["Kick 1"], "color_index": 12})").ok);
    EXPECT_TRUE(run(73, R"({"track_names": ["Kick 1"]})").ok);
    EXPECT_FALSE(run(73, R"({"track_names": ["Nope"]})").ok);

    EXPECT_EQ(takeText(ptsl_get_track_names()), "Kick\nKick 1");
    EXPECT_EQ(takeText(ptsl_get_clip_names()), "Kick\nKick_1\nKick\nKick_01");
    const std::string state = sim.stateJson();
    EXPECT_NE(state.find(R"("selected_tracks":["Kick 1"])"), std::string::npos) << state;
    EXPECT_NE(state.find(R"("name":"Kick 1","type":"TT_Audio","format":"TF_Mono","folder":"","color_index":12)"),
              std::string::npos)
        << state;

    // Scripted refusals, and commands without a session.
    startSim({"--empty-clip-ids"});
    ASSERT_EQ(ptsl_connect(), 0);
    ASSERT_TRUE(run(123, importBody("\"" + path("a/Kick.wav") + "\"", "AOperations_CopyAudio")).ok);
    const auto emptyIds = run(127, clipBody("Kick_01", "f-1", 0, 10));
    EXPECT_TRUE(emptyIds.ok);
    EXPECT_EQ(emptyIds.body, R"({"clip_ids":[]})");

    startSim({"--no-session"});
    ASSERT_EQ(ptsl_connect(), 0);
    const auto noSession = run(72, R"({"track_name": "Kick"})");
    EXPECT_FALSE(noSession.ok);
    EXPECT_EQ(kestrix::jsonStringValue(noSession.error, "command_error_type"), "PT_NoOpenSession");
    EXPECT_TRUE(run(55, "{}").ok) << "the version needs no session";
}
