#pragma once

#include "FindBlock.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QVector>

#include <functional>
#include <set>

namespace Orvane {

struct DowsingRecord;

// The find index kept in the record database: table FindText holds every
// record's text as FindBlocks, one row a block. Triggers on Details note in
// FindStale each block that any writer, this program or another, changed;
// the store rewrites those blocks in the transaction of the change, so
// that a crash leaves records and index in step. A reader treats a block
// still noted stale (left by another program) as unknown and reads its
// records from Details.
namespace FindIndex {

// Whether the file has the index; false with error set when it cannot tell.
bool exists(const QSqlDatabase &db, QString &error);

// Makes the index's tables and triggers and fills them from Details, inside
// the caller's transaction. progress(done, total) is told the records done
// and may answer false to stop, which fails with an empty error.
bool create(const QSqlDatabase &db, const std::function<bool(qint64, qint64)> &progress,
            QString &error);

// Takes the index's tables and triggers out of the file's schema without
// reading a page of them, inside the caller's transaction: for an index
// whose pages are damaged, which the engine cannot drop. Their pages stay in
// the file, used by no table.
bool forget(const QSqlDatabase &db, QString &error);

// Rewrites every block noted stale, inside the caller's transaction.
bool refreshStale(const QSqlDatabase &db, QString &error);

// Writes the blocks of records just added, inside the caller's transaction,
// from the records themselves rather than read back from the table, and
// takes them off FindStale. Only blocks the records fill alone: keys must
// be one run of consecutive keys above every other (as the engine gives
// them to one writer), and a block they share with older records, or a
// record whose text the engine would store otherwise (not valid UTF-16),
// is left noted stale for refreshStale().
bool writeAdded(const QSqlDatabase &db, const QVector<qint64> &keys,
                const QVector<DowsingRecord> &records, QString &error);

// Reads the index block by block in key order, for a search or a sort.
class Reader
{
public:
    explicit Reader(const QSqlDatabase &db);

    // False with error set when the file cannot be read. With useIndex
    // false, or in a file without the index, every block is made from the
    // records themselves.
    bool start(QString &error, bool useIndex = true);
    // The number of blocks the index keeps (each holds a record at least);
    // after start().
    qint64 storedBlocks() const { return m_storedBlocks; }
    // A block as read: the index's stored bytes, still to be decoded (see
    // FindBlock::fromStored(), which may run on any thread), or a block
    // made from the records already.
    struct Item
    {
        qint64 number = 0;
        QByteArray stored;
        FindBlock block;
        bool decoded = false;
    };
    // The next block; false at the end (error empty) or on a failure.
    bool next(Item &item, QString &error);
    // The block made from the records themselves, for one whose stored
    // bytes this build cannot read.
    bool readRecords(qint64 number, FindBlock &out, QString &error);
    // The index holds a block that no key can fall in: another program
    // wrote it.
    bool foundForeignBlock() const { return m_foreignBlock; }
    // The last failure met a damaged page.
    bool metDamage() const { return m_damaged; }

private:
    bool failed(const QSqlQuery &query, QString &error);
    bool nextFromTable(QString &error);

    QSqlDatabase m_db;
    bool m_indexed = false;
    std::set<qint64> m_stale;
    QSqlQuery m_stored;
    bool m_storedAhead = false;
    qint64 m_storedBlock = -1;
    QByteArray m_storedBytes;
    QSqlQuery m_records;
    bool m_recordAhead = false;
    qint64 m_storedBlocks = 0;
    bool m_foreignBlock = false;
    bool m_damaged = false;
};

} // namespace FindIndex
} // namespace Orvane
