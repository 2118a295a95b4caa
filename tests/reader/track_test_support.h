// Views of a session's tracks for the track, playlist and plug-in tests.
#ifndef KESTRIX_TEST_TRACK_SUPPORT_H
#define KESTRIX_TEST_TRACK_SUPPORT_H

#include "ptx_reader.h"

#include <string>
#include <vector>

namespace ptxtest {

// The index of the track with the name, or -1.
int trackIndex(const ptx_session *s, const std::string &name);
// The names of all tracks, in order.
std::vector<std::string> trackNames(const ptx_session *s);
// The clip (or, for group placements, the group) index of each placement.
std::vector<int32_t> placementIndices(const ptx_session *s, int t);
// Each plug-in of the track as "<id>:<name>:<active or inactive>".
std::vector<std::string> pluginSummary(const ptx_session *s, int t);
std::vector<std::string> activePluginNames(const ptx_session *s);
std::vector<std::string> inactivePluginNames(const ptx_session *s);

} // namespace ptxtest

#endif
