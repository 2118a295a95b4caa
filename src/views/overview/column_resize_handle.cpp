#include "column_resize_handle.h"

#include "overview_style.h"

#include <QMouseEvent>
#include <QPainter>

namespace kestrix {

ColumnDrag::ColumnDrag(NameColumn column, int startX)
    : column_(column)
    , startWidth_(ColumnWidthPreferences::shared().width(column))
    , startX_(startX)
{
}

void ColumnDrag::moveTo(int x) const
{
    ColumnWidthPreferences::shared().setWidth(column_, startWidth_ + (x - startX_));
}

ColumnResizeHandle::ColumnResizeHandle(NameColumn column, QWidget *parent)
    : QWidget(parent)
    , column_(column)
{
    setFixedWidth(kHitWidth);
    setCursor(Qt::SizeHorCursor);
    setAttribute(Qt::WA_Hover);
}

void ColumnResizeHandle::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    QColor line = overview::separatorColor(palette());
    if (hovered_ || drag_)
        line = palette().color(QPalette::Highlight);
    painter.fillRect(QRect((width() - kLineWidth) / 2, 3, kLineWidth, height() - 6), line);
}

void ColumnResizeHandle::enterEvent(QEnterEvent *)
{
    hovered_ = true;
    update();
}

void ColumnResizeHandle::leaveEvent(QEvent *)
{
    hovered_ = false;
    update();
}

void ColumnResizeHandle::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    // Global positions: the handle itself moves while the column grows.
    drag_.emplace(column_, int(event->globalPosition().x()));
    update();
}

void ColumnResizeHandle::mouseMoveEvent(QMouseEvent *event)
{
    if (drag_)
        drag_->moveTo(int(event->globalPosition().x()));
}

void ColumnResizeHandle::mouseReleaseEvent(QMouseEvent *event)
{
    if (drag_ && event->button() == Qt::LeftButton) {
        drag_->moveTo(int(event->globalPosition().x()));
        drag_.reset();
        update();
    }
}

} // namespace kestrix
