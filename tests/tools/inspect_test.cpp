// kestrix-inspect as a program: exit status, error text and the JSON it prints.
#include "property_blocks.h"
#include "session_writer.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <string>
#include <sys/wait.h>

namespace {

struct InspectRun {
    int status = -1;
    std::string out;
};

// Runs kestrix-inspect with the arguments; stderr is folded into the output.
InspectRun inspect(const std::string &args)
{
    InspectRun run;
    const std::string command = std::string(KESTRIX_INSPECT) + " " + args + " 2>&1";
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

std::string tempPath(const std::string &name)
{
    return (std::filesystem::temp_directory_path() / ("kestrix-inspect-test-" + name)).string();
}

} // namespace

TEST(Inspect, FailedOpenExitsOneWithTheError)
{
    const InspectRun missing = inspect("--reader-json /nonexistent/file.ptx");
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.out.find("Failed to parse session"), std::string::npos) << missing.out;
    EXPECT_EQ(inspect("").status, 2) << "no file is a usage error";
}

TEST(Inspect, ReaderJsonOfSessionProperties)
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
    ASSERT_EQ(run.status, 0) << run.out;
    EXPECT_EQ(run.out,
              "{\"sample_rate\":44100,\"bit_depth\":16,\"is_float\":0,\"audio_format\":4,"
              "\"frame_rate_code\":6,\"interleaved\":1,\"pan_depth\":1,\"session_start\":4000000000,"
              "\"length_text\":\"Caf\\u00e9 \\\"1\\\"\",\"main_counter_format\":3,\"has_fixed_tempo\":0,"
              "\"fixed_tempo\":120,\"tempo_bpm\":[133.5],\"meters\":[[6,8]],\"tracks\":[],\"clips\":[],"
              "\"clip_groups\":[],\"audio_files\":[],\"active_plugins\":[],\"inactive_plugins\":[],"
              "\"memory_locations\":[]}\n");
}
