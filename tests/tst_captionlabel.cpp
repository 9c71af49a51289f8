// The caption label, which remembers its sizes, must give exactly the sizes
// a QLabel with its font gives: a remembered height that is too small would
// cut the last line of a wrapped text off. Each case is compared against a
// QLabel set up and asked the same way, for the program's own long texts and
// a range of fonts, margins and widths, and again after what the sizes
// depend on has changed.

#include "widgets/CaptionLabel.h"
#include "widgets/LinkLabel.h"
#include "support/ProgramWindows.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QtTest>

#include <functional>

using Orvane::CaptionLabel;

namespace {

const char *const kIntroduction =
        "Dowsing is one of the most ancient forms of divination and has been practised for "
        "around thousands of years, which detects things like underground water, hidden metal "
        "and treasures, oil, lost persons, etc. Orvane Dowsing is a divination software that "
        "allows you to keep a track of your different dowsing experiences in the form a "
        "dowsing diary.";
const char *const kBanner =
        "Home Business Opportunity. Start your own Internet business and make money online. "
        "Get this software fully branded for your website. Click here for more details.";

using Setup = std::function<void(QLabel &)>;

// Every size a layout may ask for, from both labels.
void compareSizes(QLabel &measured, QLabel &reference)
{
    QCOMPARE(measured.sizeHint(), reference.sizeHint());
    QCOMPARE(measured.minimumSizeHint(), reference.minimumSizeHint());
    for (int width : {0, 1, 7, 40, 99, 100, 137, 200, 271, 333, 387, 479, 640, 932, 2000,
                      QWIDGETSIZE_MAX}) {
        QCOMPARE(measured.heightForWidth(width), reference.heightForWidth(width));
    }
    // Asked again: the remembered answers.
    QCOMPARE(measured.heightForWidth(387), reference.heightForWidth(387));
    QCOMPARE(measured.sizeHint(), reference.sizeHint());
}

QFont fontOf(const QString &family, int points, bool bold)
{
    QFont font(family);
    font.setPointSize(points);
    font.setBold(bold);
    return font;
}

} // namespace

class TestCaptionLabel : public QObject
{
    Q_OBJECT

private slots:
    void sizesAreQLabels_data();
    void sizesAreQLabels();
    void sizesFollowChanges_data();
    void sizesFollowChanges();
    void linksMeasureLikeLabels();
    void typedTextKeepsShaping_data();
    void typedTextKeepsShaping();
};

void TestCaptionLabel::sizesAreQLabels_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<Setup>("setup");

    const Setup wrapped = [](QLabel &l) { l.setWordWrap(true); };
    QTest::newRow("long text, wrapped") << QString::fromLatin1(kIntroduction) << wrapped;
    QTest::newRow("banner, wrapped, bold") << QString::fromLatin1(kBanner) << Setup([](QLabel &l) {
        l.setWordWrap(true);
        l.setFont(fontOf(QStringLiteral("Verdana"), 8, true));
    });
    QTest::newRow("centred in small type") << QString::fromLatin1(kIntroduction)
                                           << Setup([](QLabel &l) {
                                                  l.setWordWrap(true);
                                                  l.setAlignment(Qt::AlignHCenter | Qt::AlignTop);
                                                  l.setFont(fontOf(QStringLiteral("Verdana"), 8,
                                                                   false));
                                              });
    QTest::newRow("margins") << QString::fromLatin1(kBanner) << Setup([](QLabel &l) {
        l.setWordWrap(true);
        l.setMargin(3);
        l.setContentsMargins(4, 2, 6, 1);
    });
    QTest::newRow("minimum and maximum widths") << QString::fromLatin1(kIntroduction)
                                                << Setup([](QLabel &l) {
                                                       l.setWordWrap(true);
                                                       l.setMinimumWidth(150);
                                                       l.setMaximumWidth(420);
                                                   });
    QTest::newRow("short text, wrapped") << QStringLiteral("Just input") << wrapped;
    QTest::newRow("one long word") << QStringLiteral("http://www.orvane.example/board/")
                                   << wrapped;
    // Measured by QLabel itself; still remembered.
    QTest::newRow("not wrapped") << QString::fromLatin1(kBanner) << Setup([](QLabel &) {});
    QTest::newRow("rich text") << QStringLiteral("<b>Bold</b> and plain words that wrap")
                               << wrapped;
    QTest::newRow("line breaks") << QStringLiteral("First line\nsecond line that is longer")
                                 << wrapped;
    QTest::newRow("framed and indented") << QString::fromLatin1(kBanner) << Setup([](QLabel &l) {
        l.setWordWrap(true);
        l.setFrameStyle(QFrame::Box | QFrame::Plain);
        l.setIndent(5);
    });
}

