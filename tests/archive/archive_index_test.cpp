// Indexing an archive and searching it through the library.
#include "archive_fixture.h"

#include "archive_indexer.h"
#include "sqlite_index_store.h"

#include <filesystem>
#include <set>

using namespace kestrix::archive;
using namespace archive_test;
using Names = std::vector<std::string>;

namespace {

std::vector<SessionHit> find(IndexStore &store, const std::string &query)
{
    return store.search(parseQuery(query), 0);
}

std::set<std::pair<std::string, std::string>> matchSet(const SessionHit &hit)
{
    std::set<std::pair<std::string, std::string>> out;
    for (const SessionMatch &match : hit.matches)
        out.emplace(nameKindText(match.kind), match.name);
    return out;
}

class ArchiveIndexTest : public ArchiveFixture {};

TEST_F(ArchiveIndexTest, EachQueryFormFindsExactlyTheSessionsHoldingTheName)
{
    writeArchive();
    SqliteIndexStore store(database());
    const IndexSummary summary = indexPaths(store, {root()});
    EXPECT_EQ(summary.indexed, 3u);
    EXPECT_EQ(summary.failed, 1u);

    const std::pair<std::string, Names> cases[] = {
        // Prefixes; more matches first, then by path (Ads < Films).
        {"door", {"Alpha", "Gamma"}}, {"foot", {"Beta"}}, {"reel", {"Gamma", "Alpha", "Beta"}},
        // Every word must match, in any names of the session.
        {"door wind", {"Alpha"}}, {"door feet", {}},
        // Phrases, never from one name into the next.
        {"\"reel 3\"", {"Gamma", "Alpha"}}, {"\"Reel 3 LFOA\"", {"Alpha"}}, {"\"reel lfoa\"", {}}, {"\"01 wind\"", {}},
        // One kind of name.
        {"track:reverb", {"Gamma"}}, {"plugin:verb", {"Alpha"}}, {"track:verb", {}}, {"clip:door", {"Gamma", "Alpha"}},
        {"file:door", {"Alpha"}}, {"plugin:\"EQ3 7-Band\"", {"Alpha"}}, {"PLUGIN:eq3", {"Gamma", "Alpha"}},
        {"marker:scene", {"Alpha"}}, {"comment:sync", {"Beta"}}, {"track:sync", {}},
        // Letters beyond ASCII, with and without their marks.
        {"müller", {"Gamma"}}, {"muller", {"Gamma"}}, {"ÜBER", {"Alpha"}}, {"comment:łódź", {"Gamma"}}};
    for (const auto &[query, expected] : cases)
        EXPECT_EQ(names(find(store, query)), expected) << query;

    // A file matched by its name and by its folder is one match.
    const auto files = find(store, "file:audio file:door");
    ASSERT_EQ(files.size(), 1u);
    EXPECT_EQ(matchSet(files[0]), (std::set<std::pair<std::string, std::string>>{{"file", "Door Slam.wav"},
                                                                                  {"file", "Wind.wav"}}));
    EXPECT_EQ(files[0].matches.size(), 2u);
    EXPECT_EQ(store.search(parseQuery("reel"), 2).size(), 2u);
}

TEST_F(ArchiveIndexTest, ReRunsSkipUnchangedFilesReplaceChangedOnesAndDropRemovedOnes)
{
    writeArchive();
    SqliteIndexStore store(database());
    indexPaths(store, {root()});

    IndexSummary again = indexPaths(store, {root()});
    EXPECT_EQ(again.indexed + again.failed + again.removed, 0u);
    EXPECT_EQ(again.unchanged, 4u);

    ArchiveSession changed = beta();
    changed.tracks = {"Ambience Rain"};
    writeArchiveSession(path("root/Films/ReelB/Beta.ptx"), changed);
    again = indexPaths(store, {root()});
    EXPECT_EQ(again.indexed, 1u);
    EXPECT_EQ(names(find(store, "foley")), Names{});
    EXPECT_EQ(names(find(store, "rain")), (Names{"Beta"}));
    EXPECT_EQ(store.stats().sessions, 3);

    // Gone from a folder that is indexed again: removed by the run.
    std::filesystem::remove(path("root/Films/ReelB/Beta.ptx"));
    again = indexPaths(store, {root() + "/Films"});
    EXPECT_EQ(again.removed, 1u);
    EXPECT_EQ(names(find(store, "rain")), Names{});

    // Gone otherwise: removed by prune, and only the missing file.
    std::filesystem::remove(path("root/Ads/Gamma.ptx"));
    EXPECT_EQ(names(find(store, "clip:door")), (Names{"Gamma", "Alpha"}));
    EXPECT_EQ(pruneMissing(store), 1u);
    EXPECT_EQ(names(find(store, "clip:door")), (Names{"Alpha"}));
    EXPECT_EQ(store.stats().sessions, 1);
    EXPECT_EQ(pruneMissing(store), 0u);
}

TEST_F(ArchiveIndexTest, DamagedFilesLinkLoopsAndUnreadableFoldersAreReportedAndSkipped)
{
    writeArchive();
    std::filesystem::create_directory_symlink("../..", path("root/Films/ReelA/loop"));
    writeArchiveSession(path("root/Locked/Delta.ptx"), beta());
    std::filesystem::permissions(path("root/Locked"), std::filesystem::perms::none);
    std::error_code lockedError;
    std::filesystem::directory_iterator(path("root/Locked"), lockedError);
    const bool lockedIsUnreadable = bool(lockedError);

    SqliteIndexStore store(database());
    std::vector<std::string> problems;
    IndexOptions options;
    options.problem = [&](const std::string &p) { problems.push_back(p); };
    const IndexSummary summary = indexPaths(store, {root()}, options);
    // Each file once, although the loop reaches it again.
    EXPECT_EQ(summary.indexed, lockedIsUnreadable ? 3u : 4u);
    EXPECT_EQ(summary.failed, 1u);

    const IndexStats stats = store.stats();
    ASSERT_EQ(stats.failed.size(), 1u);
    EXPECT_EQ(stats.failed[0].path, path("root/Ads/broken.ptx"));
    EXPECT_FALSE(stats.failed[0].error.empty());
    EXPECT_GT(stats.databaseBytes, 0);

    const auto mentions = [&](const std::string &text) {
        return std::any_of(problems.begin(), problems.end(),
                           [&](const std::string &p) { return p.find(text) != std::string::npos; });
    };
    EXPECT_TRUE(mentions("loop"));
    if (lockedIsUnreadable) {  // root reads every folder
        EXPECT_TRUE(mentions("Locked"));
    }
}

TEST_F(ArchiveIndexTest, SchemaIsVersionedAndANewerDatabaseIsRefused)
{
    { SqliteIndexStore store(database()); }
    EXPECT_EQ(sqliteValue(database(), "PRAGMA user_version"), std::to_string(SqliteIndexStore::schemaVersion()));
    ASSERT_EQ(sqliteValue(database(), "PRAGMA user_version = 99"), "");
    EXPECT_THROW(SqliteIndexStore{database()}, ArchiveError);

    ASSERT_TRUE(ptxw::writeBytes(path("junk.sqlite"), ptxw::Bytes(4096, 0x33)));
    EXPECT_THROW(SqliteIndexStore{path("junk.sqlite")}, ArchiveError);
}

TEST_F(ArchiveIndexTest, SearchesRunWhileAnotherConnectionIndexes)
{
    writeArchive();
    SqliteIndexStore writer(database());
    indexPaths(writer, {root() + "/Films"});
    writer.beginBatch();
    writer.forget(path("root/Films/ReelA/Alpha.ptx"));
    // The reader sees the last committed state and is not blocked.
    SqliteIndexStore reader(database());
    EXPECT_EQ(names(find(reader, "door")), (Names{"Alpha"}));
    writer.commitBatch();
    EXPECT_EQ(names(find(reader, "door")), Names{});
}

} // namespace
