#include "search_query.h"

namespace kestrix {

std::string_view rawValue(SearchQuery::Scope scope)
{
    switch (scope) {
    case SearchQuery::Scope::all: return "all";
    case SearchQuery::Scope::tracks: return "tracks";
    case SearchQuery::Scope::files: return "files";
    case SearchQuery::Scope::clips: return "clips";
    }
    return "all";
}

std::optional<SearchQuery::Scope> searchScopeFromRawValue(std::string_view raw)
{
    for (SearchQuery::Scope scope : kAllSearchScopes)
        if (rawValue(scope) == raw)
            return scope;
    return std::nullopt;
}

} // namespace kestrix
