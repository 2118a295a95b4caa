#include "session_recipe.h"
#include "inspect_runner.h"

#include <nlohmann/json.hpp>

#include <gtest/gtest.h>

using namespace comparetest;
using inspecttest::InspectRun;
using inspecttest::shellQuoted;

namespace {

InspectRun diff(const std::string &args)
{
    return inspecttest::runProgram(KESTRIX_DIFF, args);
}

} // namespace

TEST(KestrixDiff, ExitsLikeDiffAndPrintsBothForms)
{
    const std::string base = shellQuoted(writeSession(baseRecipe()));
    InspectRun run = diff(base + " " + shellQuoted(writeSession(baseRecipe())));
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "");
    run = diff("--json " + base + " " + base);
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(nlohmann::json::parse(run.out)["identical"], true);

    Recipe changed = baseRecipe();
    changed.sampleRate = 96000;
    changed.tracks[3].placements[1].position = 1008000;  // Dialog_01: 0:20.000 -> 0:10.500 at 96 kHz
    changed.tracks.pop_back();
    changed.locations[1].start = changed.locations[1].end = (uint64_t(1) << 32) + 7;
    const std::string other = shellQuoted(writeSession(changed));
    run = diff(base + " " + other);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "Properties\n"
                       "~ Sample Rate: 48000 -> 96000\n"
                       "\n"
                       "Tracks\n"
                       "- Temp\n"
                       "\n"
                       "Clips\n"
                       "~ Dialog: Dialog_01 moved 0:20.000 -> 0:10.500\n"
                       "\n"
                       "Memory Locations\n"
                       "~ 3 Chorus: start 0:50.000 -> 12:25:39.242, end 0:50.000 -> 12:25:39.242\n");

    run = diff("--json " + base + " " + other);
    EXPECT_EQ(run.status, 1);
    // The whole document, its sections in this order.
    EXPECT_EQ(nlohmann::ordered_json::parse(run.out).dump(),
              R"({"identical":false,"properties":[{"field":"Sample Rate","old":"48000","new":"96000"}],)"
              R"("tracks":{"added":[],"removed":[{"name":"Temp"}],"changed":[]},"clips":{"added":[],"removed":[],)"
              R"("moved":[{"track":"Dialog","name":"Dialog_01","oldPosition":960000,"newPosition":1008000}],)"
              R"("trimmed":[]},"audioFiles":{"added":[],"removed":[]},"plugins":{"added":[],"removed":[]},)"
              R"("memoryLocations":{"added":[],"removed":[],"changed":[{"number":3,"name":"Chorus",)"
              R"("fields":[{"field":"start","old":2400000,"new":4294967303},{"field":"end","old":2400000,)"
              R"("new":4294967303}]}]}})");

    // A name that is not UTF-8 is written, not a reason to stop.
    Recipe latin1 = baseRecipe();
    latin1.tracks.push_back({.name = "Caf\xE9"});
    run = diff("--json " + base + " " + shellQuoted(writeSession(latin1)));
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(nlohmann::json::parse(run.out)["tracks"]["added"][0]["name"], "Caf\uFFFD");
}

TEST(KestrixDiff, UsageAndReadErrorsExitTwo)
{
    const std::string base = shellQuoted(writeSession(baseRecipe()));
    const std::string garbage = inspecttest::tempPath("garbage.ptx");
    ASSERT_TRUE(ptxw::writeBytes(garbage, ptxw::Bytes(64, 0x5a)));

    for (const std::string &args : {base + " " + shellQuoted(garbage), "--json " + shellQuoted(garbage) + " " + base,
                                    base + " /no/such/session.ptx"}) {
        SCOPED_TRACE(args);
        const InspectRun run = diff(args);
        EXPECT_EQ(run.status, 2);
        EXPECT_EQ(run.out, "");
        EXPECT_NE(run.err.find("Failed to parse session"), std::string::npos) << run.err;
    }
    EXPECT_EQ(diff(base + " " + base + " " + base).status, 2) << "a third session";
}
