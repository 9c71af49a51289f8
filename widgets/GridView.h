#pragma once

#include <QTableView>

namespace Orvane {

// A grid of whole rows, read only, one row current at a time, its rows all
// of one height (kept to its font), which tells screen readers its current
// cell has the focus only while the grid has the keyboard.
//
// Rows of one height, so that a view over a million rows never asks every
// row for its size.
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
    explicit GridView(QWidget *parent = nullptr);

protected:
    void changeEvent(QEvent *event) override;
    void currentChanged(const QModelIndex &current, const QModelIndex &previous) override;
};

} // namespace Orvane
