#include "DeletedRecords.h"

#include "StoreSql.h"
#include "StoreTexts.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <QVariant>

namespace Orvane::DeletedRecords {

namespace {

const char kTable[] = "DeletedRecords";
// When it was deleted, local time; sorts as it reads.
const char kTimeFormat[] = "yyyy-MM-dd HH:mm:ss";

bool failed(const QSqlQuery &query, QString &error)
{
    error = reasonOf(query.lastError());
    return false;
}

// The record's fields as Details declares them, then the key it had.
// KeptNumber only ever grows (AUTOINCREMENT), so a number names one kept
// record for good, even after the latest was restored.
QString createStatement()
{
    QStringList columns{QStringLiteral("KeptNumber INTEGER PRIMARY KEY AUTOINCREMENT"),
                        QStringLiteral("DeletedAt TEXT NOT NULL")};
    for (const QString &field : DowsingRecord::fieldNames()) {
        if (field == QLatin1String("IdNumber"))
            columns.append(QStringLiteral("IdNumber INTEGER NOT NULL"));
        else if (field == DowsingRecord::dateCaption())
            columns.append(QStringLiteral("Date DATE NOT NULL"));
        else
            columns.append(field + QStringLiteral(" TEXT NOT NULL DEFAULT ''"));
    }
    return QStringLiteral("CREATE TABLE %1 (%2)")
            .arg(QLatin1String(kTable), columns.join(QStringLiteral(", ")));
}

// The columns a read asks for: recordFrom()'s, then the kept number and
// the time.
QString readColumns()
{
    return recordColumns() + QStringLiteral(", IdNumber, KeptNumber, DeletedAt");
}

DeletedRecord deletedFrom(const QSqlQuery &query)
{
    DeletedRecord kept;
    kept.record = recordFrom(query);
    kept.keptNumber = query.value(14).toLongLong();
    kept.deletedAt = QDateTime::fromString(query.value(15).toString(),
                                           QLatin1String(kTimeFormat));
    return kept;
}

} // namespace

EngineKeys::KeyColumn numbers()
{
    return {kTable, "KeptNumber"};
}

bool exists(const QSqlDatabase &db, QString &error)
{
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("SELECT count(*) FROM sqlite_master WHERE type = 'table' "
                                   "AND name = '%1'")
                            .arg(QLatin1String(kTable)))
        || !query.next())
        return failed(query, error);
    error.clear();
    return query.value(0).toInt() == 1;
}

bool create(const QSqlDatabase &db, QString &error)
{
    QSqlQuery query(db);
    return query.exec(createStatement()) || failed(query, error);
}

bool ensure(const QSqlDatabase &db, QString &error)
{
    if (!exists(db, error))
        return error.isEmpty() && create(db, error);
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("PRAGMA table_info(%1)").arg(QLatin1String(kTable))))
        return failed(query, error);
    QStringList missing = DowsingRecord::fieldNames();
    missing << QStringLiteral("KeptNumber") << QStringLiteral("DeletedAt");
    bool keptNumberIsKey = false;
    int keyColumns = 0;
    while (query.next()) {
        const QString name = query.value(1).toString();
        missing.removeAll(name);
        if (query.value(5).toInt() > 0)
            ++keyColumns;
        if (name == QLatin1String("KeptNumber"))
            keptNumberIsKey = query.value(5).toInt() == 1
                    && query.value(2).toString().compare(QLatin1String("INTEGER"),
                                                         Qt::CaseInsensitive) == 0;
    }
    if (query.lastError().isValid())
        return failed(query, error);
    if (missing.isEmpty() && keptNumberIsKey && keyColumns == 1)
        return true;
    error = StoreTexts::tr("The file holds a table %1 that this program did not make, so no "
                           "copy of the record could be kept there.")
                    .arg(QLatin1String(kTable));
    return false;
}

