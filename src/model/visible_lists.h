// What the overview's track, audio-file and clip lists show under the
// current search, timeline selection and track-type switches.
#ifndef KESTRIX_MODEL_VISIBLE_LISTS_H
#define KESTRIX_MODEL_VISIBLE_LISTS_H

#include "multi_mono_grouping.h"
#include "lazy_search_index.h"
#include "search_query.h"
#include "session_info.h"
#include "track_type_filter.h"
#include "universe_state.h"

#include <cstddef>
#include <vector>

namespace kestrix {

struct ListFilters {
    SearchQuery search;
    UniverseSelection timeline;
    TrackTypeFilter trackTypes;
    bool operator==(const ListFilters &) const = default;
};

// Indices of the shown entries, in list order.
struct VisibleLists {
    std::vector<size_t> tracks;           // into session.tracks
    std::vector<size_t> audioFileGroups;  // into the audio-file groups
    std::vector<size_t> clipGroups;       // into the clip groups
};

// The search text narrows only the sections its scope names ("all" names
// every section); the other sections are not searched but still shown.
// The timeline selection narrows the audio files and clips; the type
// switches narrow the tracks.
VisibleLists visibleLists(const PTXSessionInfo &session, const std::vector<PTXAudioFileGroup> &audioFileGroups,
                          const std::vector<PTXClipGroup> &clipGroups, const ListFilters &filters);

// Each list on its own, searched through the session's index, which a list
// without search text does not wait for.
std::vector<size_t> visibleTrackIndices(const PTXSessionInfo &session, const LazySearchIndex &index,
                                        const ListFilters &filters);
std::vector<size_t> visibleAudioFileGroupIndices(const PTXSessionInfo &session,
                                                 const std::vector<PTXAudioFileGroup> &audioFileGroups,
                                                 const LazySearchIndex &index, const ListFilters &filters);
std::vector<size_t> visibleClipGroupIndices(const PTXSessionInfo &session, const std::vector<PTXClipGroup> &clipGroups,
                                            const LazySearchIndex &index, const ListFilters &filters);

} // namespace kestrix

#endif
