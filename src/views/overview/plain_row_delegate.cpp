#include "plain_row_delegate.h"

#include "overview_painting.h"

#include <QPainter>

namespace kestrix {

void PlainRowDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    painter->save();
    painter->setFont(option.font);
    drawCellText(*painter, option.rect, index.data().toString(), rowTextColor(option));
    painter->restore();
}

} // namespace kestrix
