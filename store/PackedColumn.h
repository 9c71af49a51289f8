#pragma once

#include <QVector>

namespace Orvane {

// Numbers of up to 32 bits, kept in 16 while every one fits: a customer's
// number of records, and the days of dates less than 179 years apart,
// almost always do, and a million customers then cost 2 MB a column
// instead of 4.
class PackedColumn
{
public:
    void reserve(qsizetype count)
    {
        if (m_wide)
            m_wideValues.reserve(count);
        else
            m_values.reserve(count);
    }
    void append(quint32 value)
    {
        if (!m_wide && value > 0xffff) {
            m_wideValues.reserve(std::max(m_values.capacity(), m_values.size() + 1));
            for (quint16 narrow : std::as_const(m_values))
                m_wideValues.append(narrow);
            m_values = {};
            m_wide = true;
        }
        if (m_wide)
            m_wideValues.append(value);
        else
            m_values.append(quint16(value));
    }
    quint32 at(qsizetype i) const { return m_wide ? m_wideValues.at(i) : m_values.at(i); }
    qsizetype size() const { return m_wide ? m_wideValues.size() : m_values.size(); }
    qsizetype bytes() const
    {
        return m_values.capacity() * qsizetype(sizeof(quint16))
                + m_wideValues.capacity() * qsizetype(sizeof(quint32));
    }

private:
    QVector<quint16> m_values;
    QVector<quint32> m_wideValues;
    bool m_wide = false;
};

} // namespace Orvane
