// Every command-line tool this build has, on the command lines it refuses:
// "<tool>: <what is wrong>" and the usage on stderr, status 2, nothing on
// stdout; --help and --version succeed.
#include "inspect_runner.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using inspecttest::InspectRun;
using inspecttest::runProgram;

namespace {

struct Tool {
    std::string name;
    std::string path;
    // Command lines that lack an argument the tool needs (a file, a value)
    // or give one it cannot take.
    std::vector<std::string> missing;
};

std::vector<Tool> tools()
{
    std::vector<Tool> all{{"kestrix-inspect", KESTRIX_INSPECT, {"", "--json", "--report"}}};
#ifdef KESTRIX_DIFF
    all.push_back({"kestrix-diff", KESTRIX_DIFF, {"", "old.ptx", "--json old.ptx"}});
#endif
#ifdef KESTRIX_IMPORT
    all.push_back({"kestrix-import", KESTRIX_IMPORT, {"", "--track Kick", "Demo.ptx", "Demo.ptx --address"}});
#endif
#ifdef KESTRIX_INDEX
    all.push_back({"kestrix-index", KESTRIX_INDEX, {"", "add", "search", "--db", "search --limit -5 door"}});
#endif
#ifdef KESTRIX_PLAY
    all.push_back({"kestrix-play", KESTRIX_PLAY,
                   {"", "--verbose", "--device", "--offset 10 x.wav", "--length ten x.wav", "--offset -5 --length 1 x.wav",
                    "--offset 99999999999999999999 --length 1 x.wav"}});
#endif
#ifdef KESTRIX_THUMBNAILER
    all.push_back({"kestrix-thumbnailer", KESTRIX_THUMBNAILER, {"", "-s 128 in.ptx", "in.ptx out.png", "-s 9999 in.ptx out.png"}});
#endif
#ifdef PTSL_QUERY
    all.push_back({"ptsl-query", PTSL_QUERY, {"extra"}});
#endif
#ifdef PTSL_SIM
    all.push_back({"ptsl-sim", PTSL_SIM, {"--port", "--port 70000", "--hang", "--delay 42", "--version 2025", "--split-channels L,,R"}});
#endif
    return all;
}

void expectUsageError(const Tool &tool, const std::string &args)
{
    const InspectRun run = runProgram(tool.path, args);
    const std::string context = tool.name + " " + args + "\n" + run.err;
    EXPECT_EQ(run.status, 2) << context;
    EXPECT_EQ(run.out, "") << context;
    EXPECT_EQ(run.err.rfind(tool.name + ": ", 0), 0u) << context;
    EXPECT_NE(run.err.find("Usage: " + tool.name), std::string::npos) << context;
}

} // namespace

TEST(UsageErrors, RefusedCommandLinesExitTwoWithTheUsageAndHelpAndVersionSucceed)
{
    for (const Tool &tool : tools()) {
        expectUsageError(tool, "--no-such-option");
        expectUsageError(tool, "-Z");
        for (const std::string &args : tool.missing)
            expectUsageError(tool, args);
        const InspectRun help = runProgram(tool.path, "--help");
        EXPECT_EQ(help.status, 0) << tool.name << help.err;
        EXPECT_NE(help.out.find("Usage: " + tool.name), std::string::npos) << tool.name << help.out;
        const InspectRun version = runProgram(tool.path, "--version");
        EXPECT_EQ(version.status, 0) << tool.name << version.err;
        EXPECT_NE(version.out.find(KESTRIX_VERSION), std::string::npos) << tool.name << version.out;
        EXPECT_EQ(version.out.find("Usage"), std::string::npos) << tool.name << version.out;
    }
}
