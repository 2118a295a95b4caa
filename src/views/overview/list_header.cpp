#include "list_header.h"

#include "column_resize_handle.h"
#include "overview_painting.h"
#include "overview_style.h"

#include <QPainter>

namespace kestrix {

ListHeader::ListHeader(std::function<ColumnLayout()> columns, std::optional<ResizableColumn> resizable, QWidget *parent)
    : QWidget(parent)
    , columns_(std::move(columns))
    , resizable_(resizable)
{
    setFixedHeight(overview::kListHeaderHeight);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    if (resizable_) {
        handle_ = new ColumnResizeHandle(resizable_->preference, this);
        handle_->setFixedHeight(overview::kListHeaderHeight);
        connect(&ColumnWidthPreferences::shared(), &ColumnWidthPreferences::widthChanged, this, [this] {
            placeHandle();
            update();
        });
    }
}

QSize ListHeader::sizeHint() const
{
    return QSize(0, overview::kListHeaderHeight);
}

void ListHeader::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setFont(overview::columnHeaderFont(font()));
    const ColumnLayout columns = columns_();
    const QColor secondary = overview::secondaryTextColor(palette());
    for (int c = 0; c < columns.count(); ++c)
        drawCellText(painter, columns.cell(c, rect()), columns.titles()[c], secondary);
    painter.fillRect(QRect(0, height() - 1, width(), 1), overview::separatorColor(palette()));
}

void ListHeader::resizeEvent(QResizeEvent *)
{
    placeHandle();
}

void ListHeader::placeHandle()
{
    if (!handle_)
        return;
    const int edge = columns_().rightEdge(resizable_->index, 0);
    handle_->move(edge - ColumnResizeHandle::kHitWidth / 2, 0);
}

} // namespace kestrix
