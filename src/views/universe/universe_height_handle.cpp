#include "universe_height_handle.h"

#include "universe_layout.h"

#include <QMouseEvent>
#include <QPainter>

namespace kestrix {

UniverseHeightHandle::UniverseHeightHandle(QWidget *parent)
    : QWidget(parent)
{
    setFixedHeight(kHitHeight);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setCursor(Qt::SizeVerCursor);
}

void UniverseHeightHandle::setExtra(double extra, size_t rows)
{
    extra_ = extra;
    rows_ = rows;
}

double UniverseHeightHandle::lineOpacity() const
{
    return drag_ ? kDragOpacity : hovered_ ? kHoverOpacity : kRestOpacity;
}

void UniverseHeightHandle::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    QColor line = palette().color(QPalette::WindowText);
    line.setAlphaF(float(lineOpacity()));
    painter.fillRect(QRect(0, (height() - kLineHeight) / 2, width(), kLineHeight), line);
}

void UniverseHeightHandle::enterEvent(QEnterEvent *)
{
    hovered_ = true;
    update();
}

void UniverseHeightHandle::leaveEvent(QEvent *)
{
    hovered_ = false;
    update();
}

void UniverseHeightHandle::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    // Global positions: the handle moves down as the overview grows.
    drag_ = Drag{extra_, event->globalPosition().y()};
    update();
}

void UniverseHeightHandle::mouseMoveEvent(QMouseEvent *event)
{
    if (!drag_)
        return;
    const double extra = clampExtraHeight(drag_->startExtra + event->globalPosition().y() - drag_->startY, rows_);
    if (extra == extra_)
        return;
    extra_ = extra;
    emit extraDragged(extra);
}

void UniverseHeightHandle::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && drag_) {
        drag_.reset();
        update();
    }
}

} // namespace kestrix
