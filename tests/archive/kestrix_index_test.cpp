// kestrix-index as a user runs it: output, exit status, and a run killed
// half-way.
#include "archive_fixture.h"

#include "inspect_runner.h"
#include "sqlite_index_store.h"

#include <nlohmann/json.hpp>

#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>

using namespace kestrix::archive;
using namespace archive_test;
using inspecttest::InspectRun;

extern char **environ;

namespace {

class KestrixIndexTest : public ArchiveFixture {
protected:
    // Runs kestrix-index with the test's database; arguments are single-quoted.
    InspectRun runTool(const std::vector<std::string> &args)
    {
        std::string command = "--db " + inspecttest::shellQuoted(database());
        for (const std::string &arg : args)
            command += " " + inspecttest::shellQuoted(arg);
        return inspecttest::runProgram(inspecttest::shellQuoted(KESTRIX_INDEX), command);
    }
};

TEST_F(KestrixIndexTest, AddSearchStatsAndPruneAsTheUserSeesThem)
{
    writeArchive();
    InspectRun add = runTool({"add", root()});
    EXPECT_EQ(add.status, 0);
    EXPECT_EQ(add.out, "indexed 3, unchanged 0, failed 1, removed 0\n");

    InspectRun search = runTool({"search", "door"});
    EXPECT_EQ(search.status, 0);
    EXPECT_EQ(search.out, path("root/Films/ReelA/Alpha.ptx") + "\t2\n  clip  Door Slam-01\n  file  Door Slam.wav\n" +
                              path("root/Ads/Gamma.ptx") + "\t1\n  clip  Door Creak\n");
    EXPECT_EQ(runTool({"search", "--limit", "1", "door"}).out.find("Gamma"), std::string::npos);

    InspectRun json = runTool({"search", "--json", "plugin:\"EQ3 7-Band\""});
    EXPECT_EQ(json.status, 0);
    EXPECT_EQ(nlohmann::json::parse(json.out),
              nlohmann::json::parse(R"([{"path": ")" + path("root/Films/ReelA/Alpha.ptx") + R"(", "session": "Alpha", )"
                                    R"("matches": [{"kind": "plugin", "name": "EQ3 7-Band"}]}])"));

    EXPECT_EQ(runTool({"search", "nothing-like-this"}).status, 1);
    EXPECT_EQ(runTool({"search", "--json", "zzz"}).out, "[]\n");

    InspectRun stats = runTool({"stats"});
    EXPECT_EQ(stats.status, 0);
    EXPECT_NE(stats.out.find("sessions 3\n"), std::string::npos);
    EXPECT_NE(stats.out.find("failed files 1\n"), std::string::npos);
    EXPECT_NE(stats.out.find(path("root/Ads/broken.ptx") + "\t"), std::string::npos);

    std::filesystem::remove(path("root/Ads/Gamma.ptx"));
    EXPECT_EQ(runTool({"prune"}).out, "removed 1\n");
}

TEST_F(KestrixIndexTest, UsageAndDatabaseErrorsExitWith2)
{
    EXPECT_EQ(runTool({"frobnicate"}).status, 2);
    EXPECT_EQ(runTool({"search", "--limit", "many", "door"}).status, 2);
    ASSERT_TRUE(ptxw::writeBytes(database(), ptxw::Bytes(4096, 0x33)));
    EXPECT_EQ(runTool({"stats"}).status, 2);
}

TEST_F(KestrixIndexTest, ARunKilledHalfWayLeavesADatabaseWithWhatItCommitted)
{
    // Large sessions, so that the run is still reading when it is killed.
    ArchiveSession big = alpha();
    for (int c = 0; c < 4000; ++c)
        big.clips.push_back("Take " + std::to_string(c));
    const ptxw::Bytes bytes = archiveSession(big).scrambled();
    std::filesystem::create_directories(path("root/Big"));
    for (int s = 0; s < 400; ++s)
        ASSERT_TRUE(ptxw::writeBytes(path("root/Big/S" + std::to_string(s) + ".ptx"), bytes));

    const std::string db = database();
    std::vector<std::string> args = {KESTRIX_INDEX, "--db", db, "add", root()};
    std::vector<char *> argv;
    for (std::string &arg : args)
        argv.push_back(arg.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    ASSERT_EQ(posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ), 0);
    posix_spawn_file_actions_destroy(&actions);

    int64_t seen = 0;
    for (int i = 0; i < 3000 && seen <= 0; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
        const std::optional<std::string> committed = sqliteValue(db, "SELECT count(*) FROM sessions");
        seen = committed ? std::stoll(*committed) : 0;
    }
    kill(pid, SIGKILL);
    int status = 0;
    waitpid(pid, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status)) << "the run ended before it could be killed";
    ASSERT_GT(seen, 0);

    SqliteIndexStore store(db);
    EXPECT_GE(store.stats().sessions, seen);
    EXPECT_LT(store.stats().sessions, 400);
    EXPECT_EQ(sqliteValue(db, "PRAGMA integrity_check"), "ok");
    ASSERT_EQ(sqliteValue(db, "INSERT INTO session_text(session_text) VALUES('integrity-check')"), "");
    EXPECT_EQ(store.search(parseQuery("\"reel 3 lfoa\""), 0).size(), size_t(store.stats().sessions));
}

} // namespace
