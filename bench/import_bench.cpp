// File > Import of a large export against the sqlite3 shell's own .import
// of the same CSV.
//
//   orvane-import-bench [ROWS [RUNS]]      (default 1000000 3)
//
// Makes a database of ROWS records and exports it through
// RecordTransfer::exportTo, then RUNS times:
// - imports the CSV into a fresh copy of the shipped database as File >
//   Import does, without its dialogs: RecordImport::check (every row read
//   and checked), then RecordImport::add (read again, added in one
//   transaction with the find index kept in step). The process's peak
//   memory is measured over the import alone (Linux: the peak is reset
//   through /proc/self/clear_refs first);
// - when the sqlite3 command is there, `.import --csv --skip 1` of the same
//   file into a fresh copy of the shipped database: into a plain copy of
//   the table's thirteen record columns, and into Details itself through a
//   view (its keys, its date check and the triggers that note the find
//   index's blocks, which sqlite3 cannot make).
// Prints the medians, the ratio of the import to the plain .import (the
// goal: at most 3) and the peak memory (the goal: under 200 MB).

#include "BenchDatabase.h"
#include "BenchOutput.h"

#include "app/RecordImport.h"
#include "app/RecordTransfer.h"
#include "platform/QtPlatform.h"
#include "store/RecordStore.h"
#include "support/FakePlatform.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

using namespace Orvane;
using Orvane::Bench::line;
using Orvane::Bench::median;

