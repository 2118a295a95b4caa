// The widths of the resizable name columns. They are preferences, not
// per-file state: every window showing a list follows a change at once.
#ifndef KESTRIX_VIEWS_OVERVIEW_COLUMN_WIDTH_PREFERENCES_H
#define KESTRIX_VIEWS_OVERVIEW_COLUMN_WIDTH_PREFERENCES_H

#include <QObject>

#include <array>

namespace kestrix {

enum class NameColumn { audioFiles, clips, tracks };

class ColumnWidthPreferences : public QObject {
    Q_OBJECT
public:
    // The process-wide instance; reads the stored widths on first use.
    static ColumnWidthPreferences &shared();


    double width(NameColumn column) const { return widths_[index(column)]; }
    // Clamps to the column's range and stores the result right away.
    void setWidth(NameColumn column, double width);

signals:
    void widthChanged(kestrix::NameColumn column, double width);

private:
    ColumnWidthPreferences();
    static size_t index(NameColumn column) { return size_t(column); }

    std::array<double, 3> widths_{};
};

} // namespace kestrix

#endif
