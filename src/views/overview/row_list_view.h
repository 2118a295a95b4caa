// A list of equally tall rows drawn from a model by a delegate. It is as tall
// as all its rows and lives inside the overview's scrolling column, so it
// paints only the rows in the exposed rectangle and never makes a widget per
// row: a list of 100,000 clips costs what the visible rows cost. A change of
// selection repaints only the visible rows whose selection changed.
//
// Clicks: a left press reports rowClicked; the second press of a double
// click reports rowDoubleClicked instead. A context-menu click (right button)
// reports only contextMenuRequested.
#ifndef KESTRIX_VIEWS_OVERVIEW_ROW_LIST_VIEW_H
#define KESTRIX_VIEWS_OVERVIEW_ROW_LIST_VIEW_H

#include "column_resize_handle.h"

#include <QPointer>
#include <QWidget>

#include <optional>
#include <unordered_map>

class QAbstractItemModel;
class QStyleOptionViewItem;

namespace kestrix {

class RowDelegate;

class RowListView : public QWidget {
    Q_OBJECT
public:
    explicit RowListView(QWidget *parent = nullptr);

    void setModel(QAbstractItemModel *model);
    QAbstractItemModel *model() const { return model_; }
    void setDelegate(RowDelegate *delegate);

    int rowCount() const;
    // The row under `y`, or -1.
    int rowAt(int y) const;
    QRect rowRect(int row) const;

    // Whether the list's window content has keyboard focus: selected rows
    // are drawn in the accent colour then, muted otherwise.
    void setFocusedLook(bool focused);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    void rowClicked(int row, Qt::KeyboardModifiers modifiers, QPoint position);
    void rowDoubleClicked(int row, Qt::KeyboardModifiers modifiers, QPoint position);
    void contextMenuRequested(int row, QPoint globalPosition);
    void hoveredRowChanged(int row);

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    QStyleOptionViewItem optionFor(int row) const;
    void paintBackground(QPainter &painter, int row, const QRect &rect) const;
    void rowsChanged();
    void rowDataChanged(int first, int last, const QList<int> &roles);
    void repaintRowsWhoseSelectionChanged(int first, int last);
    void setHoveredRow(int row);
    std::optional<NameColumn> resizeHandleAt(QPoint point) const;

    QPointer<QAbstractItemModel> model_;
    RowDelegate *delegate_ = nullptr;
    int hoveredRow_ = -1;
    bool focusedLook_ = false;
    // Whether each row was drawn selected when it was last painted, for the
    // rows painted since the rows last changed: a selection change repaints
    // only the visible rows that now look different.
    std::unordered_map<int, bool> paintedSelected_;
    std::optional<ColumnDrag> columnDrag_;
};

} // namespace kestrix

#endif
