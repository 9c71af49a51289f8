// The entry window as the user meets it: load, locked pages and page
// changes, the typing filters and pasting, the selectors and their pop-ups,
// adding and updating records (read back through a store of the test's
// own), the refusals that keep the form as it was, and the menu bar.

#include "support/TestDatabase.h"
#include "support/TestFiles.h"
#include "support/WindowDriver.h"

#include "list/RecordListWindow.h"
#include "app/ProgramEnd.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QtTest>

using namespace Orvane;
using namespace Orvane::Testing;
using Icon = MessageBoxes::Icon;
using Buttons = MessageBoxes::Buttons;

namespace {

using Entry = Orvane::Testing::EntryDriver;

DowsingRecord sample(const QString &name)
{
    DowsingRecord r;
    r.Date = QDate(2011, 8, 19);
    r.Name = name;
    r.Address = QStringLiteral("4 Well Row\nLower Green");
    r.City = QStringLiteral("BATH");
    r.State = QStringLiteral("SOMERSET");
    r.Pin = QStringLiteral("BA1 2XY");
    r.Phone_No = QStringLiteral("01225.555");
    r.Email = QStringLiteral("m@example.org");
    r.Time_Dowsing_Occured = QStringLiteral("08:45");
    r.Dowsing_Tool = QStringLiteral("Rods");
    r.Item_Dowsing_For = QStringLiteral("water");
    r.Location_Dowsing_Occured = QStringLiteral("NORTH FIELD");
    r.Notes = QStringLiteral("dry at first");
    return r;
}

} // namespace

class TestEntryWindow : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { closeExitScreens(); }

    void loadsLockedWithTheCustomerPageInFront();
    void databaseThatCannotBeUsedIsReportedAndLeftAsItWas_data();
    void databaseThatCannotBeUsedIsReportedAndLeftAsItWas();
    void selectorsOfferTheirEntriesAndStartAtTheFirst();
    void tabOrderFollowsTheLayout();
    void addNewRecordUnlocksAndKeepsWhatIsTyped();
    void typingGoesThroughTheFilters_data();
    void typingGoesThroughTheFilters();
    void controlKeysAreRefusedEditingKeysWork();
    void pastingFollowsTheTypingRule_data();
    void pastingFollowsTheTypingRule();
    void programTextIsNeverFiltered();
    void emailIsCheckedOnNext_data();
    void emailIsCheckedOnNext();
    void nextAndBackWalkThePages();
    void namingPopUps_data();
    void namingPopUps();
    void aSelectionInOneListClosesTheOtherPopUp();
    void aNameTypedIntoTheListIsItsValue();
    void addStoresEveryFieldAndClearsTheForm();
    void emptyFormStoresTheFirstEntries();
    void datesThatAreNotCalendarDatesAreRefused_data();
    void datesThatAreNotCalendarDatesAreRefused();
    void aStoreThatRefusesTheWriteLosesNothing();
    void showRecordPlacesDateAndTime_data();
    void showRecordPlacesDateAndTime();
    void updateRewritesTheRememberedRecord();
    void updateThatCannotBeWrittenKeepsTheInput();
    void viewAllRecordsAndBackKeepTheEntry();
    void menuBarCaptionsAndSwitchedOffEntries();
    void menuEntriesOpenTheirPages_data();
    void menuEntriesOpenTheirPages();
    void fileMenuRepeatsTheButtons();
    void oneLineBoxesHaveNoLengthLimit();
    void hintLineOpensTheCoBrandPage();
    void aboutBoxIsModal();
    void exitUnloadsTheWindowAndShowsTheExitScreen_data();
    void exitUnloadsTheWindowAndShowsTheExitScreen();
};

void TestEntryWindow::loadsLockedWithTheCustomerPageInFront()
{
    Entry e;
    QVERIFY(e.loaded);
    QVERIFY(e.form);
    QCOMPARE(e.frontPage(), e.page("fraCustomersDetails"));
    QVERIFY(!e.pagesEnabled());
    QVERIFY(e.shown(e.form));
    QCOMPARE(e.button("cmdadd")->text(), QStringLiteral("&Add"));
    QVERIFY(!e.form->isUpdateMode());
    QVERIFY(e.get<QWidget>("fraDowsingTool")->isHidden());
    QVERIFY(e.get<QWidget>("fraItemDowsing")->isHidden());
    QVERIFY(e.notices().isEmpty());

    // Locked: typing reaches no box and raises no message.
    QTest::keyClicks(e.line("txtName"), QStringLiteral("john3"));
    QTest::keyClicks(e.box("txtNotes"), QStringLiteral("notes"));
    QVERIFY(e.line("txtName")->text().isEmpty());
    QVERIFY(e.box("txtNotes")->toPlainText().isEmpty());
    QVERIFY(e.env.messages.shown.isEmpty());

    // The exact texts of the hint line.
    auto *label1 = e.get<QLabel>("Label1");
    QCOMPARE(label1->text(), QStringLiteral("Click On") + QString(34, QLatin1Char(' '))
                                     + QStringLiteral("To  Enter New Customer Details"));
    QCOMPARE(e.get<QLabel>("Label20")->text(), QStringLiteral("Add New Record"));
    QCOMPARE(e.get<QLabel>("Label10")->text(),
             QStringLiteral("Just input your customer details  (his name, address, contact "
                            "number and other additional notes) and enjoy your dowsing "
                            "experience!"));
}

void TestEntryWindow::databaseThatCannotBeUsedIsReportedAndLeftAsItWas_data()
{
    QTest::addColumn<QByteArray>("content"); // null: there is no file
    QTest::addColumn<QString>("message");    // the whole text, or the heading of a reason
    QTest::newRow("missing")
            << QByteArray()
            << QStringLiteral("Required File Is Missing\rPlease Reinstall Software");
    QTest::newRow("not a database")
            << QByteArray("These are my dowsing notes, not a database.\n")
            << QStringLiteral("Required File Cannot Be Opened\r");
}

void TestEntryWindow::databaseThatCannotBeUsedIsReportedAndLeftAsItWas()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, message);
    Entry e(false, false, [&content](const QString &path) {
        if (!content.isNull())
            writeFile(path, content);
    });
    QVERIFY(!e.loaded);
    QVERIFY(!e.frame->windows().entryWindow());
    const QStringList notices = e.notices();
    QCOMPARE(notices.size(), 1);
    if (content.isNull()) {
        QCOMPARE(notices.first(), message);
    } else {
        QVERIFY2(notices.first().startsWith(message), qPrintable(notices.first()));
        // The engine's reason follows the heading.
        QVERIFY(notices.first().size() > message.size());
    }
    QCOMPARE(e.env.messages.shown.last().icon, Icon::Critical);
    QVERIFY(ProgramEnd::isExitScreenShown());
    if (content.isNull())
        QVERIFY(!QFile::exists(e.env.databasePath()));
    else
        QCOMPARE(fileBytes(e.env.databasePath()), content);
}

