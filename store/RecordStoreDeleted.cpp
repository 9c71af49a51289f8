#include "RecordStore.h"

#include "EngineKeys.h"
#include "StoreSql.h"
#include "StoreTexts.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

// The store's deleted records: a delete keeps a copy in the file, which can
// be put back or removed for good.
namespace Orvane {

RecordStore::ChangeResult RecordStore::remove(const DowsingRecord &shown,
                                              const QDateTime &deletedAt)
{
    m_lastKept.reset();
    std::optional<DeletedRecord> kept;
    const ChangeResult result = changeShown(shown, [&] {
        const QSqlDatabase db = database();
        QString error;
        // The copy first, in the same transaction: were it refused, the
        // record stays where it is. (It holds what shown holds: compared.)
        if (!DeletedRecords::ensure(db, error)
            || !(kept = DeletedRecords::keep(db, shown, deletedAt, error)))
            return fail(StoreTexts::tr("No copy of the record could be kept, so it was not "
                                       "deleted: %1")
                                .arg(error));
        QSqlQuery query(db);
        query.prepare(QStringLiteral("DELETE FROM Details WHERE IdNumber=?"));
        query.addBindValue(*shown.IdNumber);
        return changeOneRecord(query);
    });
    if (result == ChangeResult::Done)
        m_lastKept = kept;
    return result;
}

QVector<DeletedRecord> RecordStore::deletedRecords()
{
    m_error.clear();
    if (!isOpen()) {
        fail(StoreTexts::notOpen());
        return {};
    }
    QString error;
    const QVector<DeletedRecord> kept =
            DeletedRecords::all(database(), error);
    if (!error.isEmpty())
        fail(error);
    return kept;
}

KeyIndex RecordStore::keptNumbers()
{
    m_error.clear();
    KeyIndex numbers;
    if (!isOpen()) {
        fail(StoreTexts::notOpen());
        return numbers;
    }
    QString error;
    if (!DeletedRecords::exists(database(), error)) {
        if (!error.isEmpty())
            fail(error);
        return numbers;
    }
    if (!EngineKeys::readKeyIndex(database(), DeletedRecords::numbers(), numbers, error))
        fail(error);
    return numbers;
}

std::optional<DeletedRecord> RecordStore::keptRecord(qint64 keptNumber)
{
    m_error.clear();
    if (!isOpen()) {
        fail(StoreTexts::notOpen());
        return std::nullopt;
    }
    QString error;
    auto kept = DeletedRecords::find(database(), keptNumber, error);
    if (!error.isEmpty())
        fail(error);
    return kept;
}

std::optional<DeletedRecord> RecordStore::lastDeleted()
{
    return keptRecord(-1);
}

RecordStore::ChangeResult RecordStore::changeKept(const DeletedRecord &shown,
                                                  const std::function<bool()> &change)
{
    m_error.clear();
    ChangeResult result = ChangeResult::Failed;
    const bool written = write([&] {
        QString error;
        const std::optional<DeletedRecord> now =
                DeletedRecords::find(database(), shown.keptNumber, error);
        if (!error.isEmpty())
            return fail(error);
        if (!now) {
            result = ChangeResult::Gone;
            return fail(StoreTexts::tr("The deleted record is no longer kept in the file."));
        }
        if (!DeletedRecords::holdsSame(*now, shown)) {
            result = ChangeResult::ChangedElsewhere;
            return fail(StoreTexts::tr("Another program changed the deleted records since they "
                                       "were shown."));
        }
        return change();
    });
    return written ? ChangeResult::Done : result;
}

RecordStore::ChangeResult RecordStore::restore(const DeletedRecord &shown, Restored *restored)
{
    Restored where;
    const ChangeResult result = changeKept(shown, [&] {
        const QSqlDatabase db = database();
        const qint64 key = shown.record.IdNumber.value_or(0);
        QSqlQuery query(db);
        query.prepare(QStringLiteral("SELECT count(*) FROM Details WHERE IdNumber=?"));
        query.addBindValue(key);
        if (!query.exec() || !query.next())
            return fail(reasonOf(query.lastError()));
        // Keys are never reused, but another program may have written a
        // record under this one meanwhile: that record stays, and this one
        // takes a new key.
        where.ownKey = key > 0 && query.value(0).toLongLong() == 0;
        query.finish();
        QString error;
        const std::optional<qint64> back = DeletedRecords::copyBack(
                db, shown.keptNumber, where.ownKey ? std::optional<qint64>(key) : std::nullopt,
                error);
        if (!back)
            return fail(error);
        where.idNumber = *back;
        return DeletedRecords::drop(db, shown.keptNumber, error) || fail(error);
    });
    if (result == ChangeResult::Done && restored)
        *restored = where;
    return result;
}

RecordStore::ChangeResult RecordStore::deleteForGood(const DeletedRecord &shown)
{
    return changeKept(shown, [&] {
        QString error;
        return DeletedRecords::drop(database(), shown.keptNumber, error) || fail(error);
    });
}

} // namespace Orvane
