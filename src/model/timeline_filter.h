// Narrowing the clip and audio-file lists to what the timeline selection
// covers. An empty selection keeps every item. Results are indices into the
// input, in input order.
#ifndef KESTRIX_MODEL_TIMELINE_FILTER_H
#define KESTRIX_MODEL_TIMELINE_FILTER_H

#include "multi_mono_grouping.h"
#include "session_info.h"
#include "universe_state.h"

#include <cstddef>
#include <vector>

namespace kestrix {

// The clips whose name is the name of a clip placed on one of the selected
// tracks (starting inside the time range when there is one). A range
// without track names keeps no clip.
std::vector<size_t> clipsInSelection(const std::vector<PTXClipInfo> &clips, const std::vector<PTXTrackInfo> &tracks,
                                     const UniverseSelection &selection);

// The session's audio files used (by sourceFileIndex) by the clips that
// passed clipsInSelection.
std::vector<size_t> audioFilesInSelection(const std::vector<PTXAudioFile> &files,
                                          const std::vector<PTXClipInfo> &clips,
                                          const std::vector<size_t> &passedClips, const UniverseSelection &selection);

// The same for grouped lists: a group passes when one of its channels does.
std::vector<size_t> clipGroupsInSelection(const std::vector<PTXClipGroup> &groups,
                                          const std::vector<PTXTrackInfo> &tracks, const UniverseSelection &selection);
std::vector<size_t> audioFileGroupsInSelection(const std::vector<PTXAudioFileGroup> &groups,
                                               const PTXSessionInfo &session, const UniverseSelection &selection);

} // namespace kestrix

#endif
