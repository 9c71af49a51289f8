// The list's sorting: a click on a header, the context menu of the header
// or the grid (Menu key, Shift+F10), Ctrl+Shift+S, and the header's
// indicator.

#include "RecordListWindow.h"

#include "ListQuery.h"
#include "RecordListModel.h"
#include "widgets/SharedTexts.h"

#include <QAction>
#include <QHeaderView>
#include <QMenu>
#include <QTableView>

namespace Orvane {

void RecordListWindow::buildSorting()
{
    QHeaderView *header = m_DataGrid->horizontalHeader();
    header->setSectionsClickable(true);
    header->setSortIndicatorShown(false);
    connect(header, &QHeaderView::sectionClicked, this, [this](int column) { cycleSort(column); });
    header->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(header, &QHeaderView::customContextMenuRequested, this, [this, header](QPoint pos) {
        const int column = header->logicalIndexAt(pos);
        showSortMenu(header->mapToGlobal(pos), column >= 0 ? column : currentColumn());
    });
    m_DataGrid->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_DataGrid, &QTableView::customContextMenuRequested, this, [this](QPoint pos) {
        const QModelIndex at = m_DataGrid->indexAt(pos);
        showSortMenu(m_DataGrid->viewport()->mapToGlobal(pos),
                     at.isValid() ? at.column() : currentColumn());
    });
    auto *menuKey = new QAction(SharedTexts::sortMenu(), m_DataGrid);
    menuKey->setObjectName(QStringLiteral("actSortMenu"));
    menuKey->setShortcuts({QKeySequence(Qt::SHIFT | Qt::Key_F10), QKeySequence(Qt::Key_Menu)});
    menuKey->setShortcutContext(Qt::WidgetShortcut);
    connect(menuKey, &QAction::triggered, this, [this] {
        const QModelIndex current = m_DataGrid->currentIndex();
        QRect cell = current.isValid() ? m_DataGrid->visualRect(current) : QRect();
        const QPoint at = cell.isValid() ? cell.center() : QPoint(0, 0);
        showSortMenu(m_DataGrid->viewport()->mapToGlobal(at), currentColumn());
    });
    m_DataGrid->addAction(menuKey);


    // The keyboard's way to sort: the current column's next sort.
    auto *cycle = new QAction(SharedTexts::cycleSort(), this);
    cycle->setObjectName(QStringLiteral("actCycleSort"));
    cycle->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    cycle->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    connect(cycle, &QAction::triggered, this, [this] { cycleSort(currentColumn()); });
    addAction(cycle);
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
    const QModelIndex current = m_DataGrid->currentIndex();
    return current.isValid() ? current.column() : 0;
}

void RecordListWindow::showSortMenu(const QPoint &globalPos, int column)
{
    if (!m_DataGrid->isEnabled())
        return;
    QMenu menu(this);
    menu.setObjectName(QStringLiteral("mnuSort"));
    menu.setTitle(SharedTexts::sortBy(RecordListModel::caption(column)));
    menu.setAccessibleName(menu.title());
    QAction *ascending = menu.addAction(SharedTexts::sortAscending());
    QAction *descending = menu.addAction(SharedTexts::sortDescending());
    QAction *original = menu.addAction(SharedTexts::originalOrder());
    for (QAction *a : {ascending, descending, original})
        a->setCheckable(true);
    const int sorted = RecordListModel::columnOf(request().sortBy);
    if (sorted < 0)
        original->setChecked(true);
    else if (sorted == column)
        (request().descending ? descending : ascending)->setChecked(true);
    QAction *chosen = menu.exec(globalPos);
    if (chosen == ascending)
        setSort(column, false);
    else if (chosen == descending)
        setSort(column, true);
    else if (chosen == original)
        setSort(-1);
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
