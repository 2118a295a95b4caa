#include "file_row_delegate.h"

#include "file_type_badge.h"
#include "overview_painting.h"
#include "overview_roles.h"
#include "overview_style.h"
#include "waveform_cell.h"
#include "waveform_loader.h"

#include <QPainter>

namespace kestrix {

namespace {

constexpr int kChipPadding = 3;
constexpr int kChipGap = 3;
constexpr int kChipHeight = 13;

QColor offlineColor(const QStyleOptionViewItem &option)
{
    const bool dark = option.palette.color(QPalette::Window).lightnessF() < 0.5;
    return dark ? QColor(255, 120, 105) : QColor(200, 50, 35);
}

int chipsWidth(const QFontMetrics &metrics, const QStringList &suffixes)
{
    int width = 0;
    for (const QString &suffix : suffixes)
        width += metrics.horizontalAdvance(suffix) + 2 * kChipPadding + kChipGap;
    return width;
}

// The channel suffixes of a multi-mono row, as small outlined chips.
void drawChips(QPainter &painter, int x, const QRect &cell, const QStringList &suffixes, const QColor &color)
{
    painter.save();
    painter.setFont(overview::badgeFont(painter.font()));
    painter.setRenderHint(QPainter::Antialiasing);
    const QFontMetrics metrics = painter.fontMetrics();
    for (const QString &suffix : suffixes) {
        const QRect chip(x, cell.center().y() - kChipHeight / 2, metrics.horizontalAdvance(suffix) + 2 * kChipPadding,
                         kChipHeight);
        if (chip.right() > cell.right())
            break;
        QColor fill = color;
        fill.setAlphaF(0.14f);
        painter.setPen(Qt::NoPen);
        painter.setBrush(fill);
        painter.drawRoundedRect(chip, 3, 3);
        painter.setPen(color);
        painter.drawText(chip, Qt::AlignCenter, suffix);
        x = chip.right() + 1 + kChipGap;
    }
    painter.restore();
}

FileTypeBadge badgeOf(const QStyleOptionViewItem &option, const QModelIndex &index)
{
    return FileTypeBadge{index.data(OverviewRole::formatText).toString(),
                         index.data(OverviewRole::typeUnavailable).toBool(),
                         option.state.testFlag(QStyle::State_Selected)};
}

} // namespace

void paintFileRow(QPainter &painter, const QStyleOptionViewItem &option, const QModelIndex &index,
                  const ColumnLayout &layout, FileRowColumns columns, const QRect &area)
{
    painter.save();
    painter.setFont(option.font);
    const QColor text = rowTextColor(option);
    const QColor secondary = rowSecondaryColor(option);

    const QRect nameCell = layout.cell(columns.name, area);
    const QStringList suffixes = index.data(OverviewRole::channelSuffixes).toStringList();
    const int chips = suffixes.isEmpty() ? 0 : chipsWidth(QFontMetrics(overview::badgeFont(option.font)), suffixes);
    const QString name = index.data(Qt::DisplayRole).toString();
    const int nameSpace = std::max(0, nameCell.width() - 2 * overview::kCellPadding - chips);
    const QString shownName = painter.fontMetrics().elidedText(name, Qt::ElideRight, nameSpace);
    drawCellText(painter, nameCell.adjusted(0, 0, -chips, 0), shownName, text);
    if (!suffixes.isEmpty()) {
        const int x = nameCell.left() + overview::kCellPadding + painter.fontMetrics().horizontalAdvance(shownName) + 5;
        drawChips(painter, x, nameCell.adjusted(0, 0, -overview::kCellPadding, 0), suffixes, secondary);
    }

    badgeOf(option, index).paint(painter, layout.cell(columns.format, area), text);

    const bool offline
        = index.data(OverviewRole::isOffline).toBool() && index.data(OverviewRole::resolvedPath).toString().isEmpty();
    drawCellText(painter, layout.cell(columns.path, area), index.data(OverviewRole::pathText).toString(),
                 offline && !rowIsHighlighted(option) ? offlineColor(option) : secondary);
    painter.restore();
}

QString fileRowToolTip(const QStyleOptionViewItem &option, const QModelIndex &index, const ColumnLayout &layout,
                       FileRowColumns columns, const QRect &area, QPoint point)
{
    const FileTypeBadge badge = badgeOf(option, index);
    if (!badge.label.isEmpty() && badge.rectIn(layout.cell(columns.format, area), option.font).contains(point)) {
        QString label = index.data(OverviewRole::typeLabel).toString();
        if (label.isEmpty())
            label = badge.label;
        return FileTypeBadge::helpText(label, badge.unavailable);
    }
    return index.data(Qt::ToolTipRole).toString();
}

FileRowDelegate::FileRowDelegate(std::function<ColumnLayout()> layout, FileRowColumns columns, QObject *parent)
    : RowDelegate(parent)
    , layout_(std::move(layout))
    , columns_(columns)
{
}

void FileRowDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    const QRect cell = waveformCellRect(option.rect);
    paintFileRow(*painter, option, index, layout_(), columns_, option.rect.adjusted(0, 0, -cell.width(), 0));
    const bool dark = option.palette.color(QPalette::Window).lightnessF() < 0.5;
    paintWaveformCell(*painter, cell, index.data(OverviewRole::itemId).toString(), rowIsHighlighted(option), dark,
                      InlineAudioPlayer::shared(),
                      WaveformLoader::shared().waveform(index.data(OverviewRole::waveformRegion).toString()));
}

QString FileRowDelegate::toolTipAt(const QStyleOptionViewItem &option, const QModelIndex &index, QPoint point) const
{
    const QRect cell = waveformCellRect(option.rect);
    return fileRowToolTip(option, index, layout_(), columns_, option.rect.adjusted(0, 0, -cell.width(), 0), point);
}

} // namespace kestrix
