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

// The sizes of a large, realistic session.
struct LargeSessionShape {
    int tracks = 1000;
    int clips = 100000;       // all of them placed in playlists
    int audioFiles = 5000;
    int pluginSlots = 2000;
    int memoryLocations = 1000;
};

// A session with every kind of block: tracks of all types with identifiers,
// folders, named playlists placing every clip, clip groups, plug-in
// definitions and insert lists, comments and memory locations.
ptxw::SessionFile largeSession(const LargeSessionShape &shape = {});

// The large session written once per process; returns its path.
const std::string &largeSessionPath();

} // namespace bench

#endif
