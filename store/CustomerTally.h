#pragma once

#include "CustomerTable.h"

#include <QString>
#include <QVector>

#include <functional>
#include <memory>
#include <optional>

namespace Orvane {

class RecordFinder;

// Which customers the customers window shows, in which order.
struct CustomerRequest
{
    // Shown are the customers whose name, phone number or city holds this
    // text, whatever the case; every customer when empty.
    QString text;
    // A CustomerTally::Column, or -1 for the order in which the customers'
    // latest records were added.
    int sortColumn = -1;
    bool descending = false;

    friend bool operator==(const CustomerRequest &a, const CustomerRequest &b)
    {
        return a.text == b.text && a.sortColumn == b.sortColumn && a.descending == b.descending;
    }
    friend bool operator!=(const CustomerRequest &a, const CustomerRequest &b) { return !(a == b); }
};

struct CustomerView
{
    // Every customer, in the order asked for.
    std::shared_ptr<const CustomerTable> table;
    // When a text was given, the places in table of the customers found.
    std::optional<QVector<quint32>> found;
    // Why the records could not be read; empty on success.
    QString error;
    // Stopped on request before it was done.
    bool stopped = false;
    // The finder's RecordFinder::fileVersion() of the records table counts.
    qint64 fileVersion = -1;
};

// The customers of the records: a customer is the records that share a
// name and a phone number, both compared as stored but for case (Unicode
// case folding, as a search compares); a record with neither a name nor a
// phone number is a customer of its own. Each count rides on a search
// through the find index (RecordFinder), on every core, and is asked
// stop() often, so that a newer request ends it quickly.
namespace CustomerTally {

enum Column { Name, Phone, City, Records, FirstDate, LastDate, ColumnCount };

// Every customer, in the order in which their latest records were added.
CustomerView build(RecordFinder &finder, const std::function<bool()> &stop);

// The customers of counted (every customer, as build() or an earlier
// arrange() gave them), sorted and found as asked; ties keep the order in
// which the customers' latest records were added. A sort by name, phone
// number or city and a find read the records that stand for the customers:
// where another program changed the file since counted was made, those
// records may be gone or hold other text, so the customers are counted
// again first, and the view's table is the new count.
CustomerView arrange(RecordFinder &finder, const CustomerView &counted,
                     const CustomerRequest &request, const std::function<bool()> &stop);

} // namespace CustomerTally
} // namespace Orvane
