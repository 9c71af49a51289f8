#include "RecordFinder.h"

#include "FindIndex.h"
#include "RecordSort.h"

#include <QAtomicInt>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>


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

FindResult RecordFinder::run(const FindRequest &request, const std::function<bool()> &shouldStop)
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
    const QSqlDatabase db = QSqlDatabase::database(m_engine->connection, false);
    // One read transaction, so that the blocks and the noted stale ones are
    // of one moment even while the program writes.
    QSqlDatabase(db).transaction();
    FindIndex::Reader reader(db);
    const int sortField = request.sortColumn >= 0 && request.sortColumn < kIdNumberColumn
            ? request.sortColumn
            : -1;
    RecordSort sort(sortField);
    const QByteArray folded = FindBlock::foldedQuery(request.text);
    FindBlock block;
    if (reader.start(result.error)) {
        if (sortField >= 0 && request.text.isEmpty())
            sort.reserve(reader.recordsAtMost());
        while (reader.next(block, result.error)) {
            if (shouldStop()) {
                result.stopped = true;
                break;
            }
            if (sortField < 0) {
                block.search(folded, [&](qint64 key) { result.keys.append(key); });
            } else {
                qsizetype i = 0;
                block.search(folded, [&](qint64 key) {
                    while (block.keyAt(i) != key)
                        ++i;
                    sort.add(key, block.field(i, sortField));
                });
            }
        }
    }
    QSqlDatabase(db).rollback();
    if (!result.error.isEmpty() || result.stopped) {
        result.keys.clear();
        return result;
    }
    if (sortField >= 0)
        result.keys = sort.sortedKeys(request.descending);
    else if (request.sortColumn == kIdNumberColumn && request.descending)
        result.keys.reverse();
    // The list keeps these keys while it shows them: not the room they
    // grew into.
    result.keys.squeeze();
    return result;
}

} // namespace Orvane
