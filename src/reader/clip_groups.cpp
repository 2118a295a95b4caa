// Clip groups: their names come from the 0x262b blocks; their members from
// the 0x1052 blocks named "?", which belong to the groups one after another
// in tree order, wherever in the tree they lie.
#include "ptx_extract.h"

#include <vector>

namespace ptx {

namespace {

constexpr uint32_t kMaxGroupNameLength = 256;
constexpr uint32_t kMinMemberSize = 14;
// Member offsets at or above 10^12 carry that much on top of the offset.
constexpr uint64_t kMemberOffsetBias = 1'000'000'000'000;

// The first 0x2628 child holding a name counted at its offset+2 that fits.
void read_group_name(const ParseContext &ctx, const ptx_block &block, ptx_session &s)
{
    for (uint32_t c = 0; c < block.child_count; ++c) {
        const ptx_block &child = block.children[c];
        if (child.content_type != 0x2628 || !ctx.fits(child.offset, 6))
            continue;
        const uint32_t length = ctx.u32(child.offset + 2);
        if (length < 1 || length > kMaxGroupNameLength || !ctx.fits(uint64_t(child.offset) + 6, length))
            continue;
        s.clip_groups.push_back({ctx.text(child.offset + 6, length), {}});
        return;
    }
}

// A 0x1052 block whose name, counted at offset+2, is the single character "?".
bool is_member_block(const ParseContext &ctx, const ptx_block &block)
{
    return block.content_type == 0x1052 && ctx.fits(block.offset, 7) && ctx.u32(block.offset + 2) == 1
           && ctx.u8(block.offset + 6) == '?';
}

// Every 0x104f grandchild under the block's 0x1050 children: the clip index
// (u32 LE) at offset+4 and the offset (5 bytes LE) at offset+9.
void read_members(const ParseContext &ctx, const ptx_block &block, ptx_clip_group &group)
{
    for (uint32_t c = 0; c < block.child_count; ++c) {
        const ptx_block &list = block.children[c];
        if (list.content_type != 0x1050)
            continue;
        for (uint32_t m = 0; m < list.child_count; ++m) {
            const ptx_block &member = list.children[m];
            if (member.content_type != 0x104f || member.size < kMinMemberSize
                || !ctx.fits(member.offset, kMinMemberSize))
                continue;
            uint64_t offset = ctx.u32le(member.offset + 9) | uint64_t(ctx.u8(member.offset + 13)) << 32;
            if (offset >= kMemberOffsetBias)
                offset -= kMemberOffsetBias;
            group.members.push_back({int32_t(ctx.u32le(member.offset + 4)), offset});
        }
    }
}

// Pre-order over the whole tree with an explicit stack, so that a deeply
// nested file cannot exhaust the call stack. Member blocks are not entered.
void read_group_members(const ParseContext &ctx, ptx_session &s)
{
    struct Pending {
        const ptx_block *blocks;
        uint32_t count;
        uint32_t next;
    };
    std::vector<Pending> stack{{ctx.top, ctx.top_count, 0}};
    size_t group = 0;
    while (!stack.empty() && group < s.clip_groups.size()) {
        Pending &top = stack.back();
        if (top.next == top.count) {
            stack.pop_back();
            continue;
        }
        const ptx_block &block = top.blocks[top.next++];
        if (is_member_block(ctx, block))
            read_members(ctx, block, s.clip_groups[group++]);
        else if (block.child_count > 0)
            stack.push_back({block.children, block.child_count, 0});
    }
}

} // namespace

void read_clip_groups(const ParseContext &ctx, ptx_session &s)
{
    const ptx_block_list &blocks = ctx.list(0x262b);
    for (uint32_t k = 0; k < blocks.count; ++k)
        read_group_name(ctx, *blocks.items[k], s);
    if (!s.clip_groups.empty() && ctx.top)
        read_group_members(ctx, s);
}

} // namespace ptx
