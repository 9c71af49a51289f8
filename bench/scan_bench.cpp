// What one pass over every record costs in the store, without a window:
// the customers' table, the statistics and finds (against the keys the list
// would hold), each the median of RUNS on one finder that stays open, as the
// windows' finders do.
//
//   orvane-scan-bench FOLDER [THREADS [RUNS [ROWS]]]   (default all cores, 7, 1000000)
//
// FOLDER holds the Dowsing.dll to measure; one of ROWS varied records (see
// BenchDatabase) is made there when it is missing.

#include "BenchDatabase.h"
#include "BenchOutput.h"

#include "store/CustomerTally.h"
#include "store/RecordFinder.h"
#include "store/RecordStatistics.h"
#include "store/RecordStore.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>

#include <sys/resource.h>

using namespace Orvane;
using Orvane::Bench::line;
using Orvane::Bench::median;
using Orvane::Testing::makeDatabase;

namespace {

// The process's processor time in ms, every thread's: steadier than the
// clock on a machine shared with others.
double cpuMs()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto ms = [](const timeval &t) { return t.tv_sec * 1e3 + t.tv_usec / 1e3; };
    return ms(usage.ru_utime) + ms(usage.ru_stime);
}

// "W ms (C ms of processor)": medians of runs of work.
template<typename Work>
QString medianMs(int runs, Work work)
{
    QVector<double> times, cpu;
    for (int r = 0; r < runs; ++r) {
        QElapsedTimer timer;
        const double cpuBefore = cpuMs();
        timer.start();
        work();
        times.append(timer.nsecsElapsed() / 1e6);
        cpu.append(cpuMs() - cpuBefore);
    }
    return QStringLiteral("%1 ms (%2 ms of processor)")
            .arg(median(times), 0, 'f', 1)
            .arg(median(cpu), 0, 'f', 0);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 2) {
        std::fprintf(stderr, "usage: orvane-scan-bench FOLDER [THREADS [RUNS [ROWS]]]\n");
        return 2;
    }
    const QString folder = args.at(1);
    const int threads = args.size() > 2 ? args.at(2).toInt() : 0;
    const int runs = args.size() > 3 ? args.at(3).toInt() : 7;
    const qint64 rows = args.size() > 4 ? args.at(4).toLongLong() : 1000000;
    const QString path = RecordStore::databasePath(folder);
    if (!QFileInfo::exists(path) && !makeDatabase(folder, rows, 0)) {
        std::fprintf(stderr, "the database could not be made in %s\n", qPrintable(folder));
        return 1;
    }
    const auto never = [] { return false; };
    RecordFinder finder(path, threads);
    const FindResult all = finder.run(FindRequest(), never);
    line(QStringLiteral("%1 records, %2 threads, medians of %3 runs:")
                 .arg(all.table.count)
                 .arg(threads > 0 ? QString::number(threads) : QStringLiteral("all cores'"))
                 .arg(runs));
    qsizetype customers = 0;
    const QString customersMs = medianMs(runs, [&] {
        customers = CustomerTally::build(finder, never).table->size();
    });
    line(QStringLiteral("  the customers' table (%1 customers): %2")
                 .arg(customers)
                 .arg(customersMs));
    line(QStringLiteral("  the statistics: %1")
                 .arg(medianMs(runs, [&] { RecordStatistics::tally(finder, FindRequest(), never); })));
    line(QStringLiteral("  every record, the find index checked against every key: %1")
                 .arg(medianMs(runs, [&] { finder.run(FindRequest(), never); })));
    for (const QString &text : {QStringLiteral("e"), QStringLiteral("12"), QStringLiteral("the"),
                                QStringLiteral("hazel"), QStringLiteral("zzqx")}) {
        qsizetype found = 0;
        const QString ms = medianMs(runs, [&] {
            found = finder.run(FindRequest(text, std::nullopt, false), never, all.table).keys.size();
        });
        line(QStringLiteral("  find \"%1\" (%2 found): %3").arg(text).arg(found).arg(ms));
    }
    return 0;
}