void TestEntryWindow::selectorsOfferTheirEntriesAndStartAtTheFirst()
{
    Entry e;
    auto entries = [&e](const char *name) {
        QStringList list;
        QComboBox *combo = e.list(name);
        for (int i = 0; i < combo->count(); ++i)
            list.append(combo->itemText(i));
        return list;
    };
    const QStringList hours = entries("cmbHour");
    QCOMPARE(hours.size(), 25);
    QCOMPARE(hours.first(), QStringLiteral("00"));
    QCOMPARE(hours.at(9), QStringLiteral("09"));
    QCOMPARE(hours.last(), QStringLiteral("24"));
    const QStringList minutes = entries("cmbMinute");
    QCOMPARE(minutes.size(), 60);
    QCOMPARE(minutes.at(5), QStringLiteral("05"));
    QCOMPARE(minutes.last(), QStringLiteral("59"));
    QCOMPARE(entries("cmbAMPM"), (QStringList{"AM", "PM"}));
    QCOMPARE(entries("cmbMonth"),
             (QStringList{"January", "February", "March", "April", "May", "June", "July",
                          "August", "September", "October", "November", "December"}));
    const QStringList days = entries("cmbDate");
    QCOMPARE(days.size(), 31);
    QCOMPARE(days.first(), QStringLiteral("1"));
    QCOMPARE(days.last(), QStringLiteral("31"));
    const QStringList years = entries("cmbYear");
    QCOMPARE(years.size(), 151);
    QCOMPARE(years.first(), QStringLiteral("1900"));
    QCOMPARE(years.last(), QStringLiteral("2050"));
    QCOMPARE(entries("cmbDowsingTool"), (QStringList{"Rods", "Branch", "Pendulam", "Other"}));
    QCOMPARE(entries("cmbItemDowsingFor"),
             (QStringList{"water", "Oil", "Treasure", "Missing Person", "Others"}));

    const QList<QPair<const char *, const char *>> first = {
        {"cmbMonth", "January"}, {"cmbDate", "1"},          {"cmbYear", "1900"},
        {"cmbHour", "00"},       {"cmbMinute", "00"},       {"cmbAMPM", "AM"},
        {"cmbDowsingTool", "Rods"}, {"cmbItemDowsingFor", "water"},
    };
    for (const auto &[name, text] : first)
        QCOMPARE(e.list(name)->currentText(), QString::fromLatin1(text));

    // Fixed lists take no typing; the tool and item boxes do, but never
    // grow their lists.
    for (const char *name : {"cmbHour", "cmbMinute", "cmbAMPM", "cmbMonth", "cmbDate", "cmbYear"})
        QVERIFY(!e.list(name)->isEditable());
    for (const char *name : {"cmbDowsingTool", "cmbItemDowsingFor"}) {
        QVERIFY(e.list(name)->isEditable());
        QCOMPARE(e.list(name)->insertPolicy(), QComboBox::NoInsert);
    }
}

void TestEntryWindow::tabOrderFollowsTheLayout()
{
    Entry e;
    const QStringList expected = {
        "cmAddNewRecord", "cmdViewAllrecords", "cmdExit",
        "txtName", "txtAddress", "txtCity", "txtState", "txtPin", "txtPhNo", "txtEmail",
        "txtLocationDowsingFor", "cmdCustomersDetailsNext",
        "cmbDowsingTool", "txtDowsingTool", "cmdOk", "cmdCancel",
        "cmbItemDowsingFor", "txtItemDowsing", "cmdOkItemDowsing", "cmdCancelItemDowsing",
        "cmbHour", "cmbMinute", "cmbAMPM", "cmbMonth", "cmbDate", "cmbYear",
        "cmdToolsBack", "cmdToolsNext", "txtNotes", "cmdNotesBack", "cmdadd",
    };
    QStringList chain;
    QWidget *w = e.button("cmAddNewRecord");
    for (int guard = 0; guard < 500 && chain.size() < expected.size(); ++guard) {
        if (expected.contains(w->objectName()) && !chain.contains(w->objectName()))
            chain.append(w->objectName());
        w = w->nextInFocusChain();
    }
    QCOMPARE(chain, expected);
}

void TestEntryWindow::addNewRecordUnlocksAndKeepsWhatIsTyped()
{
    Entry e(true, true);
    e.click("cmAddNewRecord");
    QVERIFY(e.pagesEnabled());
    QCOMPARE(e.frontPage(), e.page("fraCustomersDetails"));
    QCOMPARE(QApplication::focusWidget(), e.line("txtName"));

    QTest::keyClicks(e.line("txtName"), QStringLiteral("john smith"));
    QCOMPARE(e.line("txtName")->text(), QStringLiteral("JOHN SMITH"));
    e.click("cmdCustomersDetailsNext");
    QCOMPARE(e.frontPage(), e.page("fraTools"));
    e.list("cmbHour")->setCurrentIndex(7);

    // Halfway through an entry: back to the customer page, nothing lost.
    e.click("cmAddNewRecord");
    QCOMPARE(e.frontPage(), e.page("fraCustomersDetails"));
    QVERIFY(e.pagesEnabled());
    QCOMPARE(QApplication::focusWidget(), e.line("txtName"));
    QCOMPARE(e.line("txtName")->text(), QStringLiteral("JOHN SMITH"));
    QCOMPARE(e.list("cmbHour")->currentText(), QStringLiteral("07"));
}

void TestEntryWindow::typingGoesThroughTheFilters_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("result");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<int>("icon");

    const QString alpha = QStringLiteral("Please Enter Only Alphabet");
    const QString number = QStringLiteral("Please Enter Number");
    QTest::newRow("name: small letters and blank")
            << "txtName" << "john smith" << "JOHN SMITH" << QStringList() << 0;
    QTest::newRow("city: a digit") << "txtCity" << "3" << "" << QStringList{alpha}
                                   << int(Icon::Information);
    QTest::newRow("state: letters around a hyphen")
            << "txtState" << "new-york" << "NEWYORK" << QStringList{alpha}
            << int(Icon::Information);
    QTest::newRow("location: two refused keys")
            << "txtLocationDowsingFor" << "hill 4, top" << "HILL  TOP"
            << QStringList{alpha, alpha} << int(Icon::Information);
    QTest::newRow("phone: plus, blank and brackets")
            << "txtPhNo" << "+91 (22)" << "9122" << QStringList{number, number, number, number}
            << int(Icon::None);
    QTest::newRow("phone: slash") << "txtPhNo" << "12/05" << "1205" << QStringList{number}
                                  << int(Icon::None);
    QTest::newRow("phone: full stop") << "txtPhNo" << "12.5" << "12.5" << QStringList() << 0;
    QTest::newRow("pin: no filter") << "txtPin" << "ba1-2xy" << "ba1-2xy" << QStringList() << 0;
    QTest::newRow("email: no filter")
            << "txtEmail" << "Dowser@Example.org" << "Dowser@Example.org" << QStringList() << 0;
}

void TestEntryWindow::typingGoesThroughTheFilters()
{
    QFETCH(QString, box);
    QFETCH(QString, typed);
    QFETCH(QString, result);
    QFETCH(QStringList, messages);
    QFETCH(int, icon);

    Entry e;
    e.click("cmAddNewRecord");
    QLineEdit *edit = e.line(qPrintable(box));
    QTest::keyClicks(edit, typed);
    QCOMPARE(edit->text(), result);
    QCOMPARE(e.env.messages.texts(), messages);
    for (const auto &shown : e.env.messages.shown)
        QCOMPARE(int(shown.icon), icon);
}

