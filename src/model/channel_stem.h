// Multi-mono channel suffixes: "Gtr.L" is channel L of the set "Gtr".
#ifndef KESTRIX_MODEL_CHANNEL_STEM_H
#define KESTRIX_MODEL_CHANNEL_STEM_H

#include <array>
#include <optional>
#include <string_view>

namespace kestrix {

// Tried in this order; longer suffixes come before their shorter prefixes.
inline constexpr std::array<std::string_view, 19> kChannelSuffixes = {
    "Ltf", "Rtf", "Ltr", "Rtr", "Ltm", "Rtm", "Lts", "Rts", "Lss", "Rss",
    "LFE", "Ls",  "Rs",  "Lc",  "Rc",  "Cs",  "L",   "R",   "C",
};

struct ChannelStem {
    std::string_view stem;    // the name before ".<suffix>", never empty
    std::string_view suffix;  // without the dot
};

// The stem and channel suffix of a name ending in "." + a channel suffix;
// none when there is no such ending or nothing precedes it.
std::optional<ChannelStem> channelStem(std::string_view name);

} // namespace kestrix

#endif
