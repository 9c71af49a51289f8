#pragma once

#include "DowsingRecord.h"
#include "FindBlock.h"

#include <QByteArrayView>
#include <QDate>
#include <QVector>

namespace Orvane {

// What counts over the records read from a FindBlock: where a field is, and
// the day of the date as the block holds it.
namespace BlockFields {

// The date as the list shows it ("3/7/2009") read back as the number
// yyyymmdd, which orders dates as the calendar does; 0 for a record
// without a date.
int dateNumberOf(QByteArrayView listed);
inline QDate dateOfNumber(int number)
{
    return number ? QDate(number / 10000, number / 100 % 100, number % 100) : QDate();
}
// The Julian day of such a number (not 0), as QDate::toJulianDay() gives
// it, worked out directly: a million customers' dates through QDate took
// a third of the time their table took to make.
inline qint64 julianDayOfNumber(int number)
{
    const int year = number / 10000, month = number / 100 % 100, day = number % 100;
    // Counted from March, so that a leap day ends the year.
    const int a = (14 - month) / 12;
    const qint64 y = qint64(year) + 4800 - a;
    const int m = month + 12 * a - 3;
    return day + (153 * m + 2) / 5 + 365 * y + y / 4 - y / 100 + y / 400 - 32045;
}

// Calls visit(i, key) for each found key with its record's place in block.
template<typename Visit>
void forEachFound(const FindBlock &block, const QVector<qint64> &found, Visit visit)
{
    qsizetype i = 0;
    for (qint64 key : found) {
        while (block.keyAt(i) != key)
            ++i;
        visit(i, key);
    }
}

} // namespace BlockFields
} // namespace Orvane
