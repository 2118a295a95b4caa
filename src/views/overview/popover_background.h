// The shape of a popover: a rounded panel with an arrow on its left edge
// pointing at what it describes.
#ifndef KESTRIX_VIEWS_OVERVIEW_POPOVER_BACKGROUND_H
#define KESTRIX_VIEWS_OVERVIEW_POPOVER_BACKGROUND_H

#include <QColor>
#include <QRectF>

class QPainter;

namespace kestrix {

struct PopoverBackground {
    static constexpr double kArrowWidth = 8;
    static constexpr double kArrowHalfHeight = 7;
    static constexpr double kCornerRadius = 8;

    QColor fill;
    QColor border;
    // The arrow's tip height, from the top of the panel.
    double arrowY = 20;

    // Paints into `bounds`; the panel starts kArrowWidth in from the left.
    void paint(QPainter &painter, const QRectF &bounds) const;
};

} // namespace kestrix

#endif
