// Start-up with the system's font list read on a second thread while the
// windows are built (as the program's main() does) against the same start-up
// with no such thread, where the first text measured reads the list itself.
// The font list is read once per process, so each start runs in a fresh
// process of its own; the two kinds alternate.
//
//   orvane-fontlist-bench [RUNS]     (default 21 of each)
//
// Each start is timed from before the QApplication is made until the frame
// with its entry window is painted. Runs headless (offscreen) unless
// QT_QPA_PLATFORM says otherwise; the figure that counts is under X
// (QT_QPA_PLATFORM=xcb with DISPLAY set), as on a desktop.

#include "BenchOutput.h"
#include "support/FakePlatform.h"

#include "app/FrameWindow.h"
#include "app/Startup.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFontDatabase>
#include <QProcess>

#include <algorithm>
#include <cstdio>
#include <thread>

using namespace Orvane;
using Orvane::Bench::line;
using Orvane::Bench::median;
using namespace Orvane::Testing;

namespace {

// Child process: one start, the way main() makes it, with or without the
// font thread; prints the time to the painted frame.
int start(int argc, char *argv[], bool fontThread, const QElapsedTimer &sinceMain)
{
    QApplication app(argc, argv);
    app.setQuitOnLastWindowClosed(false);
    std::thread fontList;
    if (fontThread)
        fontList = std::thread([] { QFontDatabase::families(); });

    TestEnvironment environment;
    Startup startup(QStringLiteral("orvane-fontlist-bench-%1").arg(QCoreApplication::applicationPid()));
    const bool started = startup.run();
    if (fontList.joinable())
        fontList.join();
    FrameWindow *frame = nullptr;
    for (QWidget *top : QApplication::topLevelWidgets()) {
        if (auto *candidate = qobject_cast<FrameWindow *>(top))
            frame = candidate;
    }
    if (!started || !frame)
        return 1;
    // What app.exec() would paint first.
    (void)frame->grab();
    line(QStringLiteral("child_ms %1").arg(sinceMain.nsecsElapsed() / 1e6, 0, 'f', 2));
    std::fflush(stdout);
    // The windows and their connections are not closed in order: quit now.
    std::_Exit(0);
}

double runChild(const QString &program, const QString &kind)
{
    QProcess child;
    child.start(program, {QStringLiteral("--child"), kind});
    child.waitForFinished(120000);
    const QList<QByteArray> words = child.readAllStandardOutput().simplified().split(' ');
    const int at = words.indexOf("child_ms");
    return at >= 0 && at + 1 < words.size() ? words.at(at + 1).toDouble() : -1;
}

} // namespace

int main(int argc, char *argv[])
{
    QElapsedTimer sinceMain;
    sinceMain.start();
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (argc == 3 && qstrcmp(argv[1], "--child") == 0)
        return start(argc, argv, qstrcmp(argv[2], "thread") == 0, sinceMain);

    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? QByteArray(argv[1]).toInt() : 21;
    const QString program = QCoreApplication::applicationFilePath();
    // One of each first, to warm the file cache; not counted.
    runChild(program, QStringLiteral("thread"));
    runChild(program, QStringLiteral("plain"));
    QVector<double> withThread, without;
    for (int i = 0; i < runs; ++i) {
        withThread.append(runChild(program, QStringLiteral("thread")));
        without.append(runChild(program, QStringLiteral("plain")));
    }
    if (std::count(withThread.cbegin(), withThread.cend(), -1.0)
        + std::count(without.cbegin(), without.cend(), -1.0) > 0) {
        line(QStringLiteral("a start failed"));
        return 1;
    }
    // Each pair ran back to back, so its difference is the least disturbed
    // by other work on the machine.
    QVector<double> saved;
    for (int i = 0; i < runs; ++i)
        saved.append(without.at(i) - withThread.at(i));
    const auto faster = std::count_if(saved.cbegin(), saved.cend(), [](double d) { return d > 0; });
    line(QStringLiteral("start-up to the painted frame (%1): font thread %2 ms, none %3 ms "
                        "(medians of %4 alternating starts); the thread saves %5 ms a pair "
                        "(median), faster in %6 of %4 pairs")
                 .arg(qEnvironmentVariable("QT_QPA_PLATFORM"))
                 .arg(median(withThread), 0, 'f', 1)
                 .arg(median(without), 0, 'f', 1)
                 .arg(runs)
                 .arg(median(saved), 0, 'f', 1)
                 .arg(faster));
    return 0;
}
