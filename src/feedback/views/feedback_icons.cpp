#include "feedback_icons.h"

#include <QPainter>
#include <QPainterPath>

namespace kestrix::feedback {

namespace {

// A filled circle of `size` logical pixels with a white mark drawn by `mark`
// in a 0..1 square.
template <typename Mark>
QPixmap filledCircle(int size, const QColor &fill, qreal devicePixelRatio, Mark mark)
{
    QPixmap pixmap(QSize(size, size) * devicePixelRatio);
    pixmap.setDevicePixelRatio(devicePixelRatio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(fill);
    painter.drawEllipse(QRectF(0, 0, size, size));
    QPen pen(Qt::white, std::max(1.5, size * 0.09), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.scale(size, size);
    pen.setWidthF(pen.widthF() / size);
    painter.setPen(pen);
    mark(painter);
    return pixmap;
}

} // namespace

QPixmap checkmarkCircle(int size, const QColor &fill, qreal devicePixelRatio)
{
    return filledCircle(size, fill, devicePixelRatio, [](QPainter &painter) {
        QPainterPath check;
        check.moveTo(0.28, 0.52);
        check.lineTo(0.44, 0.68);
        check.lineTo(0.73, 0.35);
        painter.drawPath(check);
    });
}

QIcon xmarkCircleIcon(const QColor &fill)
{
    QIcon icon;
    for (qreal ratio : {1.0, 2.0}) {
        icon.addPixmap(filledCircle(16, fill, ratio, [](QPainter &painter) {
            painter.drawLine(QPointF(0.34, 0.34), QPointF(0.66, 0.66));
            painter.drawLine(QPointF(0.66, 0.34), QPointF(0.34, 0.66));
        }));
    }
    return icon;
}

} // namespace kestrix::feedback
