// The queries about Pro Tools and the session open in it, against ptsl-sim.
#include "common/ptsl_text.h"
#include "ptsl.h"
#include "sim_fixture.h"

// Name and path take the first non-empty key; tracks and clips are lines,
// empty text for none.
TEST_F(PtslSimTest, NamePathTracksAndClipsAsText)
{
    startSim({"--session-name", "Film Mix", "--session-path", "/Volumes/Work/Film Mix/Film Mix.ptx"});
    EXPECT_EQ(takeText(ptsl_get_session_name()), "Film Mix");
    EXPECT_EQ(takeText(ptsl_get_session_path()), "/Volumes/Work/Film Mix/Film Mix.ptx");

    startSim({"--answer", "42={\"session_name\":\"\"}", "--answer",
              "43={\"session_path\":\"\",\"session_location\":\"\",\"path\":\"/p/S.ptx\"}"});
    EXPECT_EQ(takeText(ptsl_get_session_name()), std::nullopt) << "an empty name is not available";
    EXPECT_EQ(takeText(ptsl_get_session_path()), "/p/S.ptx");

    startSim();
    EXPECT_EQ(takeText(ptsl_get_track_names()), "") << "no tracks is empty text, not null";
    EXPECT_EQ(takeText(ptsl_get_clip_names()), "");

    startSim({"--track", "Kick", "--track", "Snare Top", "--clip", "Kick_01", "--clip", "Vox.L"});
    EXPECT_EQ(takeText(ptsl_get_track_names()), "Kick\nSnare Top");
    EXPECT_EQ(takeText(ptsl_get_clip_names()), "Kick_01\nVox.L");

    startSim({"--fail", "3={}", "--fail", "125={}"});
    EXPECT_EQ(takeText(ptsl_get_track_names()), std::nullopt);
    EXPECT_EQ(takeText(ptsl_get_clip_names()), std::nullopt);
}

TEST_F(PtslSimTest, SampleRateIsTheNumberAfterSR)
{
    const struct {
        const char *answer;
        int32_t rate;
    } cases[] = {
        {"{\"sample_rate\":\"SR_96000\"}", 96000},
        {"{\"sample_rate\":\"48000\"}", 0},
        {"{\"sample_rate\":\"48000\",\"current_setting\":\"SR_44100\"}", 44100},
        {"{\"current_setting\":\"SR_\"}", 0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.answer);
        startSim({"--answer", std::string("35=") + c.answer});
        EXPECT_EQ(ptsl_get_session_sample_rate(), c.rate);
    }
    startSim({"--sample-rate", "88200"});
    EXPECT_EQ(ptsl_get_session_sample_rate(), 88200);
}

TEST_F(PtslSimTest, SessionDescriptionLeavesOutWhatIsNotAvailable)
{
    startSim({"--fail", "36={}", "--answer", "44={\"current_setting\":\"00:59:58:00\",\"session_start_time\":\"\"}"});
    EXPECT_EQ(takeText(ptsl_get_session_info_text()),
              "Name: Mix\n"
              "Path: /Sessions/Mix/Mix.ptx\n"
              "Sample rate: SR_48000\n"
              "Audio format: SAF_WAVE\n"
              "Interleaved state: Interleaved\n"
              "Time code rate: STCR_Fps25\n"
              "Feet+Frames rate: SFFR_Fps24\n"
              "Start time: 00:59:58:00\n"
              "Length: 01:00:00:00\n");

    startSim({"--no-session"});
    EXPECT_EQ(takeText(ptsl_get_session_info_text()), std::nullopt);
    EXPECT_EQ(takeText(ptsl_get_session_name()), std::nullopt);
    EXPECT_EQ(ptsl_get_session_sample_rate(), 0);
    EXPECT_EQ(takeText(ptsl_get_track_names()), std::nullopt);
}

TEST_F(PtslSimTest, ImportNeedsProTools2025Point6OrLater)
{
    const struct {
        std::vector<std::string> simOptions;
        int32_t supported;
        std::optional<std::string> text;
    } cases[] = {
        {{"--version", "2025.5"}, 0, "2025.5"},
        {{"--version", "2025.6"}, 1, "2025.6"},
        {{"--version", "2025.10"}, 1, "2025.10"},
        {{"--version", "2026.0"}, 1, "2026.0"},
        {{"--version", "2024.12"}, 0, "2024.12"},
        // Without a minor the version counts as minor zero.
        {{"--answer", "55={\"version\":2026}"}, 1, "2026.0"},
        {{"--answer", "55={\"version\":2025,\"version_revision\":7}"}, 0, "2025.0"},
        {{"--fail", "55={\"command_error_type\":\"PT_Unknown\"}"}, 0, std::nullopt},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.simOptions.back());
        startSim(c.simOptions);
        char *text = nullptr;
        EXPECT_EQ(ptsl_check_import_supported(&text), c.supported);
        EXPECT_EQ(takeText(text), c.text);
        EXPECT_EQ(ptsl_check_import_supported(nullptr), c.supported) << "the version out-parameter is optional";
        EXPECT_EQ(takeText(ptsl_get_version_string()), c.text);
        EXPECT_TRUE(!c.text || log_.contains("[PTSL] Pro Tools version: " + *c.text));
    }
}
