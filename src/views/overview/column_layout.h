// The columns of a list: fixed widths from left to right, one of which may
// take whatever width is left.
#ifndef KESTRIX_VIEWS_OVERVIEW_COLUMN_LAYOUT_H
#define KESTRIX_VIEWS_OVERVIEW_COLUMN_LAYOUT_H

#include "column_width_preferences.h"

#include <QRect>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace kestrix {

class ColumnLayout {
public:
    static constexpr int kRest = -1;

    ColumnLayout() = default;
    // `widths` in pixels, kRest for the column that fills the row.
    ColumnLayout(std::vector<int> widths, QStringList titles);

    int count() const { return int(widths_.size()); }
    const QStringList &titles() const { return titles_; }

    // The cell of column `column` within `row`; columns that do not fit are
    // cut at the row's right edge.
    QRect cell(int column, const QRect &row) const;
    // The x of the right edge of the column in a row starting at `left`.
    int rightEdge(int column, int left) const;

private:
    int fixedWidthBefore(int column) const;
    int restWidth(int rowWidth) const;

    std::vector<int> widths_;
    QStringList titles_;
};

// The lists and their columns. The name columns take their widths from
// ColumnWidthPreferences.
namespace TrackColumn {
enum { leading, name, gap, type, format, inserts, comments };
}
namespace AudioFileColumn {
enum { name, format, path };
}
namespace ClipColumn {
enum { leading, name, format, path };
}
namespace MemoryLocationColumn {
enum { leading, name, timeProperty, reference };
}

ColumnLayout trackColumns();
ColumnLayout audioFileColumns();
ColumnLayout clipColumns();
// The clips of one track, under its expanded row.
ColumnLayout laneClipColumns();
ColumnLayout memoryLocationColumns();

// The resizable name column of a list, if it has one, and its index.
struct ResizableColumn {
    NameColumn preference;
    int index;
};

} // namespace kestrix

#endif
