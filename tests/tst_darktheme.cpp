// The windows under a light and a dark desktop theme. A control that is
// drawn on a fixed background of the program's own (a style sheet or palette
// colour) must have its text colour fixed too, and fixed text needs a fixed
// background: one half from the program and the other from the theme is
// unreadable under one of the two themes. Every fixed pair must contrast.
// Each window and page is built under both themes and its colours compared.

#include "support/ProgramWindows.h"

#include "entry/EntryWindow.h"
#include "widgets/FramedButton.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>
#include <QtTest>

#include <cmath>
#include <optional>

using namespace Orvane;
using Orvane::Testing::nameOf;
using Orvane::Testing::ProgramWindows;

namespace {

// The least contrast of text that must stay readable (that of large text
// and of controls in the usual accessibility guidelines).
constexpr double kLeastContrast = 3.0;

QPalette darkPalette()
{
    const QColor window(45, 45, 48), text(235, 235, 235), base(30, 30, 30);
    QPalette p(window);
    for (auto group : {QPalette::Active, QPalette::Inactive}) {
        p.setColor(group, QPalette::Window, window);
        p.setColor(group, QPalette::WindowText, text);
        p.setColor(group, QPalette::Base, base);
        p.setColor(group, QPalette::AlternateBase, window);
        p.setColor(group, QPalette::Text, text);
        p.setColor(group, QPalette::ToolTipBase, base);
        p.setColor(group, QPalette::ToolTipText, text);
        p.setColor(group, QPalette::PlaceholderText, QColor(150, 150, 150));
        p.setColor(group, QPalette::Button, window);
        p.setColor(group, QPalette::ButtonText, text);
        p.setColor(group, QPalette::Highlight, QColor(61, 174, 233));
        p.setColor(group, QPalette::HighlightedText, QColor(10, 10, 10));
        p.setColor(group, QPalette::Link, QColor(110, 180, 255));
        p.setColor(group, QPalette::LinkVisited, QColor(190, 150, 255));
    }
    return p;
}

// The usual light desktop.
QPalette lightPalette()
{
    QPalette p(QColor(239, 239, 239));
    for (auto group : {QPalette::Active, QPalette::Inactive}) {
        p.setColor(group, QPalette::WindowText, QColor(0, 0, 0));
        p.setColor(group, QPalette::Base, QColor(255, 255, 255));
        p.setColor(group, QPalette::Text, QColor(0, 0, 0));
        p.setColor(group, QPalette::ButtonText, QColor(0, 0, 0));
        p.setColor(group, QPalette::Link, QColor(0, 0, 255));
    }
    return p;
}

double luminance(const QColor &c)
{
    auto channel = [](double v) {
        v /= 255.0;
        return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(c.red()) + 0.7152 * channel(c.green()) + 0.0722 * channel(c.blue());
}

double contrast(const QColor &a, const QColor &b)
{
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// Widgets that fill their own background with a fixed colour.
bool paintsItsOwnBackground(const QWidget *w)
{
    if (w->autoFillBackground())
        return true;
    // A style sheet background: the style puts its colour into the palette.
    return w->testAttribute(Qt::WA_StyledBackground)
            && w->palette().color(w->backgroundRole()).alpha() == 255;
}

// The colour behind a widget that paints no background of its own: that of
// the nearest widget below it that does, else the window's.
QColor backgroundBehind(const QWidget *w)
{
    for (const QWidget *p = w; p; p = p->isWindow() ? nullptr : p->parentWidget()) {
        if (paintsItsOwnBackground(p))
            return p->palette().color(p->backgroundRole());
    }
    return w->window()->palette().color(QPalette::Window);
}

struct Colours
{
    QColor text;
    QColor background;
};

// The text and background colours a widget is drawn with, as the styles
// pair them: buttons and fixed lists with the button colours, boxes with
// the base colours, captions on whatever lies behind them.
std::optional<Colours> coloursOf(const QWidget *w)
{
    const QPalette &p = w->palette();
    auto *combo = qobject_cast<const QComboBox *>(w);
    if (qobject_cast<const QAbstractButton *>(w) || (combo && !combo->isEditable()))
        return Colours{p.color(QPalette::ButtonText), p.color(QPalette::Button)};
    if (qobject_cast<const QLineEdit *>(w) || combo || qobject_cast<const QAbstractSpinBox *>(w))
        return Colours{p.color(QPalette::Text), p.color(QPalette::Base)};
    auto *label = qobject_cast<const QLabel *>(w);
    auto *group = qobject_cast<const QGroupBox *>(w);
    if ((label && !label->text().isEmpty()) || (group && !group->title().isEmpty()))
        return Colours{p.color(w->foregroundRole()), backgroundBehind(w)};
    if (paintsItsOwnBackground(w))
        return Colours{p.color(w->foregroundRole()), p.color(w->backgroundRole())};
    return std::nullopt;
}

// Where a widget sits in its window, the same from one build of the window
// to the next.
QString pathOf(const QWidget *w)
{
    QStringList steps;
    for (const QWidget *p = w; p && !p->isWindow(); p = p->parentWidget()) {
        int index = 0;
        if (const QWidget *parent = p->parentWidget()) {
            for (QObject *sibling : parent->children()) {
                if (sibling == p)
                    break;
                if (sibling->metaObject() == p->metaObject())
                    ++index;
            }
        }
        steps.prepend(QStringLiteral("%1#%2").arg(nameOf(p)).arg(index));
    }
    return steps.join(QLatin1Char('/'));
}

// The colours of every shown control of the state's window, built under
// the palette.
QMap<QString, Colours> coloursUnder(const QPalette &palette, const QString &state)
{
    QApplication::setPalette(palette);
    ProgramWindows program;
    QMap<QString, Colours> result;
    QWidget *window = program.enter(state);
    if (!window)
        return result;
    const QList<QWidget *> widgets = window->findChildren<QWidget *>();
    for (QWidget *w : widgets) {
        if (w->window() != window || !w->isVisible() || !w->isEnabled())
            continue;
        if (const auto colours = coloursOf(w))
            result.insert(pathOf(w), *colours);
    }
    return result;
}

} // namespace

class TestDarkTheme : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { QApplication::setPalette(QPalette()); }
    void fixedColoursComeInPairs_data();
    void fixedColoursComeInPairs();
    void textContrastsWithFixedBackgrounds_data();
    void textContrastsWithFixedBackgrounds();
    void focusFrameShowsOnEveryEntryButton_data();
    void focusFrameShowsOnEveryEntryButton();
};

void TestDarkTheme::fixedColoursComeInPairs_data()
{
    ProgramWindows::addStateRows();
}

// A background that stays the same under a light and a dark theme must
// come with a text colour that stays too, and a fixed text colour needs a
// fixed background: one half from the program and the other from the
// theme is unreadable under one of the two.
void TestDarkTheme::fixedColoursComeInPairs()
{
    QFETCH(QString, state);
    const QMap<QString, Colours> light = coloursUnder(lightPalette(), state);
    const QMap<QString, Colours> dark = coloursUnder(darkPalette(), state);
    QVERIFY(!light.isEmpty());
    QCOMPARE(dark.keys(), light.keys());

    QStringList problems;
    for (auto it = light.cbegin(); it != light.cend(); ++it) {
        const Colours &l = it.value();
        const Colours &d = dark.value(it.key());
        const bool fixedText = l.text == d.text;
        const bool fixedBackground = l.background == d.background;
        if (fixedText != fixedBackground)
            problems.append(QStringLiteral("%1: %2 text on %3 background (light theme %4 on %5, "
                                           "dark theme %6 on %7)")
                                    .arg(it.key(), fixedText ? "fixed" : "theme",
                                         fixedBackground ? "fixed" : "theme", l.text.name(),
                                         l.background.name(), d.text.name(),
                                         d.background.name()));
    }
    QVERIFY2(problems.isEmpty(), qPrintable(problems.join(QLatin1Char('\n'))));
}

void TestDarkTheme::textContrastsWithFixedBackgrounds_data()
{
    ProgramWindows::addStateRows();
}

void TestDarkTheme::textContrastsWithFixedBackgrounds()
{
    QFETCH(QString, state);
    QApplication::setPalette(darkPalette());
    ProgramWindows program;
    QWidget *window = program.enter(state);
    QVERIFY(window);

    QStringList problems;
    const QList<QWidget *> widgets = window->findChildren<QWidget *>();
    for (QWidget *w : widgets) {
        // Switched-off controls are drawn faint on purpose.
        if (w->window() != window || !w->isVisible() || !w->isEnabled())
            continue;
        const auto colours = coloursOf(w);
        if (!colours)
            continue;
        const double ratio = contrast(colours->text, colours->background);
        if (ratio < kLeastContrast)
            problems.append(QStringLiteral("%1: text %2 on %3 (%4:1)")
                                    .arg(nameOf(w), colours->text.name(),
                                         colours->background.name())
                                    .arg(ratio, 0, 'f', 1));
    }
    QVERIFY2(problems.isEmpty(), qPrintable(problems.join(QLatin1Char('\n'))));
}

void TestDarkTheme::focusFrameShowsOnEveryEntryButton_data()
{
    QTest::addColumn<bool>("dark");
    QTest::addColumn<QString>("state");
    for (const char *state : {"entry locked", "customer page", "tool pop-up", "notes page"}) {
        QTest::newRow(qPrintable(QStringLiteral("light, %1").arg(QLatin1String(state))))
                << false << state;
        QTest::newRow(qPrintable(QStringLiteral("dark, %1").arg(QLatin1String(state))))
                << true << state;
    }
}

// A screen reader heard the focus on "Add New Record" at the start, but no
// frame showed it: the style draws one only after a key moved the focus.
// Each button of the entry window, given the focus as the program's start
// and its page changes give it, must look different, in colours that stand
// out from its face.
void TestDarkTheme::focusFrameShowsOnEveryEntryButton()
{
    QFETCH(bool, dark);
    QFETCH(QString, state);
    QApplication::setPalette(dark ? darkPalette() : lightPalette());
    ProgramWindows program;
    QVERIFY(program.enter(state));
    QStringList problems;
    const QList<QPushButton *> buttons = program.entry()->findChildren<QPushButton *>();
    int checked = 0;
    for (QPushButton *button : buttons) {
        if (!button->isVisible() || !button->isEnabled())
            continue;
        button->clearFocus();
        QVERIFY(!button->hasFocus());
        const QImage plain = button->grab().toImage();
        button->setFocus(Qt::OtherFocusReason);
        QVERIFY(button->hasFocus());
        const QImage focused = button->grab().toImage();
        ++checked;
        // Along the left and the top edge, inside the button's rim, where no
        // caption is drawn.
        const int rim = int((FramedButton::kFrameInset + FramedButton::kFrameWidth / 2)
                            * plain.devicePixelRatio());
        const QPoint left(rim, focused.height() / 2);
        const QPoint top(focused.width() / 2, rim);
        for (const QPoint &at : {left, top}) {
            const double seen = contrast(focused.pixelColor(at), plain.pixelColor(at));
            if (seen < kLeastContrast)
                problems.append(QStringLiteral("%1: focus %2 on %3 (%4:1)")
                                        .arg(nameOf(button), focused.pixelColor(at).name(),
                                             plain.pixelColor(at).name())
                                        .arg(seen, 0, 'f', 1));
        }
    }
    QVERIFY(checked >= 3);
    QVERIFY2(problems.isEmpty(), qPrintable(problems.join(QLatin1Char('\n'))));
}

QTEST_MAIN(TestDarkTheme)
#include "tst_darktheme.moc"
