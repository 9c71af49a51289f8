// Working the program without a mouse: the Tab chain of every window and
// page reaches each working control once, in reading order; no two working
// controls or tabs of a window share an access key, and every button and tab
// has one; the switched-off "&Edit" menu title keeps Alt+E from "&Exit", and
// the switched-off "Make Money &Online" entry gives O up to "&Online Help"; the
// list's grid is walked with the arrow keys and opened with Enter; a page
// change, on every road, takes the focus to the first field of the page in
// front; every control shows without scrolling on a 1024 x 768 screen; the
// links of every window (the banners and the hint line too) open with Enter
// or Space; Enter presses the focused button in every window, as the
// program's start sets it up.
//
// Alt shortcuts do not fire under the offscreen platform: the keys are
// checked here by their values and by the shortcut events Qt would send;
// tests/e2e/e2e_keyboard.sh presses them for real in an X server.

#include "support/ProgramWindows.h"
#include "support/WindowDriver.h"

#include "app/EnterPressesButtons.h"
#include "app/FrameWindow.h"
#include "app/ProgramEnd.h"
#include "list/RecordListWindow.h"
#include "view/RecordViewWindow.h"
#include "widgets/AccessKeys.h"

#include <QAbstractButton>
#include <QLabel>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScrollBar>
#include <QMenu>
#include <QMenuBar>
#include <QStackedWidget>
#include <QTabBar>
#include <QTableView>
#include <QTextEdit>
#include <QtTest>

using namespace Orvane;
using Orvane::Testing::nameOf;
using Orvane::Testing::ProgramWindows;
using Orvane::Testing::press;

namespace {

// The controls that Tab can reach in the window as it stands: visible,
// enabled and taking focus by Tab, not counting the parts of a composite
// control nor the frames of the MDI children.
QStringList tabStops(QWidget *window)
{
    QStringList stops;
    const QList<QWidget *> widgets = window->findChildren<QWidget *>();
    for (QWidget *w : widgets) {
        if (w->window() != window || !w->isVisible() || !w->isEnabled() || w->focusProxy()
            || !(w->focusPolicy() & Qt::TabFocus) || qobject_cast<QMdiSubWindow *>(w))
            continue;
        bool part = false;
        for (QWidget *p = w->parentWidget(); p && p != window; p = p->parentWidget())
            part = part || qobject_cast<QComboBox *>(p) || qobject_cast<QAbstractItemView *>(p);
        if (!part)
            stops.append(nameOf(w));
    }
    stops.sort();
    return stops;
}

// Presses the key from the first control on until the focus comes back to
// it; the controls met, in order.
QStringList walk(QWidget *first, Qt::Key key)
{
    first->setFocus(Qt::TabFocusReason);
    QStringList met{nameOf(first)};
    for (int guard = 0; guard < 100; ++guard) {
        QWidget *focus = QApplication::focusWidget();
        if (!focus)
            break;
        QTest::keyClick(focus, key, key == Qt::Key_Backtab ? Qt::ShiftModifier : Qt::NoModifier);
        QWidget *next = QApplication::focusWidget();
        if (!next || next == first)
            break;
        met.append(nameOf(next));
    }
    return met;
}

QKeySequence keyOf(const QString &caption)
{
    return QKeySequence::mnemonic(caption);
}

QString captionOf(QObject *o)
{
    if (auto *button = qobject_cast<QAbstractButton *>(o))
        return button->text();
    if (auto *label = qobject_cast<QLabel *>(o))
        return label->text();
    if (auto *action = qobject_cast<QAction *>(o))
        return action->text();
    return {};
}

// Every control of the window that an access key reaches: visible enabled
// buttons, labels that lead to a box, working titles of the menu bar.
QList<QObject *> keyedControls(QWidget *window, QMenuBar *bar)
{
    QList<QObject *> controls;
    for (QAbstractButton *b : window->findChildren<QAbstractButton *>()) {
        if (b->window() == window && b->isVisible() && b->isEnabled()
            && !b->objectName().startsWith(QLatin1String("qt_")))
            controls.append(b);
    }
    for (QLabel *l : window->findChildren<QLabel *>()) {
        if (l->window() == window && l->buddy() && l->isVisible() && l->isEnabled())
            controls.append(l);
    }
    if (bar) {
        for (QAction *title : bar->actions()) {
            if (title->isVisible() && title->isEnabled())
                controls.append(title);
        }
    }
    return controls;
}

// Access keys taken by more than one working entry of the menu or of a
// working submenu; entries without a key.
void checkMenuKeys(QMenu *menu, QStringList &problems)
{
    QMap<QString, QStringList> byKey;
    for (QAction *a : menu->actions()) {
        if (a->isSeparator() || !a->isVisible() || !a->isEnabled())
            continue;
        const QKeySequence key = keyOf(a->text());
        if (key.isEmpty())
            problems.append(QStringLiteral("menu entry without an access key: ") + a->text());
        else
            byKey[key.toString()].append(a->text());
        if (a->menu())
            checkMenuKeys(a->menu(), problems);
    }
    for (auto it = byKey.cbegin(); it != byKey.cend(); ++it) {
        if (it.value().size() > 1)
            problems.append(QStringLiteral("%1 shared in menu %2 by %3")
                                    .arg(it.key(), menu->title(), it.value().join(", ")));
    }
}

QStringList names(std::initializer_list<const char *> list)
{
    QStringList result;
    for (const char *n : list)
        result.append(QString::fromLatin1(n));
    return result;
}

} // namespace

