#include "ptx_extract.h"

namespace ptx {

void read_clips(const ParseContext &, ptx_session &) {}

} // namespace ptx
