#include "visible_lists.h"

#include "indices.h"
#include "timeline_filter.h"

#include <algorithm>
#include <iterator>

namespace kestrix {

namespace {

// Both inputs are ascending.
std::vector<size_t> intersection(const std::vector<size_t> &a, const std::vector<size_t> &b)
{
    std::vector<size_t> both;
    std::set_intersection(a.begin(), a.end(), b.begin(), b.end(), std::back_inserter(both));
    return both;
}

std::string_view searchTextFor(const SearchQuery &query, SearchQuery::Scope section)
{
    return query.appliesTo(section) ? std::string_view(query.text) : std::string_view();
}

} // namespace

std::vector<size_t> visibleTrackIndices(const PTXSessionInfo &session, const TrackSearchIndex &index,
                                        const ListFilters &filters)
{
    // Search before the type switches, so that a folder hidden by its type
    // still lets its own enclosing folders through.
    std::vector<size_t> tracks = searchTracks(index, searchTextFor(filters.search, SearchQuery::Scope::tracks));
    std::erase_if(tracks, [&](size_t t) { return !filters.trackTypes.shows(session.tracks[t].type); });
    return tracks;
}

std::vector<size_t> visibleAudioFileGroupIndices(const PTXSessionInfo &session,
                                                 const std::vector<PTXAudioFileGroup> &audioFileGroups,
                                                 const NameIndex &index, const ListFilters &filters)
{
    std::vector<size_t> found = searchNames(index, searchTextFor(filters.search, SearchQuery::Scope::files));
    if (filters.timeline.empty())
        return found;
    return intersection(found, audioFileGroupsInSelection(audioFileGroups, session, filters.timeline));
}

std::vector<size_t> visibleClipGroupIndices(const PTXSessionInfo &session, const std::vector<PTXClipGroup> &clipGroups,
                                            const NameIndex &index, const ListFilters &filters)
{
    std::vector<size_t> found = searchNames(index, searchTextFor(filters.search, SearchQuery::Scope::clips));
    if (filters.timeline.empty())
        return found;
    return intersection(found, clipGroupsInSelection(clipGroups, session.tracks, filters.timeline));
}

VisibleLists visibleLists(const PTXSessionInfo &session, const std::vector<PTXAudioFileGroup> &audioFileGroups,
                          const std::vector<PTXClipGroup> &clipGroups, const ListFilters &filters)
{
    const SessionSearchIndex index = SessionSearchIndex::make(session.tracks, audioFileGroups, clipGroups);
    return {visibleTrackIndices(session, index.tracks, filters),
            visibleAudioFileGroupIndices(session, audioFileGroups, index.audioFileGroups, filters),
            visibleClipGroupIndices(session, clipGroups, index.clipGroups, filters)};
}

} // namespace kestrix