class TestKeyboard : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void tabReachesEveryControlInOrder_data();
    void tabReachesEveryControlInOrder();
    void accessKeysDoNotClash_data();
    void accessKeysDoNotClash();
    void altEOfTheSwitchedOffEditTitleNeverReachesExit_data();
    void altEOfTheSwitchedOffEditTitleNeverReachesExit();
    void keysSharedByWorkingControlsStayAmbiguous();
    void menuLetterOfASwitchedOffEntryGoesToTheWorkingOne();
    void exportHasOneKeyInBothWindows();
    void gridIsWalkedWithArrowsAndOpenedWithEnter();
    void pageChangesTakeTheFocusAlong_data();
    void pageChangesTakeTheFocusAlong();
    void everyControlShowsWithoutScrolling_data();
    void everyControlShowsWithoutScrolling();
    void linksOpenWithEnterOrSpace_data();
    void linksOpenWithEnterOrSpace();
    void enterPressesTheFocusedButtonOnce_data();
    void enterPressesTheFocusedButtonOnce();
};

void TestKeyboard::initTestCase()
{
    // As the program's start does.
    EnterPressesButtons::install();
}

void TestKeyboard::tabReachesEveryControlInOrder_data()
{
    QTest::addColumn<QString>("state");
    QTest::addColumn<QString>("focusFirst");
    QTest::addColumn<QStringList>("chain");

    const QStringList panel =
            names({"cmAddNewRecord", "cmdViewAllrecords", "cmdExit", "Label1"});
    const QStringList customer = names({"txtName", "txtAddress", "txtCity", "txtState", "txtPin",
                                        "txtPhNo", "txtEmail", "txtLocationDowsingFor",
                                        "cmdCustomersDetailsNext"});
    const QStringList times = names({"cmbHour", "cmbMinute", "cmbAMPM", "cmbMonth", "cmbDate",
                                     "cmbYear", "cmdToolsBack", "cmdToolsNext"});
    // The frame's banner links, above and below the child window on show.
    const auto framed = [](const QStringList &child) {
        return names({"Label61"}) + child + names({"Label7"});
    };

    QTest::newRow("entry window, locked") << "entry locked" << "cmAddNewRecord" << framed(panel);
    QTest::newRow("customer page") << "customer page" << "txtName" << framed(panel + customer);
    QTest::newRow("tools page")
            << "tools page" << "cmbDowsingTool"
            << framed(panel + names({"cmbDowsingTool", "cmbItemDowsingFor"}) + times);
    QTest::newRow("tool pop-up open")
            << "tool pop-up" << "txtDowsingTool"
            << framed(panel
                      + names({"cmbDowsingTool", "txtDowsingTool", "cmdOk", "cmdCancel",
                               "cmbItemDowsingFor"})
                      + times);
    QTest::newRow("item pop-up open")
            << "item pop-up" << "txtItemDowsing"
            << framed(panel
                      + names({"cmbDowsingTool", "cmbItemDowsingFor", "txtItemDowsing",
                               "cmdOkItemDowsing", "cmdCancelItemDowsing"})
                      + times);
    QTest::newRow("notes page")
            << "notes page" << "txtNotes"
            << framed(panel + names({"txtNotes", "cmdNotesBack", "cmdadd"}));
    // The edit begins in the record's first field.
    QTest::newRow("update mode, without Add New Record")
            << "update mode" << "txtName"
            << framed(names({"cmdViewAllrecords", "cmdExit", "Label1"}) + customer);
    QTest::newRow("list") << "list" << "DataGrid" << framed(names({"DataGrid", "cmdBack"}));
    QTest::newRow("list with its find bar")
            << "find bar" << "txtFind"
            << framed(names({"txtFind", "cmdCloseFind", "DataGrid", "cmdBack"}));
    QTest::newRow("empty list, grid off")
            << "empty list" << "cmdBack" << framed(names({"cmdBack"}));
    QTest::newRow("record view")
            << "record view" << "RTB"
            << framed(names({"RTB", "cmddelete", "cmdedit", "cmdSave", "cmdPrint", "cmdBack"}));
    QTest::newRow("Deleted Records")
            << "deleted records" << "lstDeletedRecords"
            << names({"lstDeletedRecords", "cmdRestore", "cmdDeleteForGood", "cmdClose"});
    QTest::newRow("About box") << "about box" << "cmdOk"
                               << names({"lblCobrand", "lblHomePage", "cmdOk"});
    QTest::newRow("exit screen")
            << "exit screen" << "txtYourName"
            << names({"lblBoard", "lblHomePage", "lblHelp", "lblUpdate", "lblDonate",
                      "txtYourName", "txtYourEmail", "txtFriendName", "txtFriendEmail",
                      "txtMessage", "cmdSend", "cmdExit"});
}

