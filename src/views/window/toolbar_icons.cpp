#include "toolbar_icons.h"

#include <QPainter>
#include <QPainterPath>

#include <functional>

namespace kestrix {

namespace {

constexpr int kSize = 16;

// Draws at twice the size so the icon stays sharp on high-density screens.
QIcon drawnIcon(const QColor &color, const std::function<void(QPainter &)> &draw)
{
    QIcon icon;
    for (const QColor &shade : {color, QColor(color.red(), color.green(), color.blue(), 90)}) {
        QPixmap pixmap(kSize * 2, kSize * 2);
        pixmap.setDevicePixelRatio(2);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(shade, 1.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.setBrush(Qt::NoBrush);
        draw(painter);
        icon.addPixmap(pixmap, shade == color ? QIcon::Normal : QIcon::Disabled);
    }
    return icon;
}

} // namespace

QIcon magnifyingGlassIcon(const QColor &color)
{
    return drawnIcon(color, [](QPainter &painter) {
        painter.drawEllipse(QRectF(2.5, 2.5, 8, 8));
        painter.drawLine(QPointF(9.5, 9.5), QPointF(13.5, 13.5));
    });
}

QIcon openExternallyIcon(const QColor &color)
{
    return drawnIcon(color, [](QPainter &painter) {
        QPainterPath box;
        box.moveTo(7, 3.5);
        box.lineTo(3.5, 3.5);
        box.lineTo(3.5, 12.5);
        box.lineTo(12.5, 12.5);
        box.lineTo(12.5, 9);
        painter.drawPath(box);
        painter.drawLine(QPointF(8, 8), QPointF(13, 3));
        painter.drawLine(QPointF(9.5, 3), QPointF(13, 3));
        painter.drawLine(QPointF(13, 3), QPointF(13, 6.5));
    });
}

QIcon speakerIcon(const QColor &color)
{
    return drawnIcon(color, [](QPainter &painter) {
        QPainterPath body;
        body.moveTo(2.5, 6);
        body.lineTo(5, 6);
        body.lineTo(8.5, 3);
        body.lineTo(8.5, 13);
        body.lineTo(5, 10);
        body.lineTo(2.5, 10);
        body.closeSubpath();
        painter.drawPath(body);
        painter.drawArc(QRectF(7, 5, 5, 6), -60 * 16, 120 * 16);
        painter.drawArc(QRectF(7, 3, 8, 10), -60 * 16, 120 * 16);
    });
}

} // namespace kestrix
