#pragma once

#include "store/DowsingRecord.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace Orvane::Testing {

// Records and their fields as the tests of export and import compare them.

// The thirteen fields as an export writes them: the date as yyyy-MM-dd,
// then Name to Notes as stored.
QStringList csvFieldsOf(const DowsingRecord &r);
// Thirteen fields by header name, the rest empty: {{"Date", "2010-01-15"},
// {"Notes", "x"}}.
QStringList csvFields(std::initializer_list<std::pair<const char *, QString>> named);
// The record without its key, to compare a record with its copy.
DowsingRecord withoutKey(DowsingRecord r);

// Records whose text a spreadsheet would not keep if the export wrote it
// plainly, all of it text the table allows (another program or an import
// may store it): formulas in every kind of field, fields that begin with
// +, -, @ or apostrophes, times in other forms than "HH:MM" or none, a
// byte-order mark at a field's start, other scripts. No tab or CR (Calc
// drops tabs from cells and CR before LF when it saves CSV) and no field
// beyond a spreadsheet cell's size, so that a spreadsheet keeps them all.
QList<DowsingRecord> spreadsheetTroubleRecords();

} // namespace Orvane::Testing
