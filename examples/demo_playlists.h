// Where the demo's clips sit on its tracks.
#ifndef KESTRIX_DEMO_PLAYLISTS_H
#define KESTRIX_DEMO_PLAYLISTS_H

#include "session_writer.h"

namespace demo {

// 0x1054: one playlist per track that holds clips, named after the track,
// an unused alternate playlist, and one unnamed playlist per channel of the
// 5.1 ambience track (such playlists go to multichannel tracks in order).
ptxw::Block playlists();

} // namespace demo

#endif