void TestCaptionLabel::sizesAreQLabels()
{
    QFETCH(QString, text);
    QFETCH(Setup, setup);
    CaptionLabel measured(text);
    QLabel reference(text);
    setup(measured);
    setup(reference);
    reference.setFont(measured.font());
    compareSizes(measured, reference);
}

void TestCaptionLabel::sizesFollowChanges_data()
{
    QTest::addColumn<Setup>("change");
    QTest::newRow("text") << Setup([](QLabel &l) { l.setText(QString::fromLatin1(kBanner)); });
    QTest::newRow("font") << Setup(
            [](QLabel &l) { l.setFont(fontOf(QStringLiteral("Verdana"), 14, true)); });
    QTest::newRow("wrapping off") << Setup([](QLabel &l) { l.setWordWrap(false); });
    QTest::newRow("margin") << Setup([](QLabel &l) { l.setMargin(9); });
    QTest::newRow("contents margins")
            << Setup([](QLabel &l) { l.setContentsMargins(10, 10, 10, 10); });
    QTest::newRow("minimum width") << Setup([](QLabel &l) { l.setMinimumWidth(300); });
    QTest::newRow("style sheet") << Setup([](QLabel &l) {
        l.setStyleSheet(QStringLiteral("QLabel { font-size: 15px; padding: 4px; }"));
    });
}

void TestCaptionLabel::sizesFollowChanges()
{
    QFETCH(Setup, change);
    CaptionLabel measured(QString::fromLatin1(kIntroduction));
    QLabel reference(QString::fromLatin1(kIntroduction));
    reference.setFont(measured.font());
    for (QLabel *label : {static_cast<QLabel *>(&measured), &reference})
        label->setWordWrap(true);
    compareSizes(measured, reference);
    change(measured);
    change(reference);
    compareSizes(measured, reference);
}

void TestCaptionLabel::linksMeasureLikeLabels()
{
    Orvane::LinkLabel link(QString::fromLatin1(kBanner));
    QLabel reference(QString::fromLatin1(kBanner));
    link.setWordWrap(true);
    reference.setWordWrap(true);
    reference.setTextFormat(Qt::PlainText);
    reference.setFont(link.font());
    compareSizes(link, reference);
}

void TestCaptionLabel::typedTextKeepsShaping_data()
{
    Orvane::Testing::ProgramWindows::addStateRows();
}

// Captions skip OpenType shaping; what the user typed, and the records shown
// back, may be in a script that cannot be drawn without it (Arabic letters
// join, Indic ones reorder).
void TestCaptionLabel::typedTextKeepsShaping()
{
    QFETCH(QString, state);
    Orvane::Testing::ProgramWindows program;
    QWidget *window = program.enter(state);
    QVERIFY(window);
    QStringList unshaped;
    for (QWidget *w : window->findChildren<QWidget *>()) {
        auto *combo = qobject_cast<QComboBox *>(w);
        const bool holdsUserText = qobject_cast<QLineEdit *>(w)
                || qobject_cast<QPlainTextEdit *>(w) || qobject_cast<QTextEdit *>(w)
                || qobject_cast<QAbstractItemView *>(w) || (combo && combo->isEditable());
        if (holdsUserText && (w->font().styleStrategy() & QFont::PreferNoShaping))
            unshaped.append(Orvane::Testing::nameOf(w));
    }
    QVERIFY2(unshaped.isEmpty(), qPrintable(unshaped.join(QLatin1Char(' '))));
}

QTEST_MAIN(TestCaptionLabel)
#include "tst_captionlabel.moc"