void TestKeyboard::tabReachesEveryControlInOrder()
{
    QFETCH(QString, state);
    QFETCH(QString, focusFirst);
    QFETCH(QStringList, chain);

    ProgramWindows program;
    QWidget *window = program.enter(state);
    QVERIFY(window);

    // Where the keyboard starts when the window or page comes up.
    QTRY_COMPARE(nameOf(QApplication::focusWidget()), focusFirst);

    // The chain holds every control Tab can reach, each once...
    QStringList sorted = chain;
    sorted.sort();
    QCOMPARE(tabStops(window), sorted);

    // ...in reading order, and wraps around; Shift+Tab walks it backwards.
    QWidget *first = window->findChild<QWidget *>(chain.first());
    QVERIFY(first);
    QCOMPARE(walk(first, Qt::Key_Tab), chain);
    QStringList backwards{chain.first()};
    for (qsizetype i = chain.size() - 1; i > 0; --i)
        backwards.append(chain.at(i));
    QCOMPARE(walk(first, Qt::Key_Backtab), backwards);
}

void TestKeyboard::accessKeysDoNotClash_data()
{
    ProgramWindows::addStateRows();
}

void TestKeyboard::accessKeysDoNotClash()
{
    QFETCH(QString, state);
    ProgramWindows program;
    QWidget *window = program.enter(state);
    QVERIFY(window);
    QMenuBar *bar = window == &program.frame() ? program.frame().menuBar() : nullptr;

    QStringList problems;
    QMap<QString, QStringList> byKey;
    const QList<QObject *> controls = keyedControls(window, bar);
    for (QObject *control : controls) {
        const QKeySequence key = keyOf(captionOf(control));
        if (key.isEmpty()) {
            if (qobject_cast<QAbstractButton *>(control) || qobject_cast<QAction *>(control))
                problems.append(QStringLiteral("no access key: ") + nameOf(control));
            continue;
        }
        byKey[key.toString()].append(nameOf(control));
    }
    // A tab's key brings its page to the front, as a button's presses it.
    for (QTabBar *tabs : window->findChildren<QTabBar *>()) {
        if (tabs->window() != window || !tabs->isVisible())
            continue;
        for (int i = 0; i < tabs->count(); ++i) {
            const QKeySequence key = keyOf(tabs->tabText(i));
            if (key.isEmpty())
                problems.append(QStringLiteral("no access key: tab ") + tabs->tabText(i));
            else if (tabs->isTabEnabled(i))
                byKey[key.toString()].append(QStringLiteral("tab ") + tabs->tabText(i));
        }
    }
    for (auto it = byKey.cbegin(); it != byKey.cend(); ++it) {
        if (it.value().size() > 1)
            problems.append(it.key() + QStringLiteral(" shared by ") + it.value().join(", "));
    }
    if (bar) {
        for (QAction *title : bar->actions()) {
            if (title->menu() && title->isVisible() && title->isEnabled())
                checkMenuKeys(title->menu(), problems);
        }
    }
    QVERIFY2(problems.isEmpty(), qPrintable(problems.join("\n")));
}

