// Folder nesting (0x210c): a flat list of {identifier, child count} records
// in pre-order, rebuilt into a tree and written to the tracks it names.
#include "ptx_extract.h"

#include <algorithm>
#include <cstring>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace ptx {

namespace {

struct FolderRecord {
    TrackId id;
    uint32_t count;
};

struct FolderNode {
    std::optional<TrackId> parent;
    uint32_t child_count = 0;
    std::vector<TrackId> children;
};

struct FolderTree {
    std::vector<TrackId> roots;
    std::unordered_map<TrackId, FolderNode> nodes;
};

// Each record is '*' 0 0 0, the 8-byte identifier and a u32 LE child count.
std::vector<FolderRecord> folder_records(const ParseContext &ctx, const ptx_block &block)
{
    static constexpr uint8_t marker[4] = {'*', 0, 0, 0};
    std::vector<FolderRecord> records;
    const uint64_t end = std::min<uint64_t>(ctx.size, uint64_t(block.offset) + block.size);
    uint64_t p = uint64_t(block.offset) + 2;
    while (p + 12 <= end) {
        if (std::memcmp(ctx.buf + p, marker, sizeof marker) != 0) {
            ++p;
            continue;
        }
        const uint32_t count = p + 16 <= end ? ctx.u32le(uint32_t(p + 12)) : 0;
        records.push_back({ctx.u64le(uint32_t(p + 4)), count});
        p += 12;
    }
    return records;
}

// A record opens a folder of `count` children; the records that follow fill
// the innermost open folder. A repeated identifier only reopens a folder.
FolderTree build_tree(const std::vector<FolderRecord> &records)
{
    struct OpenFolder {
        TrackId id;
        uint32_t remaining;
    };
    std::unordered_map<TrackId, uint32_t> max_count;
    for (const FolderRecord &r : records)
        max_count[r.id] = std::max(max_count[r.id], r.count);

    FolderTree tree;
    std::vector<OpenFolder> open;
    for (const FolderRecord &r : records) {
        const bool seen = tree.nodes.count(r.id) != 0;
        if (seen) {
            if (r.count >= 1)
                open.push_back({r.id, r.count});
            continue;
        }
        FolderNode &node = tree.nodes[r.id];
        node.child_count = max_count[r.id];
        if (!open.empty()) {
            node.parent = open.back().id;
            tree.nodes[open.back().id].children.push_back(r.id);
            --open.back().remaining;
        } else {
            tree.roots.push_back(r.id);
        }
        if (r.count >= 1)
            open.push_back({r.id, r.count});
        while (!open.empty() && open.back().remaining == 0)
            open.pop_back();
    }
    return tree;
}

} // namespace

void read_folders(const ParseContext &ctx, ptx_session &s, const TrackLinks &links)
{
    const ptx_block_list &blocks = ctx.list(0x210c);
    if (blocks.count == 0)
        return;
    const FolderTree tree = build_tree(folder_records(ctx, *blocks.items[0]));

    // Depth-first walk with an explicit stack: a chain of records can nest
    // as deep as the block is long.
    struct Visit {
        TrackId id;
        uint32_t depth;
    };
    std::vector<Visit> pending;
    for (auto root = tree.roots.rbegin(); root != tree.roots.rend(); ++root)
        pending.push_back({*root, 0});
    while (!pending.empty()) {
        const Visit visit = pending.back();
        pending.pop_back();
        const FolderNode &node = tree.nodes.at(visit.id);
        for (auto child = node.children.rbegin(); child != node.children.rend(); ++child)
            pending.push_back({*child, visit.depth + 1});

        ptx_track *track = links.track_for(s, visit.id);
        if (!track)
            continue;
        track->depth = visit.depth;
        track->child_count = node.child_count;
        track->is_folder = node.child_count > 0;
        if (node.parent) {
            const auto parent_name = links.name_by_id.find(*node.parent);
            if (parent_name != links.name_by_id.end())
                track->parent_name = parent_name->second;
        }
    }
}

} // namespace ptx
