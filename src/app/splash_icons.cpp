#include "splash_icons.h"

#include <QPainter>
#include <QPainterPath>

namespace kestrix {

namespace {

// Every icon is drawn on a 24 by 24 grid.
constexpr double kGrid = 24;

void drawEye(QPainter &p)
{
    QPainterPath outline;
    outline.moveTo(2, 12);
    outline.quadTo(12, 1, 22, 12);
    outline.quadTo(12, 23, 2, 12);
    p.drawPath(outline);
    p.setBrush(p.pen().color());
    p.drawEllipse(QPointF(12, 12), 3.5, 3.5);
}

void drawWaveform(QPainter &p)
{
    constexpr double heights[] = {4, 10, 16, 8, 18, 12, 6};
    double x = 3;
    for (double height : heights) {
        p.drawLine(QPointF(x, 12 - height / 2), QPointF(x, 12 + height / 2));
        x += 3;
    }
}

void drawDownloadArrow(QPainter &p)
{
    p.drawLine(QPointF(12, 3), QPointF(12, 15));
    p.drawPolyline(QPolygonF{{7, 10.5}, {12, 15.5}, {17, 10.5}});
    p.drawPolyline(QPolygonF{{3.5, 15}, {3.5, 20.5}, {20.5, 20.5}, {20.5, 15}});
}

void drawLightBulb(QPainter &p)
{
    QPainterPath bulb;
    bulb.moveTo(9, 16);
    bulb.cubicTo(9, 13, 5, 12, 5, 8.5);
    bulb.arcTo(QRectF(5, 2, 14, 14), 180, -180);
    bulb.cubicTo(19, 12, 15, 13, 15, 16);
    bulb.closeSubpath();
    p.drawPath(bulb);
    p.drawLine(QPointF(9.5, 19), QPointF(14.5, 19));
    p.drawLine(QPointF(10.5, 22), QPointF(13.5, 22));
}

void drawDocument(QPainter &p)
{
    p.drawPolygon(QPolygonF{{5, 2.5}, {14.5, 2.5}, {19, 7}, {19, 21.5}, {5, 21.5}});
    p.drawPolyline(QPolygonF{{14.5, 2.5}, {14.5, 7}, {19, 7}});
}

void drawDocumentPlus(QPainter &p)
{
    drawDocument(p);
    p.drawLine(QPointF(12, 10.5), QPointF(12, 17.5));
    p.drawLine(QPointF(8.5, 14), QPointF(15.5, 14));
}

void drawMagnifyingGlass(QPainter &p)
{
    p.drawEllipse(QPointF(10, 10), 6.5, 6.5);
    p.drawLine(QPointF(14.8, 14.8), QPointF(21, 21));
}

} // namespace

QPixmap splashPixmap(SplashIcon icon, const QColor &tint, int size, qreal devicePixelRatio)
{
    QPixmap pixmap(QSize(size, size) * devicePixelRatio);
    pixmap.setDevicePixelRatio(devicePixelRatio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / kGrid, size / kGrid);
    painter.setPen(QPen(tint, 1.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    switch (icon) {
    case SplashIcon::eye:
        drawEye(painter);
        break;
    case SplashIcon::waveform:
        drawWaveform(painter);
        break;
    case SplashIcon::downloadArrow:
        drawDownloadArrow(painter);
        break;
    case SplashIcon::lightBulb:
        drawLightBulb(painter);
        break;
    case SplashIcon::document:
        drawDocument(painter);
        break;
    case SplashIcon::documentPlus:
        drawDocumentPlus(painter);
        break;
    case SplashIcon::magnifyingGlass:
        drawMagnifyingGlass(painter);
        break;
    }
    return pixmap;
}

QIcon splashIcon(SplashIcon icon, const QColor &tint)
{
    QIcon result;
    for (int size : {16, 24, 32, 48})
        result.addPixmap(splashPixmap(icon, tint, size, 1));
    return result;
}

} // namespace kestrix
