// The search over sessions put straight into a store: the ranking across the
// parts a search is split into, and a store that searches inside its own batch.
#include "archive_fixture.h"

#include "sqlite_index_store.h"

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

} // namespace
