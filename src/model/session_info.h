// The immutable picture of one loaded session. Session properties are
// display texts; positions and lengths are sample counts.
#ifndef KESTRIX_MODEL_SESSION_INFO_H
#define KESTRIX_MODEL_SESSION_INFO_H

#include "track_type.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kestrix {

// Colour index meaning "no colour" (tracks, clips and placements).
inline constexpr uint16_t kNoColorIndex = 65534;

struct PTXAudioFile {
    std::string name;
    std::string path;
    std::string typeTag;
    bool unhandledType = false;
    bool operator==(const PTXAudioFile &) const = default;
};

struct PTXClipInfo {
    std::string id;
    std::string name;
    int64_t sourceFileIndex = -1;  // into PTXSessionInfo::audioFiles; -1 for none
    uint64_t sampleOffset = 0;
    uint64_t sampleLength = 0;
    uint64_t timelinePosition = 0;
    uint16_t colorIndex = kNoColorIndex;
    bool operator==(const PTXClipInfo &) const = default;
};

struct PTXTrackPlugin {
    int64_t id = 0;
    std::string name;
    bool active = false;
    bool operator==(const PTXTrackPlugin &) const = default;
};

struct PTXTrackFormat {
    std::string name;
    bool operator==(const PTXTrackFormat &) const = default;
};

struct PTXTrackInfo {
    std::string name;
    PTXTrackType type = PTXTrackType::unknown;
    PTXTrackFormat format;
    uint16_t colorIndex = kNoColorIndex;
    std::string comment;
    std::vector<PTXTrackPlugin> plugins;
    std::vector<PTXClipInfo> clips;  // placed clips, in placement order
    int64_t depth = 0;
    std::optional<std::string> parentName;
    bool isFolder = false;
    int64_t childCount = 0;

    std::string_view typeLabel() const { return trackTypeLabel(type, isFolder); }
    bool operator==(const PTXTrackInfo &) const = default;
};

struct PTXMemoryLocation {
    int64_t id = 0;
    int64_t number = 0;
    std::string name;
    std::string timeProperties;  // "marker", "selection", "none" or ""
    uint8_t type = 0;
    uint8_t reference = 0;
    uint64_t startTime = 0;
    uint64_t endTime = 0;
    uint8_t colorR = 0;
    uint8_t colorG = 0;
    uint8_t colorB = 0;

    // "Bar | Beat", "Absolute" or "" (always "" for locations without time properties).
    std::string_view referenceLabel() const;
    bool hasColor() const;
    bool operator==(const PTXMemoryLocation &) const = default;
};

struct PTXSessionInfo {
    std::string sessionName;
    std::string sampleRate;
    std::string bitDepth;
    std::string audioFormat;
    std::string interleaved;
    std::string panDepth;
    std::string frameRate;
    std::string sessionStart;
    std::string sessionLength;
    std::string tempo;
    bool tempoChanges = false;
    std::string meter;
    bool meterChanges = false;
    int64_t audioTrackCount = 0;
    int64_t clipCount = 0;
    std::vector<PTXClipInfo> clips;  // the session's clip list; timeline positions are 0
    std::vector<PTXTrackInfo> tracks;
    std::vector<PTXAudioFile> audioFiles;
    std::vector<std::string> activePlugins;
    std::vector<std::string> deactivatedPlugins;
    std::vector<PTXMemoryLocation> memoryLocations;  // sorted by number
    uint8_t mainCounterFormat = 255;
    std::string debugInfo;
    bool operator==(const PTXSessionInfo &) const = default;
};

} // namespace kestrix

#endif
