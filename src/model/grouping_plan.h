// The multi-mono grouping procedure, shared by audio files and clips: which
// groups come out, in which order, and which input items each one holds.
#ifndef KESTRIX_MODEL_GROUPING_PLAN_H
#define KESTRIX_MODEL_GROUPING_PLAN_H

#include <cstddef>
#include <span>
#include <string_view>
#include <vector>

namespace kestrix {

struct GroupingItem {
    std::string_view name;       // the item's full name, the id of a single group
    std::string_view matchName;  // the name the channel suffix is looked for in
};

struct GroupPlan {
    struct Channel {
        size_t item;  // index into the planned items
        std::string_view suffix;
    };
    struct Group {
        std::string_view id;  // also the base name
        size_t firstChannel;  // this group's channels are channels[firstChannel, +channelCount)
        size_t channelCount;
    };
    std::vector<Group> groups;
    std::vector<Channel> channels;
};

// Items whose match names share a stem form one group named after the stem
// when there are at least two of them; every other item forms a single
// group under its full name (plain names only once). Groups come out in the
// order of their first item. The plan refers to the items' names.
GroupPlan planGroups(std::span<const GroupingItem> items);

} // namespace kestrix

#endif
