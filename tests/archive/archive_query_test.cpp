// The query language, and user text that FTS5 or SQL would read as syntax.
#include "archive_fixture.h"

#include "archive_indexer.h"
#include "archive_query.h"
#include "sqlite_index_store.h"

using namespace kestrix::archive;
using namespace archive_test;

namespace {

TEST(ArchiveQuery, ParsesWordsPhrasesAndKinds)
{
    using T = QueryTerm;
    EXPECT_EQ(parseQuery("  door  wind "), (std::vector<T>{{std::nullopt, "door", false}, {std::nullopt, "wind", false}}));
    EXPECT_EQ(parseQuery("marker:\"Reel 3 LFOA\" clip:door"),
              (std::vector<T>{{NameKind::marker, "Reel 3 LFOA", true}, {NameKind::clip, "door", false}}));
    // Unknown prefixes are part of the word; an unclosed quote runs to the end.
    EXPECT_EQ(parseQuery("take:5 \"open end"),
              (std::vector<T>{{std::nullopt, "take:5", false}, {std::nullopt, "open end", true}}));
    // Nothing a name could hold: nothing to search for.
    EXPECT_TRUE(parseQuery("( ) * \"\" track: -").empty());
    // Quotes inside a word are doubled, so the word stays one FTS5 string.
    EXPECT_EQ(ftsExpression({NameKind::track, "a\"b", false}), "{track} : \"a\"\"b\"*");
    EXPECT_EQ(ftsExpression({NameKind::file, "x y", true}), "{file path} : \"x y\"");
    // A completed word: a phrase per term its last token stands for.
    EXPECT_EQ(ftsExpression({NameKind::file, "pro-q", false}, "pro ", {"q", "q\"x"}),
              "{file path} : (\"pro q\" OR \"pro q\"\"x\")");
}

class HostileQueryTest : public ArchiveFixture {};

TEST_F(HostileQueryTest, AnyTextGivesResultsOrNoneNeverAnError)
{
    writeArchive();
    SqliteIndexStore store(database());
    indexPaths(store, {root()});
    const std::vector<std::string> queries = {
        "\"", "\"\"", "\"unclosed door", "a\"b", "track:", ":", ":door", "foo:bar", "*", "**door", "door*",
        "(door)", "door)", "NEAR(door wind)", "NEAR", "NEAR/2", "AND", "OR door", "door NOT wind", "-door", "+door",
        "^door", "{track}:door", "track : door", "'; DROP TABLE sessions; --", "\" OR 1=1 --", "%", "_", "\\",
        "Müller", "日本語", "\xff\xfe", "door\tslam", std::string(5000, 'a'), "clip:clip:door"};
    for (const std::string &query : queries)
        EXPECT_NO_THROW(store.search(parseQuery(query), 0)) << query;
    EXPECT_EQ(names(store.search(parseQuery("(door)"), 0)), (std::vector<std::string>{"Alpha", "Gamma"}));
    EXPECT_EQ(names(store.search(parseQuery("door*"), 0)), (std::vector<std::string>{"Alpha", "Gamma"}));
    EXPECT_TRUE(store.search(parseQuery("NEAR"), 0).empty());
    EXPECT_EQ(store.stats().sessions, 3);
}

} // namespace
