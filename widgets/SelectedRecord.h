#pragma once

#include <QString>

namespace Orvane {

// The record chosen in the list: the windows that edit or delete it find it
// by its key, and the edit shows its date and time as the list showed them.
struct SelectedRecord
{
    qint64 idNumber = 0;
    // The chosen row's date ("3/7/2009") and time ("09:05") as listed.
    QString dateText;
    QString timeText;

    // Records a choice. A row whose date or time is empty leaves the
    // previous text in place.
    void choose(const QString &listedDate, const QString &listedTime, qint64 key)
    {
        if (!listedDate.isEmpty())
            dateText = listedDate;
        if (!listedTime.isEmpty())
            timeText = listedTime;
        idNumber = key;
    }
};

} // namespace Orvane
