// A record whose notes another program filled with megabytes of text: from
// the choice in the list to the painted report, with the longest the
// window's thread went without handling events meanwhile (what a key
// pressed then would wait), then Print (to a PDF file) and Save (as Rich
// Text) of the whole report, each with its longest stall, and the process's
// peak memory.
//
//   orvane-bigtext-bench [MEGABYTES ...]     (default 10 100)
//   orvane-bigtext-bench --layout            what the report's limits rest on
//   orvane-bigtext-bench --transfer MEGABYTES  only the export and import
//
// For each size, two notes: one run of letters without a space, and
// ordinary words. Each is measured in a fresh process over a database of
// its own in a temporary folder, with the real progress dialogs (headless,
// offscreen, unless QT_QPA_PLATFORM says otherwise).
//
// With --layout: the time a plain text box of the report's size takes from
// the text set to its first painted frame, for runs without a space and for
// words of 10,000 to 300,000 characters (the limits of ShownText).

#include "BenchOutput.h"
#include "support/FakePlatform.h"
#include "support/WindowDriver.h"

#include "app/FrameWindow.h"
#include "app/RecordTransfer.h"
#include "app/WindowCoordinator.h"
#include "entry/EntryWindow.h"
#include "list/RecordListWindow.h"
#include "platform/QtPlatform.h"
#include "store/RecordStore.h"
#include "view/RecordViewWindow.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QPrinter>
#include <QProcess>
#include <QTableView>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QTimer>

#include <functional>

using namespace Orvane;
using Orvane::Bench::line;
using Orvane::Bench::msSince;
using Orvane::Bench::statusKb;
using namespace Orvane::Testing;

namespace {

QString noteOf(qint64 characters, bool words)
{
    QString text;
    text.reserve(characters);
    if (!words) {
        for (qint64 i = 0; i < characters; ++i)
            text.append(QChar(u'a' + char16_t(i % 26)));
        return text;
    }
    static const char *const said[] = {"water ", "found ", "near ", "the ", "old ", "well, ",
                                       "rods ", "crossed ", "twice ", "at ", "three ", "metres. "};
    for (int i = 0; text.size() < characters; ++i)
        text.append(QLatin1String(said[(i * 7) % 12]));
    text.truncate(characters);
    return text;
}

// Runs work on the window's thread from its event loop, ticking every 2 ms
// meanwhile; returns the work's milliseconds and sets stall to the longest
// the thread went between ticks, the work included, until settle ms after.
double timed(const std::function<void()> &work, double *stall, int settle = 500)
{
    QElapsedTimer gap, timer;
    double longest = 0;
    QTimer tick;
    tick.setInterval(2);
    QObject::connect(&tick, &QTimer::timeout, [&] {
        longest = std::max(longest, msSince(gap));
        gap.restart();
    });
    double took = -1;
    gap.start();
    tick.start();
    QTimer::singleShot(0, [&] {
        timer.start();
        work();
        took = msSince(timer);
    });
    while (took < 0)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    QElapsedTimer after;
    after.start();
    while (after.elapsed() < settle)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
    tick.stop();
    *stall = longest;
    return took;
}

// What the windows do with the record: the list shows its row, the record
// view opens, prints and saves it.
struct ViewFigures
{
    double listMs = 0, listStall = 0;
    double openMs = 0, openStall = 0, printMs = 0, printStall = 0, saveMs = 0, saveStall = 0;
    qint64 pdfBytes = 0, rtfBytes = 0;
};

ViewFigures measureView(Fakes &fakes, const QString &folder)
{
    ViewFigures f;
    FrameWindow frame;
    frame.resize(1024, 768);
    frame.show();
    frame.loadEntryWindow();
    (void)frame.grab();
    RecordListWindow *list = nullptr;
    f.listMs = timed(
            [&] {
                frame.windows().entryWindow()->showAllRecords();
                list = frame.windows().listWindow();
                (void)frame.grab();
            },
            &f.listStall, 1000);
    QTableView *grid = gridOf(list);
    grid->setCurrentIndex(grid->model()->index(0, 0));

    f.openMs = timed(
            [&] {
                list->openCurrentRecord();
                (void)frame.grab();
            },
            &f.openStall, 1000);
    RecordViewWindow *view = frame.windows().recordView();

    const QString pdf = folder + QStringLiteral("/report.pdf");
    fakes.dialogs.printerAnswer = [pdf](QPrinter &printer, bool) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        return true;
    };
    f.printMs = timed([&] { view->printReport(); }, &f.printStall);
    const QString rtf = folder + QStringLiteral("/report.rtf");
    fakes.dialogs.nextSaveName = rtf;
    f.saveMs = timed([&] { view->saveReport(); }, &f.saveStall);
    f.pdfBytes = QFileInfo(pdf).size();
    f.rtfBytes = QFileInfo(rtf).size();
    return f;
}

