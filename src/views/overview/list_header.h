// The column titles above a list, with the resize handle of its name column.
#ifndef KESTRIX_VIEWS_OVERVIEW_LIST_HEADER_H
#define KESTRIX_VIEWS_OVERVIEW_LIST_HEADER_H

#include "column_layout.h"

#include <QWidget>

#include <functional>
#include <optional>

namespace kestrix {

class ColumnResizeHandle;

class ListHeader : public QWidget {
    Q_OBJECT
public:
    // `resizable` is the list's name column, if it has one.
    ListHeader(std::function<ColumnLayout()> columns, std::optional<ResizableColumn> resizable,
               QWidget *parent = nullptr);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void placeHandle();

    std::function<ColumnLayout()> columns_;
    std::optional<ResizableColumn> resizable_;
    ColumnResizeHandle *handle_ = nullptr;
};

} // namespace kestrix

#endif
