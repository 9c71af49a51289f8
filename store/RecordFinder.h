#pragma once

#include "KeyList.h"

#include <QString>

#include <functional>
#include <memory>

namespace Orvane {

// What the list shows: the records holding a text, in an order.
struct FindRequest
{
    // Shown are the records where any text field, or the date as the list
    // shows it, holds this text, whatever the case; every record when empty.
    QString text;
    // A column in DowsingRecord::fieldNames() order to sort by, or -1 for
    // the order of addition.
    int sortColumn = -1;
    bool descending = false;

    bool showsEverything() const { return text.isEmpty() && sortColumn < 0; }
    friend bool operator==(const FindRequest &a, const FindRequest &b)
    {
        return a.text == b.text && a.sortColumn == b.sortColumn && a.descending == b.descending;
    }
    friend bool operator!=(const FindRequest &a, const FindRequest &b) { return !(a == b); }
};

struct FindResult
{
    // The keys of the records shown, in the order asked for.
    KeyList keys;
    // Why the records could not be read; empty on success.
    QString error;
    // Stopped on request before it was done; keys are then incomplete.
    bool stopped = false;
};

// Finds and sorts records through a read-only connection of its own, made
// in the thread that first uses the finder: one finder serves one thread.
class RecordFinder
{
public:
    explicit RecordFinder(const QString &databasePath);
    ~RecordFinder();
    RecordFinder(const RecordFinder &) = delete;
    RecordFinder &operator=(const RecordFinder &) = delete;

    // Returns early with stopped set once shouldStop() answers true, which it
    // is asked often, so that a search the user has typed past ends quickly.
    FindResult run(const FindRequest &request, const std::function<bool()> &shouldStop);

private:
    struct Engine;
    QString m_path;
    std::unique_ptr<Engine> m_engine;
};

} // namespace Orvane
