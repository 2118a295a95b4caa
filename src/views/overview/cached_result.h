// A list result kept with the token it was computed for: the computation runs
// again only when the token changes, so drawing, scrolling and selecting
// never filter anew.
#ifndef KESTRIX_VIEWS_OVERVIEW_CACHED_RESULT_H
#define KESTRIX_VIEWS_OVERVIEW_CACHED_RESULT_H

#include "search_query.h"
#include "track_type_filter.h"
#include "universe_state.h"

#include <optional>
#include <string>
#include <utility>

namespace kestrix {

template <class Token, class Result> class CachedResult {
public:
    // The result for `token`, computed by `compute()` unless it is the
    // token of the stored result.
    template <class Compute> const Result &get(const Token &token, Compute &&compute)
    {
        if (!token_ || *token_ != token) {
            result_ = std::forward<Compute>(compute)();
            token_ = token;
            ++generation_;
        }
        return result_;
    }
    // Forgets the result, for new input data.
    void clear()
    {
        token_.reset();
        result_ = Result{};
    }
    // Counts the computations, so that users can tell a new result from the stored one.
    unsigned generation() const { return generation_; }

private:
    std::optional<Token> token_;
    Result result_{};
    unsigned generation_ = 0;
};

// The audio-file and clip lists depend on the search and the timeline selection.
struct SectionFilterToken {
    SearchQuery search;
    UniverseSelection universe;
    bool operator==(const SectionFilterToken &) const = default;
};

// The track list also on the track-type switches.
struct TracksFilterToken {
    SearchQuery search;
    UniverseSelection universe;
    TrackTypeFilter types;
    bool operator==(const TracksFilterToken &) const = default;
};

// The clip lane of one expanded track.
struct ClipFilterToken {
    std::string trackName;
    SearchQuery search;
    UniverseSelection universe;
    bool operator==(const ClipFilterToken &) const = default;
};

} // namespace kestrix

#endif
