#include "CsvCells.h"

#include "StoreTexts.h"

#include <QVarLengthArray>

namespace Orvane::CsvCells {

namespace {

bool startsFormula(char16_t c)
{
    return c == u'=' || c == u'+' || c == u'-' || c == u'@' || c == u'\t' || c == u'\r';
}

// The longest time form minuteOf() reads ("12:00:00 AM" and a little).
constexpr qsizetype kLongestTime = 16;

char16_t unit(QChar c)
{
    return c.unicode();
}
char16_t unit(char c)
{
    return static_cast<unsigned char>(c);
}

// The entry window's form of a time, "HH:MM", whatever the digits.
template<typename Text>
bool isStoredTime(const Text &text)
{
    const auto digit = [&](int i) { return unit(text.at(i)) >= u'0' && unit(text.at(i)) <= u'9'; };
    return text.size() == 5 && digit(0) && digit(1) && unit(text.at(2)) == u':' && digit(3)
            && digit(4);
}

// The program's own form of a date, "yyyy-MM-dd", of a day the calendar has.
template<typename Text>
bool isStoredDate(const Text &text)
{
    if (text.size() != 10 || unit(text.at(4)) != u'-' || unit(text.at(7)) != u'-')
        return false;
    int value[3] = {0, 0, 0};
    for (int i = 0, part = 0; i < 10; ++i) {
        const char16_t c = unit(text.at(i));
        if (i == 4 || i == 7) {
            ++part;
            continue;
        }
        if (c < u'0' || c > u'9')
            return false;
        value[part] = value[part] * 10 + (c - u'0');
    }
    return QDate::isValid(value[0], value[1], value[2]);
}

// A spreadsheet reads a time into many texts ("9:5", "9.30"), which it then
// writes back in a form of its own: any time but the stored form and the
// empty field is marked. So is a date another program stored in any form
// but the program's own: the import keeps a marked date as it stands and
// reads any other as a spreadsheet's, refusing one it cannot read (an empty
// one too, which no record may hold).
template<typename Text>
bool markedForm(const Text &field, Column column)
{
    if (column == Column::Time || column == Column::Date)
        return !field.isEmpty()
                && !(column == Column::Time ? isStoredTime(field) : isStoredDate(field));
    qsizetype i = 0;
    while (i < field.size() && unit(field.at(i)) == u'\'')
        ++i;
    return i < field.size() && startsFormula(unit(field.at(i)));
}

// Reads a run of one to maxDigits digits at pos; -1 when there is none.
int number(QStringView text, qsizetype &pos, int maxDigits, int *digits = nullptr)
{
    int value = 0;
    int count = 0;
    while (pos < text.size() && count < maxDigits && text.at(pos).isDigit()
           && text.at(pos).unicode() < 128) {
        value = value * 10 + (text.at(pos).unicode() - u'0');
        ++pos;
        ++count;
    }
    if (digits)
        *digits = count;
    return count ? value : -1;
}

QString twoDigits(int value)
{
    return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0'));
}

QString longDate(const QDate &date)
{
    return date.toString(QStringLiteral("d MMMM yyyy"));
}

} // namespace

bool needsMark(QByteArrayView field, Column column)
{
    return markedForm(field, column);
}

QString unmarked(const QString &field, Column column, bool *marked)
{
    // The mark was put on exactly the fields that, without it, need one.
    const bool found = field.startsWith(QLatin1Char(kMark))
            && markedForm(QStringView(field).sliced(1), column);
    if (marked)
        *marked = found;
    return found ? field.mid(1) : field;
}

std::optional<QString> minuteOf(QStringView text)
{
    if (text.size() > kLongestTime)
        return std::nullopt;
    qsizetype pos = 0;
    int hourDigits = 0;
    const int hour = number(text, pos, 2, &hourDigits);
    if (hour < 0 || pos >= text.size() || text.at(pos) != u':')
        return std::nullopt;
    ++pos;
    int minuteDigits = 0;
    const int minute = number(text, pos, 2, &minuteDigits);
    if (minuteDigits != 2)
        return std::nullopt;
    bool seconds = false;
    if (pos < text.size() && text.at(pos) == u':') {
        ++pos;
        int secondDigits = 0;
        // Only a whole minute is a time the entry window can hold.
        if (number(text, pos, 2, &secondDigits) != 0 || secondDigits != 2)
            return std::nullopt;
        seconds = true;
    }
    QStringView rest = text.sliced(pos);
    if (rest.startsWith(u' '))
        rest = rest.sliced(1);
    const bool am = rest.compare(u"AM", Qt::CaseInsensitive) == 0;
    const bool pm = rest.compare(u"PM", Qt::CaseInsensitive) == 0;
    if (!rest.isEmpty() && !am && !pm)
        return std::nullopt;
    if (am || pm) {
        if (hour < 1 || hour > 12 || minute > 59)
            return std::nullopt;
        return twoDigits(hour % 12 + (pm ? 12 : 0)) + u':' + twoDigits(minute);
    }
    // The stored form itself, whatever its digits.
    if (!seconds && hourDigits == 2)
        return text.toString();
    if (minute > 59)
        return std::nullopt;
    return twoDigits(hour) + u':' + twoDigits(minute);
}

DateReading readDate(QStringView text)
{
    DateReading reading;
    const QString shown = QLatin1Char('"') + text.toString() + QLatin1Char('"');
    const auto notADate = [&] {
        reading.error = StoreTexts::tr("The date %1 is not a calendar date in the form "
                                         "yyyy-MM-dd.")
                                  .arg(shown);
        return reading;
    };
    // Three numbers with one separator between them.
    QVarLengthArray<int, 3> parts;
    QVarLengthArray<int, 3> digits;
    QChar separator;
    qsizetype pos = 0;
    for (int i = 0; i < 3; ++i) {
        if (i > 0) {
            if (pos >= text.size())
                return notADate();
            const QChar c = text.at(pos);
            if (i == 1 && (c == u'-' || c == u'/' || c == u'.'))
                separator = c;
            else if (c != separator)
                return notADate();
            ++pos;
        }
        int count = 0;
        parts.append(number(text, pos, 4, &count));
        digits.append(count);
        if (count == 0)
            return notADate();
    }
    if (pos != text.size())
        return notADate();
    if (digits[0] == 4) {
        if (digits[1] > 2 || digits[2] > 2)
            return notADate();
        reading.date = QDate(parts[0], parts[1], parts[2]);
        return reading.date.isValid() ? reading : notADate();
    }
    if (digits[2] != 4) {
        if (digits[2] > 2 || digits[0] > 2 || digits[1] > 2)
            return notADate();
        reading.error = StoreTexts::tr("The date %1 has a two-digit year, which may be of any "
                                         "century. Save the dates in the form yyyy-MM-dd and "
                                         "import the file again.")
                                  .arg(shown);
        return reading;
    }
    if (digits[0] > 2 || digits[1] > 2)
        return notADate();
    const QDate dayFirst(parts[2], parts[1], parts[0]);
    const QDate monthFirst(parts[2], parts[0], parts[1]);
    if (dayFirst.isValid() && monthFirst.isValid() && dayFirst != monthFirst) {
        reading.error = StoreTexts::tr("The date %1 may be %2 or %3. Save the dates in the form "
                                         "yyyy-MM-dd and import the file again.")
                                  .arg(shown, longDate(dayFirst), longDate(monthFirst));
        return reading;
    }
    reading.date = dayFirst.isValid() ? dayFirst : monthFirst;
    return reading.date.isValid() ? reading : notADate();
}

} // namespace Orvane::CsvCells
