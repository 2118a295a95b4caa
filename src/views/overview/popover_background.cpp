#include "popover_background.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace kestrix {

void PopoverBackground::paint(QPainter &painter, const QRectF &bounds) const
{
    const QRectF panel = bounds.adjusted(kArrowWidth + 0.5, 0.5, -0.5, -0.5);
    const double tip = std::clamp(arrowY, panel.top() + kCornerRadius + kArrowHalfHeight,
                                  panel.bottom() - kCornerRadius - kArrowHalfHeight);
    QPainterPath shape;
    shape.addRoundedRect(panel, kCornerRadius, kCornerRadius);
    QPainterPath arrow;
    arrow.moveTo(panel.left() + 1, tip - kArrowHalfHeight);
    arrow.lineTo(bounds.left() + 0.5, tip);
    arrow.lineTo(panel.left() + 1, tip + kArrowHalfHeight);
    arrow.closeSubpath();
    shape = shape.united(arrow);

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(border, 1));
    painter.setBrush(fill);
    painter.drawPath(shape.simplified());
    painter.restore();
}

} // namespace kestrix
