// The connection logic around a client that hangs, throws or refuses.
#include "common/ptsl_text.h"
#include "fake_fixture.h"
#include "ptsl.h"
#include "ptsl_command.h"

#include <chrono>
#include <thread>

using namespace std::chrono_literals;
using kestrix::ptsl::testing::SettingsOverride;

TEST_F(FakeClientTest, HangingConstructorTimesOutAndEachCallStartsANewOne)
{
    fake::setBehaviour({.constructorHangs = true});
    kestrix::ptsl::testing::overrideSettings(SettingsOverride{std::nullopt, 200ms, std::nullopt});

    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(ptsl_connect(), -1);
    const auto waited = std::chrono::steady_clock::now() - start;
    EXPECT_GE(waited, 200ms);
    EXPECT_LT(waited, 1500ms);
    EXPECT_EQ(fake::constructorsStarted(), 1);
    EXPECT_EQ(ptsl_connect(), -1);
    EXPECT_EQ(fake::constructorsStarted(), 2) << "a later call starts a new constructor";
    EXPECT_EQ(log_.count("[PTSL] Client constructor timed out"), 2);

    // Clients that arrive after the wait are dropped, not adopted.
    fake::releaseHangingConstructors();
    EXPECT_TRUE(fake::eventually([] { return fake::constructorsFinished() == 2 && fake::liveClients() == 0; }));
    fake::setBehaviour({});
    EXPECT_EQ(ptsl_connect(), 0);
    EXPECT_EQ(fake::constructorsStarted(), 3);
    EXPECT_EQ(fake::liveClients(), 1);
}

TEST_F(FakeClientTest, ConstructorExceptionIsReportedAndTheNextCallTriesAgain)
{
    fake::setBehaviour({.constructorThrows = "no server here"});
    EXPECT_EQ(ptsl_connect(), -1);
    EXPECT_TRUE(log_.contains("[PTSL] Connection exception: no server here"));
    fake::setBehaviour({});
    EXPECT_EQ(ptsl_connect(), 0);
    EXPECT_EQ(fake::constructorsStarted(), 2);
}

TEST_F(FakeClientTest, RefusedRegistrationDropsTheClient)
{
    fake::setBehaviour({.registerStatus = 4});
    EXPECT_EQ(ptsl_connect(), -1);
    EXPECT_TRUE(log_.contains("[PTSL] RegisterConnection failed: {\"command_error_type\":\"PT_Refused\"}"));
    EXPECT_EQ(fake::liveClients(), 0);
}

TEST_F(FakeClientTest, CommandWithoutAConnectionFailsAndIsRecorded)
{
    ptsl_transcript_begin();
    const kestrix::CommandResult result = ptsl_run_command(42, "{}");
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.error, "Not connected to Pro Tools");
    EXPECT_EQ(withoutTimings(endTranscript().value_or("")),
              "\n[1] CId_GetSessionName (id=42) \xE2\x80\x94 N ms \xE2\x80\x94 ERROR\n"
              "  Request:\n    {}\n  Error:\n    Not connected to Pro Tools\n");
    EXPECT_TRUE(log_.contains("[PTSL] Command 42 failed: Not connected to Pro Tools"));
    EXPECT_EQ(fake::requestsSent(), 0);
}

TEST_F(FakeClientTest, AClientThatThrowsIsDroppedAndReplacedOnTheNextConnect)
{
    ASSERT_EQ(ptsl_connect(), 0);
    fake::setBehaviour({.sendThrows = true});
    const kestrix::CommandResult result = ptsl_run_command(42, "{}");
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.error, "fake send failure");
    EXPECT_TRUE(log_.contains("[PTSL] Command 42 failed: fake send failure"));
    EXPECT_EQ(fake::liveClients(), 0);

    fake::setBehaviour({});
    ASSERT_EQ(ptsl_connect(), 0);
    EXPECT_EQ(fake::constructorsStarted(), 2);
    EXPECT_TRUE(ptsl_run_command(42, "{}").ok);
}

TEST_F(FakeClientTest, DroppingTheConnectionDuringACommandKeepsItsClientAlive)
{
    ASSERT_EQ(ptsl_connect(), 0);
    fake::setBehaviour({.answerDelay = 300ms});
    kestrix::CommandResult result;
    std::thread import([&] { result = ptsl_run_command(43, "{\"x\": 1}"); });
    std::this_thread::sleep_for(50ms);
    kestrix::dropConnection();  // another import failed meanwhile
    EXPECT_EQ(fake::liveClients(), 1) << "the running command still holds the client";
    import.join();
    EXPECT_TRUE(result.ok) << result.error;
    EXPECT_EQ(result.body, "{\"x\": 1}");
    EXPECT_EQ(fake::liveClients(), 0);
}