void TestKeyboard::altEOfTheSwitchedOffEditTitleNeverReachesExit_data()
{
    QTest::addColumn<QString>("road");
    // Qt hands an ambiguous key to its takers in turn: either may get it.
    QTest::newRow("Qt hands the key to the Exit button") << "ambiguous to Exit";
    QTest::newRow("Qt hands the key to the menu bar") << "ambiguous to bar";
    QTest::newRow("the key reaches the Exit button alone") << "Exit alone";
    QTest::newRow("typed while the top banner's link has the focus") << "banner";
}

void TestKeyboard::altEOfTheSwitchedOffEditTitleNeverReachesExit()
{
    // The user reaching for the Edit menu with typing in the form: nothing
    // may end the session nor even bring up the question about leaving.
    QFETCH(QString, road);
    ProgramWindows program;
    QVERIFY(program.enter(QStringLiteral("customer page")));
    auto *name = program.entry()->findChild<QLineEdit *>(QStringLiteral("txtName"));
    QTest::keyClicks(name, QStringLiteral("JANE"));
    auto *exit = program.entry()->findChild<QPushButton *>(QStringLiteral("cmdExit"));
    auto *edit = program.entry()->findChild<QMenu *>(QStringLiteral("mnuEdit"));
    const QKeySequence altE(Qt::ALT | Qt::Key_E);
    // The clash itself: the title is off, but still in the bar with Alt+E,
    // and the button keeps its caption.
    QCOMPARE(keyOf(exit->text()), altE);
    QCOMPARE(keyOf(edit->title()), altE);
    QVERIFY(program.frame().menuBar()->actions().contains(edit->menuAction()));
    QVERIFY(!edit->menuAction()->isEnabled());

    if (road == QLatin1String("banner")) {
        auto *banner = program.frame().findChild<QWidget *>(QStringLiteral("Label61"));
        banner->setFocus(Qt::TabFocusReason);
        QTest::keyClick(banner, Qt::Key_E, Qt::AltModifier);
    } else {
        QShortcutEvent event(altE, 0, road != QLatin1String("Exit alone"));
        QObject *receiver = road == QLatin1String("ambiguous to bar")
                ? static_cast<QObject *>(program.frame().menuBar())
                : exit;
        QCoreApplication::sendEvent(receiver, &event);
    }
    // A click would come after the button's animation.
    QTest::qWait(300);
    QVERIFY(!ProgramEnd::isExitScreenShown());
    QCOMPARE(program.frame().windows().entryWindow(), program.entry());
    QVERIFY2(program.env.messages.shown.isEmpty(), qPrintable(program.env.messages.texts().join('|')));
    QCOMPARE(name->text(), QStringLiteral("JANE"));
    // Not even a step from Exit: Enter now would not press it.
    QVERIFY(!exit->hasFocus());
    QVERIFY(!program.frame().menuBar()->activeAction());
    // File > Exit remains the way out, by its own key.
    QCOMPARE(keyOf(program.entry()->findChild<QAction *>(QStringLiteral("mnuExit"))->text()),
             QKeySequence(Qt::ALT | Qt::Key_X));
}