void TestEntryWindow::controlKeysAreRefusedEditingKeysWork()
{
    Entry e;
    e.click("cmAddNewRecord");
    QLineEdit *name = e.line("txtName");
    QTest::keyClicks(name, QStringLiteral("abc"));

    // Copy, paste, cut and Escape are typed characters here: each refused
    // with one message, the text untouched.
    QApplication::clipboard()->setText(QStringLiteral("xyz"));
    name->selectAll();
    QTest::keyClick(name, Qt::Key_C, Qt::ControlModifier);
    QTest::keyClick(name, Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(name, Qt::Key_X, Qt::ControlModifier);
    QTest::keyClick(name, Qt::Key_Escape);
    QCOMPARE(name->text(), QStringLiteral("ABC"));
    QCOMPARE(e.env.messages.texts(), QStringList(4, QStringLiteral("Please Enter Only Alphabet")));

    // Backspace, cursor keys and Delete edit as usual, silently.
    e.env.messages.clear();
    name->setCursorPosition(3);
    QTest::keyClick(name, Qt::Key_Backspace);
    QTest::keyClick(name, Qt::Key_Home);
    QTest::keyClick(name, Qt::Key_Delete);
    QTest::keyClick(name, Qt::Key_End);
    QTest::keyClick(name, Qt::Key_Return);
    QCOMPARE(name->text(), QStringLiteral("B"));
    QVERIFY(e.env.messages.shown.isEmpty());

    // Carriage return is refused in the phone box, Backspace is not.
    QLineEdit *phone = e.line("txtPhNo");
    QTest::keyClicks(phone, QStringLiteral("12"));
    QTest::keyClick(phone, Qt::Key_Return);
    QTest::keyClick(phone, Qt::Key_Backspace);
    QCOMPARE(phone->text(), QStringLiteral("1"));
    QCOMPARE(e.env.messages.texts(), QStringList{QStringLiteral("Please Enter Number")});
}

void TestEntryWindow::pastingFollowsTheTypingRule_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("route");
    QTest::addColumn<QString>("pasted");
    QTest::addColumn<QString>("result");
    QTest::addColumn<QStringList>("messages");

    const QString alpha = QStringLiteral("Please Enter Only Alphabet");
    const QString number = QStringLiteral("Please Enter Number");
    for (const char *route : {"shift+insert", "context menu", "drop"}) {
        const QByteArray r(route);
        QTest::newRow(r + ": small letters become capitals")
                << "txtName" << route << "smith" << "ABSMITH" << QStringList();
        QTest::newRow(r + ": one digit refuses it all, once")
                << "txtCity" << route << "bath 2" << "AB" << QStringList{alpha};
        QTest::newRow(r + ": phone digits") << "txtPhNo" << route << "22.5" << "AB22.5"
                                            << QStringList();
        QTest::newRow(r + ": phone with blanks") << "txtPhNo" << route << "22 5" << "AB"
                                                 << QStringList{number};
        QTest::newRow(r + ": unfiltered box") << "txtPin" << route << "x-1" << "ABx-1"
                                              << QStringList();
    }
}

void TestEntryWindow::pastingFollowsTheTypingRule()
{
    QFETCH(QString, box);
    QFETCH(QString, route);
    QFETCH(QString, pasted);
    QFETCH(QString, result);
    QFETCH(QStringList, messages);

    Entry e;
    e.click("cmAddNewRecord");
    QLineEdit *edit = e.line(qPrintable(box));
    edit->setText(QStringLiteral("AB"));
    edit->setCursorPosition(2);

    if (route == QLatin1String("shift+insert")) {
        QApplication::clipboard()->setText(pasted);
        QTest::keyClick(edit, Qt::Key_Insert, Qt::ShiftModifier);
    } else if (route == QLatin1String("context menu")) {
        QApplication::clipboard()->setText(pasted);
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5),
                                edit->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(edit, &event);
        QMenu *menu = edit->findChild<QMenu *>();
        QVERIFY(menu);
        QAction *paste = nullptr;
        for (QAction *action : menu->actions())
            if (action->text().startsWith(QLineEdit::tr("&Paste")))
                paste = action;
        QVERIFY(paste);
        paste->trigger();
        menu->close();
    } else {
        QMimeData data;
        data.setText(pasted);
        const QPointF at(edit->width() - 2, edit->height() / 2);
        QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, &data, Qt::LeftButton,
                              Qt::NoModifier);
        QApplication::sendEvent(edit, &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(edit, &drop);
    }
    QTRY_COMPARE(e.env.messages.texts(), messages);
    QCOMPARE(edit->text(), result);
}

void TestEntryWindow::programTextIsNeverFiltered()
{
    Entry e;
    e.click("cmAddNewRecord");
    DowsingRecord r = sample(QStringLiteral("mary-jane o'neill"));
    r.Phone_No = QStringLiteral("+44 (1225) 555");
    e.form->showRecord(r, QStringLiteral("8/19/2011"), QStringLiteral("08:45"));
    QCOMPARE(e.line("txtName")->text(), QStringLiteral("mary-jane o'neill"));
    QCOMPARE(e.line("txtPhNo")->text(), QStringLiteral("+44 (1225) 555"));
    QVERIFY(e.env.messages.shown.isEmpty());

    // Only what is typed afterwards is filtered.
    e.line("txtName")->end(false);
    QTest::keyClicks(e.line("txtName"), QStringLiteral("x"));
    QCOMPARE(e.line("txtName")->text(), QStringLiteral("mary-jane o'neillX"));
}

void TestEntryWindow::emailIsCheckedOnNext_data()
{
    QTest::addColumn<QString>("email");
    QTest::addColumn<bool>("passes");
    QTest::newRow("empty") << "" << true;
    QTest::newRow("letter and @") << "a@" << true;
    QTest::newRow("@ first only") << "@example.org" << false;
    QTest::newRow("no @") << "dowser.example.org" << false;
    QTest::newRow("blank") << " " << false;
}

void TestEntryWindow::emailIsCheckedOnNext()
{
    QFETCH(QString, email);
    QFETCH(bool, passes);

    Entry e(true, true);
    e.click("cmAddNewRecord");
    QTest::keyClicks(e.line("txtEmail"), email);
    e.click("cmdCustomersDetailsNext");
    QCOMPARE(e.line("txtEmail")->text(), email);
    if (passes) {
        QCOMPARE(e.frontPage(), e.page("fraTools"));
        QVERIFY(e.env.messages.shown.isEmpty());
    } else {
        QCOMPARE(e.frontPage(), e.page("fraCustomersDetails"));
        QCOMPARE(e.env.messages.texts(),
                 QStringList{QStringLiteral("Please Enter Correct Email Address !")});
        QCOMPARE(e.env.messages.shown.first().icon, Icon::Information);
        QCOMPARE(QApplication::focusWidget(), e.line("txtEmail"));
    }
}

void TestEntryWindow::nextAndBackWalkThePages()
{
    Entry e;
    e.click("cmAddNewRecord");
    const QList<QPair<const char *, const char *>> walk = {
        {"cmdCustomersDetailsNext", "fraTools"}, {"cmdToolsNext", "fraNotes"},
        {"cmdNotesBack", "fraTools"},            {"cmdToolsBack", "fraCustomersDetails"},
    };
    for (const auto &[button, page] : walk) {
        e.click(button);
        QCOMPARE(e.frontPage(), e.page(page));
        QVERIFY(e.pagesEnabled());
    }
    const QGroupBox *pages[] = {e.page("fraCustomersDetails"), e.page("fraTools"),
                                e.page("fraNotes")};
    QCOMPARE(pages[0]->title(), QStringLiteral("Enter Customer's Details:-"));
    QCOMPARE(pages[1]->title(), QStringLiteral("Tools And Item Used For Dowsing:-"));
    QCOMPARE(pages[2]->title(), QStringLiteral("Notes"));
}

