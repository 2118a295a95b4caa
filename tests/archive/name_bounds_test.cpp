// Where each name of a session's text starts: the stored form, the form of
// the first schema, and its conversion when an old index is opened.
#include "archive_fixture.h"

#include "name_bounds.h"
#include "sqlite_index_store.h"

#include <cstdio>

using namespace kestrix::archive;
using namespace archive_test;

namespace {

using Starts = std::array<std::vector<uint32_t>, kBoundsColumnCount>;

// The first schema's form: per column a 32-bit count, then 32-bit starts.
std::string fixedWidth(const Starts &starts)
{
    std::string out;
    const auto append = [&out](uint32_t v) {
        for (int b = 0; b < 4; ++b)
            out += char((v >> (8 * b)) & 0xff);
    };
    for (const auto &column : starts) {
        append(uint32_t(column.size()));
        for (uint32_t start : column)
            append(start);
    }
    return out;
}

std::span<const unsigned char> bytes(const std::string &blob)
{
    return {reinterpret_cast<const unsigned char *>(blob.data()), blob.size()};
}

TEST(NameBounds, CursorsFindTheNameOfEveryOffsetInBothFormsAndSurviveDamage)
{
    Starts starts;
    starts[0] = {0, 3, 4, 10};
    starts[3] = {0};
    starts[6] = {0, 70000, 70002};  // past 16 bits
    // {column, offset, name}, asked in this order: increasing, then earlier.
    const std::tuple<int, uint32_t, uint32_t> cases[] = {
        {0, 0, 0}, {0, 2, 0}, {0, 3, 1}, {0, 9, 2}, {0, 10, 3}, {0, 500, 3}, {0, 3, 1}, {0, 0, 0},
        {3, 0, 0}, {3, 7, 0}, {6, 69999, 0}, {6, 70001, 1}, {6, 70002, 2}, {6, 5, 0}};
    for (const std::string &blob : {encodeNameBounds(starts), nameBoundsFromFixedWidth(fixedWidth(starts))}) {
        const NameBounds bounds(bytes(blob));
        std::array<NameCursor, kBoundsColumnCount> cursors;
        for (int c = 0; c < kBoundsColumnCount; ++c) {
            cursors[size_t(c)] = bounds.column(c);
            EXPECT_EQ(cursors[size_t(c)].empty(), starts[size_t(c)].empty()) << c;
        }
        for (const auto &[column, offset, name] : cases)
            EXPECT_EQ(cursors[size_t(column)].nameAt(offset), name) << column << " at " << offset;
    }
    EXPECT_EQ(encodeNameBounds(starts).size(), 7 * 2 + 2 * 5 + 4 * 3) << "two bytes a start where they fit";

    // Every shortened blob, in both forms: no read past its end, and no name
    // that the column does not have.
    const std::string stored = encodeNameBounds(starts);
    const std::string first = fixedWidth(starts);
    for (const bool firstForm : {false, true}) {
        const std::string &whole = firstForm ? first : stored;
        for (size_t size = 0; size < whole.size(); ++size) {
            const std::string cut = firstForm ? nameBoundsFromFixedWidth(whole.substr(0, size)) : whole.substr(0, size);
            const NameBounds bounds(bytes(cut));
            for (int c = 0; c < kBoundsColumnCount; ++c) {
                NameCursor cursor = bounds.column(c);
                if (cursor.empty())
                    continue;
                EXPECT_LT(cursor.nameAt(80000), std::max<size_t>(starts[size_t(c)].size(), 1)) << size;
            }
        }
    }
}

class IndexUpgrade : public ArchiveFixture {};

TEST_F(IndexUpgrade, AnIndexOfTheFirstSchemaGetsItsBoundsConvertedAndItsTermsListed)
{
    const IndexedSession session{path("Old.ptx"), {1, 2}, "Old", "{}",
                                 {{NameKind::track, "Kick Drum", ""},
                                  {NameKind::track, "Snare", ""},
                                  {NameKind::clip, "Snare Hit", ""}}};
    {
        SqliteIndexStore store(database());
        store.putSession(session);
    }
    // As the first schema left it: "Kick Drum" takes tokens 0 and 1, the
    // separator 2, so "Snare" starts at 3.
    Starts old;
    old[0] = {0, 3};
    old[6] = {0};
    std::string hex;
    for (unsigned char byte : fixedWidth(old)) {
        char digits[3];
        std::snprintf(digits, sizeof digits, "%02X", byte);
        hex += digits;
    }
    ASSERT_EQ(sqliteValue(database(), "UPDATE sessions SET bounds = X'" + hex + "'"), "");
    ASSERT_EQ(sqliteValue(database(), "DROP TABLE terms"), "");
    ASSERT_EQ(sqliteValue(database(), "PRAGMA user_version = 1"), "");

    SqliteIndexStore store(database());
    EXPECT_EQ(sqliteValue(database(), "PRAGMA user_version"), std::to_string(SqliteIndexStore::schemaVersion()));
    // A word completed from the terms listed: the old session's by the
    // conversion, a new one's when it is put.
    store.putSession({path("New.ptx"), {1, 2}, "New", "{}", {{NameKind::track, "Snares", ""}}});
    const std::vector<SessionHit> hits = store.search(parseQuery("snare"), 0);
    ASSERT_EQ(names(hits), (std::vector<std::string>{"Old", "New"}));
    const std::vector<std::pair<NameKind, std::string>> expected = {{NameKind::track, "Snare"},
                                                                    {NameKind::clip, "Snare Hit"}};
    std::vector<std::pair<NameKind, std::string>> matches;
    for (const SessionMatch &match : hits[0].matches)
        matches.emplace_back(match.kind, match.name);
    EXPECT_EQ(matches, expected);
}

} // namespace
