// Paints the track list: track rows with chevron, icon, indented name, type,
// format, inserts and comment; and under an expanded track its inserts and
// its clip lane with the lane's own column header.
#ifndef KESTRIX_VIEWS_OVERVIEW_TRACK_ROW_DELEGATE_H
#define KESTRIX_VIEWS_OVERVIEW_TRACK_ROW_DELEGATE_H

#include "row_delegate.h"

namespace kestrix {

class TrackRowDelegate : public RowDelegate {
    Q_OBJECT
public:
    using RowDelegate::RowDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    QString toolTipAt(const QStyleOptionViewItem &option, const QModelIndex &index, QPoint point) const override;
    std::optional<NameColumn> resizeHandleAt(const QStyleOptionViewItem &option, const QModelIndex &index,
                                             QPoint point) const override;

    // Whether `point` hits the disclosure chevron of a track row at `rowRect`.
    static bool chevronContains(const QRect &rowRect, QPoint point);
    // The part of a row an expanded track's inserts and clips use: one level
    // in from the track's name.
    static QRect laneArea(const QRect &rowRect, qlonglong depth);

private:
    void paintTrack(QPainter &painter, const QStyleOptionViewItem &option, const QModelIndex &index) const;
    void paintLaneHeader(QPainter &painter, const QStyleOptionViewItem &option, const QRect &lane) const;
};

} // namespace kestrix

#endif
