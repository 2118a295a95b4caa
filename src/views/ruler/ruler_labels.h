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
    double pointsPerSecond() const { return duration > 0 ? width / duration : 0; }
};

// None when the sample rate is unusable: nothing can be placed then.
std::optional<RulerSpan> rulerSpan(const RulerNumbers &numbers, const std::optional<SessionExtent> &extent,
                                   const UniverseViewport &viewport, double width);

// The first candidate at least `minSpacing` points apart, else `fallback`.
double chooseStep(std::span<const double> candidates, double pointsPerUnit, double minSpacing, double fallback);

bool isAvailable(RulerFormat format, const RulerNumbers &numbers);

std::vector<LabelEntry> rulerLabels(RulerFormat format, const RulerNumbers &numbers, const RulerSpan &span);

} // namespace kestrix

#endif
