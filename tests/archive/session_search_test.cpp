// The search over sessions put straight into a store: the ranking across the
// parts a search is split into, a limited search against the whole ranking,
// a store that searches inside its own batch, and words completed from the
// index's terms.
#include "archive_fixture.h"

#include "sqlite_index_store.h"

#include <algorithm>

using namespace kestrix::archive;
using namespace archive_test;

namespace {

class SessionSearchTest : public ArchiveFixture {
protected:
    IndexedSession session(const std::string &name, const std::vector<std::string> &clips) const
    {
        IndexedSession s{path(name + ".ptx"), {1, 1}, name, "{}", {}};
        for (const std::string &clip : clips)
            s.names.push_back({NameKind::clip, clip, ""});
        return s;
    }
};

TEST_F(SessionSearchTest, RanksAcrossPartsAndSeesItsOwnBatch)
{
    SqliteIndexStore store(database());
    // Ids 1 to 6 in this order, so that every part holds some.
    store.putSession(session("E", {"Kick"}));
    store.putSession(session("D", {"Kick A", "Kick B", "Kick C"}));
    store.putSession(session("C", {"Snare"}));
    store.putSession(session("B", {"Kick X", "Kick Y"}));
    store.putSession(session("A", {"Kick Z", "Hat"}));
    store.putSession(session("F", {"Kick", "Kick 2"}));
    // Most matches first, then by path; the limit cuts the list.
    EXPECT_EQ(names(store.search(parseQuery("kick"), 0)), (std::vector<std::string>{"D", "B", "F", "A", "E"}));
    EXPECT_EQ(names(store.search(parseQuery("kick"), 3)), (std::vector<std::string>{"D", "B", "F"}));

    store.beginBatch();
    store.putSession(session("G", {"Kick 1", "Kick 2", "Kick 3", "Kick 4"}));
    EXPECT_EQ(names(store.search(parseQuery("kick"), 2)), (std::vector<std::string>{"G", "D"}));
    store.rollbackBatch();
    EXPECT_EQ(names(store.search(parseQuery("kick"), 2)), (std::vector<std::string>{"D", "B"}));
}

// A session that another could only beat by its path, or by names that hold
// the word twice (its matches outnumber its names), is kept out of a limited
// search only when enough others rank above it; the names shown are those of
// the session whichever part of the search read it.
TEST_F(SessionSearchTest, ALimitedSearchGivesTheFirstSessionsOfTheWholeRanking)
{
    SqliteIndexStore store(database());
    std::vector<std::pair<std::string, std::vector<std::string>>> expected;  // name, matching clips
    for (int i = 0; i < 40; ++i) {
        const std::string name = "S" + std::to_string(139 - i);  // later sessions win ties
        std::vector<std::string> names;
        for (int c = 0; c <= i % 3; ++c)
            names.push_back((c == 0 && i % 4 == 0 ? "Kick Kick " : "Kickdrum ") + name + "-" + std::to_string(c));
        expected.push_back({name, names});
        if (i % 5 == 0)
            names.push_back("Snare");
        store.putSession(session(name, names));
    }
    std::stable_sort(expected.begin(), expected.end(), [](const auto &a, const auto &b) {
        return a.second.size() != b.second.size() ? a.second.size() > b.second.size() : a.first < b.first;
    });

    const auto shown = [](const std::vector<SessionHit> &hits) {
        std::vector<std::pair<std::string, std::vector<std::string>>> out;
        for (const SessionHit &hit : hits) {
            out.push_back({hit.sessionName, {}});
            for (const SessionMatch &match : hit.matches)
                out.back().second.push_back(match.name);
        }
        return out;
    };
    ASSERT_EQ(shown(store.search(parseQuery("kick"), 0)), expected);
    for (size_t limit : {1, 2, 5, 9, 17, 30})
        EXPECT_EQ(shown(store.search(parseQuery("kick"), limit)),
                  std::vector(expected.begin(), expected.begin() + ptrdiff_t(limit)))
            << limit;
}

// A word matches every term it starts: completed from the terms the index
// lists, or as a prefix when it stands for too many; a term listed in a batch
// that was rolled back is listed again when a session brings it back.
TEST_F(SessionSearchTest, WordsMatchEveryTermTheyStartHoweverManyThereAre)
{
    SqliteIndexStore store(database());
    store.putSession(session("A", {"Squeak", "Café Door"}));
    store.putSession(session("B", {"Squeaky Hinge", "Pro-Q 3"}));
    store.putSession(session("C", {"squeaks", "Pro-Qx"}));
    std::vector<std::string> many;
    for (int i = 0; i < 20; ++i)
        many.push_back("Kick" + std::to_string(100 + i));
    store.putSession(session("D", many));
    store.putSession(session("E", {"Kick", "Squea"}));

    const auto found = [&](const std::string &query) { return names(store.search(parseQuery(query), 0)); };
    using Names = std::vector<std::string>;
    EXPECT_EQ(found("squeak"), (Names{"A", "B", "C"}));
    EXPECT_EQ(found("SQUEAKY"), (Names{"B"}));
    EXPECT_EQ(found("squeak hinge"), (Names{"B"}));
    EXPECT_EQ(found("clip:squeak"), (Names{"A", "B", "C"}));
    EXPECT_EQ(found("track:squeak"), (Names{}));
    EXPECT_EQ(found("cafe"), (Names{"A"}));
    EXPECT_EQ(found("CAFÉ door"), (Names{"A"}));
    EXPECT_EQ(found("pro-q"), (Names{"B", "C"}));
    EXPECT_EQ(found("pro-qx"), (Names{"C"}));
    EXPECT_EQ(found("kick1"), (Names{"D"}));
    EXPECT_EQ(found("kick"), (Names{"D", "E"}));
    EXPECT_EQ(found("squeakiest"), (Names{}));

    store.beginBatch();
    store.putSession(session("F", {"Zebrafish"}));
    store.rollbackBatch();
    store.putSession(session("G", {"Zebrafish"}));
    store.putSession(session("H", {"Zebra"}));
    EXPECT_EQ(found("zebra"), (Names{"G", "H"}));
}

} // namespace
