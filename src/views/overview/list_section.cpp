#include "list_section.h"

#include "list_header.h"
#include "overview_style.h"
#include "row_context_menu.h"
#include "row_delegate.h"
#include "row_list_view.h"

#include <QVBoxLayout>

namespace kestrix {

ListSection::ListSection(const QString &title, ListHeader *header, RowDelegate *delegate, QWidget *parent)
    : GetInfoSection(title, parent)
    , list_(new RowListView)
{
    auto *content = new QWidget;
    body_ = new QVBoxLayout(content);
    body_->setContentsMargins(overview::kSectionIndent - overview::kCellPadding, 0, 8, 10);
    body_->setSpacing(0);
    if (header)
        body_->addWidget(header);
    body_->addWidget(list_);
    delegate->setParent(this);
    list_->setDelegate(delegate);
    setContent(content);
    // Widths are shared by every window: a drag elsewhere moves this list's columns too.
    connect(&ColumnWidthPreferences::shared(), &ColumnWidthPreferences::widthChanged, list_,
            qOverload<>(&QWidget::update));
}

int ListSection::rowOf(const SelectableItem &) const
{
    return -1;
}

void ListSection::showFileRowMenu(const SelectableItem &item, const QString &resolvedPath, QPoint globalPosition)
{
    const bool rowIsSelected = selection_ && selection_->items.contains(item);
    const size_t selectionCount = selection_ ? selection_->items.size() : 0;
    execRowContextMenu(this, globalPosition,
                       {resolvedPath, importItemTitle(rowIsSelected, selectionCount),
                        [this, resolvedPath] { emit revealRequested(resolvedPath); },
                        [this, item] { emit importRequested(item); }});
}

} // namespace kestrix
