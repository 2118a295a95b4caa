// The demo's memory locations: section markers, picture cuts, stored
// selections and a view-only location.
#ifndef KESTRIX_DEMO_MARKERS_H
#define KESTRIX_DEMO_MARKERS_H

#include "session_writer.h"

#include <vector>

namespace demo {

// 0x2077 blocks, one per memory location.
std::vector<ptxw::Block> memoryLocations();

} // namespace demo

#endif
