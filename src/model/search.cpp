#include "search.h"

#include "text_match.h"

#include <unordered_map>

namespace kestrix {

namespace {

// Folder chains are followed this far, which also ends name cycles.
constexpr int kMaxFolderLevels = 64;

// The indices of the items for which matches(matcher, item) holds, or of
// every item when the text holds no terms.
template <class T, class Matches>
std::vector<size_t> searchWhere(const std::vector<T> &items, std::string_view text, Matches matches)
{
    const TermMatcher matcher(text);
    if (matcher.empty())
        return allIndices(items.size());
    return indicesWhere(items, [&](const T &item) { return matches(matcher, item); });
}

template <class Group, class ChannelName>
bool anyChannelMatches(const TermMatcher &matcher, const Group &group, ChannelName channelName)
{
    for (const typename Group::Channel &channel : group.channels)
        if (matcher.matches(channelName(channel)))
            return true;
    return false;
}

bool trackOrClipMatches(const TermMatcher &matcher, const PTXTrackInfo &track)
{
    if (matcher.matches(track.name))
        return true;
    for (const PTXClipInfo &clip : track.clips)
        if (matcher.matches(clip.name))
            return true;
    return false;
}

} // namespace

std::vector<size_t> searchTracks(const std::vector<PTXTrackInfo> &tracks, std::string_view text)
{
    std::vector<size_t> matched = searchWhere(tracks, text, trackOrClipMatches);
    if (matched.size() == tracks.size())
        return matched;

    std::unordered_map<std::string_view, size_t> indexOfName;
    indexOfName.reserve(tracks.size());
    for (size_t t = 0; t < tracks.size(); ++t)
        indexOfName.try_emplace(tracks[t].name, t);

    std::vector<char> passed(tracks.size(), 0);
    for (size_t t : matched) {
        passed[t] = 1;
        const std::optional<std::string> *parent = &tracks[t].parentName;
        for (int level = 0; level < kMaxFolderLevels && parent->has_value(); ++level) {
            const auto folder = indexOfName.find(**parent);
            if (folder == indexOfName.end())
                break;
            passed[folder->second] = 1;
            parent = &tracks[folder->second].parentName;
        }
    }
    return indicesOfSetFlags(passed);
}

std::vector<size_t> searchClips(const std::vector<PTXClipInfo> &clips, std::string_view text)
{
    return searchWhere(clips, text,
                       [](const TermMatcher &matcher, const PTXClipInfo &clip) { return matcher.matches(clip.name); });
}

std::vector<size_t> searchAudioFiles(const std::vector<PTXAudioFile> &files, std::string_view text)
{
    return searchWhere(files, text,
                       [](const TermMatcher &matcher, const PTXAudioFile &file) { return matcher.matches(file.name); });
}

std::vector<size_t> searchAudioFileGroups(const std::vector<PTXAudioFileGroup> &groups, std::string_view text)
{
    return searchWhere(groups, text, [](const TermMatcher &matcher, const PTXAudioFileGroup &group) {
        return anyChannelMatches(matcher, group, [](const auto &c) -> std::string_view { return c.fileName; });
    });
}

std::vector<size_t> searchClipGroups(const std::vector<PTXClipGroup> &groups, std::string_view text)
{
    return searchWhere(groups, text, [](const TermMatcher &matcher, const PTXClipGroup &group) {
        return anyChannelMatches(matcher, group, [](const auto &c) -> std::string_view { return c.clip.name; });
    });
}

} // namespace kestrix
