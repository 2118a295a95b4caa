#include "channel_stem.h"

namespace kestrix {

std::optional<ChannelStem> channelStem(std::string_view name)
{
    // Every suffix follows the last dot, so most names are settled here.
    const size_t lastDot = name.rfind('.');
    if (lastDot == std::string_view::npos || lastDot == 0 || name.size() - lastDot - 1 > 3)
        return std::nullopt;
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
