#pragma once

#include "store/DowsingRecord.h"

#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <QVector>

namespace Orvane {
class RecordStore;
}

namespace Orvane::Testing {

// A connection of the test's own to a database file, beside the program's,
// to change or inspect the file behind the program's back. Closed and
// removed with the object.
class RawDatabase
{
public:
    explicit RawDatabase(const QString &path);
    ~RawDatabase();
    RawDatabase(const RawDatabase &) = delete;
    RawDatabase &operator=(const RawDatabase &) = delete;

    bool isOpen() const { return db().isOpen(); }
    // Runs one statement; false with lastError() set when it fails.
    bool exec(const QString &sql);
    QString lastError() const { return m_error; }
    QSqlDatabase db() const { return QSqlDatabase::database(m_name, false); }

private:
    QString m_name;
    QString m_error;
};

// Runs the statements in turn on a connection of the test's own, closed
// afterwards; false, with a warning naming the statement, at the first that
// fails.
bool runSql(const QString &path, const QStringList &statements);
// What "PRAGMA integrity_check" says of the file ("ok" for a whole file).
QString integrityOf(const QString &path);
// Switches the file to the journal mode ("WAL", "DELETE", ...).
bool setJournalMode(const QString &path, const QString &mode);

// A statement that gives an empty database a table of the wrong shape:
// "notable" (no Details table), "otherfields" (Details with other fields),
// "nokey" (IdNumber is not the table's key), or IdNumber declared a key the
// engine keeps apart from its row keys: "compositekey", "desckey" or
// "withoutrowid".
QString wrongShapeTable(const QString &kind);
// Rewrites the table's definition in the file without its check of the
// date, as another SQLite tool may have made it: it then takes any text
// as a date.
bool dropDateCheck(const QString &path);
// Stores a record of the name with this text as its date, past the table's
// check of the date, as another program may.
bool storeWithDateText(const QString &path, const QString &name, const QString &date);
// A statement that adds this many plain records in one transaction.
QString manyRecords(int count);
// Replaces the file with 4 kB of garbage.
bool spoilDatabase(const QString &path);
// Overwrites the page in the middle of the file with random bytes, as a
// failing disk or a bad copy may: the header, the table's description and
// the first rows stay readable.
bool spoilMiddlePage(const QString &path);

// Overwrites the first page of the table (or index) with random bytes.
bool spoilPageOf(const QString &path, const QString &table);

// A plain record of a customer, dated the day of June 2011.
DowsingRecord customerRecord(const QString &name, int day = 1);

// Overwrites the first page of the find index with random bytes: the
// records stay whole.
bool spoilFindIndexPage(const QString &path);

// Adds the records through a store of the test's own and returns their
// keys; a test cannot go on without them, so a refusal is fatal.
QVector<qint64> addRecords(const QString &path, const QList<DowsingRecord> &records);
// Every stored record, in order of addition.
QList<DowsingRecord> storedRecords(const QString &path);
QVector<qint64> keysIn(const QString &path);
bool removeRecord(const QString &path, qint64 key);
// Rewrites the record changed.IdNumber through store, over whatever it holds
// now; removes the record with a key through store. True when done.
bool updateStored(RecordStore &store, const DowsingRecord &changed);
bool removeStored(RecordStore &store, qint64 key);

} // namespace Orvane::Testing
