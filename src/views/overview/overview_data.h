// What the overview shows: one loaded session, its grouped files and clips,
// and what was found of its audio files on disk. Shared, never changed once
// built, so that every list and cache can hold on to it cheaply.
#ifndef KESTRIX_VIEWS_OVERVIEW_OVERVIEW_DATA_H
#define KESTRIX_VIEWS_OVERVIEW_OVERVIEW_DATA_H

#include "click_scope.h"
#include "multi_mono_grouping.h"
#include "lazy_search_index.h"
#include "selectable_item.h"
#include "session_info.h"

#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace kestrix {

// The session's audio files as found on disk, keyed by audio-file name.
struct AudioFileStatus {
    std::unordered_map<std::string, std::string> resolvedPaths;
    std::unordered_set<std::string> offlineFiles;
    // Files whose type cannot be played.
    std::unordered_set<std::string> unavailableFiles;
    // A short format text read from the file itself ("WAV", "AIFC").
    std::unordered_map<std::string, std::string> fileFormats;
    bool operator==(const AudioFileStatus &) const = default;
};

struct OverviewData {
    std::shared_ptr<const PTXSessionInfo> session;
    std::shared_ptr<const std::vector<PTXAudioFileGroup>> audioFileGroups;
    std::shared_ptr<const std::vector<PTXClipGroup>> clipGroups;
    std::shared_ptr<const AudioFileStatus> files;
    // Index into session->audioFiles by file name, first file of a name.
    std::shared_ptr<const std::unordered_map<std::string, size_t>> audioFileIndex;
    // The lists' names lower-cased once, for the search field.
    std::shared_ptr<const LazySearchIndex> searchIndex;

    // Groups the session's files and clips and indexes its files. Safe to
    // call off the main thread.
    static OverviewData make(std::shared_ptr<const PTXSessionInfo> session, AudioFileStatus files);

    const PTXAudioFile *audioFileNamed(const std::string &name) const;
    // The clip's source file, or null when its index is out of range.
    const PTXAudioFile *sourceFileOf(const PTXClipInfo &clip) const;
};

// The window's selection as the lists draw it.
struct OverviewSelection {
    std::unordered_set<SelectableItem> items;
    std::optional<ClickScope> activeScope;
    bool operator==(const OverviewSelection &) const = default;
};

} // namespace kestrix

#endif
