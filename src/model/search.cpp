#include "search.h"

#include "text_match.h"

#include <unordered_map>

namespace kestrix {

namespace {

// Folder chains are followed this far, which also ends name cycles.
constexpr int kMaxFolderLevels = 64;

// One owner per item, holding the names that names(item) hands to add.
template <class T, class Names>
NameIndex indexOf(const std::vector<T> &items, Names names)
{
    NameIndex::Builder builder;
    for (const T &item : items) {
        builder.startOwner();
        names(item, [&](std::string_view name) { builder.addName(name); });
    }
    return builder.finish();
}

} // namespace

TrackSearchIndex TrackSearchIndex::make(const std::vector<PTXTrackInfo> &tracks)
{
    TrackSearchIndex index;
    index.names = indexOf(tracks, [](const PTXTrackInfo &track, auto add) {
        add(track.name);
        for (const PTXClipInfo &clip : track.clips)
            add(clip.name);
    });

    // The first track of a name is the folder of that name.
    std::unordered_map<std::string_view, size_t> indexOfName;
    indexOfName.reserve(tracks.size());
    for (size_t t = 0; t < tracks.size(); ++t)
        indexOfName.try_emplace(tracks[t].name, t);
    index.folderOf.assign(tracks.size(), kNoFolder);
    for (size_t t = 0; t < tracks.size(); ++t) {
        if (!tracks[t].parentName)
            continue;
        const auto folder = indexOfName.find(*tracks[t].parentName);
        if (folder != indexOfName.end())
            index.folderOf[t] = folder->second;
    }
    return index;
}

NameIndex audioFileGroupNames(const std::vector<PTXAudioFileGroup> &groups)
{
    return indexOf(groups, [](const PTXAudioFileGroup &group, auto add) {
        for (const PTXAudioFileGroup::Channel &channel : group.channels)
            add(channel.fileName);
    });
}

NameIndex clipGroupNames(const std::vector<PTXClipGroup> &groups)
{
    return indexOf(groups, [](const PTXClipGroup &group, auto add) {
        for (const PTXClipGroup::Channel &channel : group.channels)
            add(channel.clip.name);
    });
}

SessionSearchIndex SessionSearchIndex::make(const std::vector<PTXTrackInfo> &tracks,
                                            const std::vector<PTXAudioFileGroup> &audioFileGroups,
                                            const std::vector<PTXClipGroup> &clipGroups)
{
    return {TrackSearchIndex::make(tracks), audioFileGroupNames(audioFileGroups), clipGroupNames(clipGroups)};
}

std::vector<size_t> searchTracks(const TrackSearchIndex &index, std::string_view text)
{
    const std::vector<size_t> matched = index.names.ownersMatching(searchTerms(text));
    if (matched.size() == index.folderOf.size())
        return matched;

    std::vector<char> passed(index.folderOf.size(), 0);
    for (size_t t : matched) {
        passed[t] = 1;
        size_t folder = index.folderOf[t];
        for (int level = 0; level < kMaxFolderLevels && folder != TrackSearchIndex::kNoFolder; ++level) {
            passed[folder] = 1;
            folder = index.folderOf[folder];
        }
    }
    return indicesOfSetFlags(passed);
}

std::vector<size_t> searchTracks(const std::vector<PTXTrackInfo> &tracks, std::string_view text)
{
    return searchTracks(TrackSearchIndex::make(tracks), text);
}

std::vector<size_t> searchNames(const NameIndex &index, std::string_view text)
{
    return index.ownersMatching(searchTerms(text));
}

std::vector<size_t> searchClips(const std::vector<PTXClipInfo> &clips, std::string_view text)
{
    return searchNames(indexOf(clips, [](const PTXClipInfo &clip, auto add) { add(clip.name); }), text);
}

std::vector<size_t> searchAudioFiles(const std::vector<PTXAudioFile> &files, std::string_view text)
{
    return searchNames(indexOf(files, [](const PTXAudioFile &file, auto add) { add(file.name); }), text);
}

std::vector<size_t> searchAudioFileGroups(const std::vector<PTXAudioFileGroup> &groups, std::string_view text)
{
    return searchNames(audioFileGroupNames(groups), text);
}

std::vector<size_t> searchClipGroups(const std::vector<PTXClipGroup> &groups, std::string_view text)
{
    return searchNames(clipGroupNames(groups), text);
}

} // namespace kestrix
