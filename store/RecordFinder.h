#pragma once

#include "DowsingRecord.h"
#include "KeyList.h"
#include "KeySummary.h"

#include <QString>

#include <functional>
#include <memory>
#include <optional>

namespace Orvane {

class BlockWorkers;

// What the list shows: the records holding a text, in an order.
struct FindRequest
{
    // Shown are the records where any text field, or the date as the list
    // shows it, holds this text, whatever the case; every record when empty.
    QString text;
    // The field to sort by; none for the order of addition.
    std::optional<DowsingRecord::FieldId> sortBy;
    bool descending = false;

    bool showsEverything() const { return text.isEmpty() && !sortBy; }
    friend bool operator==(const FindRequest &a, const FindRequest &b)
    {
        return a.text == b.text && a.sortBy == b.sortBy && a.descending == b.descending;
    }
    friend bool operator!=(const FindRequest &a, const FindRequest &b) { return !(a == b); }
};

struct FindResult
{
    // The keys of the records shown, in the order asked for.
    KeyList keys;
    // Every key of the table as the search saw it: keys is part of it, and
    // the list counts against it.
    KeySummary table;
    // The find index did not cover exactly the table's records (another
    // program wrote it, or its pages are damaged): the search read the
    // records themselves, and the index wants building anew.
    bool indexUnsound = false;
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
    // threads: how many share out a search's blocks; all the machine's
    // cores when not given.
    explicit RecordFinder(const QString &databasePath, int threads = 0);
    ~RecordFinder();
    RecordFinder(const RecordFinder &) = delete;
    RecordFinder &operator=(const RecordFinder &) = delete;

    // Returns early with stopped set once shouldStop() answers true, which it
    // is asked often, so that a search the user has typed past ends quickly.
    //
    // The find index is trusted only where it covers exactly the table's
    // keys: listed is the summary of the keys the caller read (the list's),
    // against which the index's keys are checked as they pass; without it,
    // or when they differ, the table's keys are read to tell a changed table
    // from an index that does not fit it.
    FindResult run(const FindRequest &request, const std::function<bool()> &shouldStop,
                   const std::optional<KeySummary> &listed = std::nullopt);

private:
    struct Engine;
    struct Pass;
    Pass search(const FindRequest &request, bool useIndex, qint64 mostRecords,
                const std::function<bool()> &shouldStop);
    // The summary of the table's keys, read in the current transaction.
    std::optional<KeySummary> tableKeys(QString &error);

    QString m_path;
    std::unique_ptr<Engine> m_engine;
    int m_threads = 0;
    std::unique_ptr<BlockWorkers> m_workers;
    // The engine's count of other connections' commits when the index was
    // last found not to fit: until it moves, the records are read instead.
    std::optional<qint64> m_unsoundAt;
};

} // namespace Orvane
