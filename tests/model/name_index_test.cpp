#include "name_index.h"
#include "substring_find.h"
#include "text_match.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

using namespace kestrix;

namespace {

// Owners of a few names each, drawn from a small alphabet so that terms
// occur often, at every position and across name ends.
std::vector<std::vector<std::string>> randomOwners(std::mt19937 &rng)
{
    static const std::string letters = "abAB \xC5\x98\xC4\x8D-";
    std::vector<std::vector<std::string>> owners(1 + rng() % 60);
    for (std::vector<std::string> &names : owners)
        for (unsigned n = rng() % 4; n > 0; --n) {
            std::string name;
            for (unsigned length = rng() % 40; length > 0; --length)
                name += letters[rng() % letters.size()];
            names.push_back(name);
        }
    return owners;
}

} // namespace

TEST(NameIndex, AgreesWithMatchingNameByName)
{
    std::mt19937 rng(25);
    const std::vector<std::string> queries = {"a", "ab", "ba b", "aab", "abab", "ř", "Řa", "a-b", "bbbbbbbbbbbbbbbbba",
                                              "- a", "č", ""};
    for (int round = 0; round < 50; ++round) {
        const std::vector<std::vector<std::string>> owners = randomOwners(rng);
        NameIndex::Builder builder;
        for (const std::vector<std::string> &names : owners) {
            builder.startOwner();
            for (const std::string &name : names)
                builder.addName(name);
        }
        const NameIndex index = builder.finish();
        ASSERT_EQ(index.ownerCount(), owners.size());
        for (const std::string &query : queries) {
            const TermMatcher matcher(query);
            std::vector<size_t> expected;
            for (size_t o = 0; o < owners.size(); ++o)
                if (matcher.empty() || std::ranges::any_of(owners[o], [&](auto &name) { return matcher.matches(name); }))
                    expected.push_back(o);
            ASSERT_EQ(index.ownersMatching(searchTerms(query)), expected) << "query \"" << query << "\", round " << round;
        }
    }
}

// Every other search goes through the index comparison above.
TEST(SubstringFinder, EmptyAndLongerNeedles)
{
    EXPECT_EQ(SubstringFinder("").find("abc", 3), 3u);
    EXPECT_EQ(SubstringFinder("").find("abc", 4), std::string_view::npos);
    EXPECT_EQ(SubstringFinder("abcd").find("abc", 0), std::string_view::npos);
}
