// Sizes and limits of the timeline overview, and the arithmetic of its
// height: rows, the extra height the user drags on, and the stretch that
// follows from it.
#ifndef KESTRIX_VIEWS_UNIVERSE_UNIVERSE_LAYOUT_H
#define KESTRIX_VIEWS_UNIVERSE_UNIVERSE_LAYOUT_H

#include "session_info.h"

#include <cstddef>
#include <optional>
#include <vector>

namespace kestrix::universe {

// Points, at vertical zoom 1.
inline constexpr double kTrackHeight = 3;
inline constexpr double kTrackGap = 1;
inline constexpr double kVerticalInset = 2;

inline constexpr double kMinZoom = 1;
inline constexpr double kMaxZoom = 64;
inline constexpr double kZoomInFactor = 1.5;
inline constexpr double kZoomOutFactor = 2.0 / 3.0;
// Above this a zoom counts as zoomed: scroll bars show, scrolling moves.
inline constexpr double kZoomedThreshold = 1.001;

inline constexpr double kMaxExtraHeight = 600;
inline constexpr double kMinHeight = 20;
// A press that moves less than this (in either direction) is a click.
inline constexpr double kDragThreshold = 3;

} // namespace kestrix::universe

namespace kestrix {

// The span of timeline positions covered by the clips, in samples.
struct SessionExtent {
    double start = 0;
    double end = 0;
    double total() const { return end - start; }
    bool operator==(const SessionExtent &) const = default;
};

// None when no track holds a clip.
std::optional<SessionExtent> sessionExtent(const std::vector<PTXTrackInfo> &tracks);

struct UniverseHeight {
    double intrinsic = 0;  // every row at its resting size
    double minimum = 0;
    double minExtra = 0;   // the most the handle may take away
    double height = 0;     // what the overview is drawn at
    // How much the rows stretch (or shrink) to fill the height, so that
    // vertical zoom 1 always shows every row.
    double rowScale = 1;
};

// The heights for `rows` rows with the extra height the user dragged on.
UniverseHeight universeHeight(size_t rows, double extra);

// The extra height a drag may set: at most 600, never below the minimum.
double clampExtraHeight(double extra, size_t rows);

} // namespace kestrix

#endif
