#pragma once

#include "KeySummary.h"

#include <QList>
#include <QtGlobal>

namespace Orvane {

// The keys of a table in increasing order, held as runs of consecutive keys.
// Keys are given out by an increasing counter, so a table is a few long runs
// broken only where records were removed: a million rows with a hundred
// removals cost a few kilobytes instead of eight megabytes. Each run costs
// sixteen bytes, so even a table with every other record removed costs no
// more than sixteen bytes a row.
//
// Rows are positions in key order, counted from 0.
class KeyIndex
{
public:
    // Adds a key after the last one. Refused (false, nothing changes) unless
    // it is greater than every key already held.
    bool append(qint64 key);
    void clear();
    // Room for this many runs, so that the index grows without copies.
    void reserve(qsizetype runs);
    // Gives back the room no run took.
    void squeeze();

    qint64 rowCount() const { return m_rows; }
    // The summary of every key held.
    const KeySummary &summary() const { return m_summary; }
    bool isEmpty() const { return m_rows == 0; }
    // Number of runs of consecutive keys.
    qsizetype runCount() const { return m_runs.size(); }

    // The key of a row; -1 for a row outside 0 .. rowCount() - 1.
    qint64 keyAt(qint64 row) const;
    // The row of a key; -1 when the key is not held.
    qint64 rowOf(qint64 key) const;

    // Every key in order (for comparisons and small tables).
    QList<qint64> toList() const;

private:
    struct Run
    {
        qint64 firstKey;
        qint64 firstRow;
    };

    // The number of rows in run i.
    qint64 runLength(qsizetype i) const;

    QList<Run> m_runs;
    qint64 m_rows = 0;
    KeySummary m_summary;
};

} // namespace Orvane
