#include "visible_lists.h"

#include "indices.h"
#include "text_match.h"
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

// The owners of `names` matching the section's search text, or all `count`
// items when it has no terms.
template <class Names>
std::vector<size_t> searched(const ListFilters &filters, SearchQuery::Scope section, size_t count, Names names)
{
    const std::string_view text = searchTextFor(filters.search, section);
    if (searchTerms(text).empty())
        return allIndices(count);
    return names(text);
}

// Shares without owning: the index lives only as long as the call.
template <class T>
std::shared_ptr<const T> borrowed(const T &value)
{
    return std::shared_ptr<const T>(std::shared_ptr<const T>(), &value);
}

} // namespace

std::vector<size_t> visibleTrackIndices(const PTXSessionInfo &session, const LazySearchIndex &index,
                                        const ListFilters &filters)
{
    // Search before the type switches, so that a folder hidden by its type
    // still lets its own enclosing folders through.
    std::vector<size_t> tracks = searched(filters, SearchQuery::Scope::tracks, session.tracks.size(),
                                          [&](std::string_view text) { return searchTracks(index.get().tracks, text); });
    std::erase_if(tracks, [&](size_t t) { return !filters.trackTypes.shows(session.tracks[t].type); });
    return tracks;
}

std::vector<size_t> visibleAudioFileGroupIndices(const PTXSessionInfo &session,
                                                 const std::vector<PTXAudioFileGroup> &audioFileGroups,
                                                 const LazySearchIndex &index, const ListFilters &filters)
{
    std::vector<size_t> found =
        searched(filters, SearchQuery::Scope::files, audioFileGroups.size(),
                 [&](std::string_view text) { return searchNames(index.get().audioFileGroups, text); });
    if (filters.timeline.empty())
        return found;
    return intersection(found, audioFileGroupsInSelection(audioFileGroups, session, filters.timeline));
}

std::vector<size_t> visibleClipGroupIndices(const PTXSessionInfo &session, const std::vector<PTXClipGroup> &clipGroups,
                                            const LazySearchIndex &index, const ListFilters &filters)
{
    std::vector<size_t> found =
        searched(filters, SearchQuery::Scope::clips, clipGroups.size(),
                 [&](std::string_view text) { return searchNames(index.get().clipGroups, text); });
    if (filters.timeline.empty())
        return found;
    return intersection(found, clipGroupsInSelection(clipGroups, session.tracks, filters.timeline));
}

VisibleLists visibleLists(const PTXSessionInfo &session, const std::vector<PTXAudioFileGroup> &audioFileGroups,
                          const std::vector<PTXClipGroup> &clipGroups, const ListFilters &filters)
{
    const LazySearchIndex index(borrowed(session), borrowed(audioFileGroups), borrowed(clipGroups));
    return {visibleTrackIndices(session, index, filters),
            visibleAudioFileGroupIndices(session, audioFileGroups, index, filters),
            visibleClipGroupIndices(session, clipGroups, index, filters)};
}

} // namespace kestrix
