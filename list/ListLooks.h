#pragma once

#include <QFont>
#include <QString>

class QLabel;
class QTableView;
class QWidget;

// The looks the list's windows share: their Verdana, the raised caption
// bar above a grid, and the grid itself.
namespace Orvane::ListLooks {

QFont verdana(qreal pointSize, bool bold);
QLabel *gridCaption(const QString &text, const QString &objectName, QWidget *parent);
// A grid of whole rows, read only, one row current at a time, its rows
// all of one height; its caption names it for the keyboard.
void setUpGrid(QTableView *grid, QLabel *caption);

} // namespace Orvane::ListLooks
