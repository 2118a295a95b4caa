// The items kestrix-import was asked for, found in the session in its own
// list order.
#ifndef KESTRIX_TOOLS_IMPORT_SELECTION_H
#define KESTRIX_TOOLS_IMPORT_SELECTION_H

#include "multi_mono_grouping.h"
#include "session_info.h"

#include <optional>
#include <string>
#include <vector>

namespace kestrix::import {

// The chosen items in list order, or the first name that matches nothing.
template <typename Item>
struct Selection {
    std::vector<const Item *> items;
    std::optional<std::string> unknownName;
};

// Every track of each name (all tracks when names is empty and all is set).
Selection<PTXTrackInfo> selectTracks(const PTXSessionInfo &session, const std::vector<std::string> &names, bool all);
Selection<PTXClipGroup> selectClips(const std::vector<PTXClipGroup> &groups, const std::vector<std::string> &names);
Selection<PTXAudioFileGroup> selectFiles(const std::vector<PTXAudioFileGroup> &groups,
                                         const std::vector<std::string> &names);

} // namespace kestrix::import

#endif
