#include "ptx_extract.h"

namespace ptx {

void read_memory_locations(const ParseContext &, ptx_session &) {}

} // namespace ptx
