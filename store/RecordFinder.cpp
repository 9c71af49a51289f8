#include "RecordFinder.h"

#include "BlockWorkers.h"
#include "EngineKeys.h"
#include "KeyIndex.h"
#include "FindIndex.h"
#include "RecordSort.h"
#include "TableKeyReader.h"
#include "StoreSql.h"

#include <QAtomicInt>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include <algorithm>
#include <limits>

namespace Orvane {

namespace {

QString nextConnectionName()
{
    static QAtomicInt counter;
    return QStringLiteral("finder-%1").arg(counter.fetchAndAddRelaxed(1));
}

} // namespace

struct RecordFinder::Engine
{
    QString connection = nextConnectionName();
    ~Engine() { QSqlDatabase::removeDatabase(connection); }
};

RecordFinder::RecordFinder(const QString &databasePath, int threads)
    : m_path(databasePath)
    , m_threads(threads)
{
}

RecordFinder::~RecordFinder() = default;

// One pass over every block: the keys found in block order, or the sort
// they go into, and the summary of every key the blocks held.
struct RecordFinder::Pass
{
    KeyList keys;
    KeySummary seen;
    QString error;
    bool damaged = false;
    bool stopped = false;
    // The blocks hold more records than the table can: the pass stopped.
    bool tooMany = false;
    bool foreignBlock = false;
};

namespace {

// Blocks read from the file before they are shared out among the threads:
// a few milliseconds of work, so that a newer request stops this one soon.
constexpr int kBatchBlocks = 64;

// One block of a batch and what it gave.
struct Slot
{
    explicit Slot(int sortField) : sorted(std::max(sortField, 0)) {}
    FindIndex::Reader::Item item;
    bool undecodable = false;
    KeySummary seen;
    QVector<qint64> found;
    // For a sort: the found records' keys and texts, gathered on the thread
    // that searched the block, so that taking them in order is one copy.
    RecordSort sorted;
};

void searchBlock(Slot &slot, const QByteArray &folded, int sortField,
                 const CustomerId::Match *customer)
{
    const FindBlock &block = slot.item.block;
    slot.seen = {};
    block.addKeysTo(slot.seen);
    slot.found.clear();
    slot.sorted.clear();
    // Found keys come in increasing order, so the block's records are
    // walked once.
    qsizetype i = 0;
    const auto placeOf = [&](qint64 key) {
        while (block.keyAt(i) != key)
            ++i;
        return i;
    };
    const auto wanted = [&](qint64 key, qsizetype at) {
        return !customer
                || (*customer)(block.field(at, CustomerId::kNameField),
                               block.field(at, CustomerId::kPhoneField), key);
    };
    if (sortField < 0) {
        block.search(folded, [&](qint64 key) {
            if (!customer || wanted(key, placeOf(key)))
                slot.found.append(key);
        });
        return;
    }
    block.search(folded, [&](qint64 key) {
        const qsizetype at = placeOf(key);
        if (wanted(key, at))
            slot.sorted.add(key, block.field(at, sortField));
    });
}

} // namespace

RecordFinder::Pass RecordFinder::search(const FindRequest &request, bool useIndex,
                                        qint64 mostRecords,
                                        const std::function<bool()> &shouldStop,
                                        FoundRecords *tally, TableKeyReader *tableKeys)
{
    Pass pass;
    const QSqlDatabase db = QSqlDatabase::database(m_engine->connection, false);
    FindIndex::Reader reader(db);
    // The stored fields sort by their text in the blocks, the key by itself.
    const bool byKey = !tally && request.sortBy == DowsingRecord::FieldId::IdNumber;
    const int sortField = !tally && request.sortBy && !byKey ? int(*request.sortBy) : -1;
    std::optional<CustomerId::Match> customerMatch;
    if (request.customer)
        customerMatch.emplace(*request.customer);
    const CustomerId::Match *customer = customerMatch ? &*customerMatch : nullptr;
    RecordSort sort(sortField);
    const QByteArray folded = FindBlock::foldedQuery(request.text);
    if (!reader.start(pass.error, useIndex)) {
        pass.damaged = reader.metDamage();
        return pass;
    }
    // Every block holds a record at least: an index of more blocks than the
    // table has records does not fit it, whatever its blocks say.
    if (reader.storedBlocks() > mostRecords) {
        pass.tooMany = true;
        return pass;
    }
    // Sized from the table, never from the index, which another program
    // may have written.
    if (sortField >= 0 && request.text.isEmpty() && !customer)
        sort.reserve(qMin<qint64>(mostRecords, qint64(1) << 26));
    if (!m_workers)
        m_workers = std::make_unique<BlockWorkers>(
                m_threads > 0 ? m_threads - 1 : BlockWorkers::helpersForThisMachine());
    // Two batches: the helpers decompress and search one while this thread
    // reads the next from the file, whose connection is this thread's.
    std::vector<Slot> batches[2] = {std::vector<Slot>(kBatchBlocks, Slot(sortField)),
                                    std::vector<Slot>(kBatchBlocks, Slot(sortField))};
    const auto readBatch = [&](std::vector<Slot> &batch) {
        int count = 0;
        while (count < kBatchBlocks && reader.next(batch[count].item, pass.error))
            ++count;
        return pass.error.isEmpty() ? count : 0;
    };
    if (tally)
        tally->begin(2 * kBatchBlocks);
    const auto workOn = [&](std::vector<Slot> &batch, int firstSlot) {
        return [&batch, &folded, sortField, customer, tally, firstSlot](int i) {
            Slot &slot = batch[i];
            slot.undecodable = !slot.item.decoded
                    && !slot.item.block.fromStored(slot.item.number, slot.item.stored);
            if (slot.undecodable)
                return;
            searchBlock(slot, folded, sortField, customer);
            if (tally)
                tally->searched(firstSlot + i, slot.item.block, slot.found);
        };
    };
    const std::function<void(int)> work[2] = {workOn(batches[0], 0),
                                              workOn(batches[1], kBatchBlocks)};
    // The table's keys, if asked for, as many a batch as the blocks are
    // likely to hold, so that the last keys come with the last blocks.
    const qint64 keysPerBatch = tableKeys
            ? std::min<qint64>(mostRecords / std::max<qint64>(reader.storedBlocks(), 1) + 1,
                               qint64(1) << 32)
                    * kBatchBlocks
            : 0;
    int current = 0;
    int count = readBatch(batches[current]);
    while (count > 0) {
        m_workers->begin(count, work[current]);
        const int nextCount = shouldStop() ? 0 : readBatch(batches[1 - current]);
        if (tableKeys)
            tableKeys->step(keysPerBatch);
        m_workers->finish();
        if (shouldStop()) {
            pass.stopped = true;
            return pass;
        }
        // Taken in block order, so that the result keeps the order of keys.
        std::vector<Slot> &batch = batches[current];
        for (int i = 0; i < count && pass.error.isEmpty(); ++i) {
            Slot &slot = batch[i];
            // A block this build cannot read: its records are read instead.
            const int slotNumber = current * kBatchBlocks + i;
            if (slot.undecodable) {
                if (!reader.readRecords(slot.item.number, slot.item.block, pass.error))
                    break;
                searchBlock(slot, folded, sortField, customer);
                if (tally)
                    tally->searched(slotNumber, slot.item.block, slot.found);
            }
            pass.seen += slot.seen;
            if (tally) {
                tally->taken(slotNumber, slot.item.block, slot.found);
            } else if (sortField < 0) {
                for (qint64 key : std::as_const(slot.found))
                    pass.keys.append(key);
            } else {
                sort.take(slot.sorted);
            }
        }
        if (!pass.error.isEmpty())
            break;
        if (pass.seen.count > mostRecords) {
            pass.tooMany = true;
            return pass;
        }
        current = 1 - current;
        count = nextCount;
    }
    pass.damaged = reader.metDamage();
    pass.foreignBlock = reader.foundForeignBlock();
    if (!pass.error.isEmpty())
        return pass;
    if (sortField >= 0)
        pass.keys = sort.sortedKeys(request.descending, m_workers.get());
    else if (byKey && request.descending)
        pass.keys.reverse();
    return pass;
}

bool RecordFinder::openEngine(QString &error)
{
    if (m_engine)
        return true;
    auto engine = std::make_unique<Engine>();
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), engine->connection);
    db.setDatabaseName(m_path);
    db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
    if (!db.open()) {
        error = db.lastError().text();
        db = QSqlDatabase();
        return false;
    }
    // Blocks are read once each, in order: a small page cache serves as
    // well as the 2 MB the engine keeps by default, which the list's
    // memory would carry for as long as it is open.
    QSqlQuery(db).exec(QStringLiteral("PRAGMA cache_size = -256"));
    m_engine = std::move(engine);
    return true;
}

