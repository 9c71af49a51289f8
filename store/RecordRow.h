#pragma once

#include "DowsingRecord.h"

class QSqlQuery;

namespace Orvane {

// The record on a query's current row, whose columns are the table's
// fields in order (Date to Notes) followed by IdNumber. A date stored with a
// time of day is read as its calendar date.
DowsingRecord recordFrom(const QSqlQuery &query);

} // namespace Orvane
