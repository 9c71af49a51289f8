#pragma once

#include "DatabaseCopy.h"
#include "DeletedRecords.h"
#include "DowsingRecord.h"
#include "KeyIndex.h"
#include "StoreFile.h"

#include <QByteArrayView>
#include <QString>
#include <QVector>

#include <functional>
#include <memory>
#include <optional>

class QSqlQuery;

namespace Orvane {

class FileCheck;
class RecordInserter;
struct Damage;

// One connection to the record database "Dowsing.dll" and the operations the
// windows use on its table Details. Each window that reads or writes records
// holds a store of its own, as it would hold its own recordset.
//
// The store never creates the file, never creates or alters the table, and
// leaves a file it refuses exactly as it was. Every read that lists rows
// orders them by IdNumber, which is the order of addition.
//
// A write is reported done only once the file at the path holds it by
// itself: the store writes with a rollback journal (a write-ahead log keeps
// new records beside the file, not in it), writes the file that stands at
// the path now (reopening it if it was replaced), and never writes a file
// whose pages were not all read and found sound.
class RecordStore
{
public:
    // One stored row as the engine holds it, for reads that stream many
    // rows without making a DowsingRecord of each: the thirteen fields in
    // the order of DowsingRecord (Date .. Notes) as UTF-8 text, the date as
    // stored (as a rule "yyyy-MM-dd", but any text another program wrote).
    // The views hold only during the visit.
    struct StoredRow
    {
        static constexpr int kFields = DowsingRecord::kStoredFields;
        qint64 idNumber = 0;
        QByteArrayView fields[kFields];
    };
    using RowVisitor = std::function<void(const StoredRow &)>;

    using BackUpResult = DatabaseCopy::Result;

    using OpenResult = StoreFile::OpenResult;

    RecordStore();
    ~RecordStore();
    RecordStore(const RecordStore &) = delete;
    RecordStore &operator=(const RecordStore &) = delete;

    // "<folder>/Dowsing.dll".
    static QString databasePath(const QString &dataFolder)
    {
        return StoreFile::databasePath(dataFolder);
    }
    // True only for a regular file: a folder of that name is missing.
    static bool isPresent(const QString &path) { return StoreFile::isPresent(path); }

    // Opens the file (see StoreFile::open); on failure errorText() gives the
    // reason.
    OpenResult open(const QString &path);
    bool isOpen() const { return m_file.isOpen(); }
    void close() { m_file.close(); }

    // Appends a record; on success record.IdNumber holds the assigned key.
    bool add(DowsingRecord &record);
    // Appends every record in one transaction: all of them or, on any
    // failure, none. On success each record's IdNumber holds its new key.
    bool addAll(QVector<DowsingRecord> &records);
    // Fills batch (handed over empty) with the next records to add; an
    // empty batch ends them. Answers false to stop, which adds none.
    using BatchSource = std::function<bool(QVector<DowsingRecord> &batch)>;
    // Appends the records source hands out, batch by batch, in one
    // transaction, the find index kept in step after each batch: all of
    // them or none. Only a batch is held at a time, so any number of
    // records takes bounded memory. False with errorText() when a write
    // failed, with an empty errorText() when source stopped it.
    bool addBatches(const BatchSource &source);
    // What became of a change to one stored record. Unless Done, nothing
    // was written.
    enum class ChangeResult {
        Done,
        // The record no longer holds what the user was shown: another
        // program changed it, or a copy of the file with other records was
        // put in its place. storedNow() holds what it holds now.
        ChangedElsewhere,
        // No record has the key any more.
        Gone,
        // errorText() says why.
        Failed,
    };
    // Writes into the record with shown.IdNumber the fields in which changed
    // differs from shown (the others keep their stored bytes), but only
    // while it still holds every field of shown: the comparison is made in
    // the write's own transaction, so nothing can come between. A date that
    // changed sets must be a calendar date; one it leaves alone may be any
    // text another program stored.
    ChangeResult update(const DowsingRecord &shown, const DowsingRecord &changed);
    // Removes the record with shown.IdNumber, on the same condition, and
    // keeps it among the deleted records with the time of its deletion, in
    // the same transaction, so that it can be put back (see DeletedRecords).
    ChangeResult remove(const DowsingRecord &shown, const QDateTime &deletedAt);
    // After ChangedElsewhere: the record as it is stored now.
    const std::optional<DowsingRecord> &storedNow() const { return m_storedNow; }

    // After a remove() that was Done: the copy the file keeps, as it keeps
    // it (its number, the time to the second), for File > Undo Delete.
    const std::optional<DeletedRecord> &lastKept() const { return m_lastKept; }

    // Every deleted record the file keeps, the one deleted last first, read
    // at once: for a file that keeps a few (a window reads keptNumbers() and
    // each row by keptRecord()). An empty list with errorText() set when the
    // read failed.
    QVector<DeletedRecord> deletedRecords();
    // The numbers of the kept records in increasing order (the order of
    // their deletion), as runs: a few bytes each. An empty index with
    // errorText() set when the read failed; a file without the table keeps
    // none.
    KeyIndex keptNumbers();
    // The kept record with this number; nullopt when there is none
    // (errorText() empty) or the read failed.
    std::optional<DeletedRecord> keptRecord(qint64 keptNumber);
    // The kept record deleted last; nullopt when none is kept (errorText()
    // is empty) or the read failed.
    std::optional<DeletedRecord> lastDeleted();
    // Where a kept record went back: under the key it had, or under a new
    // one when another record holds that key now.
    struct Restored
    {
        qint64 idNumber = 0;
        bool ownKey = true;
    };
    // Puts the kept record back among the records and drops its kept copy,
    // in one write, but only while the file still keeps it as shown (see
    // DeletedRecords::holdsSame()), compared inside the write's transaction:
    // ChangedElsewhere when its number holds another kept record now, Gone
    // when it holds none. Unless Done, nothing was written.
    ChangeResult restore(const DeletedRecord &shown, Restored *restored = nullptr);
    // Removes the kept copy for good, on the same condition. The file
    // overwrites what it frees (see open()), so its text does not stay
    // behind in unused space.
    ChangeResult deleteForGood(const DeletedRecord &shown);

