// kestrix-inspect as a program: exit status, error text and the JSON it prints.
#include "property_blocks.h"
#include "session_writer.h"
#include "inspect_runner.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

using inspecttest::inspect;
using inspecttest::InspectRun;
using inspecttest::tempPath;

TEST(Inspect, FailedOpenExitsOneWithTheError)
{
    const InspectRun missing = inspect("--reader-json /nonexistent/file.ptx");
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.out, "");
    EXPECT_NE(missing.err.find("Failed to parse session"), std::string::npos) << missing.err;
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
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out,
              "{\"sample_rate\":44100,\"bit_depth\":16,\"is_float\":0,\"audio_format\":4,"
              "\"frame_rate_code\":6,\"interleaved\":1,\"pan_depth\":1,\"session_start\":4000000000,"
              "\"length_text\":\"Caf\\u00e9 \\\"1\\\"\",\"main_counter_format\":3,\"has_fixed_tempo\":0,"
              "\"fixed_tempo\":120,\"tempo_bpm\":[133.5],\"meters\":[[6,8]],\"tracks\":[],\"clips\":[],"
              "\"clip_groups\":[],\"audio_files\":[],\"active_plugins\":[],\"inactive_plugins\":[],"
              "\"memory_locations\":[]}\n");
}
