// Running commands against ptsl-sim: the deadline, results and the
// per-thread transcript.
#include "common/ptsl_text.h"
#include "ptsl.h"
#include "ptsl_command.h"
#include "sim_fixture.h"

#include <chrono>
#include <regex>
#include <thread>

using namespace std::chrono_literals;
using kestrix::ptsl::testing::SettingsOverride;

TEST_F(PtslSimTest, ACommandAnsweredTooLateTimesOutAndTheConnectionStaysUsable)
{
    startSim({"--delay", "42=1500"}, SettingsOverride{std::nullopt, std::nullopt, 300ms});
    ASSERT_EQ(ptsl_connect(), 0);
    ptsl_transcript_begin();
    const kestrix::CommandResult late = ptsl_run_command(42, "{}");
    const kestrix::CommandResult next = ptsl_run_command(43, "{}");
    const std::string transcript = endTranscript().value_or("");

    EXPECT_EQ(std::tie(late.ok, late.error, late.body),
              std::make_tuple(false, std::string("Command timed out after 30 seconds"), std::string()));
    EXPECT_TRUE(log_.contains("[PTSL] Command 42 timed out"));

    std::smatch header;
    ASSERT_TRUE(std::regex_search(transcript, header,
                                  std::regex("\n\\[1\\] CId_GetSessionName \\(id=42\\) \xE2\x80\x94 ([0-9]+) ms "
                                             "\xE2\x80\x94 ERROR\n  Request:\n    \\{\\}\n  Error:\n    Command "
                                             "timed out after 30 seconds\n")))
        << transcript;
    const long elapsed = std::stol(header[1]);
    EXPECT_GE(elapsed, 300);
    EXPECT_LT(elapsed, 1500);

    EXPECT_TRUE(next.ok) << next.error;
    EXPECT_EQ(next.body, "{\"session_path\":\"/Sessions/Mix/Mix.ptx\"}");
}

TEST_F(PtslSimTest, TranscriptRecordsEveryCommandInItsFormat)
{
    startSim({"--answer", "43=", "--fail", "36=", "--fail", "34={\"command_error_type\":\"PT_Bad\"}"});
    ASSERT_EQ(ptsl_connect(), 0);
    ptsl_transcript_begin();
    ptsl_transcript_note("Importing \"Kick\"");
    ptsl_run_command(42, "");
    ptsl_run_command(43, "{}");
    ptsl_run_command(36, "{}");
    ptsl_run_command(34, "{}");
    ptsl_run_command(3, "{}");
    const std::optional<std::string> transcript = endTranscript();
    ASSERT_TRUE(transcript);

    const std::string expected =
        "\n[note] Importing \"Kick\"\n"
        "\n[1] CId_GetSessionName (id=42) \xE2\x80\x94 N ms \xE2\x80\x94 OK\n"
        "  Request:\n    (empty)\n"
        "  Response:\n    {\"session_name\":\"Mix\"}\n"
        "\n[2] CId_(see id) (id=43) \xE2\x80\x94 N ms \xE2\x80\x94 OK\n"
        "  Request:\n    {}\n"
        "  Response:\n    (empty)\n"
        "\n[3] CId_(see id) (id=36) \xE2\x80\x94 N ms \xE2\x80\x94 ERROR\n"
        "  Request:\n    {}\n"
        "  Error:\n    (no detail)\n"
        "\n[4] CId_(see id) (id=34) \xE2\x80\x94 N ms \xE2\x80\x94 ERROR\n"
        "  Request:\n    {}\n"
        "  Error:\n    {\"command_error_type\":\"PT_Bad\"}\n"
        "\n[5] CId_(see id) (id=3) \xE2\x80\x94 N ms \xE2\x80\x94 OK\n"
        "  Request:\n    {}\n"
        "  Response:\n    {\"track_list\":[],\"pagination_response\":{\"total\":0}}\n";
    EXPECT_EQ(withoutTimings(*transcript), expected);
    EXPECT_TRUE(log_.contains("[PTSL] Command 34 failed: {\"command_error_type\":\"PT_Bad\"}"));
    EXPECT_TRUE(log_.contains("[PTSL] Command 36 failed: "));

    EXPECT_EQ(endTranscript(), "") << "ending hands the text over and leaves it empty";
}

TEST_F(PtslSimTest, WithTheTranscriptOffCommandsRunButNothingIsRecorded)
{
    SimProcess &sim = startSim();
    ASSERT_EQ(ptsl_connect(), 0);
    // A new thread starts with its transcript off.
    std::optional<std::string> afterOff, recorded;
    bool ranOk = false;
    std::thread([&] {
        ranOk = ptsl_run_command(42, "{}").ok;
        ptsl_run_command(43, "{}");
        ptsl_transcript_note("dropped");
        afterOff = endTranscript();
        ptsl_transcript_begin();
        ptsl_run_command(35, "{}");
        recorded = endTranscript();
    }).join();

    EXPECT_TRUE(ranOk);
    EXPECT_EQ(sim.requests().size(), 4u) << "registration and the three commands reach the server";
    EXPECT_EQ(afterOff, "");
    ASSERT_TRUE(recorded);
    EXPECT_EQ(recorded->find("[1] CId_GetSessionSampleRate (id=35)"), 1u)
        << "the sequence did not advance while the transcript was off: " << *recorded;
    EXPECT_EQ(recorded->find("[2]"), std::string::npos);
}