    // What the last open() or successful write did that the user should
    // hear of (see StoreFile::notice()); empty as a rule.
    QString notice() const { return m_file.notice(); }
    // A confirmation with the notice, if any, below it.
    QString withNotice(const QString &confirmation) const
    {
        return notice().isEmpty() ? confirmation : confirmation + QStringLiteral("\r\r") + notice();
    }

    // The find index (see FindIndex) makes searches fast. A file written
    // before it existed lacks it until addFindIndex() succeeds; until then a
    // search reads the records themselves.
    bool hasFindIndex();
    // Builds the index anew in one transaction; progress(done, total) is
    // told the records done and stops the build, leaving the file as it was,
    // when it answers false. A damaged index is mended so.
    bool addFindIndex(const std::function<bool(qint64, qint64)> &progress);
    // Gives back the room a damaged index left in the file once it was
    // built anew, so that the file checks whole (see StoreFile::compact()).
    bool compact(const std::function<bool()> &keepGoing);
    // The check of every page found damage in the find index only: the
    // records are read and found as ever, but no write is made until
    // addFindIndex() built the index anew. (For a large file, known only
    // once its check is over: see pendingCheck().)
    bool isIndexDamaged() { return m_file.isIndexDamaged(); }

    // The record with this key; nullopt when there is none or the read failed
    // (errorText() is empty in the first case).
    std::optional<DowsingRecord> find(qint64 idNumber);
    // The start of one text field of the record with this key, at most
    // characters long (one more when the text goes on, to tell so), read
    // without the record's other fields, which may hold megabytes. nullopt
    // as find() gives it.
    std::optional<QString> fieldStart(qint64 idNumber, DowsingRecord::FieldId field,
                                      int characters);
    // Number of records, or -1 when the read failed.
    qint64 count();
    // Every key in order of addition, as runs of consecutive keys, read
    // without holding them all at once: what the list keeps. An empty index
    // with errorText() set when the read failed.
    KeyIndex keyIndex();

    // The records with keys above afterKey (from the first record when it
    // is none: any key may hold one, the least too) in order of addition,
    // at most limit of them, each handed to visit as it is read. rowsRead
    // and lastKey tell how many came and the key of the last; fewer than
    // limit means the table ends. False, with errorText(), when the read
    // failed.
    bool readRows(std::optional<qint64> afterKey, int limit, const RowVisitor &visit,
                  int *rowsRead, qint64 *lastKey);
    // The records with these keys, in the order of the keys; a key with no
    // record is passed over. For batches of keys, not for every key at once.
    bool readRows(const QVector<qint64> &keys, const RowVisitor &visit);

    // Writes a consistent copy of the open database to path (see
    // DatabaseCopy), also while other connections read it: a failed or
    // cancelled copy leaves path as it was and no temporary file. Refuses
    // the open file itself as the target.
    BackUpResult backUpTo(const QString &path, const DatabaseCopy::Progress &progress);

    // The check of every page of a large file while it still runs on a
    // second thread; null when the check was made at open or is over. No
    // write is made before it passed.
    FileCheck *pendingCheck() const { return m_file.pendingCheck(); }
    static qint64 largeFileBytes() { return StoreFile::largeFileBytes(); }
    static void setLargeFileBytes(qint64 bytes) { StoreFile::setLargeFileBytes(bytes); }

    // The reason of the last failure, empty after a success.
    QString errorText() const { return m_error; }

    // The connection name, for tests that need to reach the database
    // underneath (to make it refuse writes, say).
    QString connectionName() const { return m_file.connectionName(); }

private:
    bool fail(const QString &reason);
    // A write: StoreFile::readyToWrite(), then change (which sets m_error when it
    // fails) and the find index's update in one transaction, rolled back on
    // any failure, then StoreFile::writtenToFileAtPath().
    bool write(const std::function<bool()> &change);
    // Inserts the records, each key to keys when given.
    bool insertRecords(RecordInserter &inserter, const QVector<DowsingRecord> &records,
                       QVector<qint64> *keys);
    // Runs a statement that must change exactly the one record it names.
    bool changeOneRecord(QSqlQuery &query);
    // A change to the record shown.IdNumber, made by change only while the
    // record still holds what shown holds.
    ChangeResult changeShown(const DowsingRecord &shown, const std::function<bool()> &change);
    // A change to the kept record shown.keptNumber, made by change only while
    // the file still keeps it as shown.
    ChangeResult changeKept(const DeletedRecord &shown, const std::function<bool()> &change);

    QSqlDatabase database() const { return m_file.database(); }
    // Sets errorText() from the file's failure: false.
    bool fileFailed();

    StoreFile m_file;
    QString m_error;
    std::optional<DowsingRecord> m_storedNow;
    std::optional<DeletedRecord> m_lastKept;
};

} // namespace Orvane
