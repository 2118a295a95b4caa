// Paints a memory-location row: colour mark, number, name, time property
// and reference.
#ifndef KESTRIX_VIEWS_OVERVIEW_MEMORY_LOCATION_DELEGATE_H
#define KESTRIX_VIEWS_OVERVIEW_MEMORY_LOCATION_DELEGATE_H

#include "row_delegate.h"

namespace kestrix {

class MemoryLocationDelegate : public RowDelegate {
    Q_OBJECT
public:
    using RowDelegate::RowDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
};

} // namespace kestrix

#endif
