#include "visible_lists.h"

#include "indices.h"
#include "search.h"
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

VisibleLists visibleLists(const PTXSessionInfo &session, const std::vector<PTXAudioFileGroup> &audioFileGroups,
                          const std::vector<PTXClipGroup> &clipGroups, const ListFilters &filters)
{
    using Scope = SearchQuery::Scope;
    VisibleLists lists;

    // Search before the type switches, so that a folder hidden by its type
    // still lets its own enclosing folders through.
    std::vector<size_t> tracks = searchTracks(session.tracks, searchTextFor(filters.search, Scope::tracks));
    std::erase_if(tracks, [&](size_t t) { return !filters.trackTypes.shows(session.tracks[t].type); });
    lists.tracks = std::move(tracks);

    lists.audioFileGroups =
        intersection(searchAudioFileGroups(audioFileGroups, searchTextFor(filters.search, Scope::files)),
                     audioFileGroupsInSelection(audioFileGroups, session, filters.timeline));
    lists.clipGroups = intersection(searchClipGroups(clipGroups, searchTextFor(filters.search, Scope::clips)),
                                    clipGroupsInSelection(clipGroups, session.tracks, filters.timeline));
    return lists;
}

} // namespace kestrix
