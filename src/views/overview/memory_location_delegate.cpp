#include "memory_location_delegate.h"

#include "column_layout.h"
#include "overview_painting.h"
#include "overview_roles.h"

#include <QPainter>

namespace kestrix {

namespace {

constexpr QSize kMarkSize{6, 14};
constexpr int kNumberWidth = 40;

} // namespace

void MemoryLocationDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                                   const QModelIndex &index) const
{
    const ColumnLayout columns = memoryLocationColumns();
    const QRect row = option.rect;
    const QColor secondary = rowSecondaryColor(option);
    painter->save();
    painter->setFont(option.font);

    const QRect leading = columns.cell(MemoryLocationColumn::leading, row);
    const QColor mark = index.data(OverviewRole::color).value<QColor>();
    if (mark.isValid()) {
        painter->setRenderHint(QPainter::Antialiasing);
        painter->setPen(Qt::NoPen);
        painter->setBrush(mark);
        painter->drawRoundedRect(QRectF(leading.left() + 2, leading.center().y() - kMarkSize.height() / 2.0 + 0.5,
                                        kMarkSize.width(), kMarkSize.height()),
                                 1.5, 1.5);
    }
    const QRect number(leading.left() + 2 + kMarkSize.width(), row.top(), kNumberWidth, row.height());
    drawCellText(*painter, number, index.data(OverviewRole::numberText).toString(), secondary, Qt::AlignRight);

    drawCellText(*painter, columns.cell(MemoryLocationColumn::name, row), index.data().toString(),
                 rowTextColor(option));
    drawCellText(*painter, columns.cell(MemoryLocationColumn::timeProperty, row),
                 index.data(OverviewRole::timePropertyText).toString(), secondary);
    drawCellText(*painter, columns.cell(MemoryLocationColumn::reference, row),
                 index.data(OverviewRole::referenceText).toString(), secondary);
    painter->restore();
}

} // namespace kestrix
