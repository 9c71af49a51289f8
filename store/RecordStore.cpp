#include "RecordStore.h"

#include "EngineKeys.h"
#include "FileCheck.h"
#include "FindIndex.h"
#include "JournalOwner.h"
#include "RecordInserter.h"
#include "StoreSql.h"
#include "StoreTexts.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

// The store's records: adding, changing and removing them in one write each,
// reading them, and the find index kept in step.
namespace Orvane {

RecordStore::RecordStore() = default;
RecordStore::~RecordStore() = default;

bool RecordStore::fail(const QString &reason)
{
    m_error = reason;
    return false;
}

bool RecordStore::fileFailed()
{
    return fail(m_file.errorText());
}

RecordStore::OpenResult RecordStore::open(const QString &path)
{
    const OpenResult result = m_file.open(path);
    m_error = m_file.errorText();
    return result;
}

bool RecordStore::add(DowsingRecord &record)
{
    QVector<DowsingRecord> one{record};
    if (!addAll(one))
        return false;
    record.IdNumber = one.first().IdNumber;
    return true;
}

bool RecordStore::addAll(QVector<DowsingRecord> &records)
{
    m_error.clear();
    if (m_file.path().isEmpty())
        return fail(StoreTexts::notOpen());
    for (const DowsingRecord &record : records) {
        if (record.Date.isEmpty())
            return fail(StoreTexts::invalidDate());
    }
    QVector<qint64> keys;
    keys.reserve(records.size());
    const bool written = write([&] {
        RecordInserter inserter(database());
        return insertRecords(inserter, records, &keys);
    });
    if (!written)
        return false;
    for (int i = 0; i < records.size(); ++i)
        records[i].IdNumber = keys.at(i);
    return true;
}

bool RecordStore::addBatches(const BatchSource &source)
{
    m_error.clear();
    if (m_file.path().isEmpty())
        return fail(StoreTexts::notOpen());
    return write([&] {
        const QSqlDatabase db = database();
        RecordInserter inserter(db);
        QVector<DowsingRecord> batch;
        QVector<qint64> keys;
        QString indexError;
        for (;;) {
            batch.resize(0);
            if (!source(batch))
                return false;
            if (batch.isEmpty())
                return true;
            keys.resize(0);
            if (!insertRecords(inserter, batch, &keys))
                return false;
            // Each batch's blocks are made from the records in hand; a
            // block shared with older records is read from the table.
            if (!FindIndex::writeAdded(db, keys, batch, indexError)
                || !FindIndex::refreshStale(db, indexError))
                return fail(StoreTexts::tr("The find index could not be kept in step: %1")
                                    .arg(indexError));
        }
    });
}

bool RecordStore::insertRecords(RecordInserter &inserter, const QVector<DowsingRecord> &records,
                                QVector<qint64> *keys)
{
    for (const DowsingRecord &record : records) {
        if (record.Date.isEmpty())
            return fail(StoreTexts::invalidDate());
    }
    QString reason;
    for (const DowsingRecord &record : records) {
        const std::optional<qint64> key = inserter.insert(record, reason);
        if (!key && !record.Date.isCalendarDate())
            // Another program's date text, taken from an export: the table's
            // own check may refuse it, and the user should know which.
            return fail(StoreTexts::tr("The date \"%1\" could not be stored: %2")
                                .arg(record.Date.storedText(), reason));
        if (!key)
            return fail(reason);
        if (keys)
            keys->append(*key);
    }
    return true;
}

RecordStore::ChangeResult RecordStore::update(const DowsingRecord &shown,
                                              const DowsingRecord &changed)
{
    // A date the change leaves alone may be any text another program
    // stored; one it sets must be a calendar date.
    if (changed.Date != shown.Date && !changed.Date.isCalendarDate()) {
        fail(StoreTexts::invalidDate());
        return ChangeResult::Failed;
    }
    return changeShown(shown, [&] {
        // Only what the change sets is written: every other field keeps its
        // stored bytes (text that is not UTF-8, a date the table's check
        // would refuse if it were written again), as the record was shown.
        const QVector<int> fields = changedFields(shown, changed);
        if (fields.isEmpty())
            return true;
        QSqlQuery query(database());
        query.prepare(QStringLiteral("UPDATE Details SET %1 WHERE IdNumber=?")
                              .arg(assignmentsOf(fields)));
        bindFields(query, changed, fields);
        query.bindValue(int(fields.size()), *shown.IdNumber);
        return changeOneRecord(query);
    });
}

RecordStore::ChangeResult RecordStore::changeShown(const DowsingRecord &shown,
                                                   const std::function<bool()> &change)
{
    m_error.clear();
    m_storedNow.reset();
    if (m_file.path().isEmpty()) {
        fail(StoreTexts::notOpen());
        return ChangeResult::Failed;
    }
    if (!shown.IdNumber) {
        fail(StoreTexts::tr("The record has no IdNumber."));
        return ChangeResult::Failed;
    }
    // A key alone may name another record by now: a sync client may have
    // put another copy of the file in place, or another program changed the
    // record. So the record is read again inside the write's transaction,
    // where nothing can change it before the write.
    ChangeResult result = ChangeResult::Failed;
    const bool written = write([&] {
        const std::optional<DowsingRecord> now = find(*shown.IdNumber);
        if (!m_error.isEmpty())
            return false;
        if (!now) {
            result = ChangeResult::Gone;
            return fail(StoreTexts::tr("The record no longer exists in the database."));
        }
        if (!now->sameFields(shown)) {
            result = ChangeResult::ChangedElsewhere;
            m_storedNow = now;
            return fail(StoreTexts::tr("The record was changed by another program since it "
                                       "was shown."));
        }
        return change();
    });
    return written ? ChangeResult::Done : result;
}

bool RecordStore::changeOneRecord(QSqlQuery &query)
{
    if (!query.exec())
        return fail(reasonOf(query.lastError()));
    if (query.numRowsAffected() != 1)
        return fail(StoreTexts::tr("The record no longer exists in the database."));
    return true;
}

bool RecordStore::write(const std::function<bool()> &change)
{
    if (!m_file.readyToWrite())
        return fileFailed();
    QSqlDatabase db = database();
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("BEGIN IMMEDIATE")))
        return fail(reasonOf(query.lastError()));
    // Marks the journal as this file's until the transaction ends.
    const JournalOwner owner(db, m_file.path(), m_file.identity());
    QString indexError;
    const bool done = (owner.isReady() || fail(owner.errorText())) && change()
            && (FindIndex::refreshStale(db, indexError)
                || fail(StoreTexts::tr("The find index could not be kept in step: %1")
                                .arg(indexError)))
            && (query.exec(QStringLiteral("COMMIT")) || fail(reasonOf(query.lastError())));
    if (!done) {
        // Nothing of a failed change stays: neither the record nor its index.
        query.exec(QStringLiteral("ROLLBACK"));
        return false;
    }
    return m_file.writtenToFileAtPath() || fileFailed();
}

