// ptsl-query as a program, with ptsl-sim and with nothing listening.
#include "loopback.h"
#include "sim_process.h"

#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <cstdio>
#include <string>
#include <sys/wait.h>

namespace {

struct QueryRun {
    int status = -1;
    std::string out;
};

// Runs ptsl-query against the address; stderr is folded into the output.
QueryRun query(const std::string &address)
{
    QueryRun run;
    const std::string command = "KESTRIX_PTSL_TEST_ADDRESS=" + address + " " PTSL_QUERY_PATH " 2>&1";
    std::FILE *pipe = popen(command.c_str(), "r");
    if (!pipe)
        return run;
    std::array<char, 4096> buf;
    size_t n;
    while ((n = std::fread(buf.data(), 1, buf.size(), pipe)) > 0)
        run.out.append(buf.data(), n);
    const int status = pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

} // namespace

TEST(PtslQuery, PrintsTheVersionAndTheSessionDescription)
{
    SimProcess sim({"--version", "2025.10", "--session-name", "Score"});
    const QueryRun run = query(sim.address());
    EXPECT_EQ(run.status, 0) << run.out;
    EXPECT_NE(run.out.find("Pro Tools version: 2025.10\n"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("Name: Score\nPath: /Sessions/Mix/Mix.ptx\nSample rate: SR_48000\n"), std::string::npos)
        << run.out;

    SimProcess empty({"--no-session"});
    const QueryRun noSession = query(empty.address());
    EXPECT_EQ(noSession.status, 1);
    EXPECT_NE(noSession.out.find("Is a session open?"), std::string::npos) << noSession.out;
}

TEST(PtslQuery, SaysProToolsIsNotReachableWhenNothingListens)
{
    const std::string nobody = unusedLoopbackAddress();
    const auto start = std::chrono::steady_clock::now();
    const QueryRun run = query(nobody);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(11));
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.out.find("Pro Tools is not reachable on " + nobody), std::string::npos) << run.out;
}
