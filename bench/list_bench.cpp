// The list window over a large table: how long it takes to show, what it
// costs in memory per row, how long a report takes for the first and for the
// last row, and what a save costs while a large list is open.
//
//   orvane-list-bench [ROWS [STEP...]]     (default 1000000 0 10)
//
// For each STEP, makes a copy of the shipped database holding ROWS records
// (and one holding 1,000) in a temporary folder: with STEP 0 the keys run
// without a break; with STEP n every n-th record added was removed again
// (STEP 2 is the worst case for the list's key runs). Runs each window
// measurement in a fresh process of its own (so that memory figures are not
// mixed up), and prints figures as plain lines. Runs headless (offscreen)
// unless QT_QPA_PLATFORM says otherwise.

#include "BenchOutput.h"
#include "BenchDatabase.h"
#include "support/FakePlatform.h"

#include "entry/EntryWindow.h"
#include "list/RecordListWindow.h"
#include "app/FrameWindow.h"
#include "platform/MemoryUse.h"
#include "store/RecordStore.h"
#include "view/RecordViewWindow.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QTableView>
#include <QTemporaryDir>
#include <QTextEdit>

#include <algorithm>
#include <cstdio>

using namespace Orvane;
using Orvane::Bench::line;
using Orvane::Bench::median;
using Orvane::Bench::msSince;
using Orvane::Bench::statusKb;
using namespace Orvane::Testing;

namespace {

// The fakes of the test suite, installed over a folder of our own.
struct BenchPlatform
{
    Fakes fakes;
    PlatformScope installed;

