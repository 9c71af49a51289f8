#include "CustomerTable.h"

#include <algorithm>

namespace Orvane {

CustomerTable::CustomerTable(const QVector<Row> &rows)
{
    qint64 base = std::numeric_limits<qint64>::max();
    for (const Row &row : rows) {
        if (row.firstDay != kNoDay)
            base = std::min(base, row.firstDay);
    }
    m_baseDay = base == std::numeric_limits<qint64>::max() ? 0 : base;
    m_keys.reserve(rows.size());
    m_records.reserve(rows.size());
    m_firstDays.reserve(rows.size());
    m_lastDays.reserve(rows.size());
    for (const Row &row : rows) {
        m_keys.append(row.key);
        m_records.append(row.records);
        m_firstDays.append(packedDay(row.firstDay));
        m_lastDays.append(packedDay(row.lastDay));
    }
}

quint32 CustomerTable::packedDay(qint64 day) const
{
    // Dates from year 1 to 9999 lie within 3.7 million days of each other.
    return day == kNoDay ? 0 : quint32(day - m_baseDay + 1);
}

QDate CustomerTable::dateOf(quint32 packed) const
{
    return packed == 0 ? QDate() : QDate::fromJulianDay(m_baseDay + packed - 1);
}

CustomerTable::Row CustomerTable::rowAt(qsizetype i) const
{
    const quint32 first = m_firstDays.at(i);
    const quint32 last = m_lastDays.at(i);
    return {keyAt(i), recordsAt(i), first ? m_baseDay + first - 1 : kNoDay,
            last ? m_baseDay + last - 1 : kNoDay};
}

CustomerTable CustomerTable::reordered(const QVector<quint32> &order) const
{
    CustomerTable table;
    table.m_baseDay = m_baseDay;
    table.m_keys.reserve(order.size());
    table.m_records.reserve(order.size());
    table.m_firstDays.reserve(order.size());
    table.m_lastDays.reserve(order.size());
    for (quint32 i : order) {
        table.m_keys.append(m_keys.at(i));
        table.m_records.append(m_records.at(i));
        table.m_firstDays.append(m_firstDays.at(i));
        table.m_lastDays.append(m_lastDays.at(i));
    }
    return table;
}

qsizetype CustomerTable::bytes() const
{
    return m_keys.bytes() + m_records.bytes() + m_firstDays.bytes() + m_lastDays.bytes();
}

} // namespace Orvane
