#pragma once

#include "DowsingRecord.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QStringEncoder>

#include <optional>

#ifdef ORVANE_ENGINE_KEYS
#include <sqlite3.h>
#endif

namespace Orvane {

// Adds records to Details on one connection, inside the caller's
// transaction, with one statement prepared once: straight through the
// engine where the driver is the system's SQLite (each field bound as the
// string's own UTF-16, with no QVariant), else through the driver.
class RecordInserter
{
public:
    explicit RecordInserter(const QSqlDatabase &db);
    ~RecordInserter();
    RecordInserter(const RecordInserter &) = delete;
    RecordInserter &operator=(const RecordInserter &) = delete;

    // The new record's key; nullopt with error set when the engine refused
    // the record or took no row (a trigger may drop it without an error).
    std::optional<qint64> insert(const DowsingRecord &record, QString &error);

private:
    QSqlQuery m_query;
    bool m_prepared = false;
#ifdef ORVANE_ENGINE_KEYS
    sqlite3 *m_handle = nullptr;
    sqlite3_stmt *m_statement = nullptr;
    QStringEncoder m_encoder{QStringEncoder::Utf8, QStringEncoder::Flag::Stateless};
    QByteArray m_utf8;
#endif
};

} // namespace Orvane
