// Every control a screen reader can land on carries a name: boxes are named
// after their captions, lists are labelled, buttons read their captions,
// and a message box reads its text, in every window and page. The date and
// time lists are called by their captions, not by the entry they show. The
// find bar's count is spoken as it changes. Links are read as links and
// pressed by their accessible action.

#include "support/ProgramWindows.h"

#include "app/FrameWindow.h"
#include "entry/EntryWindow.h"
#include "list/CustomersWindow.h"
#include "list/RecordListWindow.h"
#include "list/StatisticsWindow.h"
#include "widgets/BarChart.h"
#include "widgets/ChartPage.h"
#include "widgets/AnnouncedLabel.h"
#include "platform/MessageBoxes.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>
#include <QTextEdit>
#include <QTabWidget>
#include <QTimer>
#include <QtTest>

#include <functional>

using namespace Orvane;
using Orvane::Testing::nameOf;
using Orvane::Testing::ProgramWindows;

namespace {

// Controls that take input or act when used. The parts of a composite
// control (a grid's headers, a list's drop-down) belong to it and are not
// counted, except the edit field of an editable list, which is where the
// user types.
bool interactive(QWidget *w)
{
    if (w->objectName().startsWith(QLatin1String("qt_")))
        return false;
    for (QWidget *p = w->parentWidget(); p; p = p->parentWidget()) {
        if (qobject_cast<QAbstractItemView *>(p))
            return false;
        if (auto *combo = qobject_cast<QComboBox *>(p))
            return combo->lineEdit() == w;
    }
    if (auto *slider = qobject_cast<QAbstractSlider *>(w))
        return !qobject_cast<QScrollBar *>(slider);
    return qobject_cast<QAbstractButton *>(w) || qobject_cast<QLineEdit *>(w)
            || qobject_cast<QTextEdit *>(w) || qobject_cast<QPlainTextEdit *>(w)
            || qobject_cast<QComboBox *>(w) || qobject_cast<QAbstractItemView *>(w)
            || qobject_cast<QAbstractSpinBox *>(w) || w->inherits("Orvane::LinkLabel")
            || w->inherits("Orvane::BarChart");
}

QStringList labelsOf(QAccessibleInterface *iface)
{
    QStringList labels;
    const auto relations = iface->relations(QAccessible::Label);
    for (const auto &relation : relations)
        labels.append(relation.first->text(QAccessible::Name));
    return labels;
}

// The window's controls (shown or not) that a screen reader could not name.
QStringList unnamed(QWidget *window)
{
    QStringList problems;
    const QList<QWidget *> widgets = window->findChildren<QWidget *>();
    for (QWidget *w : widgets) {
        if (w->window() != window || !interactive(w))
            continue;
        QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(w);
        if (!iface || iface->text(QAccessible::Name).trimmed().isEmpty())
            problems.append(QStringLiteral("%1 (%2) has no name")
                                    .arg(nameOf(w), w->metaObject()->className()));
        // On Linux a list is read out by its value; what it is for comes
        // from the label that leads to it.
        else if (qobject_cast<QComboBox *>(w) && labelsOf(iface).join(QString()).trimmed().isEmpty())
            problems.append(nameOf(w) + QStringLiteral(" (list) has no label"));
    }
    return problems;
}

} // namespace

class TestAccessibleNames : public QObject
{
    Q_OBJECT

private slots:
    void everyControlHasAName_data();
    void everyControlHasAName();
    void entryBoxesAreNamedAfterTheirCaptions();
    void dateAndTimeListsAreCalledByTheirCaptions_data();
    void dateAndTimeListsAreCalledByTheirCaptions();
    void findCountIsSpokenAsItChanges();
    void chartsSayTheirCurrentBar_data();
    void chartsSayTheirCurrentBar();
    void messageBoxReadsItsText();
    void linksArePressedByTheirAccessibleAction_data();
    void linksArePressedByTheirAccessibleAction();
};

void TestAccessibleNames::everyControlHasAName_data()
{
    ProgramWindows::addStateRows();
}

void TestAccessibleNames::everyControlHasAName()
{
    QFETCH(QString, state);
    ProgramWindows program;
    QWidget *window = program.enter(state);
    QVERIFY(window);
    const QStringList problems = unnamed(window);
    QVERIFY2(problems.isEmpty(), qPrintable(problems.join(QLatin1Char('\n'))));
}

