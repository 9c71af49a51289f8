#pragma once

#include "DowsingRecord.h"
#include "EngineKeys.h"

#include <QDateTime>
#include <QSqlDatabase>
#include <QString>
#include <QVector>

#include <optional>

namespace Orvane {

// A deleted record as the file keeps it: the record with the key it had,
// when it was deleted, and the number it is kept under (never reused, so a
// window that lists kept records names each one for sure).
struct DeletedRecord
{
    qint64 keptNumber = 0;
    QDateTime deletedAt;
    DowsingRecord record;
};

// The deleted records kept in the record database, in table DeletedRecords,
// so that a delete can be undone. A delete keeps its copy in the transaction
// that removes the record from Details: a crash leaves the record in one
// table or the other, never in neither.
//
// The table stands apart from Details: no trigger, view or key ties the
// two, so a program that knows nothing of it reads and writes the file as
// before. A file made before the table existed gets it in the first
// delete's own transaction. Every function here runs inside the caller's
// transaction.
namespace DeletedRecords {

// The kept records' numbers, for EngineKeys::readKeyIndex().
EngineKeys::KeyColumn numbers();

// Whether the file has the table; false with error set when it cannot tell.
bool exists(const QSqlDatabase &db, QString &error);
// Makes the table.
bool create(const QSqlDatabase &db, QString &error);
// Makes the table where it is missing; a table of that name this program
// did not make (other fields, another key) is refused, so that no delete
// goes ahead without its copy.
bool ensure(const QSqlDatabase &db, QString &error);

// Keeps a copy of record (with its IdNumber) deleted at deletedAt; the
// kept record as the file now holds it (its number, the time to the second),
// or nullopt with error set.
std::optional<DeletedRecord> keep(const QSqlDatabase &db, const DowsingRecord &record,
                                  const QDateTime &deletedAt, QString &error);
// Every kept record, the one deleted last first; an empty list with error
// set when the read failed. A file without the table keeps none.
QVector<DeletedRecord> all(const QSqlDatabase &db, QString &error);
// The kept record with this number, or the one deleted last for -1; nullopt
// when there is none (error empty) or the read failed.
std::optional<DeletedRecord> find(const QSqlDatabase &db, qint64 keptNumber, QString &error);
// The kept record still holds what was read of it: the same number, the
// same time of deletion (to the second, as kept) and every field, its key
// among them. A number alone may name another kept record by now: a sync
// client may have put another machine's copy of the file in place.
bool holdsSame(const DeletedRecord &kept, const DeletedRecord &shown);
// Puts the kept record back among the records, its fields as the file
// keeps them, byte for byte (text another program stored in bytes that are
// not UTF-8 would not survive a round through QString): under key when
// given, else under a new one. The key it went under, or nullopt with
// error set.
std::optional<qint64> copyBack(const QSqlDatabase &db, qint64 keptNumber,
                               std::optional<qint64> key, QString &error);
// Removes the kept copy; false unless exactly that one went.
bool drop(const QSqlDatabase &db, qint64 keptNumber, QString &error);

} // namespace DeletedRecords
} // namespace Orvane