void TestEntryWindow::namingPopUps_data()
{
    QTest::addColumn<QString>("list");
    QTest::addColumn<QString>("popup");
    QTest::addColumn<QString>("nameBox");
    QTest::addColumn<QString>("ok");
    QTest::addColumn<QString>("cancel");
    QTest::addColumn<int>("otherIndex");
    QTest::addColumn<QString>("firstEntry");
    QTest::addColumn<QString>("emptyMessage");
    QTest::newRow("tool") << "cmbDowsingTool" << "fraDowsingTool" << "txtDowsingTool" << "cmdOk"
                          << "cmdCancel" << 3 << "Rods" << "Please Enter Dowsing Tool !";
    QTest::newRow("item") << "cmbItemDowsingFor" << "fraItemDowsing" << "txtItemDowsing"
                          << "cmdOkItemDowsing" << "cmdCancelItemDowsing" << 4 << "water"
                          << "Please Enter Dowsing Item !";
}

void TestEntryWindow::namingPopUps()
{
    QFETCH(QString, list);
    QFETCH(QString, popup);
    QFETCH(QString, nameBox);
    QFETCH(QString, ok);
    QFETCH(QString, cancel);
    QFETCH(int, otherIndex);
    QFETCH(QString, firstEntry);
    QFETCH(QString, emptyMessage);

    Entry e(true, true);
    e.click("cmAddNewRecord");
    e.click("cmdCustomersDetailsNext");
    QComboBox *combo = e.list(qPrintable(list));
    QWidget *frame = e.get<QWidget>(qPrintable(popup));
    QLineEdit *box = e.line(qPrintable(nameBox));
    const int entries = combo->count();

    combo->setCurrentIndex(otherIndex);
    QVERIFY(frame->isVisible());
    QCOMPARE(QApplication::focusWidget(), box);

    // An empty name is refused and the pop-up stays; blanks are a name.
    e.click(qPrintable(ok));
    QCOMPARE(e.env.messages.texts(), QStringList{emptyMessage});
    QCOMPARE(e.env.messages.shown.first().icon, Icon::Information);
    QVERIFY(frame->isVisible());
    QCOMPARE(QApplication::focusWidget(), box);

    QTest::keyClicks(box, QStringLiteral("Dowser rod 2"));
    e.click(qPrintable(ok));
    QVERIFY(frame->isHidden());
    QCOMPARE(combo->currentText(), QStringLiteral("Dowser rod 2"));
    QCOMPARE(combo->count(), entries);
    QCOMPARE(QApplication::focusWidget(), combo);

    // Choosing the "other" entry again reopens it with the last name.
    emit combo->activated(otherIndex);
    QVERIFY(frame->isVisible());
    QCOMPARE(box->text(), QStringLiteral("Dowser rod 2"));

    // Cancel returns the list to its first entry; the box keeps the name.
    e.click(qPrintable(cancel));
    QVERIFY(frame->isHidden());
    QCOMPARE(combo->currentIndex(), 0);
    QCOMPARE(combo->currentText(), firstEntry);
    QCOMPARE(box->text(), QStringLiteral("Dowser rod 2"));
    QCOMPARE(QApplication::focusWidget(), combo);
    QCOMPARE(e.env.messages.shown.size(), 1);
}

void TestEntryWindow::aSelectionInOneListClosesTheOtherPopUp()
{
    Entry e;
    e.click("cmAddNewRecord");
    QComboBox *tool = e.list("cmbDowsingTool");
    QComboBox *item = e.list("cmbItemDowsingFor");
    QWidget *toolPopup = e.get<QWidget>("fraDowsingTool");
    QWidget *itemPopup = e.get<QWidget>("fraItemDowsing");

    tool->setCurrentIndex(3);
    QVERIFY(!toolPopup->isHidden());
    item->setCurrentIndex(4);
    QVERIFY(toolPopup->isHidden());
    QVERIFY(!itemPopup->isHidden());
    // The tool reads "Other", which is what a save would store.
    QCOMPARE(tool->currentText(), QStringLiteral("Other"));

    // Re-choosing the selected tool (no change of index) still closes the
    // item pop-up.
    emit tool->activated(3);
    QVERIFY(itemPopup->isHidden());
    QVERIFY(!toolPopup->isHidden());
    // Another tool entry leaves the tool pop-up open; Cancel closes it.
    tool->setCurrentIndex(1);
    QVERIFY(!toolPopup->isHidden());
    e.click("cmdCancel");
    QVERIFY(toolPopup->isHidden());
    QVERIFY(itemPopup->isHidden());
    QCOMPARE(tool->currentText(), QStringLiteral("Rods"));

    // Changing pages leaves an open pop-up open.
    emit item->activated(4);
    e.click("cmdCustomersDetailsNext");
    e.click("cmdToolsNext");
    e.click("cmdNotesBack");
    QVERIFY(!itemPopup->isHidden());
}

void TestEntryWindow::aNameTypedIntoTheListIsItsValue()
{
    Entry e(true, true);
    e.click("cmAddNewRecord");
    e.click("cmdCustomersDetailsNext");
    QComboBox *tool = e.list("cmbDowsingTool");
    tool->lineEdit()->selectAll();
    QTest::keyClicks(tool->lineEdit(), QStringLiteral("bobber"));
    QTest::keyClick(tool->lineEdit(), Qt::Key_Return);
    QCOMPARE(tool->currentText(), QStringLiteral("bobber"));
    QCOMPARE(tool->count(), 4);
    QVERIFY(e.get<QWidget>("fraDowsingTool")->isHidden());
    QVERIFY(e.env.messages.shown.isEmpty());

    e.click("cmdToolsNext");
    e.click("cmdadd");
    const auto records = storedRecords(e.env.databasePath());
    QCOMPARE(records.size(), 1);
    QCOMPARE(records.first().Dowsing_Tool, QStringLiteral("bobber"));
}

