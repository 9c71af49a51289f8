#pragma once

#include <QDate>
#include <QString>

namespace Orvane {

// A record's date as the table stores it. The program writes the ISO text of
// a calendar date ("2009-03-07"), but another program may have stored any
// text there ("-0001-01-01", "2009-03-07 10:00"), and such a text must come
// back unchanged from every read, export, import and write that leaves the
// date alone. So the stored text is the date; the calendar date is only
// read from it, and only where the text is exactly the ISO form of one.
class RecordDate
{
public:
    RecordDate() = default;
    // The stored form of a calendar date; a null date stores no text.
    RecordDate(const QDate &date); // NOLINT: a calendar date is a record's date

    static RecordDate fromStored(const QString &text);

    const QString &storedText() const { return m_text; }
    bool isEmpty() const { return m_text.isEmpty(); }
    // The text is the ISO form of a calendar date, "yyyy-MM-dd".
    bool isCalendarDate() const { return m_date.isValid(); }
    // That date; a null date for any other text.
    QDate calendarDate() const { return m_date; }

    // As the list and the report show it: month/day/year without leading
    // zeros ("3/7/2009") for a calendar date, any other text as stored.
    QString listedText() const;

    // Two dates are the same when their stored texts are: "2009-03-07"
    // and "2009-03-07 10:00" are two dates.
    friend bool operator==(const RecordDate &a, const RecordDate &b)
    {
        return a.m_text == b.m_text;
    }
    friend bool operator!=(const RecordDate &a, const RecordDate &b) { return !(a == b); }

private:
    QString m_text;
    // Read from m_text once, never set apart from it.
    QDate m_date;
};

} // namespace Orvane
