#include "timeline_filter.h"

#include "indices.h"

#include <string>
#include <string_view>
#include <unordered_set>

namespace kestrix {

namespace {

using NameSet = std::unordered_set<std::string_view>;

NameSet selectedClipNames(const std::vector<PTXTrackInfo> &tracks, const UniverseSelection &selection)
{
    NameSet names;
    for (const PTXTrackInfo &track : tracks) {
        if (!selection.trackNames.contains(track.name))
            continue;
        for (const PTXClipInfo &clip : track.clips)
            if (!selection.timeRange || selection.timeRange->contains(double(clip.timelinePosition)))
                names.insert(clip.name);
    }
    return names;
}

// Marks every audio file used by one of the clips.
std::vector<char> usedFiles(size_t fileCount, const std::vector<PTXClipInfo> &clips,
                            const std::vector<size_t> &passedClips)
{
    std::vector<char> used(fileCount, 0);
    for (size_t c : passedClips) {
        const int64_t f = clips[c].sourceFileIndex;
        if (f >= 0 && uint64_t(f) < fileCount)
            used[size_t(f)] = 1;
    }
    return used;
}

// A key telling audio files apart: their name and path.
std::string fileKey(std::string_view name, std::string_view path)
{
    std::string key(name);
    key += '\0';
    key += path;
    return key;
}

} // namespace

std::vector<size_t> clipsInSelection(const std::vector<PTXClipInfo> &clips, const std::vector<PTXTrackInfo> &tracks,
                                     const UniverseSelection &selection)
{
    if (selection.empty())
        return allIndices(clips.size());
    const NameSet names = selectedClipNames(tracks, selection);
    return indicesWhere(clips, [&](const PTXClipInfo &clip) { return names.contains(clip.name); });
}

std::vector<size_t> audioFilesInSelection(const std::vector<PTXAudioFile> &files,
                                          const std::vector<PTXClipInfo> &clips,
                                          const std::vector<size_t> &passedClips, const UniverseSelection &selection)
{
    if (selection.empty())
        return allIndices(files.size());
    return indicesOfSetFlags(usedFiles(files.size(), clips, passedClips));
}

std::vector<size_t> clipGroupsInSelection(const std::vector<PTXClipGroup> &groups,
                                          const std::vector<PTXTrackInfo> &tracks, const UniverseSelection &selection)
{
    if (selection.empty())
        return allIndices(groups.size());
    const NameSet names = selectedClipNames(tracks, selection);
    return indicesWhere(groups, [&](const PTXClipGroup &group) {
        for (const PTXClipGroup::Channel &channel : group.channels)
            if (names.contains(channel.clip.name))
                return true;
        return false;
    });
}

std::vector<size_t> audioFileGroupsInSelection(const std::vector<PTXAudioFileGroup> &groups,
                                               const PTXSessionInfo &session, const UniverseSelection &selection)
{
    if (selection.empty())
        return allIndices(groups.size());
    const std::vector<size_t> passedClips = clipsInSelection(session.clips, session.tracks, selection);
    const std::vector<char> used = usedFiles(session.audioFiles.size(), session.clips, passedClips);
    std::unordered_set<std::string> usedKeys;
    for (size_t f = 0; f < used.size(); ++f)
        if (used[f])
            usedKeys.insert(fileKey(session.audioFiles[f].name, session.audioFiles[f].path));
    return indicesWhere(groups, [&](const PTXAudioFileGroup &group) {
        for (const PTXAudioFileGroup::Channel &channel : group.channels)
            if (usedKeys.contains(fileKey(channel.fileName, channel.path)))
                return true;
        return false;
    });
}

} // namespace kestrix
