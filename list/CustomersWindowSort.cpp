// The customers window's sorting from the header, its menu and the
// keyboard, as the list sorts. The window itself is in CustomersWindow.cpp.

#include "CustomersWindow.h"

#include "CustomerModel.h"
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
    const QModelIndex current = m_grid->currentIndex();
    return current.isValid() ? current.column() : 0;
}

void CustomersWindow::showSortMenu(const QPoint &globalPos, int column)
{
    QMenu menu(this);
    menu.setObjectName(QStringLiteral("mnuSort"));
    menu.setTitle(SharedTexts::sortBy(CustomerModel::captions().value(column)));
    menu.setAccessibleName(menu.title());
    QAction *ascending = menu.addAction(SharedTexts::sortAscending());
    QAction *descending = menu.addAction(SharedTexts::sortDescending());
    QAction *original = menu.addAction(SharedTexts::originalOrder());
    for (QAction *a : {ascending, descending, original})
        a->setCheckable(true);
    if (m_request.sortColumn < 0)
        original->setChecked(true);
    else if (m_request.sortColumn == column)
        (m_request.descending ? descending : ascending)->setChecked(true);
    QAction *chosen = menu.exec(globalPos);
    if (chosen == ascending)
        setSort(column, false);
    else if (chosen == descending)
        setSort(column, true);
    else if (chosen == original)
        setSort(-1);
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
