// Selecting an archive search's match in a session's window.
#ifndef KESTRIX_APP_REVEAL_MATCH_H
#define KESTRIX_APP_REVEAL_MATCH_H

#include "archive_types.h"
#include "selectable_item.h"
#include "session_info.h"

#include <optional>

namespace kestrix {

class PTXDetailView;

// The row that shows the match: the track for a track name, comment or
// plug-in, the clip group for a clip, the audio-file group for a file.
// Markers and names the session no longer holds have none.
std::optional<SelectableItem> itemForMatch(const PTXSessionInfo &session, const archive::SessionMatch &match);

// Selects the match's row once the view has loaded its session.
void revealMatch(PTXDetailView *view, const archive::SessionMatch &match);

} // namespace kestrix

#endif
