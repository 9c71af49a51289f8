#pragma once

#include "DowsingRecord.h"
#include "RecordStore.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QStringList>
#include <QVector>

// The records as a CSV file, the form of Export and Import:
// - UTF-8 with a byte-order mark, RFC 4180: fields separated by commas,
//   lines ended by CR LF, a field holding a comma, a double quote, CR or LF
//   enclosed in double quotes with its own quotes doubled; line breaks in
//   the notes stay inside the quotes.
// - A header row of the report's field names, in this order: Date, Name,
//   Address, City, State, Pin, Phone Number, Email, Dowsing Time, Dowsing
//   Tool, Dowsing Item, Location, Notes. No key column: an import gives
//   every record a new key.
// - Dates as yyyy-MM-dd, every other field exactly as stored.
namespace Orvane::RecordCsv {

const QStringList &headerNames();
// The byte-order mark and the header row, ended by CR LF.
QByteArray fileStart();
// Appends one field, quoted where it must be.
void appendField(QByteArray &out, QByteArrayView field);
// Appends one stored row as a CSV line ended by CR LF.
void appendRow(QByteArray &out, const RecordStore::StoredRow &row);

// An import read and checked: the records, or the first bad row's line
// (the file's physical line where that record starts, counted from 1) and
// the reason.
struct ReadResult
{
    QVector<DowsingRecord> records;
    int errorLine = 0;
    QString error;
    bool ok() const { return error.isEmpty(); }
};

// Reads a whole file in the export's form: the header row required and
// checked, the byte-order mark optional, lines ended by CR LF or LF, empty
// lines at the very end ignored (an empty line between rows is a bad row). Each
// row is checked as the entry window checks what is typed: thirteen fields,
// well-formed quoting, UTF-8 text, a calendar date in yyyy-MM-dd, a time in
// the form the store keeps (two digits, a colon, two digits: "HH:MM", as
// the entry window writes it; an edit may keep a stored time such as
// "25:99", so the digits are not bounded), the tool and item as text.
ReadResult read(const QByteArray &bytes);

// The time checks of read(): "HH:MM" with any two digits on each side.
bool isStoredTimeForm(const QString &text);

} // namespace Orvane::RecordCsv
