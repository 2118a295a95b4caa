// Multi-mono sets: one mono file (or clip) per channel, named with a channel
// suffix (Gtr.L.wav, Gtr.R.wav), shown, played and imported as one item.
#ifndef KESTRIX_MODEL_MULTI_MONO_GROUPING_H
#define KESTRIX_MODEL_MULTI_MONO_GROUPING_H

#include "session_info.h"

#include <string>
#include <vector>

namespace kestrix {

struct PTXAudioFileGroup {
    struct Channel {
        std::string suffix;  // "" for a file that is not part of a set
        std::string fileName;
        std::string path;
        bool operator==(const Channel &) const = default;
    };
    std::string id;
    std::string baseName;
    std::vector<Channel> channels;  // in file order
    bool operator==(const PTXAudioFileGroup &) const = default;
};

struct PTXClipGroup {
    struct Channel {
        std::string suffix;
        PTXClipInfo clip;
        bool operator==(const Channel &) const = default;
    };
    std::string id;
    std::string baseName;
    std::vector<Channel> channels;  // in clip order
    bool operator==(const PTXClipGroup &) const = default;
};

// Files whose names without extension share a stem form a group named after
// the stem; every other file is a group of its own under its full name.
std::vector<PTXAudioFileGroup> groupAudioFiles(const std::vector<PTXAudioFile> &files);

// The same for clips, by clip name as it is; of several clips with one name
// only the first counts.
std::vector<PTXClipGroup> groupClips(const std::vector<PTXClipInfo> &clips);

// The ids of groupClips(clips), in order, without building the groups.
std::vector<std::string> clipGroupIds(const std::vector<PTXClipInfo> &clips);

// The name without its last extension: "Gtr.L" for "Gtr.L.wav"; a name
// whose only dot is its first character has no extension.
std::string_view withoutExtension(std::string_view fileName);

} // namespace kestrix

#endif
