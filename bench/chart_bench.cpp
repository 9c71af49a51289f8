// The charts of the statistics window drawn two ways: with Qt Charts, and
// by hand with QPainter (widgets/BarChart). For a time line of N months,
// each in a fresh process: the time to build the chart and paint its first
// frame, the memory it takes, and the time to scroll it by a page and paint
// again; then the same for the ten bars of a "by tool" chart.
//
//   orvane-chart-bench [RUNS]          (default 7)
//
// Runs headless (offscreen) unless QT_QPA_PLATFORM says otherwise.

#include "BenchOutput.h"

#include "widgets/BarChart.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QRandomGenerator>
#include <QScrollBar>
#include <QVBoxLayout>
#ifdef ORVANE_WITH_CHARTS
#include <QtCharts/QBarCategoryAxis>
#include <QtCharts/QBarSeries>
#include <QtCharts/QBarSet>
#include <QtCharts/QChart>
#include <QtCharts/QChartView>
#include <QtCharts/QHorizontalBarSeries>
#include <QtCharts/QValueAxis>
#endif

using namespace Orvane;
using Orvane::Bench::line;
using Orvane::Bench::median;
using Orvane::Bench::statusKb;

namespace {

QVector<qint64> valuesFor(int count)
{
    QRandomGenerator random(7);
    QVector<qint64> values;
    for (int i = 0; i < count; ++i)
        values.append(2500 + random.bounded(1000));
    return values;
}

// The months shown at once in a scrolled chart, as in the window.
constexpr int kShownMonths = 48;

// One measurement in this process: prints "first_ms scroll_ms rss_kb".
int measure(const QString &kind, int count)
{
    QWidget window;
    window.resize(760, 320);
    auto *layout = new QVBoxLayout(&window);
    const QVector<qint64> values = valuesFor(count);
    const bool rows = count <= 10;
    const qint64 before = statusKb("VmRSS");
    QElapsedTimer timer;
    timer.start();
    std::function<void()> scroll;
    if (kind == QLatin1String("painter")) {
        auto *chart = new BarChart(rows ? BarChart::Direction::Rows : BarChart::Direction::Columns);
        QVector<BarChart::Bar> bars;
        for (int i = 0; i < count; ++i) {
            BarChart::Bar bar;
            bar.label = QStringLiteral("Month %1").arg(i);
            bar.shortLabel = QStringLiteral("J");
            bar.group = i % 12 == 0 ? QString::number(2000 + i / 12) : QString();
            bar.value = values.at(i);
            bar.valueText = QString::number(values.at(i));
            bars.append(bar);
        }
        chart->setBars(bars);
        layout->addWidget(chart);
        scroll = [chart] {
            QScrollBar *bar = chart->horizontalScrollBar();
            bar->setValue(bar->value() + bar->pageStep());
        };
    } else {
#ifdef ORVANE_WITH_CHARTS
        auto *set = new QBarSet(QStringLiteral("Records"));
        QStringList categories;
        for (int i = 0; i < count; ++i) {
            *set << qreal(values.at(i));
            categories << (i % 12 == 0 ? QString::number(2000 + i / 12) : QStringLiteral("%1").arg(i % 12 + 1));
        }
        auto *chart = new QChart;
        chart->legend()->hide();
        auto *axisX = new QBarCategoryAxis;
        axisX->append(categories);
        auto *axisY = new QValueAxis;
        axisY->setRange(0, 4000);
        QAbstractBarSeries *series = rows ? static_cast<QAbstractBarSeries *>(new QHorizontalBarSeries)
                                          : static_cast<QAbstractBarSeries *>(new QBarSeries);
        series->append(set);
        chart->addSeries(series);
        chart->addAxis(axisX, rows ? Qt::AlignLeft : Qt::AlignBottom);
        chart->addAxis(axisY, rows ? Qt::AlignBottom : Qt::AlignLeft);
        series->attachAxis(axisX);
        series->attachAxis(axisY);
        // A long time line shows a window of months, moved by a scroll bar.
        auto *bar = new QScrollBar(Qt::Horizontal);
        const int shown = std::min(count, kShownMonths);
        bar->setRange(0, count - shown);
        bar->setPageStep(shown);
        QObject::connect(bar, &QScrollBar::valueChanged, axisX, [axisX, categories, shown](int v) {
            axisX->setRange(categories.at(v), categories.at(v + shown - 1));
        });
        axisX->setRange(categories.first(), categories.at(shown - 1));
        auto *view = new QChartView(chart);
        layout->addWidget(view);
        if (!rows)
            layout->addWidget(bar);
        scroll = [bar] { bar->setValue(std::min(bar->maximum(), bar->value() + bar->pageStep())); };
#endif
    }
    window.show();
    (void)window.grab();
    const double first = timer.nsecsElapsed() / 1e6;
    // The parent times the whole start up to here, loading the libraries
    // included.
    std::printf("painted\n");
    std::fflush(stdout);
    const qint64 after = statusKb("VmRSS");
    timer.restart();
    scroll();
    (void)window.grab();
    const double scrolled = timer.nsecsElapsed() / 1e6;
    std::printf("%.2f %.2f %lld\n", first, scrolled, after - before);
    return 0;
}

void compare(int count, int runs)
{
    for (const QString &kind : {QStringLiteral("charts"), QStringLiteral("painter")}) {
        QVector<double> firsts, scrolls, memory, starts;
        for (int r = 0; r < runs; ++r) {
            QProcess child;
            child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
            // The chart drawn by hand runs in a build without Qt Charts, so
            // that its start loads only what the program would.
            const QString program = kind == QLatin1String("charts")
                    ? QCoreApplication::applicationFilePath()
                    : QCoreApplication::applicationFilePath() + QStringLiteral("-painter");
            QElapsedTimer started;
            started.start();
            child.start(program, {QStringLiteral("--measure"), kind, QString::number(count)});
            while (!child.canReadLine() && child.waitForReadyRead(600000)) {
            }
            starts.append(started.nsecsElapsed() / 1e6);
            child.readLine();
            child.waitForFinished(600000);
            const QList<QByteArray> words = child.readAllStandardOutput().trimmed().split(' ');
            if (words.size() != 3)
                continue;
            firsts.append(words.at(0).toDouble());
            scrolls.append(words.at(1).toDouble());
            memory.append(words.at(2).toDouble());
        }
        line(QStringLiteral("%1 %2 bars: first paint median %3 ms (%7 ms from the process's "
                            "start), scroll a page and paint %4 ms, memory %5 kB (%6 runs)")
                     .arg(kind == QLatin1String("charts") ? QStringLiteral("Qt Charts")
                                                          : QStringLiteral("QPainter "))
                     .arg(count, 5)
                     .arg(median(firsts), 0, 'f', 1)
                     .arg(median(scrolls), 0, 'f', 1)
                     .arg(median(memory), 0, 'f', 0)
                     .arg(firsts.size())
                     .arg(median(starts), 0, 'f', 1));
    }
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() == 4 && args.at(1) == QLatin1String("--measure"))
        return measure(args.at(2), args.at(3).toInt());
    const int runs = args.size() > 1 ? args.at(1).toInt() : 7;
    // Ten bars as "by tool"; a year; 25 years of months (the benchmark's
    // records); a century; a millennium, as odd dates may span.
    for (int count : {10, 12, 300, 1200, 12000})
        compare(count, runs);
    return 0;
}
