#include "multi_mono_grouping.h"

#include "grouping_plan.h"

#include "string_view_index.h"

namespace kestrix {

namespace {

// The first clip of each name, as grouping items and their clip indices.
struct UniqueClips {
    std::vector<GroupingItem> items;
    std::vector<size_t> clipIndex;
};

UniqueClips uniqueClips(const std::vector<PTXClipInfo> &clips)
{
    UniqueClips unique;
    StringViewIndex seen(clips.size());
    unique.items.reserve(clips.size());
    unique.clipIndex.reserve(clips.size());
    for (size_t c = 0; c < clips.size(); ++c) {
        if (!seen.insert(clips[c].name, c).second)
            continue;
        unique.items.push_back({clips[c].name, clips[c].name});
        unique.clipIndex.push_back(c);
    }
    return unique;
}

} // namespace

std::string_view withoutExtension(std::string_view fileName)
{
    const size_t dot = fileName.rfind('.');
    return dot == std::string_view::npos || dot == 0 ? fileName : fileName.substr(0, dot);
}

std::vector<PTXAudioFileGroup> groupAudioFiles(const std::vector<PTXAudioFile> &files)
{
    std::vector<GroupingItem> items;
    items.reserve(files.size());
    for (const PTXAudioFile &f : files)
        items.push_back({f.name, withoutExtension(f.name)});
    const GroupPlan plan = planGroups(items);

    std::vector<PTXAudioFileGroup> groups;
    groups.reserve(plan.groups.size());
    for (const GroupPlan::Group &g : plan.groups) {
        PTXAudioFileGroup group{std::string(g.id), std::string(g.id), {}};
        for (size_t k = g.firstChannel; k < g.firstChannel + g.channelCount; ++k) {
            const PTXAudioFile &file = files[plan.channels[k].item];
            group.channels.push_back({std::string(plan.channels[k].suffix), file.name, file.path});
        }
        groups.push_back(std::move(group));
    }
    return groups;
}

std::vector<PTXClipGroup> groupClips(const std::vector<PTXClipInfo> &clips)
{
    const UniqueClips unique = uniqueClips(clips);
    const GroupPlan plan = planGroups(unique.items);

    std::vector<PTXClipGroup> groups;
    groups.reserve(plan.groups.size());
    for (const GroupPlan::Group &g : plan.groups) {
        PTXClipGroup group{std::string(g.id), std::string(g.id), {}};
        for (size_t k = g.firstChannel; k < g.firstChannel + g.channelCount; ++k)
            group.channels.push_back(
                {std::string(plan.channels[k].suffix), clips[unique.clipIndex[plan.channels[k].item]]});
        groups.push_back(std::move(group));
    }
    return groups;
}

std::vector<std::string> clipGroupIds(const std::vector<PTXClipInfo> &clips)
{
    const GroupPlan plan = planGroups(uniqueClips(clips).items);
    std::vector<std::string> ids;
    ids.reserve(plan.groups.size());
    for (const GroupPlan::Group &g : plan.groups)
        ids.emplace_back(g.id);
    return ids;
}

} // namespace kestrix
