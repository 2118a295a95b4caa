#include "track_color.h"

#include "color_palette.h"

namespace kestrix {

QColor trackColor(const PTXTrackInfo &track)
{
    std::optional<PTXColorPalette::Entry> entry = PTXColorPalette::color(track.colorIndex);
    if (!entry)
        entry = PTXColorPalette::defaultColor(track.type);
    if (!entry)
        return QColor(142, 142, 147, 77); // the platform grey at 30 % for unknown tracks
    return QColor(entry->r, entry->g, entry->b);
}

} // namespace kestrix
