#include "channel_suffix.h"

#include <array>

namespace kestrix {

namespace {

// Longer suffixes first, so that ".Ls" is not taken for ".s".
constexpr std::array<std::string_view, 19> kStripOrder = {
    ".Ltf", ".Rtf", ".Ltr", ".Rtr", ".Ltm", ".Rtm", ".Lts", ".Rts", ".Lss", ".Rss",
    ".LFE", ".Ls",  ".Rs",  ".Lc",  ".Rc",  ".Cs",  ".L",   ".R",   ".C"};

constexpr std::array<std::string_view, 6> kSplitChannelSuffixes = {".L", ".R", ".C", ".LFE", ".Ls", ".Rs"};

std::string_view fileStem(std::string_view path)
{
    const size_t slash = path.rfind('/');
    if (slash != std::string_view::npos)
        path.remove_prefix(slash + 1);
    const size_t dot = path.rfind('.');
    return dot == std::string_view::npos ? path : path.substr(0, dot);
}

} // namespace

std::string stripChannelSuffix(std::string_view name)
{
    for (std::string_view suffix : kStripOrder) {
        if (name.size() > suffix.size() && name.ends_with(suffix))
            return std::string(name.substr(0, name.size() - suffix.size()));
    }
    return std::string(name);
}

const ImportedFileId &splitSourceFileId(const std::vector<ImportedFileId> &ids, int k)
{
    if (k >= 0 && k < int(kSplitChannelSuffixes.size())) {
        for (const ImportedFileId &id : ids) {
            if (fileStem(id.filePath).ends_with(kSplitChannelSuffixes[size_t(k)]))
                return id;
        }
    }
    if (k >= 0 && size_t(k) < ids.size())
        return ids[size_t(k)];
    return ids.back();
}

} // namespace kestrix
