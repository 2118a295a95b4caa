#include "import_marks.h"

#include <QPainter>
#include <QPainterPath>

#include <cmath>

namespace kestrix {

namespace {

constexpr int kSpokes = 12;

QColor markColor(ImportMark mark)
{
    switch (mark) {
    case ImportMark::success: return QColor(52, 168, 83);
    case ImportMark::warning: return QColor(242, 153, 0);
    case ImportMark::failure: return QColor(220, 50, 47);
    case ImportMark::notConnected: return QColor(142, 142, 147);
    case ImportMark::download: return QColor(10, 132, 255);
    }
    return Qt::gray;
}

void drawTriangle(QPainter &painter, qreal size, const QColor &fill)
{
    QPainterPath triangle;
    triangle.moveTo(size / 2.0, size * 0.06);
    triangle.lineTo(size * 0.96, size * 0.9);
    triangle.lineTo(size * 0.04, size * 0.9);
    triangle.closeSubpath();
    painter.setPen(QPen(fill, size * 0.06, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(fill);
    painter.drawPath(triangle);
    painter.setPen(QPen(Qt::white, size * 0.09, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(size / 2.0, size * 0.36), QPointF(size / 2.0, size * 0.6));
    painter.drawPoint(QPointF(size / 2.0, size * 0.75));
}

} // namespace

QPixmap importMarkPixmap(ImportMark mark, int size, qreal devicePixelRatio)
{
    QPixmap pixmap(QSize(size, size) * devicePixelRatio);
    pixmap.setDevicePixelRatio(devicePixelRatio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor fill = markColor(mark);
    const qreal s = size;
    if (mark == ImportMark::warning) {
        drawTriangle(painter, s, fill);
        return pixmap;
    }
    painter.setPen(Qt::NoPen);
    painter.setBrush(fill);
    painter.drawEllipse(QRectF(s * 0.04, s * 0.04, s * 0.92, s * 0.92));
    QPen pen(Qt::white, s * 0.09, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    switch (mark) {
    case ImportMark::success:
        painter.drawPolyline(QPolygonF({QPointF(s * 0.3, s * 0.52), QPointF(s * 0.45, s * 0.66),
                                        QPointF(s * 0.71, s * 0.36)}));
        break;
    case ImportMark::failure:
    case ImportMark::notConnected:
        painter.drawLine(QPointF(s * 0.34, s * 0.34), QPointF(s * 0.66, s * 0.66));
        painter.drawLine(QPointF(s * 0.66, s * 0.34), QPointF(s * 0.34, s * 0.66));
        break;
    case ImportMark::download:
        painter.drawLine(QPointF(s * 0.5, s * 0.26), QPointF(s * 0.5, s * 0.66));
        painter.drawPolyline(QPolygonF({QPointF(s * 0.34, s * 0.52), QPointF(s * 0.5, s * 0.68),
                                        QPointF(s * 0.66, s * 0.52)}));
        break;
    case ImportMark::warning: break;
    }
    return pixmap;
}

ImportSpinner::ImportSpinner(int size, QWidget *parent)
    : QWidget(parent)
    , size_(size)
{
    setFixedSize(size, size);
    timer_.setInterval(80);
    connect(&timer_, &QTimer::timeout, this, [this] {
        step_ = (step_ + 1) % kSpokes;
        update();
    });
}

QSize ImportSpinner::sizeHint() const
{
    return {size_, size_};
}

void ImportSpinner::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(width() / 2.0, height() / 2.0);
    const qreal radius = size_ / 2.0;
    QColor color = palette().color(QPalette::WindowText);
    for (int i = 0; i < kSpokes; ++i) {
        // The spoke at step_ is darkest; the ones behind it fade.
        const int age = (step_ - i + kSpokes) % kSpokes;
        color.setAlphaF(1.0 - 0.75 * age / double(kSpokes - 1));
        painter.setPen(QPen(color, std::max(1.5, size_ / 12.0), Qt::SolidLine, Qt::RoundCap));
        const double angle = 2 * M_PI * i / kSpokes;
        painter.drawLine(QPointF(std::sin(angle) * radius * 0.45, -std::cos(angle) * radius * 0.45),
                         QPointF(std::sin(angle) * radius * 0.9, -std::cos(angle) * radius * 0.9));
    }
}

void ImportSpinner::showEvent(QShowEvent *event)
{
    timer_.start();
    QWidget::showEvent(event);
}

void ImportSpinner::hideEvent(QHideEvent *event)
{
    timer_.stop();
    QWidget::hideEvent(event);
}

} // namespace kestrix
