#pragma once

#include <QDate>
#include <QString>

#include <optional>

// Every fourteen days the program offers to open the maker's download page.
// The date it last asked is the one setting it keeps.
namespace Orvane::UpdateReminder {

// Asks when it is due, and keeps the date it asked (or first ran).
void run();
// The reversible codec of the stored setting's key and value. The encoded
// text is usable as a settings key (no "/" or "\"); empty stays empty.
QString encodeSetting(const QString &text);
// The decoded text; empty for empty text and for text that is not an
// encoded one (tryDecodeSetting tells the two apart).
QString decodeSetting(const QString &text);
std::optional<QString> tryDecodeSetting(const QString &text);
// The user's short date format with the year always in four digits, so
// that a date written in it reads back as the same date.
QString dateFormat();
QString dateText(const QDate &date);
// An invalid date when the text is not a date in that format.
QDate dateFromText(const QString &text);

} // namespace Orvane::UpdateReminder
