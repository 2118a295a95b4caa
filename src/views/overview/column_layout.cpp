#include "column_layout.h"

#include "overview_style.h"
#include "track_type.h"

#include <QApplication>
#include <QFontMetrics>

#include <algorithm>
#include <cmath>
#include <initializer_list>

namespace kestrix {

namespace {

int nameWidth(NameColumn column)
{
    return int(std::lround(ColumnWidthPreferences::shared().width(column)));
}

// The fixed widths are those of the original design's system font. Fonts of
// other desktops run wider, so a fixed column grows until its title and the
// longest text it is known to hold fit.
int fitted(int width, const QString &title, std::initializer_list<QString> values = {})
{
    const QFont font = QApplication::font();
    width = std::max(width,
                     QFontMetrics(overview::columnHeaderFont(font)).horizontalAdvance(title)
                         + 2 * overview::kCellPadding + 2);
    for (const QString &value : values)
        width = std::max(width, QFontMetrics(font).horizontalAdvance(value) + 2 * overview::kCellPadding + 2);
    return width;
}

QString typeLabel(PTXTrackType type, bool isFolder)
{
    return QString::fromUtf8(trackTypeLabel(type, isFolder));
}

// Computed once: every row asks for its columns while it is painted.
struct FixedWidths {
    int trackType;
    int trackFormat;
    int inserts;
    int audioFormat;
    int clipFormat;
    int timeProperty;
    int reference;

    FixedWidths()
        : trackType(fitted(72, QStringLiteral("Type"),
                           {typeLabel(PTXTrackType::instrument, false), typeLabel(PTXTrackType::aux, true),
                            typeLabel(PTXTrackType::folder, true), typeLabel(PTXTrackType::unknown, false)}))
        , trackFormat(fitted(56, QStringLiteral("Format"), {QStringLiteral("Unknown"), QStringLiteral("Stereo")}))
        , inserts(fitted(80, QStringLiteral("Inserts")))
        , audioFormat(fitted(50, QStringLiteral("Format")))
        , clipFormat(fitted(56, QStringLiteral("Format")))
        , timeProperty(fitted(70, QStringLiteral("Time Property"), {QStringLiteral("Selection")}))
        , reference(fitted(90, QStringLiteral("Reference"), {QStringLiteral("Bar | Beat"), QStringLiteral("Absolute")}))
    {
    }
};

const FixedWidths &fixedWidths()
{
    static const FixedWidths widths;
    return widths;
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
    const FixedWidths &fixed = fixedWidths();
    return ColumnLayout(
        {26, nameWidth(NameColumn::tracks), 8, fixed.trackType, fixed.trackFormat, fixed.inserts, ColumnLayout::kRest},
        {QString(), QStringLiteral("Name"), QString(), QStringLiteral("Type"), QStringLiteral("Format"),
         QStringLiteral("Inserts"), QStringLiteral("Comments")});
}

ColumnLayout audioFileColumns()
{
    return ColumnLayout({nameWidth(NameColumn::audioFiles), fixedWidths().audioFormat, ColumnLayout::kRest},
                        {QStringLiteral("Name"), QStringLiteral("Format"), QStringLiteral("Path")});
}

ColumnLayout clipColumns()
{
    return ColumnLayout(
        {10, nameWidth(NameColumn::clips), fixedWidths().clipFormat, ColumnLayout::kRest},
        {QString(), QStringLiteral("Name"), QStringLiteral("Format"), QStringLiteral("Audio File Path")});
}

ColumnLayout laneClipColumns()
{
    return ColumnLayout(
        {10, nameWidth(NameColumn::clips), fixedWidths().clipFormat, ColumnLayout::kRest},
        {QString(), QStringLiteral("Clip Name"), QStringLiteral("Format"), QStringLiteral("Audio File Path")});
}

ColumnLayout memoryLocationColumns()
{
    const FixedWidths &fixed = fixedWidths();
    return ColumnLayout(
        {46, 220, fixed.timeProperty, fixed.reference},
        {QString(), QStringLiteral("Name"), QStringLiteral("Time Property"), QStringLiteral("Reference")});
}

} // namespace kestrix