void TestKeyboard::keysSharedByWorkingControlsStayAmbiguous()
{
    // A window of the test's own: a working "&Edit" menu and an "&Exit"
    // button share Alt+E, and Qt's handling stays: the key only moves the
    // focus to the button.
    QMainWindow window;
    QMenu *edit = window.menuBar()->addMenu(QStringLiteral("&Edit"));
    edit->addAction(QStringLiteral("&Find"));
    auto *central = new QWidget(&window);
    auto *other = new QPushButton(QStringLiteral("&Go"), central);
    auto *exit = new QPushButton(QStringLiteral("&Exit"), central);
    exit->move(0, 40);
    window.setCentralWidget(central);
    AccessKeys keys(window.menuBar());
    keys.watchButtons(central);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    other->setFocus();

    QSignalSpy clicked(exit, &QPushButton::clicked);
    QShortcutEvent ambiguous(QKeySequence(Qt::ALT | Qt::Key_E), 0, true);
    QCoreApplication::sendEvent(exit, &ambiguous);
    QTest::qWait(250);
    QCOMPARE(clicked.count(), 0);

    // Once the menu is switched off, its title keeps the key to itself: it
    // neither presses the button nor puts the focus a step from it.
    edit->menuAction()->setEnabled(false);
    QCoreApplication::sendEvent(exit, &ambiguous);
    QTest::qWait(250);
    QCOMPARE(clicked.count(), 0);
    QVERIFY(!exit->hasFocus());
}

void TestKeyboard::menuLetterOfASwitchedOffEntryGoesToTheWorkingOne()
{
    ProgramWindows program;
    QVERIFY(program.enter(QStringLiteral("entry locked")));
    auto *help = program.entry()->findChild<QMenu *>(QStringLiteral("mnuHelp"));
    auto *online = program.entry()->findChild<QAction *>(QStringLiteral("mnuOnline"));
    auto *money = program.entry()->findChild<QAction *>(QStringLiteral("mnumakemoney"));
    QCOMPARE(keyOf(online->text()), keyOf(money->text()));
    QVERIFY(!money->isEnabled());

    help->popup(program.frame().mapToGlobal(QPoint(40, 20)));
    QVERIFY(QTest::qWaitForWindowExposed(help));
    QTest::keyClick(help, Qt::Key_O);
    QCOMPARE(program.env.browser.pageKeys(), QStringList{QStringLiteral("help-web-page")});
    QTRY_VERIFY(!help->isVisible());
}

void TestKeyboard::exportHasOneKeyInBothWindows()
{
    // What the hand learns in one window works in the other: Alt+F, then
    // the same letter.
    ProgramWindows program;
    QVERIFY(program.enter(QStringLiteral("list")));
    const QString fromEntry =
            program.entry()->findChild<QAction *>(QStringLiteral("mnuExport"))->text();
    const QString fromList = program.frame()
                                     .windows()
                                     .listWindow()
                                     ->findChild<QAction *>(QStringLiteral("mnuExportShown"))
                                     ->text();
    QVERIFY(!keyOf(fromEntry).isEmpty());
    QCOMPARE(keyOf(fromList), keyOf(fromEntry));
}

