#include "overview_painting.h"

#include "overview_style.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>

namespace kestrix {

void drawChevron(QPainter &painter, const QRectF &rect, bool expanded, const QColor &color)
{
    const QPointF c = rect.center();
    const double s = std::min(rect.width(), rect.height()) * 0.22;
    QPainterPath path;
    if (expanded) {
        path.moveTo(c.x() - s * 1.4, c.y() - s * 0.6);
        path.lineTo(c.x(), c.y() + s * 0.8);
        path.lineTo(c.x() + s * 1.4, c.y() - s * 0.6);
    } else {
        path.moveTo(c.x() - s * 0.6, c.y() - s * 1.4);
        path.lineTo(c.x() + s * 0.8, c.y());
        path.lineTo(c.x() - s * 0.6, c.y() + s * 1.4);
    }
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(color, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(path);
    painter.restore();
}

void drawTriangle(QPainter &painter, const QRectF &rect, TriangleDirection direction, const QColor &color)
{
    const QPointF c = rect.center();
    const double s = std::min(rect.width(), rect.height()) * 0.3;
    QPolygonF triangle;
    switch (direction) {
        case TriangleDirection::left:
            triangle << QPointF(c.x() - s, c.y()) << QPointF(c.x() + s * 0.8, c.y() - s)
                     << QPointF(c.x() + s * 0.8, c.y() + s);
            break;
        case TriangleDirection::right:
            triangle << QPointF(c.x() + s, c.y()) << QPointF(c.x() - s * 0.8, c.y() - s)
                     << QPointF(c.x() - s * 0.8, c.y() + s);
            break;
        case TriangleDirection::up:
            triangle << QPointF(c.x(), c.y() - s) << QPointF(c.x() - s, c.y() + s * 0.8)
                     << QPointF(c.x() + s, c.y() + s * 0.8);
            break;
        case TriangleDirection::down:
            triangle << QPointF(c.x(), c.y() + s) << QPointF(c.x() - s, c.y() - s * 0.8)
                     << QPointF(c.x() + s, c.y() - s * 0.8);
            break;
    }
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(color);
    painter.drawPolygon(triangle);
    painter.restore();
}

void drawFolderIcon(QPainter &painter, const QRectF &rect, const QColor &tint, const QColor &outline)
{
    const double w = std::min(rect.width(), 14.0);
    const double h = w * 0.78;
    const QRectF body(rect.center().x() - w / 2, rect.center().y() - h / 2 + 1, w, h);
    QPainterPath path;
    path.moveTo(body.left(), body.top() + 2);
    path.lineTo(body.left(), body.bottom() - 1);
    path.quadTo(body.left(), body.bottom(), body.left() + 1, body.bottom());
    path.lineTo(body.right() - 1, body.bottom());
    path.quadTo(body.right(), body.bottom(), body.right(), body.bottom() - 1);
    path.lineTo(body.right(), body.top() + 3);
    path.lineTo(body.left() + w * 0.45, body.top() + 3);
    path.lineTo(body.left() + w * 0.35, body.top());
    path.lineTo(body.left() + 1, body.top());
    path.quadTo(body.left(), body.top(), body.left(), body.top() + 2);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(outline, 1));
    painter.setBrush(tint);
    painter.drawPath(path);
    painter.restore();
}

void drawCellText(QPainter &painter, const QRect &cell, const QString &text, const QColor &color,
                  Qt::Alignment alignment)
{
    const QRect inner = cell.adjusted(overview::kCellPadding, 0, -overview::kCellPadding, 0);
    if (inner.width() <= 0 || text.isEmpty())
        return;
    const QString shown = painter.fontMetrics().elidedText(text, Qt::ElideRight, inner.width());
    painter.setPen(color);
    painter.drawText(inner, int(alignment | Qt::AlignVCenter) | Qt::TextSingleLine, shown);
}

} // namespace kestrix
