#include "RecordDate.h"

namespace Orvane {

namespace {

// The calendar date a text is exactly the ISO form of: four digits, two and
// two, and a day the month has. QDate's own reading takes more ("2009-3-7",
// a time after it), which would make two stored texts one date.
QDate calendarDateOf(const QString &text)
{
    if (text.size() != 10 || text.at(4) != u'-' || text.at(7) != u'-')
        return {};
    for (int i : {0, 1, 2, 3, 5, 6, 8, 9}) {
        if (text.at(i) < u'0' || text.at(i) > u'9')
            return {};
    }
    const auto number = [&](int from, int digits) {
        int value = 0;
        for (int i = from; i < from + digits; ++i)
            value = value * 10 + (text.at(i).unicode() - u'0');
        return value;
    };
    return QDate(number(0, 4), number(5, 2), number(8, 2));
}

} // namespace

RecordDate::RecordDate(const QDate &date)
    : m_text(date.isValid() ? date.toString(Qt::ISODate) : QString())
    , m_date(calendarDateOf(m_text))
{
}

RecordDate RecordDate::fromStored(const QString &text)
{
    RecordDate date;
    date.m_text = text;
    date.m_date = calendarDateOf(text);
    return date;
}

QString RecordDate::listedText() const
{
    if (!m_date.isValid())
        return m_text;
    return QStringLiteral("%1/%2/%3").arg(m_date.month()).arg(m_date.day()).arg(m_date.year());
}

} // namespace Orvane
