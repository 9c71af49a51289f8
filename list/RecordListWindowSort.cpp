// The list's sorting: a click on a header, the context menu of the header
// or the grid (Menu key, Shift+F10), Ctrl+Shift+S, and the header's
// indicator.

#include "RecordListWindow.h"

#include "ListQuery.h"
#include "RecordListModel.h"
#include "widgets/GridSorting.h"
#include "widgets/SharedTexts.h"

#include <QAction>
#include <QHeaderView>
#include <QMenu>
#include <QTableView>

namespace Orvane {

GridSorting RecordListWindow::sorting()
{
    GridSorting how;
    how.cycle = [this](int column) { cycleSort(column); };
    how.sort = [this](int column, bool descending) { setSort(column, descending); };
    how.current = [this] {
        return GridSorting::State{RecordListModel::columnOf(request().sortBy), request().descending};
    };
    how.caption = [](int column) { return RecordListModel::caption(column); };
    return how;
}

void RecordListWindow::buildSorting()
{
    sorting().attach(m_DataGrid, this);
}

void RecordListWindow::setSort(int column, bool descending)
{
    if (m_query)
        m_query->setSort(RecordListModel::fieldOf(column), descending);
}

void RecordListWindow::cycleSort(int column)
{
    if (const auto field = RecordListModel::fieldOf(column); field && m_query)
        m_query->cycleSort(*field);
}

int RecordListWindow::currentColumn() const
{
    return GridSorting::currentColumn(m_DataGrid);
}

void RecordListWindow::showSortMenu(const QPoint &globalPos, int column)
{
    if (m_DataGrid->isEnabled())
        sorting().showMenu(this, globalPos, column);
}

void RecordListWindow::updateSortIndicator()
{
    QHeaderView *header = m_DataGrid->horizontalHeader();
    const int sorted = RecordListModel::columnOf(request().sortBy);
    if (sorted < 0) {
        header->setSortIndicatorShown(false);
        // No section carries the indicator.
        header->setSortIndicator(-1, Qt::AscendingOrder);
        return;
    }
    header->setSortIndicator(sorted, request().descending ? Qt::DescendingOrder
                                                          : Qt::AscendingOrder);
    header->setSortIndicatorShown(true);
}

} // namespace Orvane
