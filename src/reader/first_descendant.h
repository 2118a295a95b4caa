// Depth-first search for the first descendant of a content type, for trees
// where the same subtrees are searched again from several ancestors.
#ifndef KESTRIX_FIRST_DESCENDANT_H
#define KESTRIX_FIRST_DESCENDANT_H

#include "ptx_container.h"

#include <cstdint>
#include <unordered_map>

namespace ptx {

// The answer for every block passed on the way is remembered, so that nested
// subtrees are searched once however many ancestors ask; an explicit stack
// keeps deep trees off the call stack. Valid while the tree exists.
class FirstDescendant {
public:
    explicit FirstDescendant(uint16_t content_type) : type_(content_type) {}

    // The first block below `root` (children in order, each child's subtree
    // before the next child) with the content type, or null.
    const ptx_block *in(const ptx_block &root);

private:
    uint16_t type_;
    std::unordered_map<const ptx_block *, const ptx_block *> found_;
};

} // namespace ptx

#endif
