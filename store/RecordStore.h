#pragma once

#include "DowsingRecord.h"
#include "KeyIndex.h"

#include <QString>
#include <QVector>

#include <optional>

namespace Orvane {

// One connection to the record database "Dowsing.dll" and the operations the
// windows use on its table Details. Each window that reads or writes records
// holds a store of its own, as it would hold its own recordset.
//
// The store never creates the file, never creates or alters the table, and
// leaves a file it refuses exactly as it was. Every read that lists rows
// orders them by IdNumber, which is the order of addition.
class RecordStore
{
public:
    enum class OpenResult {
        Opened,
        Missing,  // no regular file of that name
        Unusable, // the file exists but is not a usable record database
    };

    RecordStore();
    ~RecordStore();
    RecordStore(const RecordStore &) = delete;
    RecordStore &operator=(const RecordStore &) = delete;

    // "<folder>/Dowsing.dll".
    static QString databasePath(const QString &programFolder);
    // True only for a regular file: a folder of that name is missing.
    static bool isPresent(const QString &path);

    // Opens the file read-write without ever creating it, and checks that it
    // is a SQLite database with a usable Details table that can be written.
    // On failure errorText() gives the engine's reason.
    OpenResult open(const QString &path);
    bool isOpen() const;
    void close();

    // Appends a record; on success record.IdNumber holds the assigned key.
    bool add(DowsingRecord &record);
    // Rewrites every field of the record with record.IdNumber. Fails when no
    // such record exists.
    bool update(const DowsingRecord &record);
    // Removes the record with this key. Fails when no such record exists.
    bool remove(qint64 idNumber);

    // The record with this key; nullopt when there is none or the read failed
    // (errorText() is empty in the first case).
    std::optional<DowsingRecord> find(qint64 idNumber);
    // Number of records, or -1 when the read failed.
    qint64 count();
    // Every key in order of addition; an empty vector with errorText() set
    // when the read failed.
    QVector<qint64> idNumbers();
    // The same keys as runs of consecutive keys, read without holding them
    // all at once: what the list keeps. An empty index with errorText() set
    // when the read failed.
    KeyIndex keyIndex();

    // The reason of the last failure, empty after a success.
    QString errorText() const;

    // The connection name, for tests that need to reach the database
    // underneath (to make it refuse writes, say).
    QString connectionName() const;

private:
    bool fail(const QString &reason);
    bool checkUsable();

    QString m_connection;
    QString m_error;
};

} // namespace Orvane