void TestEntryWindow::addStoresEveryFieldAndClearsTheForm()
{
    Entry e;
    e.click("cmAddNewRecord");
    QTest::keyClicks(e.line("txtName"), QStringLiteral("john smith"));
    e.box("txtAddress")->setFocus();
    QTest::keyClicks(e.box("txtAddress"), QStringLiteral("12 Mill Lane"));
    QTest::keyClick(e.box("txtAddress"), Qt::Key_Return);
    QTest::keyClicks(e.box("txtAddress"), QStringLiteral("Upper Ward"));
    QTest::keyClicks(e.line("txtCity"), QStringLiteral("bath"));
    QTest::keyClicks(e.line("txtState"), QStringLiteral("somerset"));
    QTest::keyClicks(e.line("txtPin"), QStringLiteral("BA1 2xy"));
    QTest::keyClicks(e.line("txtPhNo"), QStringLiteral("01225.555"));
    QTest::keyClicks(e.line("txtEmail"), QStringLiteral("John@Example.org"));
    QTest::keyClicks(e.line("txtLocationDowsingFor"), QStringLiteral("north field"));
    e.click("cmdCustomersDetailsNext");

    e.list("cmbDowsingTool")->setCurrentIndex(3);
    QTest::keyClicks(e.line("txtDowsingTool"), QStringLiteral("Dowser Rod"));
    e.click("cmdOk");
    e.list("cmbItemDowsingFor")->setCurrentIndex(3);
    e.list("cmbMonth")->setCurrentIndex(2);
    e.list("cmbDate")->setCurrentIndex(6);
    e.list("cmbYear")->setCurrentIndex(e.list("cmbYear")->findText(QStringLiteral("2009")));
    e.list("cmbHour")->setCurrentIndex(24);
    e.list("cmbMinute")->setCurrentIndex(15);
    e.list("cmbAMPM")->setCurrentIndex(1);
    e.click("cmdToolsNext");
    QTest::keyClicks(e.box("txtNotes"), QStringLiteral("Found water"));
    e.click("cmdadd");

    QCOMPARE(e.notices(), QStringList{QStringLiteral("Record Saved Succesfully !")});
    QCOMPARE(e.env.messages.shown.first().icon, Icon::Information);

    const auto records = storedRecords(e.env.databasePath());
    QCOMPARE(records.size(), 1);
    const DowsingRecord &r = records.first();
    QVERIFY(r.IdNumber.has_value());
    QCOMPARE(r.Date.calendarDate(), QDate(2009, 3, 7));
    QCOMPARE(r.Name, QStringLiteral("JOHN SMITH"));
    QCOMPARE(r.Address, QStringLiteral("12 Mill Lane\nUpper Ward"));
    QCOMPARE(r.City, QStringLiteral("BATH"));
    QCOMPARE(r.State, QStringLiteral("SOMERSET"));
    QCOMPARE(r.Pin, QStringLiteral("BA1 2xy"));
    QCOMPARE(r.Phone_No, QStringLiteral("01225.555"));
    QCOMPARE(r.Email, QStringLiteral("John@Example.org"));
    QCOMPARE(r.Time_Dowsing_Occured, QStringLiteral("24:15"));
    QCOMPARE(r.Dowsing_Tool, QStringLiteral("Dowser Rod"));
    QCOMPARE(r.Item_Dowsing_For, QStringLiteral("Missing Person"));
    QCOMPARE(r.Location_Dowsing_Occured, QStringLiteral("NORTH FIELD"));
    QCOMPARE(r.Notes, QStringLiteral("Found water"));

    // Cleared, locked, customer page in front, still in add mode; AM/PM
    // and the pop-up's name box keep theirs.
    for (const char *box : {"txtName", "txtCity", "txtState", "txtPin", "txtPhNo", "txtEmail",
                            "txtLocationDowsingFor"})
        QVERIFY2(e.line(box)->text().isEmpty(), box);
    QVERIFY(e.box("txtAddress")->toPlainText().isEmpty());
    QVERIFY(e.box("txtNotes")->toPlainText().isEmpty());
    const QList<QPair<const char *, const char *>> first = {
        {"cmbMonth", "January"}, {"cmbDate", "1"},          {"cmbYear", "1900"},
        {"cmbHour", "00"},       {"cmbMinute", "00"},       {"cmbDowsingTool", "Rods"},
        {"cmbItemDowsingFor", "water"}, {"cmbAMPM", "PM"},
    };
    for (const auto &[name, text] : first)
        QCOMPARE(e.list(name)->currentText(), QString::fromLatin1(text));
    QCOMPARE(e.line("txtDowsingTool")->text(), QStringLiteral("Dowser Rod"));
    QVERIFY(e.get<QWidget>("fraDowsingTool")->isHidden());
    QVERIFY(e.get<QWidget>("fraItemDowsing")->isHidden());
    QVERIFY(!e.pagesEnabled());
    QCOMPARE(e.frontPage(), e.page("fraCustomersDetails"));
    QCOMPARE(e.button("cmdadd")->text(), QStringLiteral("&Add"));
    QVERIFY(e.shown(e.form));

    // A second record is added after the first.
    e.toNotesPage();
    e.click("cmdadd");
    const auto after = storedRecords(e.env.databasePath());
    QCOMPARE(after.size(), 2);
    QVERIFY(*after.at(1).IdNumber > *after.at(0).IdNumber);
}

void TestEntryWindow::emptyFormStoresTheFirstEntries()
{
    Entry e;
    e.toNotesPage();
    e.click("cmdadd");
    const auto records = storedRecords(e.env.databasePath());
    QCOMPARE(records.size(), 1);
    DowsingRecord expected;
    expected.Date = QDate(1900, 1, 1);
    expected.Time_Dowsing_Occured = QStringLiteral("00:00");
    expected.Dowsing_Tool = QStringLiteral("Rods");
    expected.Item_Dowsing_For = QStringLiteral("water");
    expected.IdNumber = records.first().IdNumber;
    QCOMPARE(records.first(), expected);
}

void TestEntryWindow::datesThatAreNotCalendarDatesAreRefused_data()
{
    QTest::addColumn<int>("month");
    QTest::addColumn<QString>("day");
    QTest::addColumn<QString>("year");
    QTest::addColumn<bool>("valid");
    QTest::newRow("31 February") << 2 << "31" << "2009" << false;
    QTest::newRow("30 February in a leap year") << 2 << "30" << "2000" << false;
    QTest::newRow("29 February 1900 (no leap year)") << 2 << "29" << "1900" << false;
    QTest::newRow("31 April") << 4 << "31" << "2010" << false;
    QTest::newRow("31 November") << 11 << "31" << "2050" << false;
    QTest::newRow("29 February 2000") << 2 << "29" << "2000" << true;
    QTest::newRow("31 December 2050") << 12 << "31" << "2050" << true;
}

void TestEntryWindow::datesThatAreNotCalendarDatesAreRefused()
{
    QFETCH(int, month);
    QFETCH(QString, day);
    QFETCH(QString, year);
    QFETCH(bool, valid);

    Entry e;
    e.click("cmAddNewRecord");
    QTest::keyClicks(e.line("txtName"), QStringLiteral("kept"));
    e.click("cmdCustomersDetailsNext");
    e.list("cmbMonth")->setCurrentIndex(month - 1);
    e.list("cmbDate")->setCurrentText(day);
    e.list("cmbYear")->setCurrentText(year);
    e.click("cmdToolsNext");
    QTest::keyClicks(e.box("txtNotes"), QStringLiteral("notes kept"));
    e.click("cmdadd");

    const auto records = storedRecords(e.env.databasePath());
    if (valid) {
        QCOMPARE(records.size(), 1);
        QCOMPARE(records.first().Date.calendarDate(), QDate(year.toInt(), month, day.toInt()));
        QCOMPARE(e.notices(), QStringList{QStringLiteral("Record Saved Succesfully !")});
        return;
    }
    QCOMPARE(records.size(), 0);
    QCOMPARE(e.notices(), QStringList{QStringLiteral(
                                  "Record Not Saved !\rThe Date Is Not A Valid Calendar Date")});
    QCOMPARE(e.env.messages.shown.first().icon, Icon::Critical);
    // Nothing cleared, nothing locked, still on the notes page.
    QCOMPARE(e.line("txtName")->text(), QStringLiteral("KEPT"));
    QCOMPARE(e.box("txtNotes")->toPlainText(), QStringLiteral("notes kept"));
    QCOMPARE(e.list("cmbDate")->currentText(), day);
    QCOMPARE(e.list("cmbMonth")->currentIndex(), month - 1);
    QCOMPARE(e.frontPage(), e.page("fraNotes"));
    QVERIFY(e.pagesEnabled());
    QCOMPARE(e.button("cmdadd")->text(), QStringLiteral("&Add"));
}

