// Paints a file or clip row: the name (with the channel suffixes of a
// multi-mono row), the format badge and the path. Used by the audio-file
// list, the clip list and the clip lanes of expanded tracks.
#ifndef KESTRIX_VIEWS_OVERVIEW_FILE_ROW_DELEGATE_H
#define KESTRIX_VIEWS_OVERVIEW_FILE_ROW_DELEGATE_H

#include "column_layout.h"
#include "row_delegate.h"

#include <functional>

namespace kestrix {

// Where a list puts the three cells of a file row.
struct FileRowColumns {
    int name;
    int format;
    int path;
};

// Paints the cells of the row at `index` into `area` (a row, or the part of
// a row a clip lane uses).
void paintFileRow(QPainter &painter, const QStyleOptionViewItem &option, const QModelIndex &index,
                  const ColumnLayout &layout, FileRowColumns columns, const QRect &area);
// The help text under `point`: the badge's, else the row's tool tip.
QString fileRowToolTip(const QStyleOptionViewItem &option, const QModelIndex &index, const ColumnLayout &layout,
                       FileRowColumns columns, const QRect &area, QPoint point);

class FileRowDelegate : public RowDelegate {
    Q_OBJECT
public:
    FileRowDelegate(std::function<ColumnLayout()> layout, FileRowColumns columns, QObject *parent = nullptr);

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    QString toolTipAt(const QStyleOptionViewItem &option, const QModelIndex &index, QPoint point) const override;

private:
    std::function<ColumnLayout()> layout_;
    FileRowColumns columns_;
};

} // namespace kestrix

#endif