qint64 RecordFinder::fileVersion(QString &error)
{
    if (!openEngine(error))
        return -1;
    QSqlQuery version(QSqlDatabase::database(m_engine->connection, false));
    if (!version.exec(QStringLiteral("PRAGMA data_version")) || !version.next()) {
        error = reasonOf(version.lastError());
        return -1;
    }
    return version.value(0).toLongLong();
}

FindResult RecordFinder::run(const FindRequest &request, const std::function<bool()> &shouldStop,
                             const std::optional<KeySummary> &listed)
{
    return run(request, shouldStop, listed, nullptr);
}

FindResult RecordFinder::run(const FindRequest &request, const std::function<bool()> &shouldStop,
                             FoundRecords &tally)
{
    return run(request, shouldStop, std::nullopt, &tally);
}

FindResult RecordFinder::run(const FindRequest &request, const std::function<bool()> &shouldStop,
                             const std::optional<KeySummary> &listed, FoundRecords *tally)
{
    FindResult result;
    if (!openEngine(result.error))
        return result;
    QSqlDatabase db = QSqlDatabase::database(m_engine->connection, false);
    // One read transaction, so that the blocks, the noted stale ones and the
    // table's keys are of one moment even while the program writes.
    db.transaction();
    QSqlQuery version(db);
    const qint64 dataVersion = version.exec(QStringLiteral("PRAGMA data_version")) && version.next()
            ? version.value(0).toLongLong()
            : -1;
    version.finish();

    // The summary of the table's keys, read in the transaction under way.
    std::optional<KeySummary> table;
    const auto readTable = [&] {
        if (!table) {
            TableKeyReader keys(db);
            if (keys.start(result.error))
                table = keys.finish(result.error);
        }
        return table.has_value();
    };
    const bool tryIndex = !m_unsoundAt || *m_unsoundAt != dataVersion;
    bool sound = false;
    Pass pass;
    if (tryIndex && listed) {
        pass = search(request, true, listed->count, shouldStop, tally);
        // More than the caller's keys: records added since it read them?
        if (pass.tooMany && readTable() && table->count > listed->count)
            pass = search(request, true, table->count, shouldStop, tally);
    } else if (tryIndex) {
        // No keys to check the index against: the table's are read beside
        // the blocks. A million records: the customers' table in 318 ms
        // instead of 388 with the keys read after the blocks
        // (orvane-scan-bench).
        TableKeyReader keys(db);
        if (keys.start(result.error)) {
            pass = search(request, true, keys.mostRecords(), shouldStop, tally, &keys);
            if (!pass.stopped && !pass.tooMany && !pass.foreignBlock && pass.error.isEmpty())
                table = keys.finish(result.error);
        }
    }
    if (tryIndex && result.error.isEmpty()) {
        if (pass.stopped || (!pass.error.isEmpty() && !pass.damaged)) {
            db.rollback();
            result.error = pass.error;
            result.stopped = pass.stopped;
            return result;
        }
        if (!pass.tooMany && !pass.foreignBlock && pass.error.isEmpty()) {
            if (listed && pass.seen == *listed)
                sound = true;
            else if (readTable())
                sound = pass.seen == *table;
        }
        if (!result.error.isEmpty()) {
            db.rollback();
            return result;
        }
        if (!sound) {
            m_unsoundAt = dataVersion;
            result.indexUnsound = true;
        }
    }
    if (!result.error.isEmpty()) {
        db.rollback();
        return result;
    }
    if (!sound) {
        // The records themselves are the truth; the index is derived.
        pass = search(request, false, std::numeric_limits<qint64>::max(), shouldStop, tally);
        if (pass.stopped || !pass.error.isEmpty()) {
            db.rollback();
            result.error = pass.error;
            result.stopped = pass.stopped;
            return result;
        }
    }
    db.rollback();
    result.fileVersion = dataVersion;
    result.keys = std::move(pass.keys);
    result.table = pass.seen;
    // The list keeps these keys while it shows them: not the room they
    // grew into.
    result.keys.squeeze();
    return result;
}

} // namespace Orvane
