#include "grouping_plan.h"

#include "channel_stem.h"

#include "string_view_index.h"

#include <optional>

namespace kestrix {

namespace {

constexpr size_t kNoCandidate = size_t(-1);

struct Candidate {
    std::string_view stem;
    size_t firstMember = 0;  // into the member list, filled by a counting sort
    size_t memberCount = 0;
    bool emitted = false;
};

} // namespace

GroupPlan planGroups(std::span<const GroupingItem> items)
{
    // First pass: the candidate group of every item with a stem.
    std::vector<Candidate> candidates;
    StringViewIndex candidateOfStem;
    std::vector<size_t> candidateOfItem(items.size(), kNoCandidate);
    std::vector<std::string_view> suffixOfItem(items.size());
    for (size_t i = 0; i < items.size(); ++i) {
        const std::optional<ChannelStem> stem = channelStem(items[i].matchName);
        if (!stem)
            continue;
        const auto [c, added] = candidateOfStem.insert(stem->stem, candidates.size());
        if (added)
            candidates.push_back({stem->stem});
        ++candidates[c].memberCount;
        candidateOfItem[i] = c;
        suffixOfItem[i] = stem->suffix;
    }

    // Every candidate's members, in item order, laid out one after another.
    size_t offset = 0;
    for (Candidate &c : candidates) {
        c.firstMember = offset;
        offset += c.memberCount;
    }
    std::vector<size_t> members(offset);
    std::vector<size_t> filled(candidates.size(), 0);
    for (size_t i = 0; i < items.size(); ++i)
        if (const size_t c = candidateOfItem[i]; c != kNoCandidate)
            members[candidates[c].firstMember + filled[c]++] = i;

    // Second pass, in item order. Multi-mono stems and plain names share the
    // set of emitted keys, so a plain item named like an emitted set (the
    // parent "Gtr" of "Gtr.L" and "Gtr.R") is not listed twice.
    GroupPlan plan;
    StringViewIndex emitted(items.size());
    const auto emit = [&](std::string_view id) {
        plan.groups.push_back({id, plan.channels.size(), 0});
    };
    const auto addChannel = [&](size_t item, std::string_view suffix) {
        plan.channels.push_back({item, suffix});
        ++plan.groups.back().channelCount;
    };
    for (size_t i = 0; i < items.size(); ++i) {
        const size_t c = candidateOfItem[i];
        if (c == kNoCandidate) {
            if (emitted.insert(items[i].name, i).second) {
                emit(items[i].name);
                addChannel(i, "");
            }
        } else if (candidates[c].memberCount == 1) {
            emit(items[i].name);
            addChannel(i, suffixOfItem[i]);
        } else if (!candidates[c].emitted) {
            candidates[c].emitted = true;
            emitted.insert(candidates[c].stem, i);
            emit(candidates[c].stem);
            for (size_t m = 0; m < candidates[c].memberCount; ++m) {
                const size_t member = members[candidates[c].firstMember + m];
                addChannel(member, suffixOfItem[member]);
            }
        }
    }
    return plan;
}

} // namespace kestrix
