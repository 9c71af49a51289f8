#pragma once

#include <QString>

// Texts that more than one window shows for the same thing, written once so
// that they, and their access keys, stay alike wherever they are shown.
namespace Orvane::SharedTexts {

// The File menu of the entry window and of the list, and the entries both
// hold: Alt+F, F finds, C lists the customers, T counts and E exports in
// either.
QString fileMenu();
QString findRecords();
QString exportRecords();
QString customers();
QString statistics();
// Back to the window that came before: the button and the File menu's
// entry of the list, the customers and the statistics, the record view's
// button.
QString back();

// The sort menu of a grid (the list's, the customers'), the keys that open
// it and that sort by the current column, and what the find bar's count says
// while it waits.
QString sortBy(const QString &caption);
QString sortAscending();
QString sortDescending();
QString originalOrder();
QString sortMenu();
QString cycleSort();
QString searching();
QString counting();

// Before a file is saved under a name the program added its extension to.
QString replaceQuestion(const QString &path);

} // namespace Orvane::SharedTexts
