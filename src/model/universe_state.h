// The timeline overview's selection and its zoom and scroll, both stored
// with the file's view settings.
#ifndef KESTRIX_MODEL_UNIVERSE_STATE_H
#define KESTRIX_MODEL_UNIVERSE_STATE_H

#include "hash_combine.h"

#include <optional>
#include <set>
#include <string>

namespace kestrix {

// A closed range of timeline positions in samples, lower <= upper.
struct SampleRange {
    double lower = 0;
    double upper = 0;
    bool contains(double position) const { return lower <= position && position <= upper; }
    bool operator==(const SampleRange &) const = default;
};

struct UniverseSelection {
    std::set<std::string, std::less<>> trackNames;
    std::optional<SampleRange> timeRange;

    // Neither names nor a range: filters nothing.
    bool empty() const { return trackNames.empty() && !timeRange; }
    bool operator==(const UniverseSelection &) const = default;
};

struct UniverseViewport {
    double horizontalZoom = 1;  // 1 shows the whole session extent
    double verticalZoom = 1;    // 1 shows every row
    double horizontalSampleOffset = 0;
    double verticalRowOffset = 0;
    bool operator==(const UniverseViewport &) const = default;
};

} // namespace kestrix

template <>
struct std::hash<kestrix::UniverseViewport> {
    size_t operator()(const kestrix::UniverseViewport &v) const
    {
        size_t seed = 0;
        kestrix::hashCombine(seed, v.horizontalZoom);
        kestrix::hashCombine(seed, v.verticalZoom);
        kestrix::hashCombine(seed, v.horizontalSampleOffset);
        kestrix::hashCombine(seed, v.verticalRowOffset);
        return seed;
    }
};

#endif
