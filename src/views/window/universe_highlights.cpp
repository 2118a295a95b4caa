#include "universe_highlights.h"

#include "multi_mono_grouping.h"

#include <algorithm>
#include <string>
#include <type_traits>
#include <unordered_map>

namespace kestrix {
namespace {

using StringSet = std::unordered_set<std::string>;

// Each clip name of the clips to the id of the group that holds it.
std::unordered_map<std::string, std::string> groupIdByClipName(const std::vector<PTXClipInfo> &clips)
{
    std::unordered_map<std::string, std::string> ids;
    for (const PTXClipGroup &group : groupClips(clips))
        for (const PTXClipGroup::Channel &channel : group.channels)
            ids.emplace(channel.clip.name, group.id);
    return ids;
}

// The member names (clip or file names) of the selected groups of `kind`.
template <class Group>
StringSet memberNames(const std::vector<Group> &groups, const std::unordered_set<SelectableItem> &selected,
                      const SelectableItemKind &kind)
{
    StringSet names;
    // Moving through the track list selects no groups: skip the long lists.
    if (std::ranges::none_of(selected, [&](const SelectableItem &item) { return item.kind == kind; }))
        return names;
    for (const Group &group : groups) {
        if (!selected.contains({group.id, kind}))
            continue;
        for (const auto &channel : group.channels) {
            if constexpr (std::is_same_v<Group, PTXClipGroup>)
                names.insert(channel.clip.name);
            else
                names.insert(channel.fileName);
        }
    }
    return names;
}

void widen(std::optional<SampleRange> &span, const PTXClipInfo &clip)
{
    const double start = double(clip.timelinePosition);
    const double end = start + double(clip.sampleLength);
    if (!span)
        span = SampleRange{start, end};
    span->lower = std::min(span->lower, start);
    span->upper = std::max(span->upper, end);
}

} // namespace

UniverseHighlights universeHighlights(const std::vector<PTXTrackInfo> &rows, const OverviewData &data,
                                      const std::unordered_set<SelectableItem> &selected)
{
    UniverseHighlights highlights;
    if (selected.empty() || !data.session)
        return highlights;

    // Lane selections name clip groups of one track.
    std::unordered_map<std::string, StringSet> laneIds;
    for (const SelectableItem &item : selected) {
        if (item.kind.kind == SelectableItemKind::Kind::track)
            highlights.trackNames.insert(item.id);
        else if (item.kind.kind == SelectableItemKind::Kind::trackClip)
            laneIds[item.kind.trackName].insert(item.id);
    }
    const StringSet listClipNames = memberNames(*data.clipGroups, selected, SelectableItemKind::clip());
    const StringSet fileNames = memberNames(*data.audioFileGroups, selected, SelectableItemKind::audioFile());

    // Only rows something can be marked on are walked clip by clip: moving
    // through a long track list stays cheap.
    const bool sessionWide = !listClipNames.empty() || !fileNames.empty();
    StringSet seenRows;
    for (const PTXTrackInfo &track : rows) {
        if (!seenRows.insert(track.name).second)
            continue;
        const bool wholeTrack = highlights.trackNames.contains(track.name);
        const auto lane = laneIds.find(track.name);
        if (!wholeTrack && lane == laneIds.end() && !sessionWide)
            continue;
        const QString trackName = QString::fromStdString(track.name);
        const auto laneGroups = lane == laneIds.end() ? std::unordered_map<std::string, std::string>{}
                                                      : groupIdByClipName(track.clips);
        for (size_t placement = 0; placement < track.clips.size(); ++placement) {
            const PTXClipInfo &clip = track.clips[placement];
            const auto group = laneGroups.find(clip.name);
            const bool marked = listClipNames.contains(clip.name)
                                || (group != laneGroups.end() && lane->second.contains(group->second));
            if (marked)
                highlights.clips.insert(ClipKey{trackName, int(placement)});
            const PTXAudioFile *file = fileNames.empty() ? nullptr : data.sourceFileOf(clip);
            if (wholeTrack || marked || (file && fileNames.contains(file->name)))
                widen(highlights.listSpan, clip);
        }
    }
    return highlights;
}

std::optional<SelectableItem> laneItemOf(const PTXTrackInfo &track, size_t placement)
{
    if (placement >= track.clips.size())
        return std::nullopt;
    const auto ids = groupIdByClipName(track.clips);
    const auto found = ids.find(track.clips[placement].name);
    if (found == ids.end())
        return std::nullopt;
    return SelectableItem{found->second, SelectableItemKind::trackClip(track.name)};
}

} // namespace kestrix