void TestAccessibleNames::entryBoxesAreNamedAfterTheirCaptions()
{
    // What a screen reader says for each box: the caption the user sees
    // beside it (or, for a list, the labels it is read out with).
    ProgramWindows program;
    QVERIFY(program.enter(QStringLiteral("tool pop-up")));
    const QList<QPair<const char *, QStringList>> expected = {
        {"txtName", {"Name:-"}},
        {"txtAddress", {"Address:-"}},
        {"txtPhNo", {"Phone Number:-"}},
        {"txtEmail", {"Email Address:-"}},
        {"txtLocationDowsingFor", {"Location:-"}},
        {"txtNotes", {"Notes"}},
        {"txtDowsingTool", {"Name Of The Dowsing Tool"}},
        {"txtItemDowsing", {"Name Of The Dowsing Item"}},
        {"cmbDowsingTool", {"Enter The Name of The Dowsing Tool", "Dowsing Tool:-"}},
        {"cmbItemDowsingFor", {"Enter The Name of The Dowsing Item", "Dowsing Item:-"}},
        {"cmbHour", {"Hour", "Dowsing Time:-"}},
        {"cmbMinute", {"Minute"}},
        {"cmbAMPM", {"AM or PM"}},
        {"cmbMonth", {"Month", "Dowsing Date:-"}},
        {"cmbDate", {"Date"}},
        {"cmbYear", {"Year"}},
    };
    for (const auto &[name, said] : expected) {
        auto *w = program.entry()->findChild<QWidget *>(QLatin1String(name));
        QVERIFY2(w, name);
        QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(w);
        const QStringList actual = qobject_cast<QComboBox *>(w)
                ? labelsOf(iface)
                : QStringList{iface->text(QAccessible::Name)};
        QVERIFY2(actual == said, qPrintable(QStringLiteral("%1: %2").arg(name, actual.join(" | "))));
    }
}

void TestAccessibleNames::dateAndTimeListsAreCalledByTheirCaptions_data()
{
    QTest::addColumn<QString>("list");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("label");
    // A screen reader heard "00", "00", "AM", "January", "1", "1900": the
    // hour and the minute could not be told apart.
    QTest::newRow("hour") << "cmbHour" << "Hour" << "lblHour";
    QTest::newRow("minute") << "cmbMinute" << "Minute" << "lblMinute";
    QTest::newRow("AM or PM, its caption only read out") << "cmbAMPM" << "AM or PM" << "lblAMPM";
    QTest::newRow("month") << "cmbMonth" << "Month" << "lblMonth";
    QTest::newRow("date") << "cmbDate" << "Date" << "lblDate";
    QTest::newRow("year") << "cmbYear" << "Year" << "lblYear";
}

void TestAccessibleNames::dateAndTimeListsAreCalledByTheirCaptions()
{
    QFETCH(QString, list);
    QFETCH(QString, name);
    QFETCH(QString, label);
    ProgramWindows program;
    QVERIFY(program.enter(QStringLiteral("tools page")));
    auto *combo = program.entry()->findChild<QComboBox *>(list);
    auto *caption = program.entry()->findChild<QLabel *>(label);
    QVERIFY(combo && caption);

    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(combo);
    QCOMPARE(iface->role(), QAccessible::ComboBox);
    QCOMPARE(iface->text(QAccessible::Name), name);
    // The entry is its value (and its text), whatever is chosen.
    combo->setCurrentIndex(combo->count() - 1);
    QCOMPARE(iface->text(QAccessible::Value), combo->currentText());
    QVERIFY(iface->textInterface());
    QCOMPARE(iface->textInterface()->text(0, iface->textInterface()->characterCount()),
             combo->currentText());
    QCOMPARE(iface->text(QAccessible::Name), name);
    // Its entries are still there to read, and it still opens.
    QCOMPARE(iface->childCount(), 1);
    QCOMPARE(iface->child(0)->childCount() > 0, true);
    QVERIFY(iface->actionInterface()->actionNames().contains(
            QAccessibleActionInterface::showMenuAction()));

    // The caption leads to the list: for screen readers, and, where it is on
    // screen, by its access key.
    QCOMPARE(caption->buddy(), combo);
    QVERIFY(labelsOf(iface).contains(name));
    if (caption->isVisible()) {
        QVERIFY2(!QKeySequence::mnemonic(caption->text()).isEmpty(), qPrintable(caption->text()));
        QVERIFY(caption->text().remove(QLatin1Char('&')) == name);
    }
}

void TestAccessibleNames::findCountIsSpokenAsItChanges()
{
    // "N of M records" changed its name, which screen readers speak only on
    // the focused control; a notification showing anew is spoken. (The
    // offscreen platform hands no event on: tests/e2e/e2e_atspi.py hears
    // them on the accessibility bus.)
    ProgramWindows program(5);
    QVERIFY(program.enter(QStringLiteral("find bar")));
    auto *count = program.shownWindow()->findChild<AnnouncedLabel *>(QStringLiteral("lblFindCount"));
    QVERIFY(count);
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(count);
    QCOMPARE(iface->role(), QAccessible::Notification);
    QSignalSpy spoken(count, &AnnouncedLabel::announced);

    auto *box = program.shownWindow()->findChild<QLineEdit *>(QStringLiteral("txtFind"));
    auto *list = program.frame().windows().listWindow();
    // Key by key, as a user types: every record holds "customer ", and the
    // count that stays as it was is not read out again at each key, though
    // "Searching..." stood in its place meanwhile.
    for (const QChar c : QStringLiteral("customer 2")) {
        QTest::keyClicks(box, QString(c));
        QTRY_VERIFY(!list->isSearching());
    }
    QTRY_COMPARE(iface->text(QAccessible::Name), QStringLiteral("1 of 5 records"));
    box->clear();
    QTRY_COMPARE(iface->text(QAccessible::Name), QStringLiteral("5 of 5 records"));
    QStringList said;
    for (const QList<QVariant> &args : std::as_const(spoken))
        said.append(args.first().toString());
    // Each count once, never the "Searching..." between them.
    QCOMPARE(said, QStringList({QStringLiteral("1 of 5 records"), QStringLiteral("5 of 5 records")}));
    QVERIFY2(!said.contains(QStringLiteral("Searching...")), qPrintable(said.join('|')));

    // A closed bar's count says nothing while a sort changes it.
    spoken.clear();
    program.shownWindow()->findChild<QPushButton *>(QStringLiteral("cmdCloseFind"))->click();
    list->setSort(1, true);
    QTRY_VERIFY(!list->isSearching());
    QCOMPARE(spoken.count(), 0);
}

