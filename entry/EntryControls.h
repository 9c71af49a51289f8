#pragma once

#include <QString>
#include <QStringList>

class QComboBox;
class QGroupBox;
class QHBoxLayout;
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
// A drop-down list that only offers its entries, called by its name.
QComboBox *list(const QString &name, QWidget *parent);
// One of the stacked pages, framed and captioned.
QGroupBox *page(const QString &caption, const QString &name, QWidget *parent);
// The row of a page's buttons, at its bottom right.
QHBoxLayout *buttonRow(QPushButton *first, QPushButton *second = nullptr);

} // namespace Orvane::EntryControls
