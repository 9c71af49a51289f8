#pragma once

#include <QTableView>

namespace Orvane {

// A grid that tells screen readers its current cell has the focus only while
// the grid has the keyboard.
//
// QTableView reports every change of its current cell as a focus change,
// wherever the keyboard is. The list's and the customers window's grids
// change their current row as each find result comes, while the user types
// in the find bar, and a chart's table follows the chart's current bar: a
// screen reader then took the focus to a cell the keyboard was not in, read
// it out over the typing, and echoed no more keys. The grid still reports its
// current cell once the keyboard is in it (Qt does on focus in) and as the
// user moves in it.
class GridView : public QTableView
{
    Q_OBJECT

public:
    using QTableView::QTableView;

protected:
    void currentChanged(const QModelIndex &current, const QModelIndex &previous) override;
};

} // namespace Orvane
