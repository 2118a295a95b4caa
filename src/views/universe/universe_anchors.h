// What a zoom keeps in place, worked out from what is selected: on the
// overview, in its rubber-band selection, and in the lists.
#ifndef KESTRIX_VIEWS_UNIVERSE_UNIVERSE_ANCHORS_H
#define KESTRIX_VIEWS_UNIVERSE_UNIVERSE_ANCHORS_H

#include "clip_key.h"
#include "session_info.h"
#include "universe_rows.h"
#include "universe_state.h"
#include "universe_zoom.h"

#include <QSet>

#include <optional>
#include <set>
#include <string>
#include <vector>

namespace kestrix {

using NameSet = std::set<std::string, std::less<>>;

struct UniverseSelectionState {
    QSet<ClipKey> selectedClips;                 // clicked on the overview
    UniverseSelection selection;                 // the rubber band
    NameSet selectedTrackNames;                  // tracks selected in the lists
    std::optional<SampleRange> listSelectionSpan;  // clips of the items selected in the lists
};

ZoomAnchors horizontalAnchors(const UniverseRows &rows, const UniverseSelectionState &state);
// Row positions: the middle of the rows the selected things sit on.
ZoomAnchors verticalAnchors(const UniverseRows &rows, const UniverseSelectionState &state);

} // namespace kestrix

#endif
