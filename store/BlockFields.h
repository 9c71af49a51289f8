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
