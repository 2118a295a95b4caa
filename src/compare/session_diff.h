// What changed between two versions of a session: properties, tracks, the
// clips placed on tracks present in both, audio files, plug-ins and memory
// locations. Items are matched by name (memory locations by number, then
// name), never by similarity: a track removed and another added under a new
// name are two differences, not a rename.
#ifndef KESTRIX_COMPARE_SESSION_DIFF_H
#define KESTRIX_COMPARE_SESSION_DIFF_H

#include "session_info.h"

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

namespace kestrix {

// Texts for display fields; numbers for sample positions, colour indices and
// memory-location numbers.
using FieldValue = std::variant<std::string, int64_t, uint64_t>;

struct FieldChange {
    std::string field;
    FieldValue oldValue;
    FieldValue newValue;
    bool operator==(const FieldChange &) const = default;
};

// Indices point into the tracks of the session the entry comes from.
struct TrackEntry {
    std::string name;
    size_t index = 0;
    bool operator==(const TrackEntry &) const = default;
};

struct TrackChange {
    std::string name;
    size_t oldIndex = 0;
    size_t newIndex = 0;
    std::vector<FieldChange> fields;
    bool operator==(const TrackChange &) const = default;
};

// A placed clip: its track's index and its own index in that track's clips.
struct ClipPlace {
    size_t track = 0;
    size_t clip = 0;
    bool operator==(const ClipPlace &) const = default;
};

struct ClipEntry {
    std::string track;
    std::string name;
    uint64_t position = 0;
    ClipPlace place;  // in the session the clip is in (old for removed, new for added)
    bool operator==(const ClipEntry &) const = default;
};

// A clip that moved, was trimmed, or both (then it is listed as trimmed).
struct ClipChange {
    std::string track;
    std::string name;
    uint64_t oldPosition = 0;
    uint64_t newPosition = 0;
    uint64_t oldOffset = 0;
    uint64_t newOffset = 0;
    uint64_t oldLength = 0;
    uint64_t newLength = 0;
    ClipPlace oldPlace;
    ClipPlace newPlace;
    bool operator==(const ClipChange &) const = default;
};

struct FileEntry {
    std::string name;
    std::string path;
    bool operator==(const FileEntry &) const = default;
};

struct LocationEntry {
    int64_t number = 0;
    std::string name;
    uint64_t start = 0;
    bool operator==(const LocationEntry &) const = default;
};

struct LocationChange {
    int64_t number = 0;  // the new session's
    std::string name;    // the new session's
    std::vector<FieldChange> fields;
    bool operator==(const LocationChange &) const = default;
};

struct SessionDiff {
    std::vector<FieldChange> properties;
    std::vector<TrackEntry> tracksAdded;
    std::vector<TrackEntry> tracksRemoved;
    std::vector<TrackChange> tracksChanged;
    std::vector<ClipEntry> clipsAdded;
    std::vector<ClipEntry> clipsRemoved;
    std::vector<ClipChange> clipsMoved;
    std::vector<ClipChange> clipsTrimmed;
    std::vector<FileEntry> filesAdded;
    std::vector<FileEntry> filesRemoved;
    std::vector<std::string> pluginsAdded;
    std::vector<std::string> pluginsRemoved;
    std::vector<LocationEntry> locationsAdded;
    std::vector<LocationEntry> locationsRemoved;
    std::vector<LocationChange> locationsChanged;

    bool identical() const;
    bool operator==(const SessionDiff &) const = default;
};

// The session names (taken from the file names) are not compared.
SessionDiff compareSessions(const PTXSessionInfo &oldSession, const PTXSessionInfo &newSession);

} // namespace kestrix

#endif
