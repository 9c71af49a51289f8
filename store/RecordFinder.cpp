#include "RecordFinder.h"

#include "FindIndex.h"
#include "RecordSort.h"
#include "StoreSql.h"

#include <QAtomicInt>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include <limits>

namespace Orvane {

namespace {

QString nextConnectionName()
{
    static QAtomicInt counter;
    return QStringLiteral("finder-%1").arg(counter.fetchAndAddRelaxed(1));
}

constexpr int kIdNumberColumn = 13;

} // namespace

struct RecordFinder::Engine
{
    QString connection = nextConnectionName();
    ~Engine() { QSqlDatabase::removeDatabase(connection); }
};

RecordFinder::RecordFinder(const QString &databasePath)
    : m_path(databasePath)
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

RecordFinder::Pass RecordFinder::search(const FindRequest &request, bool useIndex,
                                        qint64 mostRecords,
                                        const std::function<bool()> &shouldStop)
{
    Pass pass;
    const QSqlDatabase db = QSqlDatabase::database(m_engine->connection, false);
    FindIndex::Reader reader(db);
    const int sortField = request.sortColumn >= 0 && request.sortColumn < kIdNumberColumn
            ? request.sortColumn
            : -1;
    RecordSort sort(sortField);
    const QByteArray folded = FindBlock::foldedQuery(request.text);
    FindBlock block;
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
    if (sortField >= 0 && request.text.isEmpty())
        sort.reserve(qMin<qint64>(mostRecords, qint64(1) << 26));
    while (reader.next(block, pass.error)) {
        if (shouldStop()) {
            pass.stopped = true;
            return pass;
        }
        block.addKeysTo(pass.seen);
        if (pass.seen.count > mostRecords) {
            pass.tooMany = true;
            return pass;
        }
        if (sortField < 0) {
            block.search(folded, [&](qint64 key) { pass.keys.append(key); });
        } else {
            qsizetype i = 0;
            block.search(folded, [&](qint64 key) {
                while (block.keyAt(i) != key)
                    ++i;
                sort.add(key, block.field(i, sortField));
            });
        }
    }
    pass.damaged = reader.metDamage();
    pass.foreignBlock = reader.foundForeignBlock();
    if (!pass.error.isEmpty())
        return pass;
    if (sortField >= 0)
        pass.keys = sort.sortedKeys(request.descending);
    else if (request.sortColumn == kIdNumberColumn && request.descending)
        pass.keys.reverse();
    return pass;
}

std::optional<KeySummary> RecordFinder::tableKeys(QString &error)
{
    QSqlQuery query(QSqlDatabase::database(m_engine->connection, false));
    query.setForwardOnly(true);
    KeySummary summary;
    if (query.exec(QStringLiteral("SELECT IdNumber FROM Details"))) {
        while (query.next())
            summary.add(query.value(0).toLongLong());
    }
    if (query.lastError().isValid()) {
        error = reasonOf(query.lastError());
        return std::nullopt;
    }
    return summary;
}

FindResult RecordFinder::run(const FindRequest &request, const std::function<bool()> &shouldStop,
                             const std::optional<KeySummary> &listed)
{
    FindResult result;
    if (!m_engine) {
        auto engine = std::make_unique<Engine>();
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), engine->connection);
        db.setDatabaseName(m_path);
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        if (!db.open()) {
            result.error = db.lastError().text();
            db = QSqlDatabase();
            return result;
        }
        // Blocks are read once each, in order: a small page cache serves as
        // well as the 2 MB the engine keeps by default, which the list's
        // memory would carry for as long as it is open.
        QSqlQuery(db).exec(QStringLiteral("PRAGMA cache_size = -256"));
        m_engine = std::move(engine);
    }
    QSqlDatabase db = QSqlDatabase::database(m_engine->connection, false);
    // One read transaction, so that the blocks, the noted stale ones and the
    // table's keys are of one moment even while the program writes.
    db.transaction();
    QSqlQuery version(db);
    const qint64 dataVersion = version.exec(QStringLiteral("PRAGMA data_version")) && version.next()
            ? version.value(0).toLongLong()
            : -1;
    version.finish();

    std::optional<KeySummary> table;
    const auto readTable = [&] {
        if (!table)
            table = tableKeys(result.error);
        return table.has_value();
    };
    const bool tryIndex = !m_unsoundAt || *m_unsoundAt != dataVersion;
    bool sound = false;
    Pass pass;
    if (tryIndex && (listed || readTable())) {
        const qint64 most = listed ? listed->count : table->count;
        pass = search(request, true, most, shouldStop);
        // More than the caller's keys: records added since it read them?
        if (pass.tooMany && listed && !table && readTable() && table->count > most)
            pass = search(request, true, table->count, shouldStop);
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
        pass = search(request, false, std::numeric_limits<qint64>::max(), shouldStop);
        if (pass.stopped || !pass.error.isEmpty()) {
            db.rollback();
            result.error = pass.error;
            result.stopped = pass.stopped;
            return result;
        }
    }
    db.rollback();
    result.keys = std::move(pass.keys);
    result.table = pass.seen;
    // The list keeps these keys while it shows them: not the room they
    // grew into.
    result.keys.squeeze();
    return result;
}

} // namespace Orvane
