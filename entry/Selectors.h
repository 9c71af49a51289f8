#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

#include <optional>

// What the date, time, tool and item selectors of the entry window offer,
// and how their texts turn into a stored date and time and back.
namespace Orvane::Selectors {

QStringList hours();   // "00" .. "24"
QStringList minutes(); // "00" .. "59"
QStringList amPm();    // "AM", "PM"
QStringList months();  // "January" .. "December"
QStringList days();    // "1" .. "31"
QStringList years();   // "1900" .. "2050"
QStringList tools();   // "Rods", "Branch", "Pendulam", "Other"
QStringList items();   // "water", "Oil", "Treasure", "Missing Person", "Others"

// The entries that open the pop-ups for naming an unlisted tool or item.
constexpr int kOtherToolIndex = 3;
constexpr int kOtherItemIndex = 4;
// Hours from this position on ("12" .. "24") are afternoon.
constexpr int kFirstPmHourIndex = 12;

// The date the three date selectors name (month 1..12 by position, day and
// year by their texts); a null date when it is not a calendar date, such as
// 31 February.
QDate composeDate(int monthNumber, const QString &dayText, const QString &yearText);
// "HH:MM" from the two selectors' texts, as they read ("24" kept).
QString composeTime(const QString &hourText, const QString &minuteText);

// A listed date "M/D/YYYY" cut at its slashes: the month before the first,
// the day between the first and the second, the year after the second. A
// part that is not there is empty.
struct DateParts
{
    QString month, day, year;
};
DateParts splitListedDate(const QString &text);
// A listed time "HH:MM": the first two characters, and up to five
// characters from the fourth on.
struct TimeParts
{
    QString hour, minute;
};
TimeParts splitListedTime(const QString &text);

// A whole number in a text, or nothing when the text is not one.
std::optional<int> numberIn(const QString &text);

} // namespace Orvane::Selectors
