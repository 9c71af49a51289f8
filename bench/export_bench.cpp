// File > Export over a large table against the sqlite3 shell's own CSV
// export of the same table.
//
//   orvane-export-bench [ROWS [RUNS]]      (default 1000000 3)
//
// Makes a copy of the shipped database holding ROWS records in a temporary
// folder, then RUNS times exports it through RecordTransfer::exportTo (rows
// read in batches straight from the engine, written through QSaveFile) and,
// when the sqlite3 command is there, runs
//   sqlite3 -csv -header Dowsing.dll "SELECT * FROM Details" > out.csv
// Prints the medians and their ratio (the goal: at most 2).

#include "BenchDatabase.h"
#include "BenchOutput.h"

#include "app/RecordTransfer.h"
#include "platform/QtPlatform.h"
#include "store/RecordStore.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

using namespace Orvane;
using Orvane::Bench::line;
using Orvane::Bench::median;

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
    const QString database = RecordStore::databasePath(folder.path());
    line(QStringLiteral("database: %1 MB").arg(QFileInfo(database).size() / 1e6, 0, 'f', 1));

    SaveFiles files;
    const QString ours = folder.filePath(QStringLiteral("ours.csv"));
    const QString theirs = folder.filePath(QStringLiteral("sqlite3.csv"));
    const QString sqlite3 = QStandardPaths::findExecutable(QStringLiteral("sqlite3"));
    QVector<double> ourMs, theirMs;
    for (int run = 0; run < runs; ++run) {
        {
            RecordStore store;
            if (store.open(database) != RecordStore::OpenResult::Opened) {
                line(QStringLiteral("cannot open: ") + store.errorText());
                return 1;
            }
            QElapsedTimer timer;
            timer.start();
            const RecordTransfer::Result result =
                    RecordTransfer::exportTo(store, ours, std::nullopt, files, nullptr);
            const double ms = timer.nsecsElapsed() / 1e6;
            if (result.outcome != RecordTransfer::Outcome::Done || result.count != rows) {
                line(QStringLiteral("export failed: ") + result.reason);
                return 1;
            }
            ourMs.append(ms);
            line(QStringLiteral("run %1: export %2 ms (%3 MB)")
                         .arg(run + 1)
                         .arg(ms, 0, 'f', 1)
                         .arg(QFileInfo(ours).size() / 1e6, 0, 'f', 1));
        }
        if (!sqlite3.isEmpty()) {
            QProcess process;
            process.setStandardOutputFile(theirs);
            QElapsedTimer timer;
            timer.start();
            process.start(sqlite3, {QStringLiteral("-csv"), QStringLiteral("-header"), database,
                                    QStringLiteral("SELECT * FROM Details")});
            if (!process.waitForFinished(-1) || process.exitCode() != 0) {
                line(QStringLiteral("sqlite3 failed: ")
                     + QString::fromLocal8Bit(process.readAllStandardError()));
                return 1;
            }
            const double ms = timer.nsecsElapsed() / 1e6;
            theirMs.append(ms);
            line(QStringLiteral("run %1: sqlite3 .mode csv %2 ms (%3 MB)")
                         .arg(run + 1)
                         .arg(ms, 0, 'f', 1)
                         .arg(QFileInfo(theirs).size() / 1e6, 0, 'f', 1));
        }
    }
    line(QStringLiteral("export of %1 records: median %2 ms").arg(rows).arg(median(ourMs), 0, 'f', 1));
    if (sqlite3.isEmpty()) {
        line(QStringLiteral("sqlite3 is not installed: no comparison"));
        return 0;
    }
    line(QStringLiteral("sqlite3 -csv -header: median %1 ms").arg(median(theirMs), 0, 'f', 1));
    line(QStringLiteral("ratio (ours / sqlite3): %1").arg(median(ourMs) / median(theirMs), 0, 'f', 2));
    return 0;
}
