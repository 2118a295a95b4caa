// Paints a row of one text: the plug-in lists.
#ifndef KESTRIX_VIEWS_OVERVIEW_PLAIN_ROW_DELEGATE_H
#define KESTRIX_VIEWS_OVERVIEW_PLAIN_ROW_DELEGATE_H

#include "row_delegate.h"

namespace kestrix {

class PlainRowDelegate : public RowDelegate {
    Q_OBJECT
public:
    using RowDelegate::RowDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
};

} // namespace kestrix

#endif
