// ptsl-query as a program, with ptsl-sim and with nothing listening.
#include "inspect_runner.h"
#include "sim_process.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>

namespace {

using inspecttest::InspectRun;

// Runs ptsl-query against the address.
InspectRun query(const std::string &address)
{
    return inspecttest::runProgram("KESTRIX_PTSL_TEST_ADDRESS=" + address + " " PTSL_QUERY_PATH, "");
}

} // namespace

TEST(PtslQuery, PrintsTheVersionAndTheSessionOrSaysWhatIsMissing)
{
    SimProcess sim({"--version", "2025.10", "--session-name", "Score"});
    const InspectRun run = query(sim.address());
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("Pro Tools version: 2025.10\n"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("Name: Score\nPath: /Sessions/Mix/Mix.ptx\nSample rate: SR_48000\n"), std::string::npos)
        << run.out;

    SimProcess empty({"--no-session"});
    const InspectRun noSession = query(empty.address());
    EXPECT_EQ(noSession.status, 1);
    EXPECT_NE(noSession.err.find("Is a session open?"), std::string::npos) << noSession.err;

    const auto start = std::chrono::steady_clock::now();
    const InspectRun unreachable = query(kNobodyListens);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(11));
    EXPECT_EQ(unreachable.status, 1);
    EXPECT_NE(unreachable.err.find("Pro Tools is not reachable on " + kNobodyListens), std::string::npos)
        << unreachable.err;
}