std::optional<DeletedRecord> keep(const QSqlDatabase &db, const DowsingRecord &record,
                                  const QDateTime &deletedAt, QString &error)
{
    QSqlQuery insert(db);
    if (!insert.prepare(QStringLiteral("INSERT INTO %1 (%2, IdNumber, DeletedAt) VALUES "
                                       "(%3, ?, ?)")
                                .arg(QLatin1String(kTable), recordColumns(), recordPlaces()))) {
        failed(insert, error);
        return std::nullopt;
    }
    const QString keptAt = deletedAt.toString(QLatin1String(kTimeFormat));
    bindRecord(insert, record);
    insert.bindValue(13, record.IdNumber.value_or(0));
    insert.bindValue(14, keptAt);
    if (!insert.exec()) {
        failed(insert, error);
        return std::nullopt;
    }
    // A trigger of another program's may drop the row without an error.
    if (insert.numRowsAffected() != 1) {
        error = StoreTexts::tr("The file did not take the copy of the record.");
        return std::nullopt;
    }
    DeletedRecord kept;
    kept.keptNumber = insert.lastInsertId().toLongLong();
    kept.deletedAt = QDateTime::fromString(keptAt, QLatin1String(kTimeFormat));
    kept.record = record;
    kept.record.IdNumber = record.IdNumber.value_or(0);
    return kept;
}

QVector<DeletedRecord> all(const QSqlDatabase &db, QString &error)
{
    QVector<DeletedRecord> kept;
    if (!exists(db, error))
        return kept;
    QSqlQuery query(db);
    query.setForwardOnly(true);
    if (!query.exec(QStringLiteral("SELECT %1 FROM %2 ORDER BY KeptNumber DESC")
                            .arg(readColumns(), QLatin1String(kTable)))) {
        failed(query, error);
        return kept;
    }
    while (query.next())
        kept.append(deletedFrom(query));
    if (query.lastError().isValid()) {
        failed(query, error);
        kept.clear();
    }
    return kept;
}

std::optional<DeletedRecord> find(const QSqlDatabase &db, qint64 keptNumber, QString &error)
{
    if (!exists(db, error))
        return std::nullopt;
    QSqlQuery query(db);
    query.setForwardOnly(true);
    const QString where = keptNumber < 0 ? QStringLiteral("ORDER BY KeptNumber DESC LIMIT 1")
                                         : QStringLiteral("WHERE KeptNumber = ?");
    query.prepare(QStringLiteral("SELECT %1 FROM %2 %3")
                          .arg(readColumns(), QLatin1String(kTable), where));
    if (keptNumber >= 0)
        query.addBindValue(keptNumber);
    if (!query.exec()) {
        failed(query, error);
        return std::nullopt;
    }
    if (!query.next()) {
        if (query.lastError().isValid())
            failed(query, error);
        return std::nullopt;
    }
    return deletedFrom(query);
}

bool holdsSame(const DeletedRecord &kept, const DeletedRecord &shown)
{
    return kept.keptNumber == shown.keptNumber && kept.deletedAt == shown.deletedAt
            && kept.record.IdNumber == shown.record.IdNumber
            && kept.record.sameFields(shown.record);
}

std::optional<qint64> copyBack(const QSqlDatabase &db, qint64 keptNumber,
                               std::optional<qint64> key, QString &error)
{
    QSqlQuery insert(db);
    insert.prepare(key ? QStringLiteral("INSERT INTO Details (%1, IdNumber) SELECT %1, IdNumber "
                                        "FROM %2 WHERE KeptNumber = ?")
                                 .arg(recordColumns(), QLatin1String(kTable))
                       : QStringLiteral("INSERT INTO Details (%1) SELECT %1 FROM %2 "
                                        "WHERE KeptNumber = ?")
                                 .arg(recordColumns(), QLatin1String(kTable)));
    insert.addBindValue(keptNumber);
    if (!insert.exec()) {
        failed(insert, error);
        return std::nullopt;
    }
    // A trigger of another program's may drop the row without an error.
    if (insert.numRowsAffected() != 1) {
        error = StoreTexts::tr("The file did not take the record.");
        return std::nullopt;
    }
    return key ? *key : insert.lastInsertId().toLongLong();
}

bool drop(const QSqlDatabase &db, qint64 keptNumber, QString &error)
{
    QSqlQuery query(db);
    query.prepare(QStringLiteral("DELETE FROM %1 WHERE KeptNumber = ?").arg(QLatin1String(kTable)));
    query.addBindValue(keptNumber);
    if (!query.exec())
        return failed(query, error);
    if (query.numRowsAffected() != 1) {
        error = StoreTexts::tr("The deleted record is no longer kept in the file.");
        return false;
    }
    return true;
}

} // namespace Orvane::DeletedRecords
