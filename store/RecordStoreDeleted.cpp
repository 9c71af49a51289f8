#include "RecordStore.h"

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
    return changeShown(shown, [&] {
        const QSqlDatabase db = database();
        QString error;
        // The copy first, in the same transaction: were it refused, the
        // record stays where it is. (It holds what shown holds: compared.)
        if (!DeletedRecords::ensure(db, error) || !DeletedRecords::keep(db, shown, deletedAt, error))
            return fail(StoreTexts::tr("No copy of the record could be kept, so it was not "
                                       "deleted: %1")
                                .arg(error));
        QSqlQuery query(db);
        query.prepare(QStringLiteral("DELETE FROM Details WHERE IdNumber=?"));
        query.addBindValue(*shown.IdNumber);
        return changeOneRecord(query);
    });
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

std::optional<DeletedRecord> RecordStore::lastDeleted()
{
    m_error.clear();
    if (!isOpen()) {
        fail(StoreTexts::notOpen());
        return std::nullopt;
    }
    QString error;
    auto kept = DeletedRecords::find(database(), -1, error);
    if (!error.isEmpty())
        fail(error);
    return kept;
}

std::optional<RecordStore::Restored> RecordStore::restore(qint64 keptNumber)
{
    m_error.clear();
    Restored restored;
    const bool written = write([&] {
        const QSqlDatabase db = database();
        QString error;
        const std::optional<DeletedRecord> kept = DeletedRecords::find(db, keptNumber, error);
        if (!kept)
            return fail(error.isEmpty()
                                ? StoreTexts::tr("The deleted record is no longer kept in the "
                                                 "file.")
                                : error);
        const qint64 key = kept->record.IdNumber.value_or(0);
        QSqlQuery query(db);
        query.prepare(QStringLiteral("SELECT count(*) FROM Details WHERE IdNumber=?"));
        query.addBindValue(key);
        if (!query.exec() || !query.next())
            return fail(reasonOf(query.lastError()));
        // Keys are never reused, but another program may have written a
        // record under this one meanwhile: that record stays, and this one
        // takes a new key.
        restored.ownKey = key > 0 && query.value(0).toLongLong() == 0;
        query.finish();
        QSqlQuery insert(db);
        insert.prepare(restored.ownKey
                               ? QStringLiteral("INSERT INTO Details (%1, IdNumber) VALUES "
                                                "(%2, ?)")
                                         .arg(recordColumns(), recordPlaces())
                               : QStringLiteral("INSERT INTO Details (%1) VALUES (%2)")
                                         .arg(recordColumns(), recordPlaces()));
        bindRecord(insert, kept->record);
        if (restored.ownKey)
            insert.bindValue(13, key);
        if (!insert.exec())
            return fail(reasonOf(insert.lastError()));
        if (insert.numRowsAffected() != 1)
            return fail(StoreTexts::tr("The file did not take the record."));
        restored.idNumber = restored.ownKey ? key : insert.lastInsertId().toLongLong();
        return DeletedRecords::drop(db, keptNumber, error) || fail(error);
    });
    if (!written)
        return std::nullopt;
    return restored;
}

bool RecordStore::deleteForGood(qint64 keptNumber)
{
    m_error.clear();
    return write([&] {
        QString error;
        return DeletedRecords::drop(database(), keptNumber,
                                    error)
                || fail(error);
    });
}

} // namespace Orvane
