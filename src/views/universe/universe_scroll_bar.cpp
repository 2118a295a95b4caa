#include "universe_scroll_bar.h"

#include "universe_layout.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace kestrix {

ThumbGeometry thumbGeometry(double barLength, double zoom, double offset, double total)
{
    if (barLength <= 0 || total <= 0 || zoom <= 0)
        return {0, barLength};
    const double length = std::min(barLength, std::max(barLength / zoom, UniverseScrollBar::kMinThumbLength));
    const double position = std::clamp(offset / total * barLength, 0.0, barLength - length);
    return {position, length};
}

double draggedOffset(double startOffset, double distance, double barLength, double zoom, double total)
{
    if (barLength <= 0 || total <= 0)
        return startOffset;
    const double maxOffset = std::max(total - total / zoom, 0.0);
    return std::clamp(startOffset + distance / barLength * total, 0.0, maxOffset);
}

UniverseScrollBar::UniverseScrollBar(Qt::Orientation orientation, QWidget *parent)
    : QWidget(parent)
    , orientation_(orientation)
{
    setMouseTracking(true);
    if (orientation == Qt::Horizontal) {
        setFixedHeight(kThickness);
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    } else {
        setFixedWidth(kThickness);
        // As long as the rows beside it, never asking for more: an expanding
        // bar would take a tall window's spare height and push the rows
        // away from the ruler.
        setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
    }
}

void UniverseScrollBar::setTotal(double total)
{
    total_ = total;
    update();
}

void UniverseScrollBar::setViewport(const UniverseViewport &viewport)
{
    viewport_ = viewport;
    update();
}

bool UniverseScrollBar::isNeeded() const
{
    return total_ > 0 && zoom() > universe::kZoomedThreshold;
}

double UniverseScrollBar::zoom() const
{
    return orientation_ == Qt::Horizontal ? viewport_.horizontalZoom : viewport_.verticalZoom;
}

double UniverseScrollBar::offset() const
{
    return orientation_ == Qt::Horizontal ? viewport_.horizontalSampleOffset : viewport_.verticalRowOffset;
}

double UniverseScrollBar::barLength() const
{
    return orientation_ == Qt::Horizontal ? width() : height();
}

double UniverseScrollBar::along(QPointF point) const
{
    return orientation_ == Qt::Horizontal ? point.x() : point.y();
}

ThumbGeometry UniverseScrollBar::thumb() const
{
    return thumbGeometry(barLength(), zoom(), offset(), total_);
}

void UniverseScrollBar::setHovered(bool hovered)
{
    if (hovered_ == hovered)
        return;
    hovered_ = hovered;
    update();
}

void UniverseScrollBar::paintEvent(QPaintEvent *)
{
    if (!isNeeded())
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QColor ink = palette().color(QPalette::WindowText);
    ink.setAlphaF(float(appearance_.trackOpacity));
    painter.fillRect(rect(), ink);

    const ThumbGeometry t = thumb();
    const QRectF thumbRect = orientation_ == Qt::Horizontal ? QRectF(t.position, 1.5, t.length, height() - 3)
                                                            : QRectF(1.5, t.position, width() - 3, t.length);
    ink.setAlphaF(float(hovered_ || drag_ ? appearance_.hoveredThumbOpacity : appearance_.thumbOpacity));
    QPainterPath path;
    const double radius = (kThickness - 3) / 2.0;
    path.addRoundedRect(thumbRect, radius, radius);
    painter.fillPath(path, ink);
}

void UniverseScrollBar::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton || !isNeeded())
        return;
    const ThumbGeometry t = thumb();
    const double at = along(event->position());
    if (at < t.position || at > t.position + t.length)
        return;
    drag_ = Drag{offset(), at};
    update();
}

void UniverseScrollBar::mouseMoveEvent(QMouseEvent *event)
{
    const double at = along(event->position());
    if (!drag_) {
        const ThumbGeometry t = thumb();
        setHovered(isNeeded() && at >= t.position && at <= t.position + t.length);
        return;
    }
    UniverseViewport next = viewport_;
    const double moved = draggedOffset(drag_->startOffset, at - drag_->startAlong, barLength(), zoom(), total_);
    (orientation_ == Qt::Horizontal ? next.horizontalSampleOffset : next.verticalRowOffset) = moved;
    if (next == viewport_)
        return;
    viewport_ = next;
    update();
    emit viewportDragged(viewport_);
}

void UniverseScrollBar::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && drag_) {
        drag_.reset();
        update();
    }
}

void UniverseScrollBar::leaveEvent(QEvent *)
{
    setHovered(false);
}

} // namespace kestrix
