#include "row_list_view.h"

#include "overview_roles.h"
#include "overview_style.h"
#include "plain_tool_tip.h"
#include "row_delegate.h"

#include <QAbstractItemModel>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QStyleOptionViewItem>
#include <QToolTip>

#include <algorithm>

namespace kestrix {

using overview::kRowHeight;

namespace {

constexpr size_t kMaxRememberedRows = 4096;

} // namespace

RowListView::RowListView(QWidget *parent)
    : QWidget(parent)
{
    setMouseTracking(true);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    // The list never takes keyboard focus itself: keys go to the window content.
    setFocusPolicy(Qt::NoFocus);
    setFixedHeight(0);
}

void RowListView::setModel(QAbstractItemModel *model)
{
    if (model_)
        model_->disconnect(this);
    model_ = model;
    if (model_) {
        connect(model_, &QAbstractItemModel::modelReset, this, &RowListView::rowsChanged);
        connect(model_, &QAbstractItemModel::rowsInserted, this, &RowListView::rowsChanged);
        connect(model_, &QAbstractItemModel::rowsRemoved, this, &RowListView::rowsChanged);
        connect(model_, &QAbstractItemModel::layoutChanged, this, &RowListView::rowsChanged);
        connect(model_, &QAbstractItemModel::dataChanged, this,
                [this](const QModelIndex &first, const QModelIndex &last, const QList<int> &roles) {
                    rowDataChanged(first.row(), last.row(), roles);
                });
    }
    rowsChanged();
}

void RowListView::setDelegate(RowDelegate *delegate)
{
    delegate_ = delegate;
    update();
}

int RowListView::rowCount() const
{
    return model_ ? model_->rowCount() : 0;
}

int RowListView::rowAt(int y) const
{
    if (y < 0)
        return -1;
    const int row = y / kRowHeight;
    return row < rowCount() ? row : -1;
}

QRect RowListView::rowRect(int row) const
{
    return QRect(0, row * kRowHeight, width(), kRowHeight);
}

void RowListView::setFocusedLook(bool focused)
{
    if (focused == focusedLook_)
        return;
    focusedLook_ = focused;
    update();
}

QSize RowListView::sizeHint() const
{
    return QSize(0, rowCount() * kRowHeight);
}

QSize RowListView::minimumSizeHint() const
{
    return sizeHint();
}

void RowListView::rowDataChanged(int first, int last, const QList<int> &roles)
{
    if (roles.size() == 1 && roles.front() == OverviewRole::isSelected)
        repaintRowsWhoseSelectionChanged(first, last);
    else
        update(rowRect(first).united(rowRect(last)));
}

void RowListView::repaintRowsWhoseSelectionChanged(int first, int last)
{
    const QRect visible = visibleRegion().boundingRect();
    if (visible.isEmpty())
        return;  // painted afresh when shown
    first = std::max(first, visible.top() / kRowHeight);
    last = std::min({last, visible.bottom() / kRowHeight, rowCount() - 1});
    for (int row = first; row <= last; ++row) {
        const auto painted = paintedSelected_.find(row);
        if (painted == paintedSelected_.end()
            || painted->second != model_->index(row, 0).data(OverviewRole::isSelected).toBool())
            update(rowRect(row));
    }
}

void RowListView::rowsChanged()
{
    paintedSelected_.clear();
    // A fixed height, so the scrolling column lays the list out at its full length.
    setFixedHeight(rowCount() * kRowHeight);
    if (hoveredRow_ >= rowCount())
        setHoveredRow(-1);
    update();
}

QStyleOptionViewItem RowListView::optionFor(int row) const
{
    QStyleOptionViewItem option;
    option.initFrom(this);
    option.rect = rowRect(row);
    option.font = font();
    option.fontMetrics = fontMetrics();
    option.state = QStyle::State_Enabled;
    if (model_->index(row, 0).data(OverviewRole::isSelected).toBool())
        option.state |= QStyle::State_Selected;
    if (focusedLook_)
        option.state |= QStyle::State_HasFocus;
    if (row == hoveredRow_)
        option.state |= QStyle::State_MouseOver;
    return option;
}

void RowListView::paintBackground(QPainter &painter, int row, const QRect &rect) const
{
    const QModelIndex index = model_->index(row, 0);
    if (index.data(OverviewRole::isSelected).toBool()) {
        painter.fillRect(rect, overview::selectionColor(palette(), focusedLook_));
        return;
    }
    if (row % 2 == 1)
        painter.fillRect(rect, overview::alternateRowColor(palette()));
    if (row == hoveredRow_ && index.data(OverviewRole::isSelectable).toBool())
        painter.fillRect(rect, overview::hoverColor(palette()));
}

void RowListView::paintEvent(QPaintEvent *event)
{
    if (!model_ || !delegate_)
        return;
    QPainter painter(this);
    const QRect exposed = event->rect();
    const int first = std::max(0, exposed.top() / kRowHeight);
    const int last = std::min(rowCount() - 1, exposed.bottom() / kRowHeight);
    // Bounded: past a few screens the states are forgotten and the rows
    // count as changed.
    if (paintedSelected_.size() > kMaxRememberedRows)
        paintedSelected_.clear();
    for (int row = first; row <= last; ++row) {
        const QStyleOptionViewItem option = optionFor(row);
        paintedSelected_[row] = option.state.testFlag(QStyle::State_Selected);
        paintBackground(painter, row, option.rect);
        delegate_->paint(&painter, option, model_->index(row, 0));
    }
}

std::optional<NameColumn> RowListView::resizeHandleAt(QPoint point) const
{
    const int row = rowAt(point.y());
    if (row < 0 || !delegate_)
        return std::nullopt;
    return delegate_->resizeHandleAt(optionFor(row), model_->index(row, 0), point);
}

void RowListView::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    if (const std::optional<NameColumn> column = resizeHandleAt(event->position().toPoint())) {
        columnDrag_.emplace(*column, int(event->globalPosition().x()));
        return;
    }
    const int row = rowAt(int(event->position().y()));
    if (row >= 0)
        emit rowClicked(row, event->modifiers(), event->position().toPoint());
}

