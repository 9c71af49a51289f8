#pragma once

#include "DowsingRecord.h"

#include <QString>
#include <QVector>

class QSqlError;
class QSqlQuery;

// What the store's files share about the table and the engine.
namespace Orvane {

// The table's fields in order, Date to Notes, as a column list.
QString recordColumns();

// The stored fields (their places in DowsingRecord::fields(), Date to
// Notes) whose stored texts differ between the two records.
QVector<int> changedFields(const DowsingRecord &from, const DowsingRecord &to);
// "Name=?, Notes=?": those fields set from as many places.
QString assignmentsOf(const QVector<int> &fields);
// Binds those fields of the record to the places of assignmentsOf(), from
// the first on.
void bindFields(QSqlQuery &query, const DowsingRecord &record, const QVector<int> &fields);
// The thirteen places of an INSERT's VALUES for recordColumns().
QString recordPlaces();

// The record on a query's current row, whose columns are recordColumns()
// followed by IdNumber. The date is its stored text, whatever it holds.
DowsingRecord recordFrom(const QSqlQuery &query);

// Binds the record's fields, Date to Notes, to the thirteen places of query
// (recordPlaces()) from first on; text fields are written as "" rather than
// NULL.
void bindRecord(QSqlQuery &query, const DowsingRecord &record, int first = 0);

// The engine's reason for a failure, said plainly for a damaged file.
QString reasonOf(const QSqlError &error);

QString nativePath(const QString &path);

} // namespace Orvane
