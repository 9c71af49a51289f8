#pragma once

#include <QString>

namespace Orvane::modDowsing {

// The record chosen in the list, kept for the whole run. Only the list's
// double-click writes it (through selectRecord); the edit, the delete and the
// entry window's update read it.

// Zero-based position of the chosen row among all rows of the list.
extern int selectedRowPosition;
// The chosen record's key.
extern qint64 selectedIdNumber;
// The chosen row's date ("3/7/2009") and time ("09:05") as listed. A row
// whose cell is empty leaves the previous text in place.
extern QString selectedDateText;
extern QString selectedTimeText;

// Records a choice: the position first, then the two texts (each only when
// not empty), the key last.
void selectRecord(int rowPosition, const QString &dateText, const QString &timeText,
                  qint64 idNumber);

} // namespace Orvane::modDowsing