void RowListView::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const int row = rowAt(int(event->position().y()));
    if (row >= 0)
        emit rowDoubleClicked(row, event->modifiers(), event->position().toPoint());
}

void RowListView::mouseMoveEvent(QMouseEvent *event)
{
    if (columnDrag_) {
        columnDrag_->moveTo(int(event->globalPosition().x()));
        return;
    }
    const QPoint point = event->position().toPoint();
    setCursor(resizeHandleAt(point) ? Qt::SizeHorCursor : Qt::ArrowCursor);
    setHoveredRow(rowAt(point.y()));
}

void RowListView::mouseReleaseEvent(QMouseEvent *event)
{
    if (columnDrag_ && event->button() == Qt::LeftButton) {
        columnDrag_->moveTo(int(event->globalPosition().x()));
        columnDrag_.reset();
    }
}

void RowListView::leaveEvent(QEvent *)
{
    setHoveredRow(-1);
}

void RowListView::setHoveredRow(int row)
{
    if (row == hoveredRow_)
        return;
    const int previous = std::exchange(hoveredRow_, row);
    if (previous >= 0)
        update(rowRect(previous));
    if (row >= 0)
        update(rowRect(row));
    emit hoveredRowChanged(row);
}

void RowListView::contextMenuEvent(QContextMenuEvent *event)
{
    const int row = rowAt(event->pos().y());
    if (row >= 0)
        emit contextMenuRequested(row, event->globalPos());
}

bool RowListView::event(QEvent *event)
{
    if (event->type() == QEvent::ToolTip) {
        auto *help = static_cast<QHelpEvent *>(event);
        const int row = rowAt(help->pos().y());
        const QString text = row >= 0 && delegate_
            ? delegate_->toolTipAt(optionFor(row), model_->index(row, 0), help->pos())
            : QString();
        if (text.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos(), plainToolTip(text), this, rowRect(row));
        return true;
    }
    return QWidget::event(event);
}

} // namespace kestrix
