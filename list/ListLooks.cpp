#include "ListLooks.h"

#include <QHeaderView>
#include <QLabel>
#include <QTableView>

namespace Orvane::ListLooks {

QFont verdana(qreal pointSize, bool bold)
{
    QFont font(QStringLiteral("Verdana"));
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    return font;
}

QLabel *gridCaption(const QString &text, const QString &objectName, QWidget *parent)
{
    auto *caption = new QLabel(text, parent);
    caption->setObjectName(objectName);
    caption->setFont(verdana(9, true));
    caption->setAlignment(Qt::AlignCenter);
    caption->setFrameShape(QFrame::Panel);
    caption->setFrameShadow(QFrame::Raised);
    caption->setAutoFillBackground(true);
    caption->setBackgroundRole(QPalette::Button);
    caption->setMargin(2);
    return caption;
}

void setUpGrid(QTableView *grid, QLabel *caption)
{
    caption->setBuddy(grid);
    grid->setFont(verdana(8.25, false));
    grid->horizontalHeader()->setFont(verdana(8.25, true));
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setWordWrap(false);
    grid->setTabKeyNavigation(false);
    grid->verticalHeader()->hide();
    // Rows all of one height, so that a view over a million rows never asks
    // every row for its size.
    grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid->verticalHeader()->setDefaultSectionSize(grid->fontMetrics().height() + 6);
    grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    grid->horizontalHeader()->setHighlightSections(false);
    grid->horizontalHeader()->setStretchLastSection(true);
}

} // namespace Orvane::ListLooks