void TestEntryWindow::aStoreThatRefusesTheWriteLosesNothing()
{
    Entry e;
    RawDatabase raw(e.env.databasePath());
    QVERIFY(raw.exec(QStringLiteral(
            "CREATE TRIGGER refuse_add BEFORE INSERT ON Details "
            "BEGIN SELECT RAISE(ABORT, 'the disk is full'); END")));

    e.click("cmAddNewRecord");
    QTest::keyClicks(e.line("txtName"), QStringLiteral("ada"));
    e.toNotesPage();
    e.click("cmdadd");
    QCOMPARE(e.notices().size(), 1);
    QVERIFY2(e.notices().first().startsWith(QStringLiteral("Record Not Saved !\r")),
             qPrintable(e.notices().first()));
    QVERIFY2(e.notices().first().contains(QStringLiteral("the disk is full")),
             qPrintable(e.notices().first()));
    QCOMPARE(e.env.messages.shown.first().icon, Icon::Critical);
    QCOMPARE(e.line("txtName")->text(), QStringLiteral("ADA"));
    QCOMPARE(e.frontPage(), e.page("fraNotes"));
    QVERIFY(e.pagesEnabled());

    // Once the file takes writes again, the same press saves the record.
    QVERIFY(raw.exec(QStringLiteral("DROP TRIGGER refuse_add")));
    e.env.messages.clear();
    e.click("cmdadd");
    QCOMPARE(e.notices(), QStringList{QStringLiteral("Record Saved Succesfully !")});
    const auto records = storedRecords(e.env.databasePath());
    QCOMPARE(records.size(), 1);
    QCOMPARE(records.first().Name, QStringLiteral("ADA"));
}

void TestEntryWindow::showRecordPlacesDateAndTime_data()
{
    QTest::addColumn<QString>("dateText");
    QTest::addColumn<QString>("timeText");
    QTest::addColumn<QStringList>("expected"); // month, day, year, hour, minute, AM/PM

    QTest::newRow("morning") << "3/7/2009" << "09:05"
                             << QStringList{"March", "7", "2009", "09", "05", "AM"};
    QTest::newRow("last entries") << "12/31/2050" << "12:00"
                                  << QStringList{"December", "31", "2050", "12", "00", "PM"};
    QTest::newRow("just after midnight") << "1/1/1900" << "00:30"
                                         << QStringList{"January", "1", "1900", "00", "30", "AM"};
    QTest::newRow("hour 24") << "5/5/2000" << "24:00"
                             << QStringList{"May", "5", "2000", "24", "00", "PM"};
    QTest::newRow("afternoon") << "11/2/1999" << "14:30"
                               << QStringList{"November", "2", "1999", "14", "30", "PM"};
    QTest::newRow("30 February can be shown") << "2/30/2001" << "11:59"
                                              << QStringList{"February", "30", "2001", "11", "59",
                                                             "AM"};
    // What cannot be placed leaves its selector where it was (June 15
    // 1950, 13:20, which the test selects first); AM/PM follows the hour
    // that stays selected.
    QTest::newRow("out of range") << "13/32/1899" << "25:60"
                                  << QStringList{"June", "15", "1950", "13", "20", "PM"};
    QTest::newRow("not numbers") << "x/y/z" << "ab:cd"
                                 << QStringList{"June", "15", "1950", "13", "20", "PM"};
    QTest::newRow("empty texts") << "" << ""
                                 << QStringList{"June", "15", "1950", "13", "20", "PM"};
    QTest::newRow("month only") << "4" << "07"
                                << QStringList{"June", "15", "1950", "07", "20", "AM"};
    QTest::newRow("no year") << "4/9" << "07:"
                             << QStringList{"April", "15", "1950", "07", "20", "AM"};
}

void TestEntryWindow::showRecordPlacesDateAndTime()
{
    QFETCH(QString, dateText);
    QFETCH(QString, timeText);
    QFETCH(QStringList, expected);

    Entry e;
    e.list("cmbMonth")->setCurrentIndex(5);
    e.list("cmbDate")->setCurrentIndex(14);
    e.list("cmbYear")->setCurrentText(QStringLiteral("1950"));
    e.list("cmbHour")->setCurrentIndex(13);
    e.list("cmbMinute")->setCurrentIndex(20);
    e.list("cmbAMPM")->setCurrentIndex(0);

    DowsingRecord r = sample(QStringLiteral("ZED"));
    r.Dowsing_Tool = QStringLiteral("Dowser Rod");
    r.Item_Dowsing_For = QStringLiteral("Lost Ring");
    e.form->showRecord(r, dateText, timeText);

    const char *lists[] = {"cmbMonth", "cmbDate", "cmbYear", "cmbHour", "cmbMinute", "cmbAMPM"};
    for (int i = 0; i < 6; ++i)
        QCOMPARE(e.list(lists[i])->currentText(), expected.at(i));

    QCOMPARE(e.line("txtName")->text(), r.Name);
    QCOMPARE(e.box("txtAddress")->toPlainText(), r.Address);
    QCOMPARE(e.line("txtCity")->text(), r.City);
    QCOMPARE(e.line("txtState")->text(), r.State);
    QCOMPARE(e.line("txtPin")->text(), r.Pin);
    QCOMPARE(e.line("txtPhNo")->text(), r.Phone_No);
    QCOMPARE(e.line("txtEmail")->text(), r.Email);
    QCOMPARE(e.list("cmbDowsingTool")->currentText(), QStringLiteral("Dowser Rod"));
    QCOMPARE(e.list("cmbItemDowsingFor")->currentText(), QStringLiteral("Lost Ring"));
    QCOMPARE(e.list("cmbDowsingTool")->count(), 4);
    QCOMPARE(e.line("txtLocationDowsingFor")->text(), r.Location_Dowsing_Occured);
    QCOMPARE(e.box("txtNotes")->toPlainText(), r.Notes);
    // Pages, pop-ups and mode are not its business.
    QVERIFY(!e.pagesEnabled());
    QVERIFY(e.get<QWidget>("fraDowsingTool")->isHidden());
    QCOMPARE(e.button("cmdadd")->text(), QStringLiteral("&Add"));
}

