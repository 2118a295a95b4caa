#include "test_helpers.h"
#include "track_blocks.h"

#include <gtest/gtest.h>

using namespace ptxw;
using namespace ptxtest;

namespace {

// Each track's place in the tree as "<name>: <depth> '<parent>' <folder or track> <children>".
std::vector<std::string> treeOf(const ptx_session *s)
{
    return rows(ptx_track_count(s), [&](int t) {
        return joined(" ", std::string(ptx_track_name(s, t)) + ":", ptx_track_depth(s, t),
                      "'" + std::string(ptx_track_parent_name(s, t)) + "'",
                      ptx_track_is_folder(s, t) ? "folder" : "track", ptx_track_child_count(s, t));
    });
}

} // namespace

TEST(Folders, RecordsInPreOrderBuildTheTreeInBothByteOrders)
{
    for (bool bigEndian : {false, true}) {
        SCOPED_TRACE(bigEndian ? "big-endian" : "little-endian");
        // The identifiers, in the tracks as in the records, are little-endian in both orders.
        SessionPtr s = openSession(sessionWith(
            {
                trackBlock({"P", 0, 0, 1, 0}), trackBlock({"Q", 0, 0, 2, 0}), trackBlock({"R", 0, 0, 3, 0}),
                trackBlock({"S", 0, 0, 4, 0}), trackBlock({"T", 0, 0, 5, 0}),
                folderBlock({{1, 2}, {2, 0}, {3, 1}, {4, 0}, {5, 0}}),
            },
            bigEndian));
        ASSERT_TRUE(s);
        EXPECT_EQ(treeOf(s.get()), (std::vector<std::string>{"P: 0 '' folder 2", "Q: 1 'P' track 0",
                                                             "R: 1 'P' folder 1", "S: 2 'R' track 0",
                                                             "T: 0 '' track 0"}));
    }
}

TEST(Folders, ReopenedFoldersUnknownParentsAndCutRecords)
{
    Block nesting = folderBlock({
        {0x99, 1}, {10, 0},             // a folder that is not a track holds A
        {1, 1}, {2, 0},                 // P holds Q
        {7, 2},                         // Y opens for two children...
        {1, 2}, {3, 0}, {9, 0},         // ...but P, reopened inside it, takes R and W and is not one of them
        {8, 0},                         // S is Y's first child
    });
    // The last record's count does not fit in the block: it counts as 0.
    nesting.bytes(std::string_view("*\0\0\0", 4)).u64le(5).u16le(7);
    SessionPtr s = openSession(sessionWith({
        trackBlock({"A", 0, 0, 10, 0}), trackBlock({"P", 0, 0, 1, 0}), trackBlock({"Q", 0, 0, 2, 0}),
        trackBlock({"R", 0, 0, 3, 0}), trackBlock({"W", 0, 0, 9, 0}), trackBlock({"Y", 0, 0, 7, 0}),
        trackBlock({"S", 0, 0, 8, 0}), trackBlock({"T", 0, 0, 5, 0}), trackBlock({"U", 0, 0, 6, 0}),
        nesting,
        folderBlock({{6, 1}, {5, 0}}),  // only the first nesting block counts
    }));
    ASSERT_TRUE(s);
    // P's count is the largest of its records.
    EXPECT_EQ(treeOf(s.get()), (std::vector<std::string>{"A: 1 '' track 0", "P: 0 '' folder 2", "Q: 1 'P' track 0",
                                                         "R: 1 'P' track 0", "W: 1 'P' track 0", "Y: 0 '' folder 2",
                                                         "S: 1 'Y' track 0", "T: 1 'Y' track 0", "U: 0 '' track 0"}));
}

TEST(Folders, DeepChainIsWalkedWithoutRecursion)
{
    constexpr uint32_t kDepth = 200000;
    Bytes records;
    for (uint32_t n = 0; n < kDepth; ++n) {
        const uint64_t id = 0x1000000000ULL + n;
        const uint32_t count = n + 1 < kDepth ? 1 : 0;
        records.insert(records.end(), {'*', 0, 0, 0});
        for (int k = 0; k < 8; ++k)
            records.push_back(uint8_t(id >> (8 * k)));
        for (int k = 0; k < 4; ++k)
            records.push_back(uint8_t(count >> (8 * k)));
    }
    Block nesting(0x210c);
    nesting.at(2).bytes(records);
    SessionPtr s = openSession(sessionWith({
        trackBlock({"Top", 0, 0, 0x1000000000ULL, 0}),
        trackBlock({"Above", 0, 0, 0x1000000000ULL + kDepth - 2, 0}),
        trackBlock({"Bottom", 0, 0, 0x1000000000ULL + kDepth - 1, 0}),
        nesting,
    }));
    ASSERT_TRUE(s);
    EXPECT_EQ(treeOf(s.get()), (std::vector<std::string>{"Top: 0 '' folder 1",
                                                         "Above: " + std::to_string(kDepth - 2) + " '' folder 1",
                                                         "Bottom: " + std::to_string(kDepth - 1) + " 'Above' track 0"}));
}
