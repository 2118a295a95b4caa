// The two checks before an import, as alerts the caller shows: clip names
// Pro Tools would refuse (".A1" channel-view suffixes), and names that
// already exist in the destination session.
#ifndef KESTRIX_IMPORT_PREFLIGHT_H
#define KESTRIX_IMPORT_PREFLIGHT_H

#include <optional>
#include <set>
#include <string>
#include <vector>

namespace kestrix::import {

// A warning alert; buttons in order, the last one cancels (Escape).
struct Alert {
    std::string title;
    std::string text;
    std::vector<std::string> buttons;
};

// "Kick.A_1" for "Kick.A1": a name whose text after its last "." is "A"
// and digits; none for every other name.
std::optional<std::string> channelViewRename(const std::string &name);

// Buttons "Rename and Import", "Import Without Renaming", "Cancel"; none
// when no name is affected.
std::optional<Alert> channelViewAlert(const std::vector<std::string> &clipNames);

struct ExistingNames {
    std::set<std::string> tracks;
    std::set<std::string> clips;
    std::set<std::string> audioFiles;  // entries of "Audio Files" beside the destination session
};

// Asks Pro Tools and lists the destination's "Audio Files" folder. Blocks:
// call on a background thread.
ExistingNames queryExistingNames();

// Buttons "Continue Anyway", "Cancel"; none when nothing exists yet.
// Audio files compare by their last path component.
std::optional<Alert> namesExistAlert(const std::vector<std::string> &trackNames,
                                     const std::vector<std::string> &clipNames,
                                     const std::vector<std::string> &audioFilePaths, const ExistingNames &existing);

} // namespace kestrix::import

#endif
