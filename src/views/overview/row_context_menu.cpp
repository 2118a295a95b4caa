#include "row_context_menu.h"

#include "active_import_context.h"

#include <QMenu>

namespace kestrix {

QString importItemTitle(bool rowIsSelected, size_t selectionCount)
{
    // The same words as the File menu's import item, for the items this row's import takes.
    return importMenuTitle(rowIsSelected ? int(selectionCount) : 0);
}

void execRowContextMenu(QWidget *parent, QPoint globalPosition, const RowMenuActions &actions)
{
    QMenu menu(parent);
    if (!actions.revealPath.isEmpty())
        QObject::connect(menu.addAction(QStringLiteral("Show in File Manager")), &QAction::triggered, &menu,
                         [&actions] { actions.reveal(); });
    if (!actions.importTitle.isEmpty())
        QObject::connect(menu.addAction(actions.importTitle), &QAction::triggered, &menu,
                         [&actions] { actions.import(); });
    if (!menu.isEmpty())
        menu.exec(globalPosition);
}

} // namespace kestrix
