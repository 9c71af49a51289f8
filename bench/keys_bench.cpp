// Reading every key of the list in order: the store's own path (straight
// from the engine when built with ORVANE_ENGINE_KEYS) against a plain
// forward-only QSqlQuery on the same connection and the same file. Runs
// alternate, so that noise from other work falls on both alike.
//
//   orvane-keys-bench [ROWS [RUNS]]     (default 1000000 9)
//
// Makes a copy of the shipped database holding ROWS records in a temporary
// folder and prints the medians as plain lines.

#include "BenchOutput.h"
#include "BenchDatabase.h"

#include "store/KeyIndex.h"
#include "store/RecordStore.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>

using namespace Orvane;
using Orvane::Bench::line;
using Orvane::Bench::median;
using namespace Orvane::Testing;

namespace {

// What the list would do with no direct path: one forward-only query.
KeyIndex keysThroughQuery(const QString &connection)
{
    KeyIndex index;
    QSqlQuery query(QSqlDatabase::database(connection, false));
    query.setForwardOnly(true);
    query.exec(QStringLiteral("SELECT IdNumber FROM Details ORDER BY IdNumber"));
    while (query.next())
        index.append(query.value(0).toLongLong());
    index.squeeze();
    return index;
}

template<typename Read>
double timed(Read read)
{
    QElapsedTimer timer;
    timer.start();
    read();
    return timer.nsecsElapsed() / 1e6;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    const qint64 rows = args.size() > 1 ? args.at(1).toLongLong() : 1000000;
    const int runs = args.size() > 2 ? args.at(2).toInt() : 9;

    QTemporaryDir folder;
    if (!folder.isValid() || !makeDatabase(folder.path(), rows, 0)) {
        line(QStringLiteral("could not make the database"));
        return 1;
    }
    RecordStore store;
    if (store.open(RecordStore::databasePath(folder.path())) != RecordStore::OpenResult::Opened) {
        line(QStringLiteral("could not open the database: %1").arg(store.errorText()));
        return 1;
    }
    const QString connection = store.connectionName();

    // Both paths must give the same keys, or the figures mean nothing.
    if (store.keyIndex().toList() != keysThroughQuery(connection).toList()) {
        line(QStringLiteral("the two paths read different keys"));
        return 1;
    }

    QVector<double> storeIndex, queryIndex;
    for (int i = 0; i < runs; ++i) {
        storeIndex.append(timed([&] { return store.keyIndex(); }));
        queryIndex.append(timed([&] { return keysThroughQuery(connection); }));
    }
#ifdef ORVANE_ENGINE_KEYS
    const char *path = "straight from sqlite3";
#else
    const char *path = "through QSqlQuery (built without ORVANE_ENGINE_KEYS)";
#endif
    line(QStringLiteral("store path: %1").arg(QLatin1String(path)));
    line(QStringLiteral("keyIndex over %1 rows: store %2 ms, forward-only QSqlQuery %3 ms "
                        "(medians of %4 alternating runs)")
                 .arg(rows)
                 .arg(median(storeIndex), 0, 'f', 1)
                 .arg(median(queryIndex), 0, 'f', 1)
                 .arg(runs));
    return 0;
}
