#include "GridSorting.h"

#include "SharedTexts.h"

#include <QAction>
#include <QHeaderView>
#include <QMenu>
#include <QTableView>

namespace Orvane {

int GridSorting::currentColumn(const QTableView *grid)
{
    const QModelIndex current = grid->currentIndex();
    return current.isValid() ? current.column() : 0;
}

void GridSorting::attach(QTableView *grid, QWidget *window) const
{
    const GridSorting how = *this;
    QHeaderView *header = grid->horizontalHeader();
    header->setSectionsClickable(true);
    header->setSortIndicatorShown(false);
    QObject::connect(header, &QHeaderView::sectionClicked, window,
                     [how](int column) { how.cycle(column); });
    header->setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(header, &QHeaderView::customContextMenuRequested, window,
                     [how, header, grid, window](QPoint pos) {
                         if (!grid->isEnabled())
                             return;
                         const int column = header->logicalIndexAt(pos);
                         how.showMenu(window, header->mapToGlobal(pos),
                                      column >= 0 ? column : currentColumn(grid));
                     });
    grid->setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(grid, &QTableView::customContextMenuRequested, window,
                     [how, grid, window](QPoint pos) {
                         if (!grid->isEnabled())
                             return;
                         const QModelIndex at = grid->indexAt(pos);
                         how.showMenu(window, grid->viewport()->mapToGlobal(pos),
                                      at.isValid() ? at.column() : currentColumn(grid));
                     });

    auto *menuKey = new QAction(SharedTexts::sortMenu(), grid);
    menuKey->setObjectName(QStringLiteral("actSortMenu"));
    menuKey->setShortcuts({QKeySequence(Qt::SHIFT | Qt::Key_F10), QKeySequence(Qt::Key_Menu)});
    menuKey->setShortcutContext(Qt::WidgetShortcut);
    QObject::connect(menuKey, &QAction::triggered, window, [how, grid, window] {
        const QModelIndex current = grid->currentIndex();
        const QRect cell = current.isValid() ? grid->visualRect(current) : QRect();
        const QPoint at = cell.isValid() ? cell.center() : QPoint(0, 0);
        how.showMenu(window, grid->viewport()->mapToGlobal(at), currentColumn(grid));
    });
    grid->addAction(menuKey);

    // The keyboard's way to sort: the current column's next sort.
    auto *cycle = new QAction(SharedTexts::cycleSort(), window);
    cycle->setObjectName(QStringLiteral("actCycleSort"));
    cycle->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    cycle->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    QObject::connect(cycle, &QAction::triggered, window,
                     [how, grid] { how.cycle(currentColumn(grid)); });
    window->addAction(cycle);
}

void GridSorting::showMenu(QWidget *parent, const QPoint &globalPos, int column) const
{
    QMenu menu(parent);
    menu.setObjectName(QStringLiteral("mnuSort"));
    menu.setTitle(SharedTexts::sortBy(caption(column)));
    menu.setAccessibleName(menu.title());
    QAction *ascending = menu.addAction(SharedTexts::sortAscending());
    QAction *descending = menu.addAction(SharedTexts::sortDescending());
    QAction *original = menu.addAction(SharedTexts::originalOrder());
    for (QAction *a : {ascending, descending, original})
        a->setCheckable(true);
    const State now = current();
    if (now.column < 0)
        original->setChecked(true);
    else if (now.column == column)
        (now.descending ? descending : ascending)->setChecked(true);
    QAction *chosen = menu.exec(globalPos);
    if (chosen == ascending)
        sort(column, false);
    else if (chosen == descending)
        sort(column, true);
    else if (chosen == original)
        sort(-1, false);
}

} // namespace Orvane
