#include "RecordStore.h"

#include "EngineKeys.h"
#include "StoreSql.h"
#include "StoreTexts.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

#include <limits>

// The store's bulk reads (for the export) and its back-up copy.
namespace Orvane {

namespace {

#ifdef ORVANE_ENGINE_KEYS
// A statement on the engine's own handle; null, with the engine's reason,
// when it refused the text.
sqlite3_stmt *prepared(sqlite3 *handle, const QString &sql, QString &reason)
{
    sqlite3_stmt *statement = nullptr;
    const QByteArray text = sql.toUtf8();
    if (sqlite3_prepare_v2(handle, text.constData(), int(text.size()), &statement, nullptr)
        != SQLITE_OK) {
        reason = QString::fromUtf8(sqlite3_errmsg(handle));
        return nullptr;
    }
    return statement;
}

// Fills a row's views from the current row of a statement whose columns are
// recordColumns() then IdNumber.
void rowFromStatement(sqlite3_stmt *statement, RecordStore::StoredRow &row)
{
    for (int i = 0; i < RecordStore::StoredRow::kFields; ++i) {
        const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(statement, i));
        row.fields[i] = QByteArrayView(text, text ? sqlite3_column_bytes(statement, i) : 0);
    }
    row.idNumber = sqlite3_column_int64(statement, RecordStore::StoredRow::kFields);
}
#endif

// The same through the driver, which reads the fields as bytes (see
// fieldBytes()) so that text that is not UTF-8 comes as it is stored: the
// bytes are kept in texts for the visit.
void rowFromQuery(const QSqlQuery &query, QByteArray (&texts)[RecordStore::StoredRow::kFields],
                  RecordStore::StoredRow &row)
{
    for (int i = 0; i < RecordStore::StoredRow::kFields; ++i) {
        texts[i] = query.value(i).toByteArray();
        row.fields[i] = texts[i];
    }
    row.idNumber = query.value(RecordStore::StoredRow::kFields).toLongLong();
}

// The record's columns for the driver: as text, it would turn bytes that are
// not UTF-8 into U+FFFD without a word; as bytes they come as stored.
QString fieldBytes()
{
    QStringList columns;
    for (int i = 0; i < DowsingRecord::kStoredFields; ++i)
        columns.append(QStringLiteral("CAST(%1 AS BLOB)")
                               .arg(QLatin1String(DowsingRecord::fields()[i].column)));
    return columns.join(QStringLiteral(", "));
}

} // namespace

// Pays: 1M records exported in 972 ms against 2099 ms for sqlite3 -csv -header, medians of 3 (build/bench/orvane-export-bench 1000000 3).
// A forward-only statement straight on the engine's handle hands out
// the engine's own UTF-8 text, with no QVariant or QString per field.
bool RecordStore::readRows(std::optional<qint64> afterKey, int limit, const RowVisitor &visit,
                           int *rowsRead, qint64 *lastKey)
{
    m_error.clear();
    int read = 0;
    if (rowsRead)
        *rowsRead = 0;
    if (!isOpen())
        return fail(StoreTexts::notOpen());
    QSqlDatabase db = database();
    const QString sql = QStringLiteral("SELECT %1, IdNumber FROM Details WHERE IdNumber %2 ? "
                                       "ORDER BY IdNumber LIMIT ?")
                                .arg(recordColumns(), afterKey ? QLatin1String(">")
                                                               : QLatin1String(">="));
    const qint64 from = afterKey.value_or(std::numeric_limits<qint64>::min());
    StoredRow row;
#ifdef ORVANE_ENGINE_KEYS
    if (sqlite3 *handle = EngineKeys::handleOf(db)) {
        QString reason;
        sqlite3_stmt *statement = prepared(handle, sql, reason);
        if (!statement)
            return fail(reason);
        sqlite3_bind_int64(statement, 1, from);
        sqlite3_bind_int(statement, 2, limit);
        int rc;
        while ((rc = sqlite3_step(statement)) == SQLITE_ROW) {
            rowFromStatement(statement, row);
            visit(row);
            ++read;
            if (lastKey)
                *lastKey = row.idNumber;
        }
        sqlite3_finalize(statement);
        if (rowsRead)
            *rowsRead = read;
        if (rc != SQLITE_DONE)
            return fail(QString::fromUtf8(sqlite3_errstr(rc)));
        return true;
    }
#endif
    QSqlQuery query(db);
    query.setForwardOnly(true);
    query.prepare(QString(sql).replace(recordColumns(), fieldBytes()));
    query.addBindValue(from);
    query.addBindValue(limit);
    if (!query.exec())
        return fail(reasonOf(query.lastError()));
    QByteArray texts[StoredRow::kFields];
    while (query.next()) {
        rowFromQuery(query, texts, row);
        visit(row);
        ++read;
        if (lastKey)
            *lastKey = row.idNumber;
    }
    if (rowsRead)
        *rowsRead = read;
    if (query.lastError().isValid())
        return fail(reasonOf(query.lastError()));
    return true;
}

bool RecordStore::readRows(const QVector<qint64> &keys, const RowVisitor &visit)
{
    m_error.clear();
    if (!isOpen())
        return fail(StoreTexts::notOpen());
    QSqlDatabase db = database();
    const QString sql = QStringLiteral("SELECT %1, IdNumber FROM Details WHERE IdNumber = ?")
                                .arg(recordColumns());
    StoredRow row;
#ifdef ORVANE_ENGINE_KEYS
    if (sqlite3 *handle = EngineKeys::handleOf(db)) {
        QString reason;
        sqlite3_stmt *statement = prepared(handle, sql, reason);
        if (!statement)
            return fail(reason);
        int rc = SQLITE_DONE;
        for (const qint64 key : keys) {
            sqlite3_reset(statement);
            sqlite3_bind_int64(statement, 1, key);
            rc = sqlite3_step(statement);
            if (rc == SQLITE_ROW) {
                rowFromStatement(statement, row);
                visit(row);
                rc = SQLITE_DONE;
            } else if (rc != SQLITE_DONE) {
                break;
            }
        }
        sqlite3_finalize(statement);
        if (rc != SQLITE_DONE)
            return fail(QString::fromUtf8(sqlite3_errstr(rc)));
        return true;
    }
#endif
    QSqlQuery query(db);
    query.setForwardOnly(true);
    query.prepare(QString(sql).replace(recordColumns(), fieldBytes()));
    QByteArray texts[StoredRow::kFields];
    for (const qint64 key : keys) {
        query.bindValue(0, key);
        if (!query.exec())
            return fail(reasonOf(query.lastError()));
        if (query.next()) {
            rowFromQuery(query, texts, row);
            visit(row);
        }
        if (query.lastError().isValid())
            return fail(reasonOf(query.lastError()));
        query.finish();
    }
    return true;
}

RecordStore::BackUpResult RecordStore::backUpTo(const QString &path,
                                                const DatabaseCopy::Progress &progress)
{
    m_error.clear();
    if (!isOpen()) {
        fail(StoreTexts::notOpen());
        return BackUpResult::Failed;
    }
    return DatabaseCopy::copy(database(), m_file.path(), path,
                              progress, m_error);
}

} // namespace Orvane