void TestEntryWindow::updateRewritesTheRememberedRecord()
{
    Entry e;
    DowsingRecord second = sample(QStringLiteral("second"));
    second.Date = QDate(2009, 3, 7);
    second.Time_Dowsing_Occured = QStringLiteral("14:30");
    second.Dowsing_Tool = QStringLiteral("Dowser Rod");
    const QVector<qint64> ids = addRecords(
            e.env.databasePath(), {sample(QStringLiteral("FIRST")), second,
                                   sample(QStringLiteral("THIRD"))});
    const auto before = storedRecords(e.env.databasePath());

    // The record view's edit command, in its order.
    const DowsingRecord chosen = before.at(1);
    e.frame->showChild(e.form);
    e.editRecord(chosen, QStringLiteral("3/7/2009"), QStringLiteral("14:30"));

    QCOMPARE(e.list("cmbHour")->currentText(), QStringLiteral("14"));
    QCOMPARE(e.list("cmbMinute")->currentText(), QStringLiteral("30"));
    QCOMPARE(e.list("cmbAMPM")->currentText(), QStringLiteral("PM"));
    QCOMPARE(e.list("cmbDowsingTool")->currentText(), QStringLiteral("Dowser Rod"));
    QCOMPARE(e.line("txtName")->text(), QStringLiteral("second"));
    QCOMPARE(e.button("cmdadd")->text(), QStringLiteral("&Update"));
    QVERIFY(e.form->isUpdateMode());
    QVERIFY(e.button("cmAddNewRecord")->isHidden());
    QVERIFY(!e.action("mnuAddNewRecor")->isVisible());
    QVERIFY(e.action("mnuViewAll")->isVisible());

    // Change the record and write it.
    e.line("txtName")->end(false);
    QTest::keyClicks(e.line("txtName"), QStringLiteral(" x"));
    e.click("cmdCustomersDetailsNext");
    e.list("cmbMinute")->setCurrentIndex(45);
    e.click("cmdToolsNext");
    e.click("cmdadd");

    QCOMPARE(e.notices().first(), QStringLiteral("Record Edited Succesfully !"));
    QCOMPARE(e.env.messages.shown.first().icon, Icon::Information);
    const auto after = storedRecords(e.env.databasePath());
    QCOMPARE(after.size(), 3);
    QCOMPARE(after.at(0), before.at(0));
    QCOMPARE(after.at(2), before.at(2));
    const DowsingRecord &changed = after.at(1);
    QCOMPARE(*changed.IdNumber, ids.at(1));
    QCOMPARE(changed.Name, QStringLiteral("second X"));
    QCOMPARE(changed.Date.calendarDate(), QDate(2009, 3, 7));
    QCOMPARE(changed.Time_Dowsing_Occured, QStringLiteral("14:45"));
    QCOMPARE(changed.Dowsing_Tool, QStringLiteral("Dowser Rod"));
    QCOMPARE(changed.Address, before.at(1).Address);

    // Back in add mode, cleared and locked, hidden behind the fresh list.
    QCOMPARE(e.button("cmdadd")->text(), QStringLiteral("&Add"));
    QVERIFY(!e.form->isUpdateMode());
    QVERIFY(!e.button("cmAddNewRecord")->isHidden());
    QVERIFY(e.action("mnuAddNewRecor")->isVisible());
    QVERIFY(e.line("txtName")->text().isEmpty());
    QVERIFY(!e.pagesEnabled());
    QCOMPARE(e.frontPage(), e.page("fraCustomersDetails"));
    QVERIFY(!e.shown(e.form));
    QVERIFY(e.frame->windows().isListLoaded());
    QVERIFY(e.shown(e.frame->windows().listWindow()));
}

void TestEntryWindow::updateThatCannotBeWrittenKeepsTheInput()
{
    Entry e;
    const qint64 id = addRecords(e.env.databasePath(), {sample(QStringLiteral("GONE"))}).first();
    e.editRecord(storedRecords(e.env.databasePath()).first(), QStringLiteral("8/19/2011"),
                 QStringLiteral("08:45"));

    // A date that is not a calendar date first.
    e.click("cmdCustomersDetailsNext");
    e.list("cmbMonth")->setCurrentIndex(1);
    e.list("cmbDate")->setCurrentText(QStringLiteral("30"));
    e.click("cmdToolsNext");
    e.click("cmdadd");
    QCOMPARE(e.notices(), QStringList{QStringLiteral(
                                  "Record Not Saved !\rThe Date Is Not A Valid Calendar Date")});
    QCOMPARE(storedRecords(e.env.databasePath()).first().Date.calendarDate(), QDate(2011, 8, 19));

    // Then the record disappears behind the window's back.
    QVERIFY(removeRecord(e.env.databasePath(), id));
    e.env.messages.clear();
    e.click("cmdNotesBack");
    e.list("cmbDate")->setCurrentText(QStringLiteral("3"));
    e.click("cmdToolsNext");
    e.click("cmdadd");
    QCOMPARE(e.notices().size(), 1);
    QVERIFY2(e.notices().first().startsWith(QStringLiteral("Record Not Saved !\r")),
             qPrintable(e.notices().first()));
    QVERIFY(e.notices().first().size() > QStringLiteral("Record Not Saved !\r").size());
    QCOMPARE(e.env.messages.shown.first().icon, Icon::Critical);
    QVERIFY(storedRecords(e.env.databasePath()).isEmpty());

    // The form keeps its changes, shown; with its record gone it is back in
    // add mode, from which they can be saved as a new record.
    QCOMPARE(e.button("cmdadd")->text(), QStringLiteral("&Add"));
    QCOMPARE(e.form->updateIdNumber(), std::nullopt);
    QCOMPARE(e.line("txtName")->text(), QStringLiteral("GONE"));
    QCOMPARE(e.list("cmbDate")->currentText(), QStringLiteral("3"));
    QVERIFY(e.pagesEnabled());
    QCOMPARE(e.frontPage(), e.page("fraNotes"));
    QVERIFY(e.shown(e.form));
    QVERIFY(!e.frame->windows().isListLoaded());
}

void TestEntryWindow::viewAllRecordsAndBackKeepTheEntry()
{
    Entry e;
    e.click("cmAddNewRecord");
    QTest::keyClicks(e.line("txtName"), QStringLiteral("half"));
    e.click("cmdCustomersDetailsNext");

    e.click("cmdViewAllrecords");
    QVERIFY(!e.shown(e.form));
    QVERIFY(e.frame->windows().isListLoaded());
    RecordListWindow *list = e.frame->windows().listWindow();
    QVERIFY(e.shown(list));
    QCOMPARE(list->parentWidget()->pos(), QPoint(0, 0));

    list->goBack();
    QVERIFY(e.shown(e.form));
    QCOMPARE(e.frontPage(), e.page("fraTools"));
    QVERIFY(e.pagesEnabled());
    QCOMPARE(e.line("txtName")->text(), QStringLiteral("HALF"));
}

void TestEntryWindow::menuBarCaptionsAndSwitchedOffEntries()
{
    Entry e;
    const QList<QMenu *> menus = e.form->menus();
    QCOMPARE(menus.size(), 3);
    QCOMPARE(menus.at(0)->objectName(), QStringLiteral("nuFile"));
    QCOMPARE(menus.at(1)->objectName(), QStringLiteral("mnuEdit"));
    QCOMPARE(menus.at(2)->objectName(), QStringLiteral("mnuHelp"));
    // The frame shows them while the entry window is on show.
    QList<QAction *> bar = e.frame->menuBar()->actions();
    QCOMPARE(bar.size(), 3);
    for (int i = 0; i < 3; ++i)
        QCOMPARE(bar.at(i), menus.at(i)->menuAction());

    auto captions = [](QMenu *menu) {
        QStringList list;
        for (QAction *a : menu->actions())
            list.append(a->isSeparator() ? QStringLiteral("-") : a->text());
        return list;
    };
    QCOMPARE(menus.at(0)->title(), QStringLiteral("&File"));
    QCOMPARE(captions(menus.at(0)),
             (QStringList{"&Add New Record", "&View All  Records", "&Find Records...", "&Customers...", "S&tatistics...", "-",
                          "&Export Records...", "&Import Records...", "&Back Up Database...", "-",
                          "E&xit"}));
    QCOMPARE(e.action("mnuFindRecords")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_F));
    for (const char *name : {"mnuExport", "mnuImport", "mnuBackUp"})
        QVERIFY2(!e.action(name)->statusTip().isEmpty(), name);
    QCOMPARE(menus.at(1)->title(), QStringLiteral("&Edit"));
    QCOMPARE(captions(menus.at(1)), (QStringList{"&Go To", "&Find", "&Count Record"}));
    QCOMPARE(captions(e.get<QMenu>("MnuGoTo")),
             (QStringList{"&First", "&Next", "&Previous", "&Last"}));
    QCOMPARE(captions(e.get<QMenu>("mnuFind")),
             (QStringList{"By &Name", "By Dowsing &Toll", "By &Item Dowsing For"}));
    QCOMPARE(menus.at(2)->title(), QStringLiteral("&Help"));
    QCOMPARE(captions(menus.at(2)),
             (QStringList{"&Online Help", "&Visit Us Online", "-", "&Check for Software Update",
                          "-", "&About Software", "&Donate", "Make Money &Online"}));
    QVERIFY(e.action("mnuFileSep1")->isSeparator());
    QVERIFY(e.action("mnuFileSep2")->isSeparator());

    // Switched off: the Edit menu itself (so nothing in it can be reached),
    // "Go To", "Count Record" and "Make Money Online".
    QVERIFY(!menus.at(1)->menuAction()->isEnabled());
    QVERIFY(!e.get<QMenu>("MnuGoTo")->menuAction()->isEnabled());
    QVERIFY(!e.action("mnuCount")->isEnabled());
    QVERIFY(!e.action("mnumakemoney")->isEnabled());
    e.action("mnumakemoney")->trigger();
    QVERIFY(e.env.browser.opened.isEmpty());
    for (const char *on : {"nuFile", "mnuHelp"})
        QVERIFY(e.get<QMenu>(on)->menuAction()->isEnabled());

    // No shortcuts but Find Records' Ctrl+F, and no check marks anywhere.
    for (QAction *a : e.form->findChildren<QAction *>()) {
        if (a->objectName() != QLatin1String("mnuFindRecords"))
            QVERIFY2(a->shortcut().isEmpty(), qPrintable(a->objectName()));
        QVERIFY2(!a->isCheckable(), qPrintable(a->objectName()));
    }
}

