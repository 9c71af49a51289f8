#include "GridView.h"

#include <QEvent>
#include <QHeaderView>

namespace Orvane {

namespace {

void fitRowsToFont(QTableView *grid)
{
    grid->verticalHeader()->setDefaultSectionSize(grid->fontMetrics().height() + 6);
}

} // namespace

GridView::GridView(QWidget *parent)
    : QTableView(parent)
{
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setWordWrap(false);
    setTabKeyNavigation(false);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    fitRowsToFont(this);
    horizontalHeader()->setStretchLastSection(true);
}

void GridView::changeEvent(QEvent *event)
{
    QTableView::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        fitRowsToFont(this);
}

void GridView::currentChanged(const QModelIndex &current, const QModelIndex &previous)
{
    if (hasFocus())
        QTableView::currentChanged(current, previous);
    else
        // What QTableView adds is only the focus event.
        QAbstractItemView::currentChanged(current, previous);
}

} // namespace Orvane
