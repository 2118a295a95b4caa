#include "track_row_delegate.h"

#include "column_layout.h"
#include "column_resize_handle.h"
#include "file_row_delegate.h"
#include "overview_painting.h"
#include "overview_roles.h"
#include "overview_style.h"
#include "track_rows.h"

#include <QPainter>

#include <cstdlib>

namespace kestrix {

namespace {

constexpr int kChevronWidth = 13;
constexpr FileRowColumns kLaneColumns{ClipColumn::name, ClipColumn::format, ClipColumn::path};

TrackListRow::Kind kindOf(const QModelIndex &index)
{
    return TrackListRow::Kind(index.data(OverviewRole::rowKind).toInt());
}

} // namespace

bool TrackRowDelegate::chevronContains(const QRect &rowRect, QPoint point)
{
    return rowRect.contains(point) && point.x() < rowRect.left() + kChevronWidth + 2;
}

QRect TrackRowDelegate::laneArea(const QRect &rowRect, qlonglong depth)
{
    const int left
        = trackColumns().cell(TrackColumn::name, rowRect).left() + int(depth + 1) * overview::kIndentPerDepth;
    return rowRect.adjusted(left - rowRect.left(), 0, 0, 0);
}

void TrackRowDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    const QRect text = laneArea(option.rect, index.data(OverviewRole::depth).toLongLong());
    painter->save();
    painter->setFont(option.font);
    switch (kindOf(index)) {
        case TrackListRow::Kind::track: paintTrack(*painter, option, index); break;
        case TrackListRow::Kind::insertsHeading:
            painter->setFont(overview::columnHeaderFont(option.font));
            drawCellText(*painter, text, index.data().toString(), rowSecondaryColor(option));
            break;
        case TrackListRow::Kind::insert: {
            const bool inactive = index.data(OverviewRole::isInactive).toBool();
            const QString name = index.data().toString();
            drawCellText(*painter, text.adjusted(overview::kIndentPerDepth, 0, 0, 0),
                         inactive ? name + QStringLiteral(" (inactive)") : name,
                         inactive ? rowSecondaryColor(option) : rowTextColor(option));
            break;
        }
        case TrackListRow::Kind::noInserts:
            drawCellText(*painter, text, index.data().toString(), rowSecondaryColor(option));
            break;
        case TrackListRow::Kind::clipHeader: paintLaneHeader(*painter, option, text); break;
        case TrackListRow::Kind::clip:
            paintFileRow(*painter, option, index, laneClipColumns(), kLaneColumns, text);
            break;
    }
    painter->restore();
}

void TrackRowDelegate::paintTrack(QPainter &painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    const ColumnLayout columns = trackColumns();
    const QRect row = option.rect;
    const QColor text = rowTextColor(option);
    const QColor secondary = rowSecondaryColor(option);
    const QColor color = index.data(OverviewRole::color).value<QColor>();

    drawChevron(painter, QRectF(row.left() + 1, row.top(), kChevronWidth, row.height()),
                index.data(OverviewRole::isExpanded).toBool(), secondary);
    const QRectF icon(row.left() + kChevronWidth + 1, row.top(), 12, row.height());
    if (index.data(OverviewRole::isFolder).toBool()) {
        drawFolderIcon(painter, icon, color, secondary);
    } else {
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        painter.setBrush(color);
        painter.drawRoundedRect(QRectF(icon.center().x() - 2.5, icon.center().y() - 6, 5, 12), 1.5, 1.5);
    }

    const int indent = int(index.data(OverviewRole::depth).toLongLong()) * overview::kIndentPerDepth;
    drawCellText(painter, columns.cell(TrackColumn::name, row).adjusted(indent, 0, 0, 0), index.data().toString(),
                 text);
    drawCellText(painter, columns.cell(TrackColumn::type, row), index.data(OverviewRole::typeText).toString(),
                 secondary);
    drawCellText(painter, columns.cell(TrackColumn::format, row), index.data(OverviewRole::formatText).toString(),
                 secondary);
    drawCellText(painter, columns.cell(TrackColumn::inserts, row), index.data(OverviewRole::insertsText).toString(),
                 secondary);
    drawCellText(painter, columns.cell(TrackColumn::comments, row), index.data(OverviewRole::commentText).toString(),
                 secondary);
}

void TrackRowDelegate::paintLaneHeader(QPainter &painter, const QStyleOptionViewItem &option, const QRect &lane) const
{
    const ColumnLayout columns = laneClipColumns();
    painter.setFont(overview::columnHeaderFont(option.font));
    const QColor secondary = overview::secondaryTextColor(option.palette);
    for (int c = 0; c < columns.count(); ++c)
        drawCellText(painter, columns.cell(c, lane), columns.titles()[c], secondary);
    const int edge = columns.rightEdge(ClipColumn::name, lane.left());
    painter.fillRect(QRect(edge - ColumnResizeHandle::kLineWidth / 2, lane.top() + 4, ColumnResizeHandle::kLineWidth,
                           lane.height() - 8),
                     overview::separatorColor(option.palette));
    painter.fillRect(QRect(lane.left(), lane.bottom(), lane.width(), 1), overview::separatorColor(option.palette));
}

QString TrackRowDelegate::toolTipAt(const QStyleOptionViewItem &option, const QModelIndex &index, QPoint point) const
{
    switch (kindOf(index)) {
        case TrackListRow::Kind::clip: {
            return fileRowToolTip(option, index, laneClipColumns(), kLaneColumns,
                                  laneArea(option.rect, index.data(OverviewRole::depth).toLongLong()), point);
        }
        case TrackListRow::Kind::track:
            // The track's details come in its hover popover; the comment cell spells out the whole comment.
            return trackColumns().cell(TrackColumn::comments, option.rect).contains(point)
                ? index.data(Qt::ToolTipRole).toString()
                : QString();
        default: return {};
    }
}

std::optional<NameColumn> TrackRowDelegate::resizeHandleAt(const QStyleOptionViewItem &option, const QModelIndex &index,
                                                           QPoint point) const
{
    if (kindOf(index) != TrackListRow::Kind::clipHeader)
        return std::nullopt;
    const QRect lane = laneArea(option.rect, index.data(OverviewRole::depth).toLongLong());
    const int edge = laneClipColumns().rightEdge(ClipColumn::name, lane.left());
    if (std::abs(point.x() - edge) <= ColumnResizeHandle::kHitWidth / 2)
        return NameColumn::clips;
    return std::nullopt;
}

} // namespace kestrix
