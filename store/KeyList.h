#pragma once

#include <QVector>

namespace Orvane {

// Keys in an order of their own: what a found or sorted list holds for each
// row it shows. A key takes four bytes while every key held fits in 32 bits,
// as in any table short of four billion additions, and eight otherwise: a
// sorted million records cost 4 MB instead of 8, which keeps the list within
// sixteen bytes a row beside the grid's own row header.
class KeyList
{
public:
    void reserve(qsizetype count);
    void append(qint64 key);
    void clear();
    // Gives back the room no key took.
    void squeeze();
    void reverse();

    qsizetype size() const { return m_wide ? m_wideKeys.size() : m_keys.size(); }
    bool isEmpty() const { return size() == 0; }
    qint64 at(qsizetype i) const { return m_wide ? m_wideKeys.at(i) : qint64(m_keys.at(i)); }
    // The position of key, or -1.
    qsizetype indexOf(qint64 key) const;
    QVector<qint64> toVector() const;
    // The room the keys take.
    qsizetype bytes() const { return m_keys.capacity() * 4 + m_wideKeys.capacity() * 8; }

private:
    QVector<quint32> m_keys;
    QVector<qint64> m_wideKeys;
    bool m_wide = false;
};

} // namespace Orvane
