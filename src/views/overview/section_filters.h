// What each list of the overview shows under the current filters. Every
// section is filtered on its own, so that a change that concerns one list
// (a search limited to clips, a track-type switch) recomputes only that list.
#ifndef KESTRIX_VIEWS_OVERVIEW_SECTION_FILTERS_H
#define KESTRIX_VIEWS_OVERVIEW_SECTION_FILTERS_H

#include "cached_result.h"
#include "overview_data.h"

#include <vector>

namespace kestrix {

// The query as it concerns one section: its text when the scope names the
// section (or all sections), no text otherwise.
SearchQuery searchFor(const SearchQuery &query, SearchQuery::Scope section);

// Indices into the session's tracks, the audio-file groups and the clip groups.
std::vector<size_t> visibleTracks(const OverviewData &data, const TracksFilterToken &token);
std::vector<size_t> visibleAudioFileGroups(const OverviewData &data, const SectionFilterToken &token);
std::vector<size_t> visibleClipGroups(const OverviewData &data, const SectionFilterToken &token);

// The clip groups of an expanded track. A track found by its own name shows
// all its clips; one found through its clips shows the clips that match. The
// timeline selection narrows the lane as it narrows the clip list.
std::vector<PTXClipGroup> laneClipGroups(const OverviewData &data, size_t track, const ClipFilterToken &token);

} // namespace kestrix

#endif