void TestKeyboard::gridIsWalkedWithArrowsAndOpenedWithEnter()
{
    ProgramWindows program(5);
    QVERIFY(program.enter(QStringLiteral("list")));
    RecordListWindow *list = program.frame().windows().listWindow();
    auto *grid = list->findChild<QTableView *>(QStringLiteral("DataGrid"));
    QCOMPARE(QApplication::focusWidget(), grid);
    QCOMPARE(grid->currentIndex().row(), 0);

    QTest::keyClick(grid, Qt::Key_Down);
    QTest::keyClick(grid, Qt::Key_Down);
    QTest::keyClick(grid, Qt::Key_Down);
    QTest::keyClick(grid, Qt::Key_Up);
    QCOMPARE(grid->currentIndex().row(), 2);
    QTest::keyClick(grid, Qt::Key_End, Qt::ControlModifier);
    QCOMPARE(grid->currentIndex().row(), 4);
    QTest::keyClick(grid, Qt::Key_Home, Qt::ControlModifier);
    QTest::keyClick(grid, Qt::Key_Down);

    QTest::keyClick(grid, Qt::Key_Return);
    RecordViewWindow *view = program.frame().windows().recordView();
    QVERIFY(program.frame().isChildVisible(view));
    QVERIFY(!program.frame().isChildVisible(list));
    QVERIFY(view->reportBox()->toPlainText().contains(QStringLiteral("Name :- CUSTOMER 2")));
    // The report is read from the keyboard too.
    QCOMPARE(QApplication::focusWidget(), view->reportBox());
    QVERIFY(view->reportBox()->textInteractionFlags() & Qt::TextSelectableByKeyboard);

    // Back: the grid has the focus again, on the same row; Enter on the
    // numeric pad opens as well.
    press(view, "cmdBack");
    QVERIFY(program.frame().isChildVisible(list));
    QCOMPARE(QApplication::focusWidget(), grid);
    QCOMPARE(grid->currentIndex().row(), 1);
    QTest::keyClick(grid, Qt::Key_Down);
    QTest::keyClick(grid, Qt::Key_Enter, Qt::KeypadModifier);
    QVERIFY(program.frame().isChildVisible(view));
    QVERIFY(view->reportBox()->toPlainText().contains(QStringLiteral("Name :- CUSTOMER 3")));
}

void TestKeyboard::pageChangesTakeTheFocusAlong_data()
{
    QTest::addColumn<QString>("state");
    QTest::addColumn<QString>("button");
    // Pressed on the page in front first, with the focus left on it: the
    // page it leads to then "remembers" a button, where Qt would put the
    // focus again.
    QTest::addColumn<QString>("primer");
    QTest::addColumn<QString>("road");
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("firstField");

    struct Change
    {
        const char *name, *state, *button, *primer, *page, *firstField;
    };
    const Change changes[] = {
        {"customer page Next", "customer page", "cmdCustomersDetailsNext", "cmdToolsBack",
         "fraTools", "cmbDowsingTool"},
        {"tools page Next", "tools page", "cmdToolsNext", "cmdNotesBack", "fraNotes", "txtNotes"},
        {"tools page Back", "tools page", "cmdToolsBack", "cmdCustomersDetailsNext",
         "fraCustomersDetails", "txtName"},
        {"notes page Back", "notes page", "cmdNotesBack", "cmdToolsNext", "fraTools",
         "cmbDowsingTool"},
    };
    for (const Change &c : changes) {
        for (const char *road : {"access key", "Enter", "Space", "click"}) {
            QTest::newRow(qPrintable(QStringLiteral("%1, %2").arg(QLatin1String(c.name),
                                                                 QLatin1String(road))))
                    << c.state << c.button << c.primer << road << c.page << c.firstField;
        }
    }
    // A save locks the pages: the keyboard goes to the button that starts
    // the next record.
    QTest::newRow("notes page Add") << "notes page" << "cmdadd" << "" << "Enter"
                                    << "fraCustomersDetails" << "cmAddNewRecord";
}

