// Builders for memory-location blocks: the session's markers and stored
// selections.
#ifndef KESTRIX_TEST_MARKER_BLOCKS_H
#define KESTRIX_TEST_MARKER_BLOCKS_H

#include "session_writer.h"

#include <string>
#include <vector>

namespace ptxw {

struct MarkerColour {
    uint8_t r = 0;
    uint8_t g = 0;
    uint8_t b = 0;
};

struct MemoryLocation {
    uint16_t number = 1;
    uint8_t reference = 0;
    uint8_t type = 1;  // 1 and 9 marker, 2 selection, 8 none
    std::string name;
    uint64_t start = 0;  // samples
    uint64_t end = 0;
    // One 0x4826 child each, in order, with red, green and blue at offset+4,
    // +6 and +8. The reader takes the first that is
    // not black, and only for types 1, 2 and 9.
    std::vector<MarkerColour> colours;
};

// 0x2077: the number (u16) at offset+2, the reference and type bytes at +4
// and +5, the name counted at +8, the start and end (u64) right after the
// name, then the colour children. The block ends with the last of them, so
// the times end exactly at offset + 28 + name length when there is no colour.
Block memoryLocationBlock(const MemoryLocation &location);

} // namespace ptxw

#endif
