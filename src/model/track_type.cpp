#include "track_type.h"

namespace kestrix {

std::optional<PTXTrackType> trackTypeFromRawValue(uint8_t raw)
{
    switch (static_cast<PTXTrackType>(raw)) {
    case PTXTrackType::audio:
    case PTXTrackType::midi:
    case PTXTrackType::aux:
    case PTXTrackType::masterFader:
    case PTXTrackType::instrument:
    case PTXTrackType::video:
    case PTXTrackType::vca:
    case PTXTrackType::folder:
    case PTXTrackType::unknown:
        return static_cast<PTXTrackType>(raw);
    }
    return std::nullopt;
}

std::string_view trackTypeDescription(PTXTrackType type)
{
    switch (type) {
    case PTXTrackType::audio: return "Audio";
    case PTXTrackType::midi: return "MIDI";
    case PTXTrackType::aux: return "Aux";
    case PTXTrackType::masterFader: return "Master";
    case PTXTrackType::instrument: return "Instrument";
    case PTXTrackType::video: return "Video";
    case PTXTrackType::vca: return "VCA";
    case PTXTrackType::folder: return "Folder";
    case PTXTrackType::unknown: break;
    }
    return "Unknown";
}

std::string_view trackTypeLabel(PTXTrackType type, bool isFolder)
{
    if (isFolder && type == PTXTrackType::aux)
        return "R Folder";
    if (isFolder && type == PTXTrackType::folder)
        return "B Folder";
    return trackTypeDescription(type);
}

} // namespace kestrix
