#include "TableKeyReader.h"

#include "EngineKeys.h"
#include "StoreSql.h"

#include <QSqlError>
#include <QVariant>

#include <sqlite3.h>

#include <limits>

namespace Orvane {

namespace {

const char kKeys[] = "SELECT IdNumber FROM Details";

} // namespace

TableKeyReader::TableKeyReader(const QSqlDatabase &db) : m_db(db) {}

TableKeyReader::~TableKeyReader()
{
    close();
}

bool TableKeyReader::start(QString &error)
{
    QSqlQuery span(m_db);
    // Each of its own: together, the engine would read the whole table.
    if (!span.exec(QStringLiteral("SELECT (SELECT min(IdNumber) FROM Details), "
                                  "(SELECT max(IdNumber) FROM Details)"))
        || !span.next()) {
        error = reasonOf(span.lastError());
        return false;
    }
    if (!span.isNull(0)) {
        const quint64 most = quint64(span.value(1).toLongLong()) - quint64(span.value(0).toLongLong());
        m_mostRecords = most >= quint64(std::numeric_limits<qint64>::max())
                ? std::numeric_limits<qint64>::max()
                : qint64(most) + 1;
    }
#ifdef ORVANE_ENGINE_KEYS
    if (sqlite3 *handle = EngineKeys::handleOf(m_db)) {
        if (sqlite3_prepare_v2(handle, kKeys, -1, &m_statement, nullptr) != SQLITE_OK) {
            error = QString::fromUtf8(sqlite3_errmsg(handle));
            close();
            return false;
        }
        return true;
    }
#endif
    m_query.emplace(m_db);
    m_query->setForwardOnly(true);
    if (!m_query->exec(QString::fromLatin1(kKeys))) {
        error = failure();
        close();
        return false;
    }
    return true;
}

bool TableKeyReader::next()
{
    if (m_done || m_failed)
        return false;
    if (m_statement) {
        const int rc = sqlite3_step(m_statement);
        if (rc == SQLITE_ROW) {
            m_summary.add(sqlite3_column_int64(m_statement, 0));
            return true;
        }
        m_failed = rc != SQLITE_DONE;
    } else if (m_query) {
        if (m_query->next()) {
            m_summary.add(m_query->value(0).toLongLong());
            return true;
        }
        m_failed = m_query->lastError().isValid();
    }
    m_done = true;
    return false;
}

void TableKeyReader::step(qint64 rows)
{
    for (qint64 n = 0; n < rows && next(); ++n) {
    }
}

std::optional<KeySummary> TableKeyReader::finish(QString &error)
{
    while (next()) {
    }
    std::optional<KeySummary> summary;
    if (m_failed)
        error = failure();
    else
        summary = m_summary;
    close();
    return summary;
}

QString TableKeyReader::failure() const
{
    if (m_statement)
        return QString::fromUtf8(sqlite3_errmsg(sqlite3_db_handle(m_statement)));
    return m_query ? reasonOf(m_query->lastError()) : QString();
}

void TableKeyReader::close()
{
    if (m_statement) {
        sqlite3_finalize(m_statement);
        m_statement = nullptr;
    }
    m_query.reset();
}

} // namespace Orvane
