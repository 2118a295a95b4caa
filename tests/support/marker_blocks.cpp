#include "marker_blocks.h"

namespace ptxw {

Block memoryLocationBlock(const MemoryLocation &location)
{
    Block b(0x2077);
    b.at(2).u16(location.number).u8(location.reference).u8(location.type);
    b.at(8).counted(location.name);
    b.u64(location.start).u64(location.end);
    for (const MarkerColour &colour : location.colours)
        b.child(Block(0x4826).at(4).u8(colour.r).at(6).u8(colour.g).at(8).u8(colour.b));
    return b;
}

} // namespace ptxw
