// Narrowing the tracks, clips and audio files to those matching a search
// text. Each filter returns the indices of the passing items in input
// order; a text without terms keeps every item.
//
// The indexed forms are what the window calls on every keystroke: their
// names are lower-cased once, when the session opens. The forms over plain
// lists build the index on the way.
#ifndef KESTRIX_MODEL_SEARCH_H
#define KESTRIX_MODEL_SEARCH_H

#include "indices.h"
#include "multi_mono_grouping.h"
#include "name_index.h"
#include "session_info.h"

#include <cstddef>
#include <string_view>
#include <vector>

namespace kestrix {

// Each track owns its name and the names of its clips; the folder that
// encloses it is looked up once.
struct TrackSearchIndex {
    static constexpr size_t kNoFolder = size_t(-1);

    NameIndex names;
    std::vector<size_t> folderOf;  // index of each track's folder, or kNoFolder

    static TrackSearchIndex make(const std::vector<PTXTrackInfo> &tracks);
};

// The names of every list of one session, ready for searching.
struct SessionSearchIndex {
    TrackSearchIndex tracks;
    NameIndex audioFileGroups;
    NameIndex clipGroups;

    static SessionSearchIndex make(const std::vector<PTXTrackInfo> &tracks,
                                   const std::vector<PTXAudioFileGroup> &audioFileGroups,
                                   const std::vector<PTXClipGroup> &clipGroups);
};

NameIndex audioFileGroupNames(const std::vector<PTXAudioFileGroup> &groups);
NameIndex clipGroupNames(const std::vector<PTXClipGroup> &groups);

// A track passes when its name or the name of one of its clips matches;
// the folders enclosing a passing track pass with it.
std::vector<size_t> searchTracks(const TrackSearchIndex &index, std::string_view text);
std::vector<size_t> searchTracks(const std::vector<PTXTrackInfo> &tracks, std::string_view text);

// The owners of the index with a matching name: for group indices, a group
// passes when the name of one of its channels matches (every channel name
// starts with the group's base name).
std::vector<size_t> searchNames(const NameIndex &index, std::string_view text);

std::vector<size_t> searchClips(const std::vector<PTXClipInfo> &clips, std::string_view text);
std::vector<size_t> searchAudioFiles(const std::vector<PTXAudioFile> &files, std::string_view text);
std::vector<size_t> searchAudioFileGroups(const std::vector<PTXAudioFileGroup> &groups, std::string_view text);
std::vector<size_t> searchClipGroups(const std::vector<PTXClipGroup> &groups, std::string_view text);

} // namespace kestrix

#endif
