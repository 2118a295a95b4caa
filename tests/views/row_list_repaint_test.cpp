#include "overview_roles.h"
#include "overview_style.h"
#include "plain_row_delegate.h"
#include "row_list_view.h"

#include <QAbstractListModel>
#include <QApplication>
#include <QScrollArea>
#include <QScrollBar>

#include <gtest/gtest.h>

#include <set>

using namespace kestrix;

namespace {

// A long list whose selection changes tell every row, as the overview's do.
class SelectionModel : public QAbstractListModel {
public:
    std::set<int> selected;

    int rowCount(const QModelIndex &parent = {}) const override { return parent.isValid() ? 0 : 10000; }
    QVariant data(const QModelIndex &index, int role) const override
    {
        if (role == OverviewRole::isSelected)
            return selected.contains(index.row());
        if (role == Qt::DisplayRole)
            return QStringLiteral("Row %1").arg(index.row());
        return {};
    }
    void select(std::set<int> rows)
    {
        selected = std::move(rows);
        emit dataChanged(index(0), index(rowCount() - 1), {OverviewRole::isSelected});
    }
};

// Records the rows it is asked to paint.
class RecordingDelegate : public PlainRowDelegate {
public:
    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        rows.insert(index.row());
        PlainRowDelegate::paint(painter, option, index);
    }
    mutable std::set<int> rows;
};

void drawPending()
{
    QApplication::processEvents();
    QApplication::sendPostedEvents();
}

} // namespace

TEST(RowListView, PaintsOnlyTheRowsInViewAndSelectionChangesRepaintOnlyTheVisibleRowsThatChanged)
{
    SelectionModel model;
    RecordingDelegate painted;
    QScrollArea area;
    auto *list = new RowListView;
    list->setModel(&model);
    list->setDelegate(&painted);
    area.setWidget(list);
    area.setWidgetResizable(true);
    area.resize(300, 20 * overview::kRowHeight);
    area.show();
    drawPending();
    EXPECT_EQ(list->height(), 10000 * overview::kRowHeight) << "the list is as tall as all its rows";
    EXPECT_LE(painted.rows.size(), 21u) << "a screen's worth of rows, never the whole list";

    painted.rows.clear();
    model.select({3});
    drawPending();
    EXPECT_EQ(painted.rows, std::set<int>{3});

    painted.rows.clear();
    model.select({4, 9000});
    drawPending();
    EXPECT_EQ(painted.rows, (std::set<int>{3, 4})) << "the row left and the row reached; off-screen rows wait";

    painted.rows.clear();
    model.select({4, 9000});
    drawPending();
    EXPECT_TRUE(painted.rows.empty()) << "nothing changed on screen";

    area.verticalScrollBar()->setValue(9000 * overview::kRowHeight);
    drawPending();
    painted.rows.clear();
    model.select({9001});
    drawPending();
    EXPECT_EQ(painted.rows, (std::set<int>{9000, 9001})) << "rows scrolled into view are known once painted";
}