// Child: prints "list_ms list_stall open_ms open_stall print_ms print_stall
// pdf_bytes save_ms save_stall rtf_bytes peak_kb export_ms import_ms
// peak_kb", the windows' figures 0 without windows.
int measure(const QString &folder, bool windows)
{
    Fakes fakes;
    Platform platform = fakes.over(folder);
    QtProgressDialogs progress;
    platform.progress = &progress;
    PlatformScope installed(platform);
    const ViewFigures view = windows ? measureView(fakes, folder) : ViewFigures();
    if (!fakes.messages.shown.isEmpty())
        std::fprintf(stderr, "told: %s\n", qPrintable(fakes.messages.texts().join('|')));
    const qint64 viewPeak = statusKb("VmHWM");

    // The records to a CSV file and back, as a second record.
    RecordTransfer transfer;
    fakes.dialogs.nextSaveName = folder + QStringLiteral("/notes.csv");
    QElapsedTimer timer;
    timer.start();
    const bool exported =
            transfer.exportRecords(nullptr, std::nullopt) == RecordTransfer::Outcome::Done;
    const double exportMs = msSince(timer);
    fakes.dialogs.nextOpenName = fakes.dialogs.nextSaveName;
    timer.restart();
    const bool imported = transfer.importRecords(nullptr) == RecordTransfer::Outcome::Done;
    const double importMs = msSince(timer);
    if (!exported || !imported)
        std::fprintf(stderr, "told: %s\n", qPrintable(fakes.messages.texts().join('|')));
    std::printf("%.0f %.0f %.0f %.0f %.0f %.0f %lld %.0f %.0f %lld %lld %.0f %.0f %lld\n",
                view.listMs, view.listStall, view.openMs,
                view.openStall, view.printMs, view.printStall,
                static_cast<long long>(view.pdfBytes),
                view.saveMs, view.saveStall, static_cast<long long>(view.rtfBytes),
                static_cast<long long>(viewPeak), exportMs, importMs,
                static_cast<long long>(statusKb("VmHWM")));
    return 0;
}

// A text box of the report's size and font over the text: milliseconds
// from the text set to the box painted.
double layoutMs(const QString &text)
{
    QTextEdit box;
    QFont font(QStringLiteral("Verdana"));
    font.setPointSizeF(9.75);
    box.document()->setDefaultFont(font);
    box.resize(720, 400);
    QElapsedTimer timer;
    timer.start();
    box.setPlainText(text);
    (void)box.grab();
    return msSince(timer);
}

int measureLayout()
{
    for (const qint64 characters : {10000, 30000, 100000, 300000}) {
        line(QStringLiteral("%1 characters: without a space %2 ms, of words %3 ms")
                     .arg(characters)
                     .arg(layoutMs(noteOf(characters, false)), 0, 'f', 0)
                     .arg(layoutMs(noteOf(characters, true)), 0, 'f', 0));
    }
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() == 4 && args.at(1) == QLatin1String("--measure"))
        return measure(args.at(3), args.at(2) == QLatin1String("windows"));
    if (args.size() == 2 && args.at(1) == QLatin1String("--layout"))
        return measureLayout();
    const bool windows = args.value(1) != QLatin1String("--transfer");
    QList<int> sizes;
    for (int i = windows ? 1 : 2; i < args.size(); ++i)
        sizes.append(args.at(i).toInt());
    if (sizes.isEmpty())
        sizes = {10, 100};
    for (int megabytes : sizes) {
        for (const bool words : {false, true}) {
            QTemporaryDir folder;
            if (!TestEnvironment::copyShippedDatabase(RecordStore::databasePath(folder.path())))
                return 1;
            {
                RecordStore store;
                if (store.open(RecordStore::databasePath(folder.path()))
                    != RecordStore::OpenResult::Opened)
                    return 1;
                DowsingRecord record;
                record.Date = QDate(2026, 12, 7);
                record.Name = QStringLiteral("LONG NOTES");
                record.Notes = noteOf(qint64(megabytes) << 20, words);
                if (!store.add(record)) {
                    std::fprintf(stderr, "%s\n", qPrintable(store.errorText()));
                    return 1;
                }
            }
            QProcess child;
            child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
            child.start(QCoreApplication::applicationFilePath(),
                        {QStringLiteral("--measure"),
                         windows ? QStringLiteral("windows") : QStringLiteral("transfer"),
                         folder.path()});
            child.waitForFinished(-1);
            const QList<QByteArray> w = child.readAllStandardOutput().trimmed().split(' ');
            if (w.size() != 14) {
                line(QStringLiteral("%1 MB %2: the measuring process failed")
                             .arg(megabytes)
                             .arg(words ? "of words" : "without a space"));
                continue;
            }
            const QString notes = QStringLiteral("%1 MB notes %2: ")
                                          .arg(megabytes)
                                          .arg(words ? QStringLiteral("of words")
                                                     : QStringLiteral("without a space"));
            const auto at = [&](int i) { return QString::fromLatin1(w[i]); };
            const QString view =
                    QStringLiteral("list with its row painted %1 ms (longest stall %2 ms); "
                                   "report painted %3 ms (longest stall %4 ms); print %5 ms "
                                   "(stall %6 ms, PDF %7 MB); save %8 ms (stall %9 ms, ")
                            .arg(at(0), at(1), at(2), at(3), at(4), at(5))
                            .arg(w[6].toLongLong() >> 20)
                            .arg(at(7), at(8))
                    + QStringLiteral("RTF %1 MB); peak memory %2 MB; ")
                              .arg(w[9].toLongLong() >> 20)
                              .arg(w[10].toLongLong() >> 10);
            line(notes + (windows ? view : QString())
                 + QStringLiteral("export %1 ms, import %2 ms, peak memory %3 MB")
                           .arg(at(11), at(12))
                           .arg(w[13].toLongLong() >> 10));
        }
    }
    return 0;
}
