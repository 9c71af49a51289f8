#pragma once

#include "KeySummary.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>

#include <optional>

struct sqlite3_stmt;

namespace Orvane {

// The summary of the table's keys, read a slice at a time through its
// caller's connection, in the caller's transaction. A count over every
// record (the customers, the statistics) has no list's keys to check the
// find index against: it spreads this read between its batches of blocks,
// on the thread that would otherwise only wait for the others to
// decompress them, instead of reading every key before the first block.
class TableKeyReader
{
public:
    explicit TableKeyReader(const QSqlDatabase &db);
    ~TableKeyReader();
    TableKeyReader(const TableKeyReader &) = delete;
    TableKeyReader &operator=(const TableKeyReader &) = delete;

    // Begins the read; false, with the reason in error, when the table
    // cannot be read.
    bool start(QString &error);
    // The most records the table can hold, known from start(): its keys
    // are distinct, and lie between the least and the greatest.
    qint64 mostRecords() const { return m_mostRecords; }
    // Reads up to rows more keys.
    void step(qint64 rows);
    // Reads what is left: the summary of every key, or none with the reason
    // in error. The read is finished either way.
    std::optional<KeySummary> finish(QString &error);

private:
    bool next();
    QString failure() const;
    void close();

    QSqlDatabase m_db;
    qint64 m_mostRecords = 0;
    KeySummary m_summary;
    bool m_done = false;
    bool m_failed = false;
    // Straight from the engine where the driver shares it (a million keys
    // in two thirds of the time), through the driver elsewhere.
    sqlite3_stmt *m_statement = nullptr;
    std::optional<QSqlQuery> m_query;
};

} // namespace Orvane
