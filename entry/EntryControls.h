#pragma once

#include <QString>
#include <QStringList>

class QComboBox;
class QLabel;
class QPushButton;
class QWidget;

// Makers of the entry window's controls, each named with its objectName
// and dressed in the window's colours.
namespace Orvane::EntryControls {

QLabel *label(const QString &text, const QString &name, QWidget *parent);
// A button that Enter in a box of the window does not press.
QPushButton *button(const QString &caption, const QString &name, QWidget *parent);
// An editable drop-down box whose value is its shown text: what the user
// types is never added to its entries, nor completed from them.
QComboBox *editableList(const QString &name, const QStringList &entries, QWidget *parent);

} // namespace Orvane::EntryControls