namespace {

// The process's peak resident memory in MB since the last reset, or -1.
double peakMegabytes()
{
    const qint64 kb = Orvane::Bench::statusKb("VmHWM");
    return kb < 0 ? -1 : kb / 1024.0;
}

bool resetPeak()
{
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    return clear.open(QIODevice::WriteOnly) && clear.write("5") == 1;
}

// Runs sqlite3 on a fresh copy of the shipped database; -1 on failure.
double sqliteImport(const QString &sqlite3, const QString &database, const QString &csv,
                    const QString &prepare, const QString &target)
{
    QFile::remove(database);
    if (!Testing::TestEnvironment::copyShippedDatabase(database))
        return -1;
    QProcess setup;
    setup.start(sqlite3, {database, prepare});
    if (!setup.waitForFinished(-1) || setup.exitCode() != 0) {
        line(QStringLiteral("sqlite3 failed: ") + QString::fromLocal8Bit(setup.readAllStandardError()));
        return -1;
    }
    QProcess process;
    QElapsedTimer timer;
    timer.start();
    process.start(sqlite3, {database, QStringLiteral(".import --csv --skip 1 %1 %2").arg(csv, target)});
    if (!process.waitForFinished(-1) || process.exitCode() != 0
        || !process.readAllStandardError().isEmpty()) {
        line(QStringLiteral("sqlite3 .import failed"));
        return -1;
    }
    return timer.nsecsElapsed() / 1e6;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    const qint64 rows = args.size() > 1 ? args.at(1).toLongLong() : 1000000;
    const int runs = args.size() > 2 ? args.at(2).toInt() : 3;

    QTemporaryDir folder;
    line(QStringLiteral("making a database of %1 records...").arg(rows));
    if (!Testing::makeDatabase(folder.path(), rows, 0)) {
        line(QStringLiteral("could not make the database"));
        return 1;
    }
    const QString csv = folder.filePath(QStringLiteral("records.csv"));
    {
        RecordStore store;
        SaveFiles files;
        if (store.open(RecordStore::databasePath(folder.path())) != RecordStore::OpenResult::Opened
            || RecordTransfer::exportTo(store, csv, std::nullopt, files, nullptr).outcome
                    != RecordTransfer::Outcome::Done) {
            line(QStringLiteral("could not export the records"));
            return 1;
        }
    }
    line(QStringLiteral("export: %1 MB").arg(QFileInfo(csv).size() / 1e6, 0, 'f', 1));

    const QString target = folder.filePath(QStringLiteral("target/Dowsing.dll"));
    QDir(folder.path()).mkdir(QStringLiteral("target"));
    const QString sqlite3 = QStandardPaths::findExecutable(QStringLiteral("sqlite3"));
    QVector<double> checkMs, addMs, totalMs, peaks, plainMs, viewMs;
    for (int run = 0; run < runs; ++run) {
        QFile::remove(target);
        if (!Testing::TestEnvironment::copyShippedDatabase(target))
            return 1;
        const bool peakKnown = resetPeak();
        QElapsedTimer timer;
        timer.start();
        const RecordImport::Checked checked = RecordImport::check(csv, nullptr);
        const double checkTime = timer.nsecsElapsed() / 1e6;
        if (checked.outcome != RecordTransfer::Outcome::Done || checked.records != rows) {
            line(QStringLiteral("check failed: ") + checked.reason);
            return 1;
        }
        RecordStore store;
        if (store.open(target) != RecordStore::OpenResult::Opened) {
            line(QStringLiteral("cannot open: ") + store.errorText());
            return 1;
        }
        const RecordTransfer::Result added = RecordImport::add(store, csv, checked, nullptr);
        const double total = timer.nsecsElapsed() / 1e6;
        if (added.outcome != RecordTransfer::Outcome::Done || added.count != rows) {
            line(QStringLiteral("import failed: ") + added.reason);
            return 1;
        }
        store.close();
        checkMs.append(checkTime);
        addMs.append(total - checkTime);
        totalMs.append(total);
        peaks.append(peakKnown ? peakMegabytes() : -1);
        line(QStringLiteral("run %1: import %2 ms (check %3 ms, add %4 ms), peak %5 MB")
                     .arg(run + 1)
                     .arg(total, 0, 'f', 1)
                     .arg(checkTime, 0, 'f', 1)
                     .arg(total - checkTime, 0, 'f', 1)
                     .arg(peaks.last(), 0, 'f', 1));
        if (sqlite3.isEmpty())
            continue;
        const QString columns = QStringLiteral(
                "Date, Name, Address, City, State, Pin, Phone_No, Email, Time_Dowsing_Occured, "
                "Dowsing_Tool, Item_Dowsing_For, Location_Dowsing_Occured, Notes");
        const QString plain = QStringLiteral("CREATE TABLE Imported AS SELECT %1 FROM Details "
                                             "WHERE 0")
                                      .arg(columns);
        QString news = columns;
        news.replace(QStringLiteral(", "), QStringLiteral(", NEW."));
        const QString view = QStringLiteral(
                "CREATE VIEW ImportInto AS SELECT %1 FROM Details; "
                "CREATE TRIGGER ImportIntoDetails INSTEAD OF INSERT ON ImportInto BEGIN "
                "INSERT INTO Details (%1) VALUES (NEW.%2); END")
                                     .arg(columns, news);
        const double plainTime = sqliteImport(sqlite3, target, csv, plain, QStringLiteral("Imported"));
        const double viewTime = sqliteImport(sqlite3, target, csv, view, QStringLiteral("ImportInto"));
        if (plainTime < 0 || viewTime < 0)
            return 1;
        plainMs.append(plainTime);
        viewMs.append(viewTime);
        line(QStringLiteral("run %1: sqlite3 .import %2 ms into a plain table, %3 ms into Details")
                     .arg(run + 1)
                     .arg(plainTime, 0, 'f', 1)
                     .arg(viewTime, 0, 'f', 1));
    }
    line(QStringLiteral("import of %1 records: median %2 ms (check %3 ms, add %4 ms), peak "
                        "memory median %5 MB")
                 .arg(rows)
                 .arg(median(totalMs), 0, 'f', 1)
                 .arg(median(checkMs), 0, 'f', 1)
                 .arg(median(addMs), 0, 'f', 1)
                 .arg(median(peaks), 0, 'f', 1));
    if (sqlite3.isEmpty()) {
        line(QStringLiteral("sqlite3 is not installed: no comparison"));
        return 0;
    }
    line(QStringLiteral("sqlite3 .import: median %1 ms into a plain table, %2 ms into Details")
                 .arg(median(plainMs), 0, 'f', 1)
                 .arg(median(viewMs), 0, 'f', 1));
    line(QStringLiteral("ratio (ours / sqlite3 into a plain table): %1; into Details: %2")
                 .arg(median(totalMs) / median(plainMs), 0, 'f', 2)
                 .arg(median(totalMs) / median(viewMs), 0, 'f', 2));
    return 0;
}
