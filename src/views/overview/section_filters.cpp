#include "section_filters.h"

#include "indices.h"
#include "search.h"
#include "text_match.h"
#include "timeline_filter.h"
#include "visible_lists.h"

#include <algorithm>
#include <iterator>

namespace kestrix {

namespace {

std::vector<size_t> intersection(const std::vector<size_t> &a, const std::vector<size_t> &b)
{
    std::vector<size_t> both;
    std::set_intersection(a.begin(), a.end(), b.begin(), b.end(), std::back_inserter(both));
    return both;
}

} // namespace

SearchQuery searchFor(const SearchQuery &query, SearchQuery::Scope section)
{
    return {query.appliesTo(section) ? query.text : std::string(), section};
}

// Each list is searched through the session's index on its own, with the
// search limited to the list's own section, so the other sections cost nothing.
std::vector<size_t> visibleTracks(const OverviewData &data, const TracksFilterToken &token)
{
    const ListFilters filters{searchFor(token.search, SearchQuery::Scope::tracks), token.universe, token.types};
    return visibleTrackIndices(*data.session, *data.searchIndex, filters);
}

std::vector<size_t> visibleAudioFileGroups(const OverviewData &data, const SectionFilterToken &token)
{
    const ListFilters filters{searchFor(token.search, SearchQuery::Scope::files), token.universe, {}};
    return visibleAudioFileGroupIndices(*data.session, *data.audioFileGroups, *data.searchIndex,
                                        filters);
}

std::vector<size_t> visibleClipGroups(const OverviewData &data, const SectionFilterToken &token)
{
    const ListFilters filters{searchFor(token.search, SearchQuery::Scope::clips), token.universe, {}};
    return visibleClipGroupIndices(*data.session, *data.clipGroups, *data.searchIndex, filters);
}

std::vector<PTXClipGroup> laneClipGroups(const OverviewData &data, size_t track, const ClipFilterToken &token)
{
    const PTXTrackInfo &info = data.session->tracks[track];
    std::vector<PTXClipGroup> groups = groupClips(info.clips);
    const SearchQuery search = searchFor(token.search, SearchQuery::Scope::tracks);
    std::vector<size_t> kept = TermMatcher(search.text).matches(info.name) ? allIndices(groups.size())
                                                                           : searchClipGroups(groups, search.text);
    kept = intersection(kept, clipGroupsInSelection(groups, data.session->tracks, token.universe));
    if (kept.size() == groups.size())
        return groups;
    return itemsAt(groups, kept);
}

} // namespace kestrix
