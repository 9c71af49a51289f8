// Finding and sorting over a large table: what the find index costs to
// build and in file size, how long each kind of search and each column's
// sort take, and what a save costs with the index kept in step.
//
//   orvane-find-bench [ROWS [RUNS]]     (default 1000000 7)
//
// Makes a copy of the shipped database holding ROWS records as a file
// written before the index existed, builds the index as the program does,
// then times the finder the list uses. Prints plain lines; medians of RUNS.

#include "BenchDatabase.h"
#include "BenchOutput.h"

#include "store/DowsingRecord.h"
#include "store/RecordFinder.h"
#include "store/RecordStore.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>

using namespace Orvane;
using Orvane::Bench::line;
using Orvane::Bench::median;
using Orvane::Bench::msSince;

namespace {

struct Timed
{
    double ms;
    qsizetype found;
};

Timed timeRun(RecordFinder &finder, const FindRequest &request, int runs,
              const std::optional<KeySummary> &listed)
{
    QVector<double> times;
    qsizetype found = 0;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        const FindResult result = finder.run(request, [] { return false; }, listed);
        times.append(msSince(timer));
        found = result.error.isEmpty() ? result.keys.size() : -1;
    }
    return {median(times), found};
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const qint64 rows = argc > 1 ? QByteArray(argv[1]).toLongLong() : 1000000;
    const int runs = argc > 2 ? QByteArray(argv[2]).toInt() : 7;

    QTemporaryDir folder;
    if (!Testing::makeDatabase(folder.path(), rows, 0, false)) {
        line(QStringLiteral("could not make the database"));
        return 1;
    }
    const QString path = RecordStore::databasePath(folder.path());
    const qint64 before = QFileInfo(path).size();

    RecordStore store;
    if (store.open(path) != RecordStore::OpenResult::Opened) {
        line(store.errorText());
        return 1;
    }
    QElapsedTimer timer;
    timer.start();
    if (!store.addFindIndex([](qint64, qint64) { return true; })) {
        line(store.errorText());
        return 1;
    }
    const double buildMs = msSince(timer);
    const qint64 after = QFileInfo(path).size();
    line(QStringLiteral("%1 records: file %2 MB without the index, %3 MB with it (+%4 %); "
                        "index built in %5 s")
                 .arg(rows)
                 .arg(before / 1e6, 0, 'f', 1)
                 .arg(after / 1e6, 0, 'f', 1)
                 .arg(100.0 * (after - before) / before, 0, 'f', 1)
                 .arg(buildMs / 1000, 0, 'f', 2));

    // As the list does: the summary of the keys it read at open, which the
    // index's keys are checked against in every search.
    timer.restart();
    const KeySummary listed = store.keyIndex().summary();
    line(QStringLiteral("the list's key read, summed as it goes: %1 ms").arg(msSince(timer), 0, 'f', 1));
    RecordFinder finder(path);
    const struct
    {
        const char *what;
        QString text;
    } queries[] = {
        {"a word's start", QStringLiteral("Pendu")},
        {"letters inside a word", QStringLiteral("ndula")},
        {"a run of phone digits", QStringLiteral("12345")},
        {"part of an e-mail address", QStringLiteral("mary.evans7@")},
        {"text that matches nothing", QStringLiteral("zebra crossing")},
        {"text matching half the records", QStringLiteral("hazel")},
        {"the date as the list shows it", QStringLiteral("12/25/")},
        {"a single letter", QStringLiteral("z")},
    };
    finder.run({}, [] { return false; }, listed); // opens the connection
    // The same searches on one thread, against all the machine's cores.
    RecordFinder alone(path, 1);
    alone.run({}, [] { return false; }, listed);
    for (const auto &query : queries) {
        const Timed t = timeRun(finder, {query.text, std::nullopt, false}, runs, listed);
        const Timed one = timeRun(alone, {query.text, std::nullopt, false}, runs, listed);
        line(QStringLiteral("find %1 (\"%2\"): %3 found, median %4 ms (%5 ms on one thread)")
                     .arg(QLatin1String(query.what), query.text)
                     .arg(t.found)
                     .arg(t.ms, 0, 'f', 1)
                     .arg(one.ms, 0, 'f', 1));
    }
    const QStringList fields = DowsingRecord::fieldNames();
    for (int column = 0; column < fields.size(); ++column) {
        const Timed up = timeRun(finder, {QString(), DowsingRecord::FieldId(column), false}, qMax(1, runs / 2), listed);
        const Timed down = timeRun(finder, {QString(), DowsingRecord::FieldId(column), true}, qMax(1, runs / 2), listed);
        line(QStringLiteral("sort by %1: ascending median %2 ms, descending %3 ms")
                     .arg(fields.at(column))
                     .arg(up.ms, 0, 'f', 1)
                     .arg(down.ms, 0, 'f', 1));
    }
    const Timed both = timeRun(finder, {QStringLiteral("hazel"), DowsingRecord::FieldId::Name, false}, runs, listed);
    line(QStringLiteral("find \"hazel\" sorted by Name: %1 found, median %2 ms")
                 .arg(both.found)
                 .arg(both.ms, 0, 'f', 1));
    // Once another program changed the table after the list read its keys,
    // a search also sums the table's keys, until the list reads them again.
    KeySummary outdated = listed;
    outdated.add(-1);
    const Timed changed = timeRun(finder, {QStringLiteral("hazel"), std::nullopt, false}, runs, outdated);
    line(QStringLiteral("find \"hazel\" after another program changed the table: median %1 ms")
                 .arg(changed.ms, 0, 'f', 1));
    QVector<double> saves;
    for (int i = 0; i < 20; ++i) {
        DowsingRecord record;
        record.Date = QDate(2026, 12, 8);
        record.Name = QStringLiteral("Bench Save %1").arg(i);
        record.Notes = QStringLiteral("A note.");
        timer.restart();
        if (!store.add(record)) {
            line(store.errorText());
            return 1;
        }
        saves.append(msSince(timer));
    }
    line(QStringLiteral("save with the index kept in step: median %1 ms")
                 .arg(median(saves), 0, 'f', 2));
    return 0;
}
