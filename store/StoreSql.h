#pragma once

#include "DowsingRecord.h"

#include <QString>

class QSqlError;
class QSqlQuery;

// What the store's files share about the table and the engine.
namespace Orvane {

// The table's fields in order, Date to Notes, as a column list.
QString recordColumns();

// "Date=?, Name=?, .. Notes=?": the stored fields set from thirteen places.
QString recordAssignments();
// The thirteen places of an INSERT's VALUES for recordColumns().
QString recordPlaces();

// The record on a query's current row, whose columns are recordColumns()
// followed by IdNumber. A date stored with a time of day is read as its
// calendar date.
DowsingRecord recordFrom(const QSqlQuery &query);

// Binds the record's fields, Date to Notes, to the thirteen places of query
// (recordAssignments() or recordPlaces()) from first on; text fields are
// written as "" rather than NULL.
void bindRecord(QSqlQuery &query, const DowsingRecord &record, int first = 0);

// The engine's reason for a failure, said plainly for a damaged file.
QString reasonOf(const QSqlError &error);

QString nativePath(const QString &path);

} // namespace Orvane