void TestAccessibleNames::chartsSayTheirCurrentBar_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<int>("key");
    QTest::newRow("months, Right") << 0 << int(Qt::Key_Right);
    QTest::newRow("tools, Down") << 1 << int(Qt::Key_Down);
    QTest::newRow("cities, End") << 3 << int(Qt::Key_End);
}

void TestAccessibleNames::chartsSayTheirCurrentBar()
{
    // A chart is heard by its own name: what it shows, and the current bar
    // with its number; the table beside it follows without the keyboard,
    // so its row is never read out. (The offscreen platform hands no event
    // on: tests/e2e/e2e_atspi.py hears the focus on the accessibility bus.)
    QFETCH(int, page);
    QFETCH(int, key);
    ProgramWindows program(5);
    QVERIFY(program.enter(QStringLiteral("statistics")));
    auto *stats = program.frame().windows().statisticsWindow();
    ChartPage *chartPage = stats->page(page);
    BarChart *chart = chartPage->chart();
    stats->findChild<QTabWidget *>()->setCurrentWidget(chartPage);
    chart->setFocus(Qt::TabFocusReason);
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(chart);
    QCOMPARE(iface->role(), QAccessible::Chart);

    QTest::keyClick(chart, Qt::Key(key));
    QVERIFY(chart->currentBar() >= 0);
    const BarChart::Bar &bar = chart->bars().at(chart->currentBar());
    const QString name = iface->text(QAccessible::Name);
    QVERIFY2(name.startsWith(chartPage->title()) && name.contains(bar.label)
                     && name.contains(QLocale().toString(bar.value)),
             qPrintable(name));
    QCOMPARE(chartPage->table()->currentIndex().row(), chart->currentBar());
    QVERIFY(!chartPage->table()->hasFocus());
}

void TestAccessibleNames::messageBoxReadsItsText()
{
    // The program's real message box, as the seam shows it.
    QString read;
    QStringList buttons;
    QTimer::singleShot(0, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box)
            return;
        std::function<void(QAccessibleInterface *)> visit = [&](QAccessibleInterface *node) {
            if (node->role() == QAccessible::StaticText)
                read += node->text(QAccessible::Name);
            if (node->role() == QAccessible::PushButton)
                buttons.append(node->text(QAccessible::Name));
            for (int i = 0; i < node->childCount(); ++i)
                visit(node->child(i));
        };
        visit(QAccessible::queryAccessibleInterface(box));
        box->accept();
    });
    QtMessageBoxes messages;
    messages.show(nullptr, QStringLiteral("Record Saved Succesfully !"),
                  MessageBoxes::Icon::Information, MessageBoxes::Buttons::Ok);
    QVERIFY(read.contains(QStringLiteral("Record Saved Succesfully !")));
    QCOMPARE(buttons, QStringList{QStringLiteral("OK")});
}

void TestAccessibleNames::linksArePressedByTheirAccessibleAction_data()
{
    QTest::addColumn<QString>("state");
    QTest::addColumn<QString>("link");
    QTest::addColumn<QString>("pageKey");
    QTest::newRow("frame, top banner") << "entry locked" << "Label61" << "home-page";
    QTest::newRow("frame, bottom banner") << "entry locked" << "Label7" << "fully-branded";
    QTest::newRow("About box") << "about box" << "lblCobrand" << "fully-branded";
    QTest::newRow("exit screen") << "exit screen" << "lblUpdate" << "download-web-page";
}

void TestAccessibleNames::linksArePressedByTheirAccessibleAction()
{
    QFETCH(QString, state);
    QFETCH(QString, link);
    QFETCH(QString, pageKey);
    ProgramWindows program;
    QWidget *window = program.enter(state);
    QVERIFY(window);
    auto *label = window->findChild<QLabel *>(link);
    QVERIFY(label);
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(label);
    QCOMPARE(iface->role(), QAccessible::Link);
    QCOMPARE(iface->text(QAccessible::Name), label->text());
    QAccessibleActionInterface *actions = iface->actionInterface();
    QVERIFY(actions);
    QVERIFY(actions->actionNames().contains(QAccessibleActionInterface::pressAction()));
    actions->doAction(QAccessibleActionInterface::pressAction());
    QTRY_COMPARE(program.env.browser.pageKeys(), QStringList{pageKey});
}

QTEST_MAIN(TestAccessibleNames)
#include "tst_accessiblenames.moc"
