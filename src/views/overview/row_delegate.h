// Paints the rows of one list (the list view paints the background: stripes,
// hover and selection). Besides painting, a delegate answers what lies under
// a point: help texts and in-row column resize handles.
#ifndef KESTRIX_VIEWS_OVERVIEW_ROW_DELEGATE_H
#define KESTRIX_VIEWS_OVERVIEW_ROW_DELEGATE_H

#include "column_width_preferences.h"

#include <QStyledItemDelegate>

#include <optional>

namespace kestrix {

class RowDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    // The help text at `point` (view coordinates); the row's tool-tip role by default.
    virtual QString toolTipAt(const QStyleOptionViewItem &option, const QModelIndex &index, QPoint point) const;
    // The column whose resize handle lies at `point`, if any.
    virtual std::optional<NameColumn> resizeHandleAt(const QStyleOptionViewItem &option, const QModelIndex &index,
                                                     QPoint point) const;
};

// Whether the row is drawn in the accent colour: selected in a focused list.
bool rowIsHighlighted(const QStyleOptionViewItem &option);
// Main and secondary text on the row, light on a highlighted row.
QColor rowTextColor(const QStyleOptionViewItem &option);
QColor rowSecondaryColor(const QStyleOptionViewItem &option);

} // namespace kestrix

#endif
