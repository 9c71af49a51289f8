#include "KeyIndex.h"

#include <algorithm>
#include <limits>

namespace Orvane {

bool KeyIndex::append(qint64 key)
{
    if (m_runs.isEmpty()) {
        m_runs.append(Run{key, 0});
        m_rows = 1;
        m_summary.add(key);
        return true;
    }
    const Run &tail = m_runs.constLast();
    const qint64 last = tail.firstKey + (m_rows - 1 - tail.firstRow);
    if (key <= last)
        return false;
    if (last == std::numeric_limits<qint64>::max() || key != last + 1)
        m_runs.append(Run{key, m_rows});
    ++m_rows;
    m_summary.add(key);
    return true;
}

void KeyIndex::clear()
{
    m_runs.clear();
    m_rows = 0;
    m_summary = {};
}

void KeyIndex::reserve(qsizetype runs)
{
    m_runs.reserve(runs);
}

void KeyIndex::squeeze()
{
    m_runs.squeeze();
}

qint64 KeyIndex::runLength(qsizetype i) const
{
    const qint64 end = i + 1 < m_runs.size() ? m_runs.at(i + 1).firstRow : m_rows;
    return end - m_runs.at(i).firstRow;
}

qint64 KeyIndex::keyAt(qint64 row) const
{
    if (row < 0 || row >= m_rows)
        return -1;
    // The last run that starts at or before the row.
    const auto after = std::upper_bound(m_runs.cbegin(), m_runs.cend(), row,
                                        [](qint64 r, const Run &run) { return r < run.firstRow; });
    const Run &run = *(after - 1);
    return run.firstKey + (row - run.firstRow);
}

qint64 KeyIndex::rowOf(qint64 key) const
{
    // The last run whose first key is at or before the key.
    const auto after = std::upper_bound(m_runs.cbegin(), m_runs.cend(), key,
                                        [](qint64 k, const Run &run) { return k < run.firstKey; });
    if (after == m_runs.cbegin())
        return -1;
    const qsizetype i = (after - 1) - m_runs.cbegin();
    const qint64 offset = key - m_runs.at(i).firstKey;
    return offset < runLength(i) ? m_runs.at(i).firstRow + offset : -1;
}

QList<qint64> KeyIndex::toList() const
{
    QList<qint64> keys;
    keys.reserve(m_rows);
    for (qsizetype i = 0; i < m_runs.size(); ++i) {
        const qint64 length = runLength(i);
        for (qint64 n = 0; n < length; ++n)
            keys.append(m_runs.at(i).firstKey + n);
    }
    return keys;
}

} // namespace Orvane
