#pragma once

#include <QPoint>
#include <QString>

#include <functional>

class QTableView;
class QWidget;

namespace Orvane {

// The ways a grid's user sorts it besides the window's menus, the same in
// every grid: a click on a column's header cycles its sort (ascending,
// descending, the order of addition); the header's or a cell's context menu,
// Shift+F10 and the Menu key offer the column's sort menu; Ctrl+Shift+S
// cycles the current column's sort. The window keeps the sort itself.
struct GridSorting
{
    // The sort shown now; column -1 for the order of addition.
    struct State
    {
        int column = -1;
        bool descending = false;
    };

    // The column's next sort.
    std::function<void(int column)> cycle;
    // Sorts by the column, or in the order of addition for -1.
    std::function<void(int column, bool descending)> sort;
    std::function<State()> current;
    // The column's caption, for the menu's title.
    std::function<QString(int column)> caption;

    // Gives grid, inside window, the keys and menus above.
    void attach(QTableView *grid, QWidget *window) const;
    // The sort menu of column at globalPos, with the sort now checked.
    void showMenu(QWidget *parent, const QPoint &globalPos, int column) const;
    // The grid's current column, or the first when none is current.
    static int currentColumn(const QTableView *grid);
};

} // namespace Orvane
