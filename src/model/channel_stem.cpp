#include "channel_stem.h"

namespace kestrix {

std::optional<ChannelStem> channelStem(std::string_view name)
{
    for (std::string_view suffix : kChannelSuffixes) {
        if (name.size() < suffix.size() + 2 || !name.ends_with(suffix))
            continue;
        const size_t dot = name.size() - suffix.size() - 1;
        if (name[dot] == '.')
            return ChannelStem{name.substr(0, dot), suffix};
    }
    return std::nullopt;
}

} // namespace kestrix
