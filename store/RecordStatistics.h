#pragma once

#include <QByteArray>
#include <QDate>
#include <QString>
#include <QVector>

#include <functional>

namespace Orvane {

class RecordFinder;
struct FindRequest;

// What a set of records adds up to: how many, of how many customers (as
// CustomerTally tells them apart), over which dates, per month, and how the
// tools, items and cities share them. Dates are those the list shows; a
// record without one counts everywhere but among the months.
struct RecordStatistics
{
    static constexpr int kTopCities = 10;

    qint64 records = 0;
    qint64 customers = 0;
    // Records without a date.
    qint64 undated = 0;
    QDate firstDate;
    QDate lastDate;
    // Records per month, from the month of firstDate to that of lastDate,
    // months without records among them.
    QVector<qint64> perMonth;

    // A field's value, the same whatever its case, and its records; key is
    // one of them, so that the value can be shown as stored.
    struct Share
    {
        QByteArray folded;
        qint64 records = 0;
        qint64 key = 0;
    };
    // Every tool and every item, and the most frequent cities, each the one
    // with most records first (ties in the order of their folded text). An
    // empty field is a value too.
    QVector<Share> tools;
    QVector<Share> items;
    QVector<Share> cities;

    // Why the records could not be read; empty on success.
    QString error;
    bool stopped = false;

    // The month of perMonth's first entry.
    QDate firstMonth() const { return QDate(firstDate.year(), firstDate.month(), 1); }

    // The statistics of the records request finds (its sort aside), read
    // through the find index on every core, as a search reads it. Asks
    // stop() often.
    static RecordStatistics tally(RecordFinder &finder, const FindRequest &request,
                                  const std::function<bool()> &stop);
};

} // namespace Orvane
