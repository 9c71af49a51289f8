#pragma once

#include "CustomerId.h"
#include "DowsingRecord.h"
#include "KeyList.h"
#include "KeySummary.h"

#include <QString>
#include <QVector>

#include <functional>
#include <memory>
#include <optional>

namespace Orvane {

class BlockWorkers;
class FindBlock;
class TableKeyReader;

// What the list shows: the records holding a text, in an order.
struct FindRequest
{
    FindRequest() = default;
    FindRequest(QString text, std::optional<DowsingRecord::FieldId> sortBy, bool descending,
                std::optional<CustomerId> customer = std::nullopt)
        : text(std::move(text))
        , sortBy(sortBy)
        , descending(descending)
        , customer(std::move(customer))
    {
    }

    // Shown are the records where any text field, or the date as the list
    // shows it, holds this text, whatever the case; every record when empty.
    QString text;
    // The field to sort by; none for the order of addition.
    std::optional<DowsingRecord::FieldId> sortBy;
    bool descending = false;
    // When set, only this customer's records are shown (found and sorted
    // as ever): the list of one customer.
    std::optional<CustomerId> customer;

    bool showsEverything() const { return text.isEmpty() && !sortBy && !customer; }
    friend bool operator==(const FindRequest &a, const FindRequest &b)
    {
        return a.text == b.text && a.sortBy == b.sortBy && a.descending == b.descending
                && a.customer == b.customer;
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
    // The engine's count of the commits other connections made, as the
    // search's read transaction saw the file: two results of one finder
    // with the same count read the same records (see
    // RecordFinder::fileVersion()). -1 when it could not be read.
    qint64 fileVersion = -1;
};

// Sees the records a search finds, block by block, so that a count over
// them rides on the search's own reading of the find index (every core
// decompressing, the index checked against the table) instead of reading
// the records again.
class FoundRecords
{
public:
    virtual ~FoundRecords() = default;
    // A pass over every block begins, with up to slotCount blocks in hand at
    // once. A pass may be followed by another over the records themselves
    // (the index did not fit the table): what the first saw is forgotten.
    virtual void begin(int slotCount) = 0;
    // On any of the search's threads, for different slots at once: the
    // keys of the records found in block, in key order.
    virtual void searched(int slot, const FindBlock &block, const QVector<qint64> &found) = 0;
    // On the finder's thread, slot after slot in block order, once the
    // slot was searched; the block is still at hand.
    virtual void taken(int slot, const FindBlock &block, const QVector<qint64> &found) = 0;
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
    // The same search handing what it finds to tally instead of keeping
    // the keys (the result's keys are empty, and the sort is not made).
    FindResult run(const FindRequest &request, const std::function<bool()> &shouldStop,
                   FoundRecords &tally);

    // The file's count of other connections' commits now, comparable with
    // FindResult::fileVersion of this finder's searches: another program's
    // write (or the program's own, through another connection) since a
    // search moves it. -1, with error set, when it could not be read.
    qint64 fileVersion(QString &error);

private:
    // The finder's read-only connection, opened at first use.
    bool openEngine(QString &error);
    struct Engine;
    struct Pass;
    FindResult run(const FindRequest &request, const std::function<bool()> &shouldStop,
                   const std::optional<KeySummary> &listed, FoundRecords *tally);
    // tableKeys, when given, is read a slice at a time beside the blocks.
    Pass search(const FindRequest &request, bool useIndex, qint64 mostRecords,
                const std::function<bool()> &shouldStop, FoundRecords *tally,
                TableKeyReader *tableKeys = nullptr);

    QString m_path;
    std::unique_ptr<Engine> m_engine;
    int m_threads = 0;
    std::unique_ptr<BlockWorkers> m_workers;
    // The engine's count of other connections' commits when the index was
    // last found not to fit: until it moves, the records are read instead.
    std::optional<qint64> m_unsoundAt;
};

} // namespace Orvane