void TestEntryWindow::menuEntriesOpenTheirPages_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("pageKey");
    QTest::newRow("Online Help") << "mnuOnline" << "help-web-page";
    QTest::newRow("Visit Us Online") << "mnuVisit" << "home-page";
    QTest::newRow("Check for Software Update") << "mnuUpdate" << "download-web-page";
    QTest::newRow("Donate") << "mnuDonate" << "donate";
}

void TestEntryWindow::menuEntriesOpenTheirPages()
{
    QFETCH(QString, entry);
    QFETCH(QString, pageKey);
    Entry e;
    e.click("cmAddNewRecord");
    QTest::keyClicks(e.line("txtName"), QStringLiteral("kept"));
    e.action(qPrintable(entry))->trigger();
    QCOMPARE(e.env.browser.pageKeys(), QStringList{pageKey});
    QVERIFY(e.env.messages.shown.isEmpty());
    QVERIFY(e.shown(e.form));
    QCOMPARE(e.line("txtName")->text(), QStringLiteral("KEPT"));
}

void TestEntryWindow::oneLineBoxesHaveNoLengthLimit()
{
    Entry e;
    // Beyond Qt's default limit of 32,767 characters, which cuts silently.
    const QString pasted(40000, QLatin1Char('A'));
    for (QLineEdit *box : e.form->findChildren<QLineEdit *>()) {
        box->clear();
        box->insert(pasted);
        QVERIFY2(box->text() == pasted,
                 qPrintable(box->parent()->objectName() + "/" + box->objectName()));
    }
}

void TestEntryWindow::fileMenuRepeatsTheButtons()
{
    Entry e(true, true);
    e.action("mnuAddNewRecor")->trigger();
    QVERIFY(e.pagesEnabled());
    QCOMPARE(QApplication::focusWidget(), e.line("txtName"));

    e.action("mnuViewAll")->trigger();
    QVERIFY(!e.shown(e.form));
    QVERIFY(e.shown(e.frame->windows().listWindow()));
    e.frame->windows().listWindow()->goBack();
    QVERIFY(e.shown(e.form));

    // Update mode hides the File menu's "Add New Record" only.
    addRecords(e.env.databasePath(), {sample(QStringLiteral("KEPT"))});
    e.editRecord(storedRecords(e.env.databasePath()).first(), QStringLiteral("3/7/2009"),
                 QStringLiteral("09:05"));
    QStringList visible;
    for (QAction *a : e.get<QMenu>("nuFile")->actions())
        if (a->isVisible())
            visible.append(a->isSeparator() ? QStringLiteral("-") : a->text());
    QCOMPARE(visible, (QStringList{"&View All  Records", "&Find Records...", "&Customers...", "S&tatistics...", "-",
                                   "&Export Records...", "&Import Records...",
                                   "&Back Up Database...", "-", "E&xit"}));

    // Export, import and back-up are told to the app layer.
    QSignalSpy exports(e.form, &EntryWindow::exportRequested);
    QSignalSpy imports(e.form, &EntryWindow::importRequested);
    QSignalSpy backUps(e.form, &EntryWindow::backUpRequested);
    e.action("mnuExport")->trigger();
    e.action("mnuImport")->trigger();
    e.action("mnuBackUp")->trigger();
    QCOMPARE(exports.size(), 1);
    QCOMPARE(imports.size(), 1);
    QCOMPARE(backUps.size(), 1);
    // The coordinator asked for the files (the fakes answered Cancel).
    QCOMPARE(e.env.dialogs.saveAsked, 2);
    QCOMPARE(e.env.dialogs.openAsked, 1);
}

void TestEntryWindow::hintLineOpensTheCoBrandPage()
{
    Entry e(true, true);
    auto *label20 = e.get<QLabel>("Label20");
    auto *label1 = e.get<QLabel>("Label1");
    // Label20 lies over the run of blanks, inside Label1's line.
    const QRect blanks = label20->geometry();
    QVERIFY(label1->geometry().contains(blanks.center()));
    QVERIFY(blanks.left() > label1->x() + label1->fontMetrics().horizontalAdvance("Click On"));

    QTest::mouseClick(label20, Qt::LeftButton);
    QVERIFY(e.env.browser.opened.isEmpty());
    QTest::mouseClick(label1, Qt::LeftButton, {}, QPoint(5, label1->height() / 2));
    QCOMPARE(e.env.browser.pageKeys(), QStringList{QStringLiteral("co-brand")});
}

void TestEntryWindow::aboutBoxIsModal()
{
    Entry e(true, true);
    QString shownClass;
    bool wasModal = false;
    QTimer::singleShot(0, [&] {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal)
            return;
        shownClass = QString::fromLatin1(modal->metaObject()->className());
        wasModal = modal->isModal();
        modal->close();
    });
    e.action("mnuAbout")->trigger();
    QCOMPARE(shownClass, QStringLiteral("Orvane::AboutBox"));
    QVERIFY(wasModal);
}

void TestEntryWindow::exitUnloadsTheWindowAndShowsTheExitScreen_data()
{
    QTest::addColumn<bool>("fromMenu");
    QTest::newRow("Exit button") << false;
    QTest::newRow("File menu Exit") << true;
}

void TestEntryWindow::exitUnloadsTheWindowAndShowsTheExitScreen()
{
    QFETCH(bool, fromMenu);
    Entry e(true, true);
    QPointer<EntryWindow> form(e.form);
    if (fromMenu)
        e.action("mnuExit")->trigger();
    else
        e.click("cmdExit");
    QVERIFY(ProgramEnd::isExitScreenShown());
    QVERIFY(!e.frame->windows().entryWindow());
    QVERIFY(!e.frame->isVisible());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(form.isNull());
    // The program ends only when the exit screen is closed.
    QCOMPARE(e.env.process.ends, 0);
}

QTEST_MAIN(TestEntryWindow)
#include "tst_entrywindow.moc"
