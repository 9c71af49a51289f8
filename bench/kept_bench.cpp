// The Deleted Records window over a file that keeps very many deleted
// records: how long it takes to show, what it costs in memory per kept
// record, how long End (the record deleted first) and a Restore take; beside
// it, what reading every kept record at once (the window's old way) costs.
//
//   orvane-kept-bench [ROWS [RUNS]]     (default 1000000 5)
//
// Makes a copy of the shipped database in a temporary folder whose ROWS
// records, as varied as a real diary's, are all deleted but a thousand, and
// runs each measurement in a fresh process of its own (so that memory
// figures are not mixed up); prints medians of RUNS. Runs headless
// (offscreen) unless QT_QPA_PLATFORM says otherwise.

#include "BenchDatabase.h"
#include "BenchOutput.h"
#include "support/FakePlatform.h"

#include "list/DeletedRecordsWindow.h"
#include "platform/MemoryUse.h"
#include "store/FileCheck.h"
#include "store/RecordStore.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QPushButton>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>

using namespace Orvane;
using Orvane::Bench::line;
using Orvane::Bench::median;
using Orvane::Bench::msSince;
using Orvane::Bench::statusKb;
using namespace Orvane::Testing;

namespace {

// Every record but the first thousand deleted, as deletes keep them: the
// record with its key, and the time of its deletion.
bool keepAllButAThousand(const QString &path)
{
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("kept"));
    db.setDatabaseName(path);
    bool done = db.open();
    if (done) {
        QSqlQuery query(db);
        const QString fields = QStringLiteral(
                "Date, Name, Address, City, State, Pin, Phone_No, Email, Time_Dowsing_Occured, "
                "Dowsing_Tool, Item_Dowsing_For, Location_Dowsing_Occured, Notes, IdNumber");
        done = query.exec(QStringLiteral("BEGIN"))
                && query.exec(QStringLiteral("INSERT INTO DeletedRecords (DeletedAt, %1) SELECT "
                                             "datetime('2026-01-01', '+' || (IdNumber / 4) || "
                                             "' minutes'), %1 FROM Details WHERE IdNumber > 1000 "
                                             "ORDER BY IdNumber")
                                      .arg(fields))
                && query.exec(QStringLiteral("DELETE FROM Details WHERE IdNumber > 1000"))
                && query.exec(QStringLiteral("COMMIT"));
        if (!done)
            line(QStringLiteral("could not keep the records: %1").arg(query.lastError().text()));
    }
    db.close();
    db = QSqlDatabase();
    QSqlDatabase::removeDatabase(QStringLiteral("kept"));
    return done;
}

// Figures are of the resident size once the window shows, against the
// resident size before it, the file open already: the keys and the rows
// read, not the passing buffers of a page check.
struct Figures
{
    double openMs = 0;
    double endMs = 0;
    double restoreMs = 0;
    qint64 rows = 0;
    qint64 growthKb = 0;
};

// Child: the window opened over folder, timed until painted; then End and a
// Restore of the record deleted first.
int measureWindow(const QString &folder)
{
    giveLargeBuffersBack();
    Fakes fakes;
    PlatformScope installed(fakes.over(folder));
    // As in the program: the file was opened and its pages checked before
    // the list, and the window over it, could be reached.
    {
        RecordStore entryStore;
        entryStore.open(RecordStore::databasePath(folder));
        if (FileCheck *check = entryStore.pendingCheck())
            check->verdict();
    }
    giveLargeBuffersBack();
    const qint64 rssBefore = statusKb("VmRSS");
    QElapsedTimer timer;
    timer.start();
    DeletedRecordsWindow window;
    window.resize(800, 600);
    window.readRecords();
    window.show();
    (void)window.grab();
    const double openMs = msSince(timer);
    const qint64 peakAfter = statusKb("VmRSS");
    auto *view = window.findChild<QAbstractItemView *>(QStringLiteral("lstDeletedRecords"));
    const int rows = view->model()->rowCount();

    timer.restart();
    view->setCurrentIndex(view->model()->index(rows - 1, 0));
    view->scrollTo(view->currentIndex());
    (void)window.grab();
    const double endMs = msSince(timer);

    timer.restart();
    window.findChild<QPushButton *>(QStringLiteral("cmdRestore"))->click();
    (void)window.grab();
    const double restoreMs = msSince(timer);
    line(QStringLiteral("child open_ms %1 end_ms %2 restore_ms %3 rows %4 growth_kb %5")
                 .arg(openMs, 0, 'f', 1)
                 .arg(endMs, 0, 'f', 1)
                 .arg(restoreMs, 0, 'f', 1)
                 .arg(rows)
                 .arg(peakAfter - rssBefore));
    return 0;
}

