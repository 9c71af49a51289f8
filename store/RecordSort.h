#pragma once

#include "KeyList.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QVector>

namespace Orvane {

class BlockWorkers;

// Puts keys in the order of one field's folded text (the date's by calendar),
// ties in the order of addition. Only the first kKeptBytes of a text decide
// its place, which keeps a sort of a million notes within tens of megabytes.
class RecordSort
{
public:
    static constexpr int kKeptBytes = 64;
    // Below this many records one thread sorts faster than several start.
    static constexpr qsizetype kItemsWorthSharing = 50000;

    // field: 0 the date as listed, 1 Name .. 12 Notes.
    explicit RecordSort(int field);

    // Room for this many records, so that the sort's buffers grow without
    // copies.
    void reserve(qsizetype records);
    void add(qint64 key, QByteArrayView folded);
    // Appends what another sort of the same field gathered (a block's
    // records, gathered on another thread), after what this one holds.
    void take(const RecordSort &part);
    // Empties it, keeping the room for the next block.
    void clear();
    // With workers, a large sort is shared among their threads.
    KeyList sortedKeys(bool descending, BlockWorkers *workers = nullptr);

private:
    struct Item
    {
        quint64 head;  // the first eight bytes past the common start
        quint64 next;  // the eight after those
        quint32 at;    // where the text is in m_texts
        quint32 size;
        qint64 key;
    };

    int m_field;
    QByteArray m_texts;
    QVector<Item> m_items;
};

} // namespace Orvane
