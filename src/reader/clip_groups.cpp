#include "ptx_extract.h"

namespace ptx {

void read_clip_groups(const ParseContext &, ptx_session &) {}

} // namespace ptx