    explicit BenchPlatform(const QString &folder) : installed(fakes.over(folder)) {}
};

QTableView *gridOf(QWidget *list)
{
    return list->findChild<QTableView *>(QStringLiteral("DataGrid"));
}

// What "View All Records" does, timed until the list is painted.
RecordListWindow *openList(FrameWindow &frame, double *ms)
{
    QElapsedTimer timer;
    timer.start();
    RecordListWindow *list = frame.windows().listWindow();
    frame.hideChild(frame.windows().entryWindow());
    frame.showChild(list);
    // Paint the frame, and with it the grid's first screen of rows.
    (void)frame.grab();
    if (ms)
        *ms = msSince(timer);
    return list;
}

// Child process: open the list over the database in folder; print the open
// time and the memory growth.
int measureOpen(const QString &folder)
{
    // As the program does first thing.
    giveLargeBuffersBack();
    BenchPlatform platform(folder);
    FrameWindow frame;
    frame.resize(1024, 768);
    frame.show();
    frame.loadEntryWindow();
    (void)frame.grab();
    const qint64 rssBefore = statusKb("VmRSS");
    const qint64 peakBefore = statusKb("VmHWM");
    double ms = 0;
    RecordListWindow *list = openList(frame, &ms);
    const qint64 peakAfter = statusKb("VmHWM");
    const qint64 rssAfter = statusKb("VmRSS");
    // Then every record sorted by name, as a header click asks, until the
    // sorted list is on show: what the list keeps once the sort is done.
    QElapsedTimer sortTimer;
    sortTimer.start();
    list->setSort(1, false);
    while (list->isSearching())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    (void)frame.grab();
    const double sortMs = msSince(sortTimer);
    const qint64 rssSorted = statusKb("VmRSS");
    line(QStringLiteral("child sort_ms %7 rss_sorted_kb %8 open_ms %1 rows %2 rss_before_kb %3 "
                        "peak_before_kb %4 peak_after_kb %5 rss_after_kb %6")
                 .arg(ms, 0, 'f', 1)
                 .arg(gridOf(list)->model()->rowCount())
                 .arg(rssBefore)
                 .arg(peakBefore)
                 .arg(peakAfter)
                 .arg(rssAfter)
                 .arg(sortMs, 0, 'f', 1)
                 .arg(rssSorted));
    return 0;
}

struct OpenFigures
{
    double ms = 0;
    qint64 rows = 0;
    qint64 growthKb = 0; // peak after minus resident before
    double sortMs = 0;
    qint64 sortedGrowthKb = 0; // resident once sorted minus resident before
};

OpenFigures runChild(const QString &folder)
{
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--measure-open"), folder});
    child.waitForFinished(600000);
    OpenFigures f;
    const QList<QByteArray> words = child.readAllStandardOutput().trimmed().split(' ');
    for (int i = 0; i + 1 < words.size(); ++i) {
        if (words.at(i) == "open_ms")
            f.ms = words.at(i + 1).toDouble();
        else if (words.at(i) == "rows")
            f.rows = words.at(i + 1).toLongLong();
    }
    qint64 before = 0, after = 0;
    for (int i = 0; i + 1 < words.size(); ++i) {
        if (words.at(i) == "rss_before_kb")
            before = words.at(i + 1).toLongLong();
        else if (words.at(i) == "peak_after_kb")
            after = words.at(i + 1).toLongLong();
    }
    f.growthKb = after - before;
    for (int i = 0; i + 1 < words.size(); ++i) {
        if (words.at(i) == "sort_ms")
            f.sortMs = words.at(i + 1).toDouble();
        else if (words.at(i) == "rss_sorted_kb")
            f.sortedGrowthKb = words.at(i + 1).toLongLong() - before;
    }
    return f;
}

void sqliteShell(const QString &path)
{
    const QString shell = QStandardPaths::findExecutable(QStringLiteral("sqlite3"));
    if (shell.isEmpty()) {
        line(QStringLiteral("sqlite3 shell: not installed, no comparison"));
        return;
    }
    QVector<double> times;
    for (int i = 0; i < 5; ++i) {
        QProcess p;
        QElapsedTimer timer;
        timer.start();
        p.start(shell, {path, QStringLiteral("SELECT count(*) FROM Details; "
                                             "SELECT Date, Name, Time_Dowsing_Occured, Dowsing_Tool "
                                             "FROM Details ORDER BY IdNumber LIMIT 30;")});
        p.waitForFinished(600000);
        times.append(msSince(timer));
    }
    line(QStringLiteral("sqlite3 shell, count rows + print first 30 rows: median %1 ms (5 runs)")
                 .arg(median(times), 0, 'f', 1));
}

// In this process: key read, reports for the first and the last row, saves
// while the list is open.
void measureInProcess(const QString &folder, qint64 rows)
{
    BenchPlatform platform(folder);
    const QString path = RecordStore::databasePath(folder);
    {
        RecordStore store;
        store.open(path);
        QVector<double> times;
        qsizetype runs = 0;
        for (int i = 0; i < 3; ++i) {
            QElapsedTimer timer;
            timer.start();
            const KeyIndex keys = store.keyIndex();
            times.append(msSince(timer));
            runs = keys.runCount();
            if (keys.rowCount() != rows)
                line(QStringLiteral("key index read gave %1 keys").arg(keys.rowCount()));
        }
        line(QStringLiteral("RecordStore::keyIndex over %1 rows: median %2 ms (3 runs), %3 runs "
                            "of keys, %4 kB")
                     .arg(rows)
                     .arg(median(times), 0, 'f', 1)
                     .arg(runs)
                     .arg(runs * 16 / 1024.0, 0, 'f', 1));
    }

    FrameWindow frame;
    frame.resize(1024, 768);
    frame.show();
    frame.loadEntryWindow();
    (void)frame.grab();

    QVector<double> opens;
    for (int i = 0; i < 5; ++i) {
        double ms = 0;
        RecordListWindow *list = openList(frame, &ms);
        opens.append(ms);
        list->goBack();
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    line(QStringLiteral("list window open (warm, in process) until painted: median %1 ms (5 runs)")
                 .arg(median(opens), 0, 'f', 1));

    RecordListWindow *list = openList(frame, nullptr);
    QTableView *grid = gridOf(list);
    RecordViewWindow *save = frame.windows().recordView();

    auto reportOf = [&](int row, const char *what) {
        QVector<double> times;
        for (int i = 0; i < 5; ++i) {
            QElapsedTimer timer;
            timer.start();
            grid->setCurrentIndex(grid->model()->index(row, 0));
            grid->scrollTo(grid->currentIndex());
            list->openCurrentRecord();
            (void)frame.grab();
            times.append(msSince(timer));
            save->goBack();
            (void)frame.grab();
        }
        line(QStringLiteral("report of the %1 row (select, double-click, report painted): "
                            "first %2 ms, median %3 ms (5 runs)")
                     .arg(QLatin1String(what))
                     .arg(times.first(), 0, 'f', 1)
                     .arg(median(times), 0, 'f', 1));
    };
    reportOf(0, "first");
    {
        QElapsedTimer timer;
        timer.start();
        grid->scrollToBottom();
        (void)frame.grab();
        line(QStringLiteral("scroll to the bottom of the list and paint: %1 ms")
                     .arg(msSince(timer), 0, 'f', 1));
    }
    reportOf(int(rows - 1), "last");
    const QString report = save->reportBox()->toPlainText();
    line(QStringLiteral("last row's report names %1")
                 .arg(report.section(QLatin1Char('\n'), 2, 2)));

    // Saves through a store of its own while the list (all keys, rows on
    // screen) stays open.
    RecordStore writer;
    writer.open(path);
    QString modes;
    {
        QSqlQuery q(QSqlDatabase::database(writer.connectionName(), false));
        q.exec(QStringLiteral("PRAGMA synchronous"));
        q.next();
        modes = QStringLiteral("synchronous=%1").arg(q.value(0).toInt());
        q.exec(QStringLiteral("PRAGMA journal_mode"));
        q.next();
        modes += QStringLiteral(" journal_mode=%1").arg(q.value(0).toString());
    }
    QVector<double> saves;
    int failed = 0;
    qint64 lastKey = 0;
    for (int i = 0; i < 20; ++i) {
        DowsingRecord r;
        r.Date = QDate(2026, 12, 7);
        r.Name = QStringLiteral("BENCH %1").arg(i);
        r.Time_Dowsing_Occured = QStringLiteral("10:15");
        r.Dowsing_Tool = QStringLiteral("Rods");
        r.Item_Dowsing_For = QStringLiteral("water");
        QElapsedTimer timer;
        timer.start();
        if (!writer.add(r))
            ++failed;
        saves.append(msSince(timer));
        lastKey = r.IdNumber.value_or(0);
    }
    // A new connection sees the last save: it is in the file, not in a cache.
    RecordStore reader;
    reader.open(path);
    const bool seen = reader.find(lastKey).has_value();
    line(QStringLiteral("save (RecordStore::add, %1) with the list open over %2 rows: "
                        "median %3 ms, slowest %4 ms, %5 of 20 failed, last save read back by "
                        "a new connection: %6")
                 .arg(modes)
                 .arg(rows)
                 .arg(median(saves), 0, 'f', 2)
                 .arg(*std::max_element(saves.begin(), saves.end()), 0, 'f', 2)
                 .arg(failed)
                 .arg(seen ? QStringLiteral("yes") : QStringLiteral("NO")));
    list->goBack();
}

} // namespace

// Every figure over one table of rows records, with every step-th record
// added removed again.
bool runCase(qint64 rows, qint64 step)
{
    const qint64 smallRows = 1000;
    line(step > 1 ? QStringLiteral("== %1 rows, one record in every %2 added was removed")
                            .arg(rows)
                            .arg(step)
                  : QStringLiteral("== %1 rows, keys without a break").arg(rows));
    QTemporaryDir big, small;
    QElapsedTimer timer;
    timer.start();
    if (!makeDatabase(big.path(), rows, step) || !makeDatabase(small.path(), smallRows, step)) {
        line(QStringLiteral("could not make the databases"));
        return false;
    }
    line(QStringLiteral("made databases of %1 and %2 records in %3 s (%4 MB)")
                 .arg(rows)
                 .arg(smallRows)
                 .arg(timer.elapsed() / 1000.0, 0, 'f', 1)
                 .arg(QFileInfo(RecordStore::databasePath(big.path())).size() / 1e6, 0, 'f', 0));

    // Fresh processes: the first open of the list in a program run.
    QVector<double> bigOpens;
    QVector<double> bigSorts;
    QVector<qint64> bigGrowth, smallGrowth, bigSorted, smallSorted;
    for (int i = 0; i < 3; ++i) {
        const OpenFigures b = runChild(big.path());
        const OpenFigures s = runChild(small.path());
        bigOpens.append(b.ms);
        bigSorts.append(b.sortMs);
        bigSorted.append(b.sortedGrowthKb);
        smallSorted.append(s.sortedGrowthKb);
        bigGrowth.append(b.growthKb);
        smallGrowth.append(s.growthKb);
        if (b.rows != rows || s.rows != smallRows)
            line(QStringLiteral("list showed %1 and %2 rows").arg(b.rows).arg(s.rows));
    }
    std::sort(bigGrowth.begin(), bigGrowth.end());
    std::sort(smallGrowth.begin(), smallGrowth.end());
    const qint64 growthBig = bigGrowth.at(1), growthSmall = smallGrowth.at(1);
    line(QStringLiteral("list window open over %1 rows (fresh process) until painted: median %2 ms "
                        "(3 runs)")
                 .arg(rows)
                 .arg(median(bigOpens), 0, 'f', 1));
    sqliteShell(RecordStore::databasePath(big.path()));
    line(QStringLiteral("peak memory growth for opening the list: %1 rows %2 kB, %3 rows %4 kB, "
                        "about %5 bytes per row")
                 .arg(rows)
                 .arg(growthBig)
                 .arg(smallRows)
                 .arg(growthSmall)
                 .arg(double(growthBig - growthSmall) * 1024 / double(rows - smallRows), 0, 'f',
                      1));

    std::sort(bigSorted.begin(), bigSorted.end());
    std::sort(smallSorted.begin(), smallSorted.end());
    line(QStringLiteral("every record sorted by name in the open list, until painted: median %1 ms; "
                        "memory kept once sorted: about %2 bytes per row")
                 .arg(median(bigSorts), 0, 'f', 1)
                 .arg(double(bigSorted.at(1) - smallSorted.at(1)) * 1024
                              / double(rows - smallRows),
                      0, 'f', 1));

    measureInProcess(big.path(), rows);
    return true;
}

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() == 3 && args.at(1) == QLatin1String("--measure-open"))
        return measureOpen(args.at(2));

    const qint64 rows = args.size() > 1 ? args.at(1).toLongLong() : 1000000;
    QList<qint64> steps;
    for (int i = 2; i < args.size(); ++i)
        steps.append(args.at(i).toLongLong());
    if (steps.isEmpty())
        steps = {0, 10};
    for (const qint64 step : steps) {
        if (!runCase(rows, step))
            return 1;
    }
    return 0;
}
