// kestrix-import end to end against ptsl-sim.
#include "inspect_runner.h"
#include "sim_fixture.h"

#include <gtest/gtest.h>

namespace {

using inspecttest::InspectRun;

InspectRun runImportTool(const std::string &arguments)
{
    return inspecttest::runProgram(inspecttest::shellQuoted(KESTRIX_IMPORT_PATH), arguments);
}

class ImportEndToEnd : public PtslSimTest {};

TEST_F(ImportEndToEnd, KestrixImportPlacesTwoDemoTracksAndStopsAtAlerts)
{
    SimProcess &sim = startSim({"--track", "Kick"});
    const std::string session = inspecttest::shellQuoted(KESTRIX_DEMO_SESSION);
    const std::string address = "--address " + sim.address() + " ";

    const InspectRun stopped = runImportTool(address + "--track Snare --track Kick " + session);
    EXPECT_EQ(stopped.status, 3) << "Kick exists: the names alert needs its answer";
    EXPECT_EQ(sim.stateJson().find("\"Snare\""), std::string::npos) << "nothing imported";

    const InspectRun run = runImportTool(address + "--track Snare --track Kick --continue-if-names-exist " + session);
    EXPECT_EQ(run.status, 0) << run.out;
    EXPECT_EQ(run.out.rfind("Import Complete\n", 0), 0u) << run.out;
    const std::string state = sim.stateJson();
    const size_t kick = state.find(R"("name":"Kick 1")"), snare = state.find(R"("name":"Snare")");
    EXPECT_TRUE(kick != std::string::npos && snare != std::string::npos && kick < snare)
        << "session order, renamed Kick followed: " << state;
    EXPECT_NE(state.find(R"({"track_id":"t-2","clip_ids":["c-)"), std::string::npos) << "spotted on Kick 1: " << state;
    EXPECT_NE(state.find(R"("position":51428})"), std::string::npos) << state;
    EXPECT_NE(state.find(R"("position":385714})"), std::string::npos) << state;

    EXPECT_EQ(runImportTool(address + "--track Nope " + session).status, 2);
    EXPECT_EQ(runImportTool("--address " + kNobodyListens + " --track Kick " + session).status, 4);
}

} // namespace
