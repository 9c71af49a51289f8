#pragma once

#include <QByteArrayView>
#include <QDate>
#include <QString>
#include <QStringView>

#include <optional>

// What a spreadsheet makes of a CSV cell, and how the export and the import
// keep a record's text through one.
//
// A spreadsheet runs a cell that begins with =, +, - or @ as a formula (and
// some do so for a tab or CR in front), and reads a time of day into many
// texts ("9:5", "11:45"), which it writes back in a form of its own
// ("09:05:00 AM"). So the export writes such a field with an apostrophe in
// front, the mark spreadsheets take for "this is text": it stays visible
// and a spreadsheet saves it back unchanged. The import takes the mark off
// again, and only where the export would have put it, so that a stored
// text that itself begins with apostrophes comes back with all of them.
namespace Orvane::CsvCells {

constexpr char kMark = '\'';

// What a column holds, which decides where the mark goes.
enum class Column { Text, Time, Date };

// Whether the export writes the field with the mark. A text field: it
// begins, after any apostrophes, with a character that starts a formula.
// The time: anything but empty or the stored form "HH:MM". The date:
// anything but empty or a calendar date in the stored form "yyyy-MM-dd"
// (another program's text, which a spreadsheet would read as a formula or
// a date of its own, and which the import must tell from a spreadsheet's).
bool needsMark(QByteArrayView field, Column column);

// The stored text of an imported field: the field without the mark where
// the export would have put one (marked set), else the field as it is.
QString unmarked(const QString &field, Column column, bool *marked = nullptr);

// The time as the entry window stores it ("HH:MM") of a time form that
// names one minute exactly: the stored form itself (two digits a side, not
// bounded: a stored "25:99" stays), and the forms spreadsheets write back,
// "9:05", "09:05:00", "24:05:00" (a count of hours past a day) and
// "11:45:00 AM" or "11:45 pm". nullopt for any other text, which an import
// keeps as it stands.
std::optional<QString> minuteOf(QStringView text);

// A date cell as spreadsheets write it back: yyyy-MM-dd, year/month/day,
// or day and month in either order before a four-digit year, separated by
// "-", "/" or ".". A date both orders could mean is refused, as is a
// two-digit year.
struct DateReading
{
    QDate date;
    // Why the text is no date, for a message; empty when date is valid.
    QString error;
};
DateReading readDate(QStringView text);

} // namespace Orvane::CsvCells