// Child: every kept record read at once, as the window once did.
int measureAllAtOnce(const QString &folder)
{
    giveLargeBuffersBack();
    const qint64 rssBefore = statusKb("VmRSS");
    QElapsedTimer timer;
    timer.start();
    RecordStore store;
    store.open(RecordStore::databasePath(folder));
    const qint64 rows = store.deletedRecords().size();
    line(QStringLiteral("child open_ms %1 rows %2 growth_kb %3")
                 .arg(msSince(timer), 0, 'f', 1)
                 .arg(rows)
                 .arg(statusKb("VmRSS") - rssBefore));
    return 0;
}

Figures runChild(const QString &mode, const QString &folder)
{
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start(QCoreApplication::applicationFilePath(), {mode, folder});
    child.waitForFinished(-1);
    Figures f;
    const QList<QByteArray> words = child.readAllStandardOutput().trimmed().split(' ');
    for (int i = 0; i + 1 < words.size(); ++i) {
        const QByteArray &word = words.at(i);
        const QByteArray &value = words.at(i + 1);
        if (word == "open_ms")
            f.openMs = value.toDouble();
        else if (word == "end_ms")
            f.endMs = value.toDouble();
        else if (word == "restore_ms")
            f.restoreMs = value.toDouble();
        else if (word == "rows")
            f.rows = value.toLongLong();
        else if (word == "growth_kb")
            f.growthKb = value.toLongLong();
    }
    return f;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() == 3 && args.at(1) == QLatin1String("--window"))
        return measureWindow(args.at(2));
    if (args.size() == 3 && args.at(1) == QLatin1String("--all-at-once"))
        return measureAllAtOnce(args.at(2));

    const qint64 rows = args.size() > 1 ? args.at(1).toLongLong() : 1000000;
    const int runs = args.size() > 2 ? args.at(2).toInt() : 5;
    QTemporaryDir folder;
    line(QStringLiteral("making %1 records, all but a thousand deleted ...").arg(rows));
    if (!makeDatabase(folder.path(), rows, 0, false)
        || !keepAllButAThousand(RecordStore::databasePath(folder.path())))
        return 1;

    // What the window costs whatever it lists, from a file that keeps a
    // thousand.
    QTemporaryDir small;
    if (!makeDatabase(small.path(), 2000, 0, false)
        || !keepAllButAThousand(RecordStore::databasePath(small.path())))
        return 1;
    QVector<double> open, end, restore, growth, smallGrowth;
    qint64 shown = 0;
    for (int i = 0; i < runs; ++i) {
        // Each run restores one: the next finds one fewer.
        const Figures f = runChild(QStringLiteral("--window"), folder.path());
        open.append(f.openMs);
        end.append(f.endMs);
        restore.append(f.restoreMs);
        growth.append(f.growthKb);
        shown = f.rows;
        smallGrowth.append(runChild(QStringLiteral("--window"), small.path()).growthKb);
    }
    line(QStringLiteral("Deleted Records window over %1 kept records (medians of %2 runs): "
                        "painted after %3 ms, End %4 ms, Restore %5 ms; the process grew by "
                        "%6 kB, against %7 kB over a thousand kept records: %8 bytes a kept "
                        "record")
                 .arg(shown)
                 .arg(runs)
                 .arg(median(open), 0, 'f', 1)
                 .arg(median(end), 0, 'f', 1)
                 .arg(median(restore), 0, 'f', 1)
                 .arg(median(growth), 0, 'f', 0)
                 .arg(median(smallGrowth), 0, 'f', 0)
                 .arg(shown > 1000 ? (median(growth) - median(smallGrowth)) * 1024 / (shown - 1000)
                                   : 0,
                      0, 'f', 1));
    const Figures all = runChild(QStringLiteral("--all-at-once"), folder.path());
    line(QStringLiteral("every kept record read at once, as before: %1 ms, the process grew by "
                        "%2 kB")
                 .arg(all.openMs, 0, 'f', 1)
                 .arg(all.growthKb));
    return 0;
}
