// What the window's list selection marks on the timeline overview, and the
// list item a clip clicked there stands for.
#ifndef KESTRIX_VIEWS_WINDOW_UNIVERSE_HIGHLIGHTS_H
#define KESTRIX_VIEWS_WINDOW_UNIVERSE_HIGHLIGHTS_H

#include "clip_key.h"
#include "overview_data.h"
#include "selectable_item.h"
#include "universe_anchors.h"

#include <QSet>

#include <optional>
#include <unordered_set>
#include <vector>

namespace kestrix {

struct UniverseHighlights {
    // Clips whose group is selected, in a track's lane or in the clip list.
    QSet<ClipKey> clips;
    NameSet trackNames;
    // Everything the lists select, which a zoom keeps in view.
    std::optional<SampleRange> listSpan;
    bool operator==(const UniverseHighlights &) const = default;
};

// `rows` are the timeline's rows; a name shown on two rows is looked for on
// the first, as clip keys are.
UniverseHighlights universeHighlights(const std::vector<PTXTrackInfo> &rows, const OverviewData &data,
                                      const std::unordered_set<SelectableItem> &selected);

// The clip group of the track's lane that holds its clip at `placement`.
std::optional<SelectableItem> laneItemOf(const PTXTrackInfo &track, size_t placement);

} // namespace kestrix

#endif
