#include "Selectors.h"

#include <QCoreApplication>

namespace Orvane::Selectors {

namespace {

// The translation context of the entries that are words.
struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(Orvane::Selectors)
};

QStringList numbers(int first, int last, int width)
{
    QStringList list;
    list.reserve(last - first + 1);
    for (int n = first; n <= last; ++n)
        list.append(QStringLiteral("%1").arg(n, width, 10, QLatin1Char('0')));
    return list;
}

} // namespace

QStringList hours()
{
    return numbers(0, 24, 2);
}

QStringList minutes()
{
    return numbers(0, 59, 2);
}

QStringList amPm()
{
    return {Texts::tr("AM"), Texts::tr("PM")};
}

QStringList months()
{
    return {Texts::tr("January"), Texts::tr("February"), Texts::tr("March"),
            Texts::tr("April"),   Texts::tr("May"),      Texts::tr("June"),
            Texts::tr("July"),    Texts::tr("August"),   Texts::tr("September"),
            Texts::tr("October"), Texts::tr("November"), Texts::tr("December")};
}

QStringList days()
{
    return numbers(1, 31, 1);
}

QStringList years()
{
    return numbers(1900, 2050, 1);
}

QStringList tools()
{
    return {Texts::tr("Rods"), Texts::tr("Branch"), Texts::tr("Pendulam"),
            Texts::tr("Other")};
}

QStringList items()
{
    return {Texts::tr("water"), Texts::tr("Oil"), Texts::tr("Treasure"),
            Texts::tr("Missing Person"), Texts::tr("Others")};
}

std::optional<int> numberIn(const QString &text)
{
    bool ok = false;
    const int n = text.trimmed().toInt(&ok);
    if (!ok)
        return std::nullopt;
    return n;
}

QDate composeDate(int monthNumber, const QString &dayText, const QString &yearText)
{
    const auto day = numberIn(dayText);
    const auto year = numberIn(yearText);
    if (!day || !year)
        return {};
    // QDate refuses what is not a calendar date: the result is then null.
    return QDate(*year, monthNumber, *day);
}

QString composeTime(const QString &hourText, const QString &minuteText)
{
    return hourText + QLatin1Char(':') + minuteText;
}

DateParts splitListedDate(const QString &text)
{
    DateParts parts;
    const int p1 = text.indexOf(QLatin1Char('/'));
    if (p1 < 0)
        return parts;
    parts.month = text.left(p1);
    const int p2 = text.indexOf(QLatin1Char('/'), p1 + 1);
    if (p2 < 0)
        return parts;
    parts.day = text.mid(p1 + 1, p2 - p1 - 1);
    parts.year = text.mid(p2 + 1);
    return parts;
}

TimeParts splitListedTime(const QString &text)
{
    TimeParts parts;
    parts.hour = text.left(2);
    parts.minute = text.mid(3, 5);
    return parts;
}

} // namespace Orvane::Selectors
