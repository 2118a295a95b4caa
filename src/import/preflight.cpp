#include "preflight.h"

#include "ptsl.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <memory>

namespace kestrix::import {

namespace {

namespace fs = std::filesystem;

constexpr size_t kChannelViewNamesShown = 3;
constexpr size_t kExistingNamesShown = 5;
// The destination's folder may be huge or not ours; list a bounded part.
constexpr size_t kMaxAudioFolderEntries = 1'000'000;

std::set<std::string> lines(char *text)
{
    const std::unique_ptr<char, decltype(&std::free)> owned(text, &std::free);
    std::set<std::string> out;
    if (!text)
        return out;
    const std::string all(text);
    for (size_t from = 0; from < all.size();) {
        const size_t end = std::min(all.find('\n', from), all.size());
        if (end > from)
            out.insert(all.substr(from, end - from));
        from = end + 1;
    }
    return out;
}

// "  • a\n  • b" for the first `shown` names, then "\n  …and <n> more".
std::string bulletList(const std::vector<std::string> &names, size_t shown)
{
    std::string text;
    for (size_t i = 0; i < names.size() && i < shown; ++i)
        text += (i ? "\n" : "") + std::string("  \xE2\x80\xA2 ") + names[i];
    if (names.size() > shown)
        text += "\n  \xE2\x80\xA6" "and " + std::to_string(names.size() - shown) + " more";
    return text;
}

std::vector<std::string> conflicts(const std::vector<std::string> &names, const std::set<std::string> &existing)
{
    std::set<std::string> found;
    for (const std::string &name : names) {
        if (existing.count(name))
            found.insert(name);
    }
    return {found.begin(), found.end()};
}

} // namespace

std::optional<std::string> channelViewRename(const std::string &name)
{
    const size_t dot = name.rfind('.');
    if (dot == std::string::npos)
        return std::nullopt;
    const std::string tail = name.substr(dot + 1);
    if (tail.size() < 2 || tail[0] != 'A' ||
        !std::all_of(tail.begin() + 1, tail.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    return name.substr(0, dot + 1) + "A_" + tail.substr(1);
}

std::optional<Alert> channelViewAlert(const std::vector<std::string> &clipNames)
{
    std::vector<std::string> affected;
    for (const std::string &name : clipNames) {
        if (channelViewRename(name))
            affected.push_back(name);
    }
    if (affected.empty())
        return std::nullopt;
    const std::string title = affected.size() == 1
                                  ? "Pro Tools will refuse 1 clip name"
                                  : "Pro Tools will refuse " + std::to_string(affected.size()) + " clip names";
    const std::string text =
        "Pro Tools treats trailing \".A1\", \".A2\", \xE2\x80\xA6 as channel-view suffixes and silently refuses to "
        "create clips with those names. Affected:\n\n" +
        bulletList(affected, kChannelViewNamesShown) +
        "\n\nRename them to \".A_1\", \".A_2\", \xE2\x80\xA6 so the import succeeds?";
    return Alert{title, text, {"Rename and Import", "Import Without Renaming", "Cancel"}};
}

ExistingNames queryExistingNames()
{
    ExistingNames existing{lines(ptsl_get_track_names()), lines(ptsl_get_clip_names()), {}};
    const std::unique_ptr<char, decltype(&std::free)> sessionPath(ptsl_get_session_path(), &std::free);
    if (!sessionPath)
        return existing;
    std::error_code error;
    const fs::path folder = fs::path(sessionPath.get()).parent_path() / "Audio Files";
    for (fs::directory_iterator entry(folder, error), end; !error && entry != end; entry.increment(error)) {
        if (existing.audioFiles.size() >= kMaxAudioFolderEntries)
            break;
        existing.audioFiles.insert(entry->path().filename().string());
    }
    return existing;
}

std::optional<Alert> namesExistAlert(const std::vector<std::string> &trackNames,
                                     const std::vector<std::string> &clipNames,
                                     const std::vector<std::string> &audioFilePaths, const ExistingNames &existing)
{
    std::vector<std::string> fileNames;
    for (const std::string &path : audioFilePaths)
        fileNames.push_back(fs::path(path).filename().string());
    const std::pair<const char *, std::vector<std::string>> sections[] = {
        {"Audio files (may be overwritten or renamed by Pro Tools):", conflicts(fileNames, existing.audioFiles)},
        {"Tracks (Pro Tools will auto-rename to \"<name> 1\"):", conflicts(trackNames, existing.tracks)},
        {"Clips (Pro Tools will auto-rename in the Clip List):", conflicts(clipNames, existing.clips)},
    };
    std::string text;
    for (const auto &[header, names] : sections) {
        if (names.empty())
            continue;
        text += (text.empty() ? "" : "\n\n") + std::string(header) + "\n" + bulletList(names, kExistingNamesShown);
    }
    if (text.empty())
        return std::nullopt;
    return Alert{"Names already exist in the destination session", text, {"Continue Anyway", "Cancel"}};
}

} // namespace kestrix::import
