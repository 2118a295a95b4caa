// A section whose content is a list under a column header. It turns the
// list's clicks into item clicks and carries the signals every list
// section shares.
#ifndef KESTRIX_VIEWS_OVERVIEW_LIST_SECTION_H
#define KESTRIX_VIEWS_OVERVIEW_LIST_SECTION_H

#include "column_layout.h"
#include "get_info_section.h"
#include "overview_data.h"
#include "selection_manager.h"

#include <functional>
#include <memory>
#include <optional>

class QVBoxLayout;

namespace kestrix {

// The row for which isRow(row) holds, looked for first at `lastFound` and
// its two neighbours, then by search(); remembered in `lastFound`. The
// keyboard moves the focus one row at a time, so this spares a walk through
// a long list.
template <class IsRow, class Search>
int rowNearLastFound(int &lastFound, int rowCount, IsRow isRow, Search search)
{
    for (int row : {lastFound, lastFound + 1, lastFound - 1})
        if (row >= 0 && row < rowCount && isRow(row))
            return lastFound = row;
    return lastFound = search();
}

class ListHeader;
class RowDelegate;
class RowListView;

class ListSection : public GetInfoSection {
    Q_OBJECT
public:
    RowListView *list() const { return list_; }
    // The row of a shown item, or -1.
    virtual int rowOf(const SelectableItem &item) const;

signals:
    void itemClicked(const kestrix::SelectableItem &item, kestrix::SelectionManager::Modifiers modifiers);
    void itemDoubleClicked(const kestrix::SelectableItem &item);
    void revealRequested(const QString &path);
    // Import chosen from the context menu of the row of `item`.
    void importRequested(const kestrix::SelectableItem &item);
    // The shown rows changed (filters, data, expansion).
    void rowsChanged();

protected:
    // `header` may be null for a list without column titles.
    ListSection(const QString &title, ListHeader *header, RowDelegate *delegate, QWidget *parent);

    // The menu of a file-like row: reveal its file, import it.
    void showFileRowMenu(const SelectableItem &item, const QString &resolvedPath, QPoint globalPosition);

    std::shared_ptr<const OverviewSelection> selection_;
    QVBoxLayout *body_;

private:
    RowListView *list_;
};

} // namespace kestrix

#endif
