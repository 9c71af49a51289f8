// What the caption label's remembered sizes save while windows are built.
//
//   orvane-caption-bench [WINDOWS [ROUNDS]]        (default 20 15)
//   orvane-caption-bench --only caption|plain [WINDOWS]
//   orvane-caption-bench --program [WINDOWS]
//
// The first form takes every caption of the frame and its entry window as the
// program makes them (text, font, wrapping, alignment) and builds, shows and
// paints a flat form of them beside line edits again and again: with
// CaptionLabel, then with a plain QLabel given the very same font, so that
// only the remembered sizes differ; the two kinds alternate. A flat form asks
// each label few questions twice, so this shows what remembering costs where
// it rarely answers.
//
// The second builds one kind of form only, for an instruction count:
//   valgrind --tool=callgrind --toggle-collect='*buildForms*' orvane-caption-bench --only plain 20
//
// The third builds the program's own frame and entry window, whose nested
// layouts ask the same label the same question many times:
//   valgrind --tool=callgrind --toggle-collect='*buildProgramWindows*' orvane-caption-bench --program 3
// then callgrind_annotate --tree=calling shows how many calls of
// CaptionLabel::heightForWidth and sizeHint reached QLabel's, and what each
// of those cost: the calls that did not are the work saved.
//
// Runs headless (offscreen) unless QT_QPA_PLATFORM says otherwise.

#include "BenchOutput.h"
#include "support/FakePlatform.h"

#include "app/FrameWindow.h"
#include "widgets/CaptionLabel.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QGridLayout>
#include <QLineEdit>

#include <algorithm>
#include <cstdio>
#include <memory>

using namespace Orvane;
using Orvane::Bench::line;
using Orvane::Bench::median;
using namespace Orvane::Testing;

namespace {

struct Caption
{
    QString text;
    QFont font;
    bool wordWrap = false;
    Qt::Alignment alignment;
};

// The captions of the frame and its entry window, as the program makes them.
QVector<Caption> programCaptions()
{
    TestEnvironment environment;
    FrameWindow frame;
    frame.resize(1024, 768);
    frame.loadEntryWindow();
    QVector<Caption> captions;
    for (const CaptionLabel *label : frame.findChildren<CaptionLabel *>())
        captions.append({label->text(), label->font(), label->wordWrap(), label->alignment()});
    return captions;
}

// A form of the captions, each beside a line edit; a wrapped one spans the
// row, so that the layout asks it for heights at given widths.
std::unique_ptr<QWidget> form(const QVector<Caption> &captions, bool remembering)
{
    auto window = std::make_unique<QWidget>();
    auto *grid = new QGridLayout(window.get());
    int row = 0;
    for (const Caption &caption : captions) {
        QLabel *label = remembering ? new CaptionLabel(caption.text) : new QLabel(caption.text);
        label->setFont(caption.font);
        label->setWordWrap(caption.wordWrap);
        label->setAlignment(caption.alignment);
        if (caption.wordWrap) {
            grid->addWidget(label, row++, 0, 1, 2);
        } else {
            grid->addWidget(label, row, 0);
            grid->addWidget(new QLineEdit, row++, 1);
        }
    }
    return window;
}

// Builds, shows and paints count forms, one after the other.
[[gnu::noinline]] void buildForms(const QVector<Caption> &captions, bool remembering, int count)
{
    for (int i = 0; i < count; ++i) {
        std::unique_ptr<QWidget> window = form(captions, remembering);
        window->resize(1024, 768);
        window->show();
        (void)window->grab();
        // A second size, as when the frame is shown maximised.
        window->resize(1280, 960);
        (void)window->grab();
    }
}

// Builds, shows and paints the frame with its entry window count times:
// the program's own path, for counting how often the captions' sizes are
// asked for and how often QLabel still works them out.
[[gnu::noinline]] void buildProgramWindows(int count)
{
    TestEnvironment environment;
    for (int i = 0; i < count; ++i) {
        FrameWindow frame;
        frame.resize(1024, 768);
        frame.show();
        frame.loadEntryWindow();
        (void)frame.grab();
    }
}

double msPerForm(const QVector<Caption> &captions, bool remembering, int count)
{
    QElapsedTimer timer;
    timer.start();
    buildForms(captions, remembering, count);
    return timer.nsecsElapsed() / 1e6 / count;
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QStringList args = app.arguments();
    args.removeFirst();
    const QVector<Caption> captions = programCaptions();
    if (captions.isEmpty()) {
        line(QStringLiteral("no captions found"));
        return 1;
    }

    if (args.size() >= 1 && args.at(0) == QLatin1String("--program")) {
        const int count = args.size() > 1 ? args.at(1).toInt() : 5;
        buildProgramWindows(count);
        line(QStringLiteral("built the frame with its entry window %1 times").arg(count));
        return 0;
    }
    if (args.size() >= 2 && args.at(0) == QLatin1String("--only")) {
        const int count = args.size() > 2 ? args.at(2).toInt() : 20;
        buildForms(captions, args.at(1) == QLatin1String("caption"), count);
        line(QStringLiteral("built %1 forms of %2 captions with %3")
                     .arg(count)
                     .arg(captions.size())
                     .arg(args.at(1) == QLatin1String("caption") ? "CaptionLabel" : "QLabel"));
        return 0;
    }

    const int count = !args.isEmpty() ? args.at(0).toInt() : 20;
    const int rounds = args.size() > 1 ? args.at(1).toInt() : 15;
    // One of each first, to warm caches; not counted.
    buildForms(captions, true, 2);
    buildForms(captions, false, 2);
    QVector<double> remembering, plain;
    for (int i = 0; i < rounds; ++i) {
        remembering.append(msPerForm(captions, true, count));
        plain.append(msPerForm(captions, false, count));
    }
    line(QStringLiteral("form of %1 captions, built, shown and painted at two sizes: "
                        "CaptionLabel %2 ms, QLabel %3 ms a form "
                        "(medians of %4 alternating rounds of %5 forms)")
                 .arg(captions.size())
                 .arg(median(remembering), 0, 'f', 2)
                 .arg(median(plain), 0, 'f', 2)
                 .arg(rounds)
                 .arg(count));
    return 0;
}
