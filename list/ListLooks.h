#pragma once

#include <QFont>
#include <QString>

class QLabel;
class QWidget;

// The looks the list's windows share: their Verdana, and the raised caption
// bar above a grid.
namespace Orvane::ListLooks {

QFont verdana(qreal pointSize, bool bold);
QLabel *gridCaption(const QString &text, const QString &objectName, QWidget *parent);

} // namespace Orvane::ListLooks
