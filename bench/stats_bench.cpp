// The customers and statistics windows over a large table: from the menu
// choice to the window's first painted frame and to its painted customers
// or numbers, the longest the window's thread went without handling events
// meanwhile (what typing would wait), and the memory a customer costs; then
// sqlite3 running the equivalent GROUP BY queries on the same file.
//
//   orvane-stats-bench FOLDER [ROWS [RUNS]]     (default 1000000 5)
//
// FOLDER holds the Dowsing.dll to measure; one of ROWS varied records (see
// BenchDatabase) is made there when it is missing. Each window is measured
// in a fresh process of its own, started as after a clean end (the file is
// trusted, so its pages are not all read beside the window); with
// ORVANE_BENCH_UNTRUSTED set, as after a killed run, while the page check
// reads the whole file. Runs headless (offscreen) unless QT_QPA_PLATFORM
// says otherwise.

#include "BenchDatabase.h"
#include "BenchOutput.h"
#include "support/FakePlatform.h"

#include "app/FrameWindow.h"
#include "app/WindowCoordinator.h"
#include "entry/EntryWindow.h"
#include "list/CustomerModel.h"
#include "list/CustomersWindow.h"
#include "list/StatisticsWindow.h"
#include "platform/MemoryUse.h"
#include "store/FileCheck.h"
#include "store/RecordFinder.h"
#include "store/RecordStore.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QTableView>
#include <QTimer>

using namespace Orvane;
using Orvane::Bench::line;
using Orvane::Bench::median;
using Orvane::Bench::msSince;
using Orvane::Bench::statusKb;
using namespace Orvane::Testing;

