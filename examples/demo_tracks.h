// The demo session's 24 tracks (a short film cue: picture, click, music and
// effects in folders nested two deep, buses, VCAs and the master) and their
// folder nesting.
#ifndef KESTRIX_DEMO_TRACKS_H
#define KESTRIX_DEMO_TRACKS_H

#include "session_writer.h"
#include "track_blocks.h"

#include <string_view>
#include <vector>

namespace demo {

// 0x251a blocks, one per track, in session order.
std::vector<ptxw::Block> trackBlocks();

// 0x210c: every track in order with the number of tracks directly inside it.
ptxw::Block folderNesting();

// The identifier that links a track to its settings and folder records.
ptxw::TrackIdentifier trackId(std::string_view trackName);

} // namespace demo

#endif
