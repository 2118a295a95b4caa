#include "ptx_extract.h"

namespace ptx {

void read_audio_files(const ParseContext &, ptx_session &) {}

} // namespace ptx