void TestKeyboard::pageChangesTakeTheFocusAlong()
{
    QFETCH(QString, state);
    QFETCH(QString, button);
    QFETCH(QString, primer);
    QFETCH(QString, road);
    QFETCH(QString, page);
    QFETCH(QString, firstField);
    ProgramWindows program;
    QVERIFY(program.enter(state));
    auto *pressed = program.entry()->findChild<QPushButton *>(button);
    if (!primer.isEmpty()) {
        QTest::mouseClick(pressed, Qt::LeftButton);
        auto *back = program.entry()->findChild<QPushButton *>(primer);
        QTest::mouseClick(back, Qt::LeftButton);
        QVERIFY(pressed->isVisible());
    }

    if (road == QLatin1String("access key")) {
        // What the button's key does (Qt's offscreen tests cannot type
        // it): the focus first, the click a moment later.
        pressed->setFocus(Qt::ShortcutFocusReason);
        pressed->animateClick();
    } else if (road == QLatin1String("click")) {
        QTest::mouseClick(pressed, Qt::LeftButton);
    } else {
        pressed->setFocus(Qt::TabFocusReason);
        QTest::keyClick(pressed, road == QLatin1String("Enter") ? Qt::Key_Return : Qt::Key_Space);
    }

    auto *pages = program.entry()->findChild<QStackedWidget *>(QStringLiteral("pages"));
    QTRY_COMPARE(nameOf(pages->currentWidget()), page);
    // Not on the button that went away, nor where Qt's chain or the page's
    // last focus lead: the first field of the page in front.
    QTRY_COMPARE(nameOf(QApplication::focusWidget()), firstField);
}

void TestKeyboard::everyControlShowsWithoutScrolling_data()
{
    QTest::addColumn<QString>("state");
    QTest::addColumn<QSize>("screen");
    for (const char *state : {"entry locked", "tools page", "notes page", "list", "find bar",
                              "record view"})
        QTest::newRow(qPrintable(QStringLiteral("%1, 1024 x 768").arg(QLatin1String(state))))
                << state << QSize(1024, 768);
    // Where the screen has room, the report keeps its full size.
    QTest::newRow("record view, 1920 x 1080") << "record view" << QSize(1920, 1080);
}

void TestKeyboard::everyControlShowsWithoutScrolling()
{
    QFETCH(QString, state);
    QFETCH(QSize, screen);
    ProgramWindows program;
    // As the program's start sizes the frame on such a screen.
    program.frame().resize(FrameWindow::sizeOn(screen));
    QVERIFY(program.enter(state));
    QMdiArea *area = program.frame().mdiArea();
    QWidget *room = area->viewport();
    QVERIFY(!area->horizontalScrollBar()->isVisible());
    QVERIFY(!area->verticalScrollBar()->isVisible());
    QStringList outside;
    for (QWidget *w : program.shownWindow()->findChildren<QWidget *>()) {
        const bool control = qobject_cast<QAbstractButton *>(w) || qobject_cast<QTextEdit *>(w)
                || qobject_cast<QAbstractItemView *>(w) || qobject_cast<QLineEdit *>(w)
                || qobject_cast<QComboBox *>(w);
        if (!control || !w->isVisible() || w->objectName().startsWith(QLatin1String("qt_")))
            continue;
        const QRect at(w->mapTo(room, QPoint(0, 0)), w->size());
        if (!room->rect().contains(at))
            outside.append(QStringLiteral("%1 at %2,%3 %4x%5")
                                   .arg(nameOf(w))
                                   .arg(at.x())
                                   .arg(at.y())
                                   .arg(at.width())
                                   .arg(at.height()));
    }
    QVERIFY2(outside.isEmpty(), qPrintable(outside.join(QLatin1String("; "))));
    if (screen.width() > 1024) {
        auto *report = program.shownWindow()->findChild<QTextEdit *>(QStringLiteral("RTB"));
        QVERIFY(report->width() >= 720 && report->height() >= 400);
    }
}

