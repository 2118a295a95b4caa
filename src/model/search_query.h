// The search field's text and the section it is limited to.
#ifndef KESTRIX_MODEL_SEARCH_QUERY_H
#define KESTRIX_MODEL_SEARCH_QUERY_H

#include "hash_combine.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kestrix {

struct SearchQuery {
    enum class Scope : uint8_t { all, tracks, files, clips };

    std::string text;
    Scope scope = Scope::all;

    // Whether the text narrows the list of the given section.
    bool appliesTo(Scope section) const { return scope == Scope::all || scope == section; }

    bool operator==(const SearchQuery &) const = default;
};

inline constexpr std::array kAllSearchScopes = {SearchQuery::Scope::all, SearchQuery::Scope::tracks,
                                                SearchQuery::Scope::files, SearchQuery::Scope::clips};

// "all", "tracks", "files", "clips".
std::string_view rawValue(SearchQuery::Scope scope);
std::optional<SearchQuery::Scope> searchScopeFromRawValue(std::string_view raw);

} // namespace kestrix

template <>
struct std::hash<kestrix::SearchQuery> {
    size_t operator()(const kestrix::SearchQuery &q) const
    {
        size_t seed = 0;
        kestrix::hashCombine(seed, q.text);
        kestrix::hashCombine(seed, static_cast<uint8_t>(q.scope));
        return seed;
    }
};

#endif
