// The thin handle right of a resizable column's title: dragging it sets the
// column's width preference, clamped to the column's range.
#ifndef KESTRIX_VIEWS_OVERVIEW_COLUMN_RESIZE_HANDLE_H
#define KESTRIX_VIEWS_OVERVIEW_COLUMN_RESIZE_HANDLE_H

#include "column_width_preferences.h"

#include <QWidget>

#include <optional>

namespace kestrix {

// A drag in progress: the width at its start plus the distance moved.
class ColumnDrag {
public:
    ColumnDrag(NameColumn column, int startX);
    void moveTo(int x) const;
    NameColumn column() const { return column_; }

private:
    NameColumn column_;
    double startWidth_;
    int startX_;
};

class ColumnResizeHandle : public QWidget {
    Q_OBJECT
public:
    static constexpr int kHitWidth = 6;
    static constexpr int kLineWidth = 2;

    explicit ColumnResizeHandle(NameColumn column, QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    NameColumn column_;
    bool hovered_ = false;
    std::optional<ColumnDrag> drag_;
};

} // namespace kestrix

#endif
