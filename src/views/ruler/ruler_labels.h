// The labels of the overview ruler in each counter format, and which
// formats a session can be shown in.
#ifndef KESTRIX_VIEWS_RULER_RULER_LABELS_H
#define KESTRIX_VIEWS_RULER_RULER_LABELS_H

#include "ruler_format.h"
#include "ruler_numbers.h"
#include "universe_layout.h"
#include "universe_state.h"

#include <optional>
#include <span>
#include <string>
#include <vector>

namespace kestrix {

struct LabelEntry {
    double secondsFromLeft = 0;
    std::string text;
    bool operator==(const LabelEntry &) const = default;
};

// The visible part of the timeline in seconds.
struct RulerSpan {
    double extentStart = 0;   // the earliest clip, in seconds from the session start
    double left = 0;          // seconds from the extent start to the left edge
    double duration = 0;      // seconds across the width
    double sampleOffset = 0;  // samples from the extent start to the left edge
    double width = 0;         // points
    // 0 when nothing can be measured (no duration, or one too short for a
    // finite scale).
    double pointsPerSecond() const;
};

// None when the sample rate is unusable: nothing can be placed then. A
// viewport holding values no user could set counts as its nearest valid one.
std::optional<RulerSpan> rulerSpan(const RulerNumbers &numbers, const std::optional<SessionExtent> &extent,
                                   const UniverseViewport &viewport, double width);

// The first candidate at least `minSpacing` points apart, else `fallback`,
// grown by 2, 5, 10, 20, … times where even that is closer than
// `minSpacing`.
double chooseStep(std::span<const double> candidates, double pointsPerUnit, double minSpacing, double fallback);

bool isAvailable(RulerFormat format, const RulerNumbers &numbers);

// Never more labels than `span.width` holds at the format's spacing, in
// order from the left edge, whatever the numbers and the span.
std::vector<LabelEntry> rulerLabels(RulerFormat format, const RulerNumbers &numbers, const RulerSpan &span);

} // namespace kestrix

#endif
