// The context menu of a row: "Show in File Manager" when the row's file was
// found, then the import item.
#ifndef KESTRIX_VIEWS_OVERVIEW_ROW_CONTEXT_MENU_H
#define KESTRIX_VIEWS_OVERVIEW_ROW_CONTEXT_MENU_H

#include <QPoint>
#include <QString>

#include <cstddef>
#include <functional>

class QWidget;

namespace kestrix {

// "Import <n> Items to Pro Tools…" when the row is part of a selection of
// two or more items, "Import to Pro Tools…" otherwise.
QString importItemTitle(bool rowIsSelected, size_t selectionCount);

struct RowMenuActions {
    QString revealPath; // empty: no reveal item
    QString importTitle; // empty: no import item
    std::function<void()> reveal;
    std::function<void()> import;
};

// Shows the menu at `globalPosition` and runs the chosen action.
void execRowContextMenu(QWidget *parent, QPoint globalPosition, const RowMenuActions &actions);

} // namespace kestrix

#endif
