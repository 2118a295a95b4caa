// Narrowing the tracks, clips and audio files to those matching a search
// text. Each filter returns the indices of the passing items in input
// order; a text without terms keeps every item.
#ifndef KESTRIX_MODEL_SEARCH_H
#define KESTRIX_MODEL_SEARCH_H

#include "indices.h"
#include "multi_mono_grouping.h"
#include "session_info.h"

#include <cstddef>
#include <string_view>
#include <vector>

namespace kestrix {

// A track passes when its name or the name of one of its clips matches;
// the folders enclosing a passing track pass with it.
std::vector<size_t> searchTracks(const std::vector<PTXTrackInfo> &tracks, std::string_view text);

std::vector<size_t> searchClips(const std::vector<PTXClipInfo> &clips, std::string_view text);
std::vector<size_t> searchAudioFiles(const std::vector<PTXAudioFile> &files, std::string_view text);

// A group passes when the name of one of its channels matches (every
// channel name starts with the group's base name).
std::vector<size_t> searchAudioFileGroups(const std::vector<PTXAudioFileGroup> &groups, std::string_view text);
std::vector<size_t> searchClipGroups(const std::vector<PTXClipGroup> &groups, std::string_view text);

} // namespace kestrix

#endif