void TestKeyboard::linksOpenWithEnterOrSpace_data()
{
    QTest::addColumn<QString>("state");
    QTest::addColumn<QString>("link");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("pageKey");
    QTest::newRow("About box, more details, Enter")
            << "about box" << "lblCobrand" << int(Qt::Key_Return) << "fully-branded";
    QTest::newRow("About box, home page, Space")
            << "about box" << "lblHomePage" << int(Qt::Key_Space) << "home-page";
    QTest::newRow("exit screen, discussion board, Enter")
            << "exit screen" << "lblBoard" << int(Qt::Key_Return) << "home-page";
    QTest::newRow("exit screen, donate, keypad Enter")
            << "exit screen" << "lblDonate" << int(Qt::Key_Enter) << "donate";
    QTest::newRow("frame, top banner, Enter")
            << "entry locked" << "Label61" << int(Qt::Key_Return) << "home-page";
    QTest::newRow("frame, bottom banner, Space")
            << "list" << "Label7" << int(Qt::Key_Space) << "fully-branded";
    QTest::newRow("entry window, hint line, keypad Enter")
            << "entry locked" << "Label1" << int(Qt::Key_Enter) << "co-brand";
}

void TestKeyboard::linksOpenWithEnterOrSpace()
{
    QFETCH(QString, state);
    QFETCH(QString, link);
    QFETCH(int, key);
    QFETCH(QString, pageKey);
    ProgramWindows program;
    QWidget *window = program.enter(state);
    QVERIFY(window);
    auto *label = window->findChild<QLabel *>(link);
    label->setFocus(Qt::TabFocusReason);
    QTest::keyClick(label, Qt::Key(key));
    QCOMPARE(program.env.browser.pageKeys(), QStringList{pageKey});
    // The window stays, and so does the focus.
    QVERIFY(window->isVisible());
    QCOMPARE(QApplication::focusWidget(), label);
    // A letter does nothing.
    QTest::keyClick(label, Qt::Key_A);
    QCOMPARE(program.env.browser.opened.size(), 1);
    // A window handing the focus out on its own passes the link by.
    label->clearFocus();
    label->setFocus(Qt::ActiveWindowFocusReason);
    QVERIFY(QApplication::focusWidget() && QApplication::focusWidget() != label);
    // The child's access keys still work from a banner link.
    if (link == QLatin1String("Label61")) {
        label->setFocus(Qt::TabFocusReason);
        QTest::keyClick(label, Qt::Key_V, Qt::AltModifier);
        QTRY_VERIFY(program.frame().isChildVisible(program.frame().windows().listWindow()));
    }
}

void TestKeyboard::enterPressesTheFocusedButtonOnce_data()
{
    QTest::addColumn<QString>("state");
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("key");
    QTest::newRow("entry window, Enter") << "entry locked" << "cmAddNewRecord"
                                         << int(Qt::Key_Return);
    QTest::newRow("notes page, keypad Enter") << "notes page" << "cmdNotesBack"
                                              << int(Qt::Key_Enter);
    QTest::newRow("record view, Enter") << "record view" << "cmdBack" << int(Qt::Key_Return);
    QTest::newRow("exit screen, keypad Enter") << "exit screen" << "cmdSend"
                                               << int(Qt::Key_Enter);
}

void TestKeyboard::enterPressesTheFocusedButtonOnce()
{
    QFETCH(QString, state);
    QFETCH(QString, button);
    QFETCH(int, key);
    const Qt::KeyboardModifiers keypad =
            key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier;
    ProgramWindows program;
    QWidget *window = program.enter(state);
    QVERIFY(window);
    auto *pressed = window->findChild<QPushButton *>(button);
    QVERIFY(pressed);
    pressed->setFocus(Qt::TabFocusReason);
    QSignalSpy clicked(pressed, &QPushButton::clicked);

    // With Ctrl, or repeated by a held key, it presses nothing.
    QTest::keyClick(pressed, Qt::Key(key), keypad | Qt::ControlModifier);
    QKeyEvent repeated(QEvent::KeyPress, key, keypad, QString(), true);
    QApplication::sendEvent(pressed, &repeated);
    QCOMPARE(clicked.count(), 0);

    QTest::keyClick(pressed, Qt::Key(key), keypad);
    QCOMPARE(clicked.count(), 1);
}

QTEST_MAIN(TestKeyboard)
#include "tst_keyboard.moc"
