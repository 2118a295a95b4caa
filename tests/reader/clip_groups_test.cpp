#include "media_blocks.h"
#include "test_helpers.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace ptxw;
using ptxtest::openSession;
using ptxtest::sessionWith;

namespace {

// Each group as "<name>: <clip>@<offset> ...".
std::vector<std::string> groupsOf(const SessionFile &file)
{
    ptxtest::SessionPtr s = openSession(file);
    return ptxtest::rows(ptx_clip_group_count(s.get()), [&](int g) {
        std::string group = std::string(ptx_clip_group_name(s.get(), g)) + ":";
        for (int m = 0; m < ptx_clip_group_member_count(s.get(), g); ++m)
            group += " " + ptxtest::joined("@", ptx_clip_group_member_clip(s.get(), g, m),
                                           ptx_clip_group_member_offset(s.get(), g, m));
        return group;
    });
}

Block container(uint16_t contentType, const std::vector<Block> &children)
{
    Block b(contentType);
    for (const Block &child : children)
        b.child(child);
    return b;
}

constexpr uint64_t kBias = 1'000'000'000'000;
constexpr uint64_t kLargest5Bytes = (uint64_t(1) << 40) - 1;

} // namespace

TEST(ClipGroups, MemberBlocksFillTheGroupsInTreeOrder)
{
    // The walk does not enter a member block, so the "?" inside the first
    // one belongs to no group.
    Block first = clipGroupMembersBlock({{0, 10}, {1, kBias + 480}});
    first.child(clipGroupMembersBlock({{9, 9}}));
    // A 0x1052 block with another name is walked through, not read.
    Block bass = clipGroupMembersBlock({{7, 7}}, "Bass");
    bass.child(container(0x3002, {clipGroupMembersBlock({{2, kBias - 1}})}));
    // Members under every 0x1050 child; a 13-byte member is too short.
    Block third = clipGroupMembersBlock({{3, kLargest5Bytes}, {4, kBias}});
    Block tooShort(0x104f);
    tooShort.at(4).u32le(6);
    tooShort.at(9).uintle(6, 4);
    third.child(container(0x1050, {groupMemberBlock({5, 5}), tooShort}));

    const Block before = container(0x3001, {first, bass});
    const Block after = container(0x3003, {container(0x3004, {third}), clipGroupMembersBlock({{8, 8}})});
    const std::vector<std::string> expected = {
        "Drums: 0@10 1@480",
        "Keys: 2@" + std::to_string(kBias - 1),
        "FX: 3@" + std::to_string(kLargest5Bytes - kBias) + " 4@0 5@5",
    };
    for (bool bigEndian : {false, true}) {
        SCOPED_TRACE(bigEndian ? "big-endian" : "little-endian");
        EXPECT_EQ(groupsOf(sessionWith({before, after, clipGroupNameBlock("Drums"), clipGroupNameBlock("Keys"),
                                        clipGroupNameBlock("FX")},
                                       bigEndian)),
                  expected);
        // With two names only the first two member blocks are used.
        EXPECT_EQ(groupsOf(sessionWith({before, after, clipGroupNameBlock("Drums"), clipGroupNameBlock("Keys")},
                                       bigEndian)),
                  (std::vector<std::string>{expected[0], expected[1]}));
    }
    EXPECT_TRUE(groupsOf(sessionWith({before, after})).empty());
}

TEST(ClipGroups, NameIsTheFirstNameChildThatFits)
{
    Block empty(0x2628);
    empty.at(2).u32(0);
    Block named(0x2628);
    named.at(2).counted("Strings");
    const Block secondChild = container(0x262b, {empty, named});
    const Block nameless = container(0x262b, {empty});
    const Block longest = clipGroupNameBlock(std::string(256, 'g'));
    const Block tooLong = clipGroupNameBlock(std::string(257, 'x'));
    // Only the count is inside the 0x2628 child; the name after it is still
    // inside the file.
    Block countOnly(0x2628);
    countOnly.at(2).u32(5);
    Block outside(0x262b);
    outside.child(countOnly);
    outside.bytes("Piano");
    // The last name runs past the end of the file.
    Block pastEnd(0x2628);
    pastEnd.at(2).u32(40).bytes("Cut");
    const Block cut = container(0x262b, {pastEnd});

    EXPECT_EQ(groupsOf(sessionWith({secondChild, nameless, longest, tooLong, outside, cut})),
              (std::vector<std::string>{"Strings:", std::string(256, 'g') + ":", "Piano:"}));
}

// The tree, its index and the walk to the members hold no recursion: a
// stack frame per level would overflow here.
TEST(ClipGroups, MembersAndNameAreFoundUnderAVeryDeepTree)
{
    Bytes inner = clipGroupMembersBlock({{4, 44}}).serialize(false);
    const Bytes name = clipGroupNameBlock("Deep").serialize(false);
    inner.insert(inner.end(), name.begin(), name.end());
    SessionFile file;
    file.bytes(ptxtest::nestedDeep(inner, 200000));
    EXPECT_EQ(groupsOf(file), std::vector<std::string>{"Deep: 4@44"});
}
