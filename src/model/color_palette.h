// The track and clip colour palette: three rows of 23 colours addressed by
// a 16-bit colour index.
#ifndef KESTRIX_MODEL_COLOR_PALETTE_H
#define KESTRIX_MODEL_COLOR_PALETTE_H

#include "track_type.h"

#include <cstdint>
#include <optional>

namespace kestrix {

struct PTXColorPalette {
    struct Entry {
        uint8_t r = 0;
        uint8_t g = 0;
        uint8_t b = 0;
        bool operator==(const Entry &) const = default;
    };

    static constexpr int kRows = 3;
    static constexpr int kEntriesPerRow = 23;

    // The colour of an index: row index / 24, column index mod 24, both
    // counted from 1. None for the no-colour index 65534, for column 0 and
    // outside the table.
    static std::optional<Entry> color(uint16_t index);

    // The colour a track of the type is drawn in when it has none of its
    // own. None for unknown tracks, which use the platform's grey at
    // opacity 0.3.
    static std::optional<Entry> defaultColor(PTXTrackType type);
};

} // namespace kestrix

#endif
