// Import requests waiting for their dialog: what the user chose to import
// from a file window. Each request has its own id, so a dialog can tell a new
// request from the one it shows.
#ifndef KESTRIX_VIEWS_WINDOW_PENDING_IMPORTS_H
#define KESTRIX_VIEWS_WINDOW_PENDING_IMPORTS_H

#include "multi_mono_grouping.h"
#include "session_info.h"

#include <vector>

namespace kestrix {

struct PendingTracksImport {
    int id = 0;
    std::vector<PTXTrackInfo> items;
};

struct PendingAudioImport {
    int id = 0;
    std::vector<PTXAudioFileGroup> files;
};

struct PendingClipsImport {
    int id = 0;
    std::vector<PTXClipGroup> items;
};

} // namespace kestrix

#endif
