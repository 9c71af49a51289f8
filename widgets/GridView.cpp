#include "GridView.h"

namespace Orvane {

void GridView::currentChanged(const QModelIndex &current, const QModelIndex &previous)
{
    if (hasFocus())
        QTableView::currentChanged(current, previous);
    else
        // What QTableView adds is only the focus event.
        QAbstractItemView::currentChanged(current, previous);
}

} // namespace Orvane
