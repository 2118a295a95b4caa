#include "column_layout.h"

#include <algorithm>
#include <cmath>

namespace kestrix {

namespace {

int nameWidth(NameColumn column)
{
    return int(std::lround(ColumnWidthPreferences::shared().width(column)));
}

} // namespace

ColumnLayout::ColumnLayout(std::vector<int> widths, QStringList titles)
    : widths_(std::move(widths))
    , titles_(std::move(titles))
{
}

int ColumnLayout::fixedWidthBefore(int column) const
{
    int width = 0;
    for (int c = 0; c < column; ++c)
        width += widths_[size_t(c)] == kRest ? 0 : widths_[size_t(c)];
    return width;
}

int ColumnLayout::restWidth(int rowWidth) const
{
    return std::max(0, rowWidth - fixedWidthBefore(count()));
}

QRect ColumnLayout::cell(int column, const QRect &row) const
{
    int x = row.left();
    for (int c = 0; c < column; ++c)
        x += widths_[size_t(c)] == kRest ? restWidth(row.width()) : widths_[size_t(c)];
    const int own = widths_[size_t(column)] == kRest ? restWidth(row.width()) : widths_[size_t(column)];
    const int right = std::min(x + own, row.left() + row.width());
    return QRect(x, row.top(), std::max(0, right - x), row.height());
}

int ColumnLayout::rightEdge(int column, int left) const
{
    return left + fixedWidthBefore(column + 1);
}

ColumnLayout trackColumns()
{
    return ColumnLayout({26, nameWidth(NameColumn::tracks), 8, 72, 56, 80, ColumnLayout::kRest},
                        {QString(), QStringLiteral("Name"), QString(), QStringLiteral("Type"), QStringLiteral("Format"),
                         QStringLiteral("Inserts"), QStringLiteral("Comments")});
}

ColumnLayout audioFileColumns()
{
    return ColumnLayout({nameWidth(NameColumn::audioFiles), 50, ColumnLayout::kRest},
                        {QStringLiteral("Name"), QStringLiteral("Format"), QStringLiteral("Path")});
}

ColumnLayout clipColumns()
{
    return ColumnLayout({10, nameWidth(NameColumn::clips), 56, ColumnLayout::kRest},
                        {QString(), QStringLiteral("Name"), QStringLiteral("Format"), QStringLiteral("Audio File Path")});
}

ColumnLayout laneClipColumns()
{
    return ColumnLayout({10, nameWidth(NameColumn::clips), 56, ColumnLayout::kRest},
                        {QString(), QStringLiteral("Clip Name"), QStringLiteral("Format"),
                         QStringLiteral("Audio File Path")});
}

ColumnLayout memoryLocationColumns()
{
    return ColumnLayout({46, 220, 70, 90},
                        {QString(), QStringLiteral("Name"), QStringLiteral("Time Property"),
                         QStringLiteral("Reference")});
}

} // namespace kestrix
