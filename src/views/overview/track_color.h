// The colour a track is drawn in: its own palette colour, else its type's.
#ifndef KESTRIX_VIEWS_OVERVIEW_TRACK_COLOR_H
#define KESTRIX_VIEWS_OVERVIEW_TRACK_COLOR_H

#include "session_info.h"

#include <QColor>

namespace kestrix {

QColor trackColor(const PTXTrackInfo &track);

} // namespace kestrix

#endif