namespace {

// Child: the window over the file in folder; prints "frame_ms content_ms
// longest_stall_ms rss_kb customers model_bytes".
int measure(const QString &which, const QString &folder)
{
    giveLargeBuffersBack();
    // What a start after a clean end does (FileTrust) for an unchanged file.
    if (!qEnvironmentVariableIsSet("ORVANE_BENCH_UNTRUSTED"))
        FileCheck::trust(RecordStore::databasePath(folder));
    Fakes fakes;
    PlatformScope installed(fakes.over(folder));
    FrameWindow frame;
    frame.resize(1024, 768);
    frame.show();
    frame.loadEntryWindow();
    (void)frame.grab();
    const qint64 rssBefore = statusKb("VmRSS");

    // The window's thread handles a timer every 2 ms while the count runs:
    // the longest gap is what a key pressed then would wait.
    QElapsedTimer gap;
    double longest = 0;
    QTimer tick;
    tick.setInterval(2);
    QObject::connect(&tick, &QTimer::timeout, [&] {
        longest = std::max(longest, msSince(gap));
        gap.restart();
    });

    QElapsedTimer timer;
    timer.start();
    WindowCoordinator &windows = frame.windows();
    std::function<bool()> busy;
    if (which == QLatin1String("customers")) {
        windows.showCustomers(windows.entryWindow());
        busy = [&] { return windows.customersWindow()->isBusy(); };
    } else {
        windows.showStatistics(windows.entryWindow(), FindRequest(), QStringLiteral("All records"));
        busy = [&] { return windows.statisticsWindow()->isBusy(); };
    }
    (void)frame.grab();
    const double frameMs = msSince(timer);
    gap.start();
    tick.start();
    while (busy())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    tick.stop();
    (void)frame.grab();
    const double contentMs = msSince(timer);
    qint64 customers = 0, bytes = 0;
    if (CustomersWindow *w = windows.customersWindow()) {
        const auto *model = qobject_cast<const CustomerModel *>(
                w->findChild<QTableView *>(QStringLiteral("CustomersGrid"))->model());
        customers = model->customerCount();
        bytes = model->bytes();
    } else if (StatisticsWindow *w = windows.statisticsWindow()) {
        customers = w->statistics().customers;
    }
    std::printf("%.1f %.1f %.1f %lld %lld %lld\n", frameMs, contentMs, longest,
                static_cast<long long>(statusKb("VmRSS") - rssBefore), static_cast<long long>(customers),
                static_cast<long long>(bytes));
    return 0;
}

double runSqlite(const QString &path, const QString &sql)
{
    QProcess p;
    p.setStandardOutputFile(QProcess::nullDevice());
    QElapsedTimer timer;
    timer.start();
    p.start(QStringLiteral("sqlite3"), {QStringLiteral("-readonly"), path, sql});
    p.waitForFinished(600000);
    return p.exitCode() == 0 ? msSince(timer) : -1;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() == 4 && args.at(1) == QLatin1String("--measure"))
        return measure(args.at(2), args.at(3));
    if (args.size() < 2) {
        std::fprintf(stderr, "usage: orvane-stats-bench FOLDER [ROWS [RUNS]]\n");
        return 2;
    }
    const QString folder = args.at(1);
    const qint64 rows = args.size() > 2 ? args.at(2).toLongLong() : 1000000;
    const int runs = args.size() > 3 ? args.at(3).toInt() : 5;
    const QString path = RecordStore::databasePath(folder);
    if (!QFileInfo::exists(path) && !makeDatabase(folder, rows, 0)) {
        std::fprintf(stderr, "the database could not be made in %s\n", qPrintable(folder));
        return 1;
    }
    // The same groups in SQL: customers by name and phone number (lower()
    // folds ASCII only), their counts, dates and latest record; records per
    // month, by tool, by item, the ten most frequent cities.
    const QString customersSql = QStringLiteral(
            "SELECT lower(Name), lower(Phone_No), count(*), min(Date), max(Date), max(IdNumber) "
            "FROM Details GROUP BY 1, 2;");
    const QString statisticsSql = QStringLiteral(
            "SELECT count(*), min(Date), max(Date) FROM Details;"
            "SELECT count(*) FROM (SELECT 1 FROM Details GROUP BY lower(Name), lower(Phone_No));"
            "SELECT substr(Date, 1, 7), count(*) FROM Details GROUP BY 1;"
            "SELECT lower(Dowsing_Tool), count(*) FROM Details GROUP BY 1 ORDER BY 2 DESC;"
            "SELECT lower(Item_Dowsing_For), count(*) FROM Details GROUP BY 1 ORDER BY 2 DESC;"
            "SELECT lower(City), count(*) FROM Details GROUP BY 1 ORDER BY 2 DESC LIMIT 10;");
    for (const QString &which : {QStringLiteral("customers"), QStringLiteral("statistics")}) {
        QVector<double> frames, contents, stalls, memory, sqlite;
        qint64 customers = 0, bytes = 0;
        for (int r = 0; r < runs; ++r) {
            QProcess child;
            child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
            child.start(QCoreApplication::applicationFilePath(),
                        {QStringLiteral("--measure"), which, folder});
            child.waitForFinished(600000);
            const QList<QByteArray> w = child.readAllStandardOutput().trimmed().split(' ');
            if (w.size() != 6)
                continue;
            frames.append(w[0].toDouble());
            contents.append(w[1].toDouble());
            stalls.append(w[2].toDouble());
            memory.append(w[3].toDouble());
            customers = w[4].toLongLong();
            bytes = w[5].toLongLong();
            sqlite.append(runSqlite(path, which == QLatin1String("customers") ? customersSql
                                                                               : statisticsSql));
        }
        line(QStringLiteral("%1: first frame %2 ms, content painted %3 ms, longest stall of the "
                            "window's thread %4 ms, memory %5 kB (medians of %6 fresh processes); "
                            "sqlite3 GROUP BY %7 ms, ratio %8")
                     .arg(which)
                     .arg(median(frames), 0, 'f', 1)
                     .arg(median(contents), 0, 'f', 1)
                     .arg(median(stalls), 0, 'f', 1)
                     .arg(median(memory), 0, 'f', 0)
                     .arg(frames.size())
                     .arg(median(sqlite), 0, 'f', 1)
                     .arg(median(contents) / std::max(median(sqlite), 0.001), 0, 'f', 2));
        if (which == QLatin1String("customers") && customers > 0)
            line(QStringLiteral("customers: %1 of them; the model holds %2 bytes, %3 bytes a "
                                "customer; the process grew %4 bytes a customer")
                         .arg(customers)
                         .arg(bytes)
                         .arg(double(bytes) / double(customers), 0, 'f', 1)
                         .arg(median(memory) * 1024.0 / double(customers), 0, 'f', 1));
    }
    return 0;
}
