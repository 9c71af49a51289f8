#pragma once

#include "KeyList.h"
#include "PackedColumn.h"

#include <QDate>
#include <QVector>

#include <limits>

namespace Orvane {

// The customers of a set of records, in an order: for each, the key of the
// customer's latest record (whose name, phone number and city stand for the
// customer's), the number of records, and the first and last date. Ten
// bytes a customer as a rule (see KeyList and PackedColumn), so that a
// million customers stay under the list's own cost per record.
class CustomerTable
{
public:
    // Customer by customer; a day is a Julian day number, or kNoDay for a
    // customer without a dated record.
    static constexpr qint64 kNoDay = std::numeric_limits<qint64>::min();
    struct Row
    {
        qint64 key = 0;
        quint32 records = 0;
        qint64 firstDay = kNoDay;
        qint64 lastDay = kNoDay;
    };
    CustomerTable() = default;
    explicit CustomerTable(const QVector<Row> &rows);

    qsizetype size() const { return m_keys.size(); }
    qint64 keyAt(qsizetype i) const { return m_keys.at(i); }
    quint32 recordsAt(qsizetype i) const { return m_records.at(i); }
    QDate firstDateAt(qsizetype i) const { return dateOf(m_firstDays.at(i)); }
    QDate lastDateAt(qsizetype i) const { return dateOf(m_lastDays.at(i)); }
    Row rowAt(qsizetype i) const;

    // The same customers in another order: order holds places in this table.
    CustomerTable reordered(const QVector<quint32> &order) const;
    // What the table holds, in bytes.
    qsizetype bytes() const;

private:
    QDate dateOf(quint32 packed) const;
    quint32 packedDay(qint64 day) const;

    KeyList m_keys;
    PackedColumn m_records;
    // Days after m_baseDay, plus one; 0 for none.
    PackedColumn m_firstDays;
    PackedColumn m_lastDays;
    qint64 m_baseDay = 0;
};

} // namespace Orvane
