#include "preflight.h"

#include "ptsl.h"

#include <algorithm>
#include <bit>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string_view>

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

// The names an alert lists: the first few, and how many there are in all.
// The rest are only counted: a list of thousands of names would not be
// read, so they are neither copied nor sorted.
struct ShownNames {
    std::vector<std::string_view> first;
    size_t count = 0;
};

// "  • a\n  • b" for the names shown, then "\n  …and <n> more".
std::string bulletList(const ShownNames &names)
{
    std::string text;
    for (size_t i = 0; i < names.first.size(); ++i)
        text.append(i ? "\n" : "").append("  \xE2\x80\xA2 ").append(names.first[i]);
    if (names.count > names.first.size())
        text += "\n  \xE2\x80\xA6" "and " + std::to_string(names.count - names.first.size()) + " more";
    return text;
}

// The text after the last "." is "A" and one or more digits.
bool isChannelViewName(std::string_view name)
{
    const size_t dot = name.rfind('.');
    if (dot == std::string_view::npos)
        return false;
    const std::string_view tail = name.substr(dot + 1);
    return tail.size() >= 2 && tail[0] == 'A' &&
           std::all_of(tail.begin() + 1, tail.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// A set of names for one pass of look-ups over large lists: open
// addressing in one array, no allocation per name. Holds at most the
// capacity given; the names must outlive it.
class NameSet {
public:
    explicit NameSet(size_t capacity) : slots_(std::bit_ceil(2 * capacity + 1), nullptr) {}

    // False when the name was in the set already.
    bool insert(const std::string &name)
    {
        const std::string *&slot = slots_[slotOf(name)];
        if (slot)
            return false;
        slot = &name;
        return true;
    }
    bool contains(std::string_view name) const { return slots_[slotOf(name)] != nullptr; }

private:
    // The slot holding the name, or the empty one where it would go; at
    // most half the slots are taken, so the probe ends.
    size_t slotOf(std::string_view name) const
    {
        const size_t mask = slots_.size() - 1;
        for (size_t i = std::hash<std::string_view>{}(name) & mask;; i = (i + 1) & mask) {
            if (!slots_[i] || *slots_[i] == name)
                return i;
        }
    }

    std::vector<const std::string *> slots_;
};

// The distinct names that exist already, the first `shown` of them in
// sorted order.
ShownNames conflicts(const std::vector<std::string> &names, const std::set<std::string> &existing, size_t shown)
{
    std::vector<std::string_view> found;
    if (names.size() < existing.size() / 8) {
        // A few names against a large destination: look each one up.
        for (const std::string &name : names) {
            if (existing.count(name))
                found.push_back(name);
        }
        std::sort(found.begin(), found.end());
        found.erase(std::unique(found.begin(), found.end()), found.end());
    } else if (!existing.empty()) {
        // Many names: hash them once and walk the existing names, which
        // are sorted and distinct already.
        NameSet wanted(names.size());
        for (const std::string &name : names)
            wanted.insert(name);
        for (const std::string &name : existing) {
            if (wanted.contains(name))
                found.push_back(name);
        }
    }
    const size_t count = found.size();
    found.resize(std::min(shown, count));
    return ShownNames{std::move(found), count};
}

// The file names of the distinct paths: many clips share one file.
std::vector<std::string> distinctFileNames(const std::vector<std::string> &paths)
{
    NameSet seen(paths.size());
    std::vector<std::string> names;
    for (const std::string &path : paths) {
        if (seen.insert(path))
            names.push_back(fs::path(path).filename().string());
    }
    return names;
}

} // namespace

std::optional<std::string> channelViewRename(const std::string &name)
{
    if (!isChannelViewName(name))
        return std::nullopt;
    const size_t dot = name.rfind('.');
    return name.substr(0, dot + 1) + "A_" + name.substr(dot + 2);
}

std::optional<Alert> channelViewAlert(const std::vector<std::string> &clipNames)
{
    // Listed as given, a name given twice counted twice.
    ShownNames affected;
    for (const std::string &name : clipNames) {
        if (!isChannelViewName(name))
            continue;
        if (affected.first.size() < kChannelViewNamesShown)
            affected.first.push_back(name);
        ++affected.count;
    }
    if (affected.count == 0)
        return std::nullopt;
    const std::string title = affected.count == 1
                                  ? "Pro Tools will refuse 1 clip name"
                                  : "Pro Tools will refuse " + std::to_string(affected.count) + " clip names";
    const std::string text =
        "Pro Tools treats trailing \".A1\", \".A2\", \xE2\x80\xA6 as channel-view suffixes and silently refuses to "
        "create clips with those names. Affected:\n\n" +
        bulletList(affected) + "\n\nRename them to \".A_1\", \".A_2\", \xE2\x80\xA6 so the import succeeds?";
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
    const std::vector<std::string> fileNames = distinctFileNames(audioFilePaths);
    const std::pair<const char *, ShownNames> sections[] = {
        {"Audio files (may be overwritten or renamed by Pro Tools):",
         conflicts(fileNames, existing.audioFiles, kExistingNamesShown)},
        {"Tracks (Pro Tools will auto-rename to \"<name> 1\"):",
         conflicts(trackNames, existing.tracks, kExistingNamesShown)},
        {"Clips (Pro Tools will auto-rename in the Clip List):",
         conflicts(clipNames, existing.clips, kExistingNamesShown)},
    };
    std::string text;
    for (const auto &[header, names] : sections) {
        if (names.count == 0)
            continue;
        text += (text.empty() ? "" : "\n\n") + std::string(header) + "\n" + bulletList(names);
    }
    if (text.empty())
        return std::nullopt;
    return Alert{"Names already exist in the destination session", text, {"Continue Anyway", "Cancel"}};
}

} // namespace kestrix::import
