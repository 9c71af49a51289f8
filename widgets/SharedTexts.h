#pragma once

#include <QString>

// Texts that more than one window shows for the same thing, written once so
// that they, and their access keys, stay alike wherever they are shown.
namespace Orvane::SharedTexts {

// The File menu of the entry window and of the list, and the entries both
// hold: Alt+F, F finds and Alt+F, E exports in either.
QString fileMenu();
QString findRecords();
QString exportRecords();
// Back to the window that came before: the list's and the record view's
// button, the list's menu entry.
QString back();

} // namespace Orvane::SharedTexts
