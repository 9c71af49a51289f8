// The customers window's sorting from the header, its menu and the
// keyboard, as the list sorts. The window itself is in CustomersWindow.cpp.

#include "CustomersWindow.h"

#include "CustomerModel.h"
#include "widgets/GridSorting.h"
#include "widgets/SharedTexts.h"

#include <QHeaderView>
#include <QMenu>
#include <QTableView>

namespace Orvane {

void CustomersWindow::setSort(int column, bool descending)
{
    if (column < 0 || column >= CustomerModel::kColumnCount) {
        column = -1;
        descending = false;
    }
    if (m_request.sortColumn == column && m_request.descending == descending) {
        updateSortIndicator();
        return;
    }
    m_request.sortColumn = column;
    m_request.descending = descending;
    runRequest();
}

void CustomersWindow::cycleSort(int column)
{
    if (m_request.sortColumn != column)
        setSort(column, false);
    else if (!m_request.descending)
        setSort(column, true);
    else
        setSort(-1);
}

int CustomersWindow::currentColumn() const
{
    return GridSorting::currentColumn(m_grid);
}

GridSorting CustomersWindow::sorting()
{
    GridSorting how;
    how.cycle = [this](int column) { cycleSort(column); };
    how.sort = [this](int column, bool descending) { setSort(column, descending); };
    how.current = [this] { return GridSorting::State{m_request.sortColumn, m_request.descending}; };
    how.caption = [](int column) { return CustomerModel::captions().value(column); };
    return how;
}

void CustomersWindow::updateSortIndicator()
{
    QHeaderView *header = m_grid->horizontalHeader();
    if (m_request.sortColumn < 0) {
        header->setSortIndicatorShown(false);
        header->setSortIndicator(-1, Qt::AscendingOrder);
        return;
    }
    header->setSortIndicator(m_request.sortColumn,
                             m_request.descending ? Qt::DescendingOrder : Qt::AscendingOrder);
    header->setSortIndicatorShown(true);
}

} // namespace Orvane
