// The kinds of track a session holds, with their display names.
#ifndef KESTRIX_MODEL_TRACK_TYPE_H
#define KESTRIX_MODEL_TRACK_TYPE_H

#include <cstdint>
#include <optional>
#include <string_view>

namespace kestrix {

// Raw values are the reader's track type codes.
enum class PTXTrackType : uint8_t {
    audio = 0,
    midi = 1,
    aux = 2,
    masterFader = 5,
    instrument = 7,
    video = 8,
    vca = 9,
    folder = 11,
    unknown = 255,
};

// The case with this raw value; none for codes that name no case.
std::optional<PTXTrackType> trackTypeFromRawValue(uint8_t raw);

// "Audio", "MIDI", "Aux", "Master", ...
std::string_view trackTypeDescription(PTXTrackType type);

// The type column text: the description, except that folder tracks of the
// aux type are routing folders ("R Folder") and those of the folder type are
// basic folders ("B Folder").
std::string_view trackTypeLabel(PTXTrackType type, bool isFolder);

} // namespace kestrix

#endif