bool RecordStore::hasFindIndex()
{
    m_error.clear();
    QString error;
    const bool found = FindIndex::exists(database(), error);
    if (!error.isEmpty())
        fail(error);
    return found;
}

bool RecordStore::addFindIndex(const std::function<bool(qint64, qint64)> &progress)
{
    m_error.clear();
    // A damaged index cannot be dropped (that reads its pages): it is
    // forgotten instead, and the file, checked whole again in the same
    // transaction, must then be sound, or nothing of it is kept.
    m_file.beginIndexMend();
    const bool mending = m_file.isIndexDamaged();
    const bool built = write([&] {
        const QSqlDatabase db = database();
        QString error;
        if (mending && !FindIndex::forget(db, error))
            return fail(error);
        if (!FindIndex::create(db, progress, error))
            return fail(error.isEmpty() ? StoreTexts::stopped() : error);
        if (mending) {
            if (const Damage left = damageOf(db); !left.isSound())
                return fail(StoreTexts::tr("The file is damaged beyond its find index: %1")
                                    .arg(left.reason));
        }
        return true;
    });
    m_file.endIndexMend(built);
    return built;
}

bool RecordStore::compact(const std::function<bool()> &keepGoing)
{
    m_error.clear();
    return m_file.compact(keepGoing) || fileFailed();
}

std::optional<DowsingRecord> RecordStore::find(qint64 idNumber)
{
    m_error.clear();
    if (!isOpen()) {
        fail(StoreTexts::notOpen());
        return std::nullopt;
    }
    QSqlQuery query(database());
    query.setForwardOnly(true);
    query.prepare(QStringLiteral("SELECT %1, IdNumber FROM Details WHERE IdNumber=?")
                          .arg(recordColumns()));
    query.addBindValue(idNumber);
    if (!query.exec()) {
        fail(reasonOf(query.lastError()));
        return std::nullopt;
    }
    if (!query.next()) {
        if (query.lastError().isValid())
            fail(reasonOf(query.lastError()));
        return std::nullopt;
    }
    return recordFrom(query);
}

std::optional<QString> RecordStore::fieldStart(qint64 idNumber, DowsingRecord::FieldId field,
                                              int characters)
{
    m_error.clear();
    if (!isOpen()) {
        fail(StoreTexts::notOpen());
        return std::nullopt;
    }
    QSqlQuery query(database());
    query.setForwardOnly(true);
    // Cut as bytes: the engine's substr() of a text ends at a zero
    // character. Four bytes hold any character in UTF-8.
    query.prepare(QStringLiteral("SELECT CAST(substr(CAST(%1 AS BLOB), 1, ?) AS TEXT) "
                                 "FROM Details WHERE IdNumber=?")
                          .arg(QLatin1String(DowsingRecord::field(field).column)));
    query.addBindValue(qint64(characters + 1) * 4);
    query.addBindValue(idNumber);
    if (!query.exec()) {
        fail(reasonOf(query.lastError()));
        return std::nullopt;
    }
    if (!query.next()) {
        if (query.lastError().isValid())
            fail(reasonOf(query.lastError()));
        return std::nullopt;
    }
    // A character the cut bytes broke lies past the one more asked for.
    return query.value(0).toString().left(characters + 1);
}

qint64 RecordStore::count()
{
    m_error.clear();
    if (!isOpen()) {
        fail(StoreTexts::notOpen());
        return -1;
    }
    QSqlQuery query(database());
    if (!query.exec(QStringLiteral("SELECT count(*) FROM Details")) || !query.next()) {
        fail(reasonOf(query.lastError()));
        return -1;
    }
    return query.value(0).toLongLong();
}

KeyIndex RecordStore::keyIndex()
{
    m_error.clear();
    KeyIndex index;
    if (!isOpen()) {
        fail(StoreTexts::notOpen());
        return index;
    }
    if (QString error; !EngineKeys::readKeyIndex(database(), EngineKeys::kRecordKeys, index, error))
        fail(error);
    return index;
}

} // namespace Orvane
