#include "row_delegate.h"

#include "overview_style.h"

namespace kestrix {

QString RowDelegate::toolTipAt(const QStyleOptionViewItem &, const QModelIndex &index, QPoint) const
{
    return index.data(Qt::ToolTipRole).toString();
}

std::optional<NameColumn> RowDelegate::resizeHandleAt(const QStyleOptionViewItem &, const QModelIndex &, QPoint) const
{
    return std::nullopt;
}

bool rowIsHighlighted(const QStyleOptionViewItem &option)
{
    return option.state.testFlag(QStyle::State_Selected) && option.state.testFlag(QStyle::State_HasFocus);
}

QColor rowTextColor(const QStyleOptionViewItem &option)
{
    return rowIsHighlighted(option) ? option.palette.color(QPalette::HighlightedText)
                                    : option.palette.color(QPalette::WindowText);
}

QColor rowSecondaryColor(const QStyleOptionViewItem &option)
{
    if (!rowIsHighlighted(option))
        return overview::secondaryTextColor(option.palette);
    QColor color = option.palette.color(QPalette::HighlightedText);
    color.setAlphaF(0.75f);
    return color;
}

} // namespace kestrix
