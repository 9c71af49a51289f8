#include "ListLooks.h"

#include <QHeaderView>
#include <QLabel>
#include "widgets/GridView.h"

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

void setUpGrid(GridView *grid, QLabel *caption)
{
    caption->setBuddy(grid);
    grid->setFont(verdana(8.25, false));
    grid->horizontalHeader()->setFont(verdana(8.25, true));
    grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    grid->horizontalHeader()->setHighlightSections(false);
}

} // namespace Orvane::ListLooks
