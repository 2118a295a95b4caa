// Generated session files for the reader benchmarks.
#ifndef KESTRIX_BENCH_SESSIONS_H
#define KESTRIX_BENCH_SESSIONS_H

#include "session_writer.h"

#include <string>

namespace bench {

// About `megabytes` MB of plain session bytes: property blocks and nested
// blocks of name-like and binary content, as a real session holds.
ptxw::SessionFile bulkSession(size_t megabytes);

// Writes the scrambled file once per process into the temporary folder and
// returns its path.
const std::string &bulkSessionPath();

} // namespace bench

#endif
