#pragma once

#include "CsvCells.h"
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
// - Every field as stored, the date too, but:
//   - a field a spreadsheet would run as a formula, in the time column
//     anything but an empty field or "HH:MM", and in the date column
//     anything but a calendar date "yyyy-MM-dd" (a spreadsheet would write
//     either back in a form of its own; another program may have stored
//     any text as a date), has an apostrophe in front, which the import
//     takes off again (see CsvCells);
//   - bytes of a stored field that are not UTF-8 text (another program
//     wrote them) are written as the Windows-1252 characters they stand
//     for, a zero character as U+FFFD, so that the file is always UTF-8.
// The import (RecordCsvReader) also reads what spreadsheets save back.
namespace Orvane::RecordCsv {

// The header's names, Date to Notes.
const QStringList &headerNames();
// The byte-order mark and the header row, ended by CR LF.
QByteArray fileStart();
// Appends one field, quoted where it must be, as the export writes it.
// Returns whether it held bytes that are not text.
bool appendField(QByteArray &out, QByteArrayView field,
                 CsvCells::Column column = CsvCells::Column::Text);
// Appends one stored row as a CSV line ended by CR LF. Returns the number
// of its fields that held bytes that are not text.
int appendRow(QByteArray &out, const RecordStore::StoredRow &row);

// Appends bytes that may not be UTF-8 as UTF-8 text: each byte outside a
// valid UTF-8 sequence as the Windows-1252 character it stands for (the
// five bytes that code leaves unused as U+0081 and so on), a zero byte as
// U+FFFD. Returns whether any byte was so written.
bool appendAsText(QByteArray &out, QByteArrayView bytes);

// Whether bytes are well-formed UTF-8 (what appendAsText() keeps as it is).
bool isUtf8(QByteArrayView bytes);

// An import read and checked: the records, or the first bad row's line
// (the file's physical line where that record starts, counted from 1) and
// the reason.
struct ReadResult
{
    QVector<DowsingRecord> records;
    int errorLine = 0;
    QString error;
    // Rows whose every field was empty, passed over.
    qint64 skippedRows = 0;
    bool ok() const { return error.isEmpty(); }
};

// Reads a whole file held in memory, as RecordCsvReader reads a device.
ReadResult read(const QByteArray &bytes);

} // namespace Orvane::RecordCsv
