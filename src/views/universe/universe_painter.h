// Drawing the timeline overview into any painter: the widget, an offscreen
// image for tests and benchmarks. Only what lies in the dirty rectangle is
// looked at.
#ifndef KESTRIX_VIEWS_UNIVERSE_UNIVERSE_PAINTER_H
#define KESTRIX_VIEWS_UNIVERSE_UNIVERSE_PAINTER_H

#include "clip_key.h"
#include "universe_anchors.h"
#include "universe_mapping.h"
#include "universe_marks.h"
#include "universe_rows.h"

#include <QColor>
#include <QPalette>
#include <QRect>
#include <QRectF>
#include <QSet>

#include <optional>
#include <vector>

class QPainter;

namespace kestrix {

struct UniverseColors {
    QColor background;
    QColor highlight;  // selected clips, selected tracks, the selection
    QColor activeOutline;
    QColor playhead;

    static UniverseColors fromPalette(const QPalette &palette);
};

struct UniverseScene {
    const UniverseRows &rows;
    const UniverseMapping &mapping;
    const UniverseSelectionState &selection;
    std::optional<ClipKey> activeClip;
    std::optional<QRectF> rubberBand;
    std::optional<double> playheadSample;
    UniverseColors colors;
    const std::vector<UniverseMark> *marks = nullptr;
};

void paintUniverse(QPainter &painter, const UniverseScene &scene, const QRect &dirty);

} // namespace kestrix

#endif
