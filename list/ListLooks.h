#pragma once

#include <QFont>
#include <QString>

class QLabel;
class QWidget;

// The looks the list's windows share: their Verdana, the raised caption
// bar above a grid, and the grid itself.
namespace Orvane {
class GridView;
}

namespace Orvane::ListLooks {

QFont verdana(qreal pointSize, bool bold);
QLabel *gridCaption(const QString &text, const QString &objectName, QWidget *parent);
// The list's fonts and resizable columns on a grid; its caption names it
// for the keyboard.
void setUpGrid(GridView *grid, QLabel *caption);

} // namespace Orvane::ListLooks
