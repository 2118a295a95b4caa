#include "first_descendant.h"

#include <vector>

namespace ptx {

const ptx_block *FirstDescendant::in(const ptx_block &root)
{
    if (const auto known = found_.find(&root); known != found_.end())
        return known->second;
    struct Level {
        const ptx_block *block;
        uint32_t next;
    };
    std::vector<Level> levels{{&root, 0}};
    for (;;) {
        Level &level = levels.back();
        const ptx_block *hit = nullptr;
        bool descend = false;
        while (level.next < level.block->child_count) {
            const ptx_block &child = level.block->children[level.next++];
            if (child.content_type == type_) {
                hit = &child;
                break;
            }
            const auto known = found_.find(&child);
            if (known == found_.end()) {
                levels.push_back({&child, 0});
                descend = true;
                break;
            }
            if (known->second) {
                hit = known->second;
                break;
            }
        }
        if (descend)
            continue;
        // The level is settled; a hit also settles every level above it.
        do {
            found_[levels.back().block] = hit;
            levels.pop_back();
        } while (hit && !levels.empty());
        if (levels.empty())
            return hit;
    }
}

} // namespace ptx
