// Connecting to a PTSL server: registration, the request header, and
// nothing listening.
#include "common/ptsl_text.h"
#include "ptsl.h"
#include "ptsl_command.h"
#include "sim_fixture.h"

#include <chrono>

using namespace std::chrono_literals;
using kestrix::ptsl::testing::SettingsOverride;

TEST_F(PtslSimTest, RegistersOnceAndSendsTheSessionIdAndVersionWithEveryRequest)
{
    SimProcess &sim = startSim();
    ASSERT_EQ(ptsl_connect(), 0);
    ASSERT_EQ(ptsl_connect(), 0);
    ASSERT_EQ(sim.requests().size(), 1u) << "the second connect must send nothing";

    EXPECT_TRUE(ptsl_run_command(42, "{}").ok);
    EXPECT_TRUE(ptsl_run_command(43, "{}").ok);
    EXPECT_EQ(sim.requests(), (std::vector<std::string>{"70 session_id= version=2025.6.0 body={\"company_name\": "
                                                        "\"Tarnwell Audio\", \"application_name\": \"Quorvix\"}",
                                                        "42 session_id=sim-session-1 version=2025.6.0 body={}",
                                                        "43 session_id=sim-session-1 version=2025.6.0 body={}"}));

    EXPECT_EQ(log_.count("[PTSL] Creating client on " + sim.address() + "..."), 1);
    EXPECT_EQ(log_.count("[PTSL] Registered with Pro Tools"), 1);
}

TEST_F(PtslSimTest, WithNothingListeningEveryQueryIsNullOrZero)
{
    kestrix::ptsl::testing::overrideSettings(SettingsOverride{kNobodyListens, 2000ms, std::nullopt});
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(ptsl_connect(), -1);
    EXPECT_EQ(ptsl_get_session_sample_rate(), 0);
    // Name, path, tracks, clips, description and version: none available.
    EXPECT_EQ((std::vector{takeText(ptsl_get_session_name()), takeText(ptsl_get_session_path()),
                           takeText(ptsl_get_track_names()), takeText(ptsl_get_clip_names()),
                           takeText(ptsl_get_session_info_text()), takeText(ptsl_get_version_string())}),
              std::vector<std::optional<std::string>>(6));
    char *version = reinterpret_cast<char *>(1);
    EXPECT_EQ(ptsl_check_import_supported(&version), 0);
    EXPECT_EQ(version, nullptr);
    EXPECT_LT(std::chrono::steady_clock::now() - start, 2000ms)
        << "a refused connection is reported at once, not after the wait";
    EXPECT_EQ(log_.count("[PTSL] Client constructor timed out"), 0);
    // Each of the nine calls tried to connect, and each attempt failed.
    EXPECT_EQ(log_.count("[PTSL] Connection exception: PTSL server not reachable at " + kNobodyListens), 9);
}
