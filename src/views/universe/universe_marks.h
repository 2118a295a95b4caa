// Marks drawn over the timeline's clips: spans on a row, filled or outlined
// in their own colour, whether or not the row has a clip there.
#ifndef KESTRIX_VIEWS_UNIVERSE_UNIVERSE_MARKS_H
#define KESTRIX_VIEWS_UNIVERSE_UNIVERSE_MARKS_H

#include <QColor>

#include <cstdint>

namespace kestrix {

struct UniverseMark {
    size_t row = 0;
    uint64_t start = 0;  // samples
    uint64_t end = 0;
    QColor color;
    bool outline = false;
    bool operator==(const UniverseMark &) const = default;
};

} // namespace kestrix

#endif
