// The list window: its grid's columns, the empty list, the first row
// current, the double-click that turns a row into a report and remembers the
// record, Back in both directions, and that an open list never stands in the
// way of a save.

#include "support/TestDatabase.h"
#include "support/WindowDriver.h"

#include "app/WindowCoordinator.h"
#include "list/CustomersWindow.h"
#include "list/RecordListModel.h"
#include "list/RecordListWindow.h"
#include "store/RecordStore.h"
#include "view/RecordViewWindow.h"

#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScrollBar>
#include <QSqlQuery>
#include <QTableView>
#include <QTextEdit>
#include <QtTest>

#include <limits>

using namespace Orvane;
using namespace Orvane::Testing;

namespace {

DowsingRecord recordNamed(const QString &name, int day)
{
    DowsingRecord r;
    r.Date = QDate(2009, 3, day);
    r.Name = name;
    r.Address = QStringLiteral("1 Road\nSecond Line");
    r.Time_Dowsing_Occured = QStringLiteral("09:%1").arg(day, 2, 10, QLatin1Char('0'));
    r.Dowsing_Tool = QStringLiteral("Rods");
    r.Item_Dowsing_For = QStringLiteral("water");
    r.Notes = QStringLiteral("note of ") + name;
    return r;
}

QVector<qint64> seedFive(const TestEnvironment &env)
{
    QList<DowsingRecord> records;
    for (int i = 1; i <= 5; ++i)
        records.append(recordNamed(QStringLiteral("CUSTOMER %1").arg(i), i));
    return addRecords(env.databasePath(), records);
}

// The entry window's "View All Records".
RecordListWindow *openList(FrameWindow &frame)
{
    frame.windows().entryWindow()->showAllRecords();
    return frame.windows().listWindow();
}

void doubleClickRow(QTableView *grid, int row)
{
    grid->scrollTo(grid->model()->index(row, 0));
    const QPoint at = grid->visualRect(grid->model()->index(row, 1)).center();
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, at);
}

QString reportText(FrameWindow &frame)
{
    return frame.windows().recordView()->reportBox()->toPlainText();
}

struct Frame
{
    FrameWindow frame;
    Frame()
    {
        frame.resize(1100, 800);
        frame.show();
        frame.loadEntryWindow();
    }
};

} // namespace

class TestListWindow : public QObject
{
    Q_OBJECT

private slots:
    void gridColumnsAndWindowParts();
    void nothingToShowIsReportedAndTheGridDisabled_data();
    void nothingToShowIsReportedAndTheGridDisabled();
    void firstRowIsCurrentAndCellsShowTheRecord();
    void aCellShowsTheStartOfALongTextAndCharactersThatDoNotShow_data();
    void aCellShowsTheStartOfALongTextAndCharactersThatDoNotShow();
    void doubleClickShowsTheRowsReport();
    void enterOnTheGridShowsTheReportToo();
    void recordsUnderAnyKeyShowAndOpen_data();
    void recordsUnderAnyKeyShowAndOpen();
    void cellsLeftEmptyKeepTheEarlierDateAndTime();
    void backFromTheReportShowsTheListAsItWas();
    void backShowsTheEntryWindowAndUnloadsTheList_data();
    void backShowsTheEntryWindowAndUnloadsTheList();
    void aSaveSucceedsWhileTheListIsOpen();
};

void TestListWindow::gridColumnsAndWindowParts()
{
    TestEnvironment env;
    seedFive(env);
    Frame f;
    RecordListWindow *list = openList(f.frame);
    QTableView *grid = gridOf(list);
    QVERIFY(grid);

    const QStringList captions = {
        "Date",     "Name",          "Address",         "City",         "State",
        "Pin",      "Phone No",      "Email Address",   "Time Of Dowsing", "Dowsing Tool",
        "Item Of Dowsing", "Location", "Notes",         "IdNumber"};
    QCOMPARE(grid->model()->columnCount(), captions.size());
    QStringList shown;
    for (int column = 0; column < captions.size(); ++column) {
        QCOMPARE(grid->model()->headerData(column, Qt::Horizontal).toString(),
                 captions.at(column));
        if (!grid->isColumnHidden(column))
            shown.append(captions.at(column));
    }
    QCOMPARE(shown, QStringList({"Date", "Name", "Time Of Dowsing", "Dowsing Tool"}));

    // Widths follow the window's twips at the screen's resolution.
    const int dpi = grid->logicalDpiX();
    QCOMPARE(grid->columnWidth(0), (2340 * dpi + 720) / 1440);
    QCOMPARE(grid->columnWidth(1), (2385 * dpi + 720) / 1440);
    QCOMPARE(grid->columnWidth(8), (2520 * dpi + 720) / 1440);
    // The four shown columns fit without a horizontal scroll bar.
    QVERIFY(!grid->horizontalScrollBar()->isVisible());
    QCOMPARE(grid->font().family(), QStringLiteral("Verdana"));
    QCOMPARE(grid->horizontalHeader()->font().family(), QStringLiteral("Verdana"));

    auto *caption = list->findChild<QLabel *>(QStringLiteral("DataGridCaption"));
    QVERIFY(caption);
    QCOMPARE(caption->text(), QStringLiteral("Dowsing Records"));
    auto *label1 = list->findChild<QLabel *>(QStringLiteral("Label1"));
    QVERIFY(label1);
    QCOMPARE(label1->text(),
             QStringLiteral("To Select Your Record, Move the Arrow Up and Down to the Chosen Row "
                            "and  Double Click to See Complete Record Details. "));
    auto *label2 = list->findChild<QLabel *>(QStringLiteral("Label2"));
    QVERIFY(label2);
    QCOMPARE(label2->text(), QStringLiteral("Short Summary Of Dowsing Records"));
    QVERIFY(label2->font().bold());
    QVERIFY(list->findChild<QWidget *>(QStringLiteral("frmFourItem")));
    auto *back = list->findChild<QPushButton *>(QStringLiteral("cmdBack"));
    QVERIFY(back);
    QCOMPARE(back->text(), QStringLiteral("&Back"));

    // The menu bar carries the list's own menu: Print is listed but never
    // available.
    const QList<QMenu *> menus = list->menus();
    QCOMPARE(menus.size(), 1);
    QCOMPARE(menus.first()->title(), QStringLiteral("&File"));
    const QList<QAction *> entries = menus.first()->actions();
    QCOMPARE(entries.size(), 8);
    QCOMPARE(entries.at(0)->text(), QStringLiteral("&Print"));
    QVERIFY(!entries.at(0)->isEnabled());
    QCOMPARE(entries.at(1)->text(), QStringLiteral("&Find Records..."));
    QCOMPARE(entries.at(1)->objectName(), QStringLiteral("mnuFindRecords"));
    QCOMPARE(entries.at(1)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_F));
    QCOMPARE(entries.at(2)->objectName(), QStringLiteral("mnuCustomers"));
    QCOMPARE(entries.at(3)->objectName(), QStringLiteral("mnuStatistics"));
    QCOMPARE(entries.at(4)->text(), QStringLiteral("&Export Records..."));
    QCOMPARE(entries.at(4)->objectName(), QStringLiteral("mnuExportShown"));
    QCOMPARE(entries.at(5)->text(), QStringLiteral("&Undo Delete"));
    QCOMPARE(entries.at(5)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Z));
    QCOMPARE(entries.at(6)->text(), QStringLiteral("&Deleted Records..."));
    QCOMPARE(entries.at(7)->text(), QStringLiteral("&Back"));
    for (int i = 1; i < 8; ++i)
        QVERIFY(entries.at(i)->isEnabled());
    // The find bar is hidden when the list is opened the ordinary way.
    QVERIFY(!list->findChild<QWidget *>(QStringLiteral("findBar"))->isVisible());
    QVERIFY(f.frame.menuBar()->actions().contains(menus.first()->menuAction()));
}

void TestListWindow::nothingToShowIsReportedAndTheGridDisabled_data()
{
    QTest::addColumn<bool>("unreadable");
    QTest::addColumn<QString>("message"); // the whole text, or the heading of a reason
    QTest::addColumn<MessageBoxes::Icon>("icon");
    QTest::newRow("empty table") << false << QStringLiteral("There Is No Record !")
                                 << MessageBoxes::Icon::Information;
    QTest::newRow("unreadable database")
            << true << QStringLiteral("The Dowsing Records Could Not Be Read\r")
            << MessageBoxes::Icon::Critical;
}

void TestListWindow::nothingToShowIsReportedAndTheGridDisabled()
{
    QFETCH(bool, unreadable);
    QFETCH(QString, message);
    QFETCH(MessageBoxes::Icon, icon);
    TestEnvironment env;
    if (unreadable)
        seedFive(env);
    Frame f;
    // Unreadable once the program is running.
    if (unreadable)
        QVERIFY(spoilDatabase(env.databasePath()));
    RecordListWindow *list = openList(f.frame);
    QCOMPARE(env.messages.shown.size(), 1);
    QCOMPARE(env.messages.shown.first().icon, icon);
    const QString shown = env.messages.shown.first().text;
    if (unreadable)
        QVERIFY2(shown.startsWith(message) && shown.size() > message.size(), qPrintable(shown));
    else
        QCOMPARE(shown, message);
    QTableView *grid = gridOf(list);
    QVERIFY(!grid->isEnabled());
    QCOMPARE(grid->model()->rowCount(), 0);

    // No report from a disabled grid.
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, QPoint(20, 10));
    list->openCurrentRecord();
    QVERIFY(!f.frame.windows().isRecordViewLoaded());
    QVERIFY(f.frame.isChildVisible(list));

    // Back still works.
    list->goBack();
    QVERIFY(f.frame.isChildVisible(f.frame.windows().entryWindow()));
    QVERIFY(!f.frame.windows().isListLoaded());
    QCOMPARE(env.messages.shown.size(), 1);
}

void TestListWindow::firstRowIsCurrentAndCellsShowTheRecord()
{
    TestEnvironment env;
    const QVector<qint64> keys = seedFive(env);
    Frame f;
    QTableView *grid = gridOf(openList(f.frame));
    QVERIFY(env.messages.shown.isEmpty());
    QVERIFY(grid->isEnabled());
    QCOMPARE(grid->model()->rowCount(), 5);
    QCOMPARE(grid->currentIndex().row(), 0);
    QVERIFY(grid->selectionModel()->isRowSelected(0, QModelIndex()));

    // Rows in order of addition; the date as month/day/year; hidden cells
    // still carry their values.
    QAbstractItemModel *model = grid->model();
    for (int row = 0; row < 5; ++row) {
        QCOMPARE(model->index(row, 0).data().toString(), QStringLiteral("3/%1/2009").arg(row + 1));
        QCOMPARE(model->index(row, 1).data().toString(), QStringLiteral("CUSTOMER %1").arg(row + 1));
        QCOMPARE(model->index(row, 13).data().toString(), QString::number(keys.at(row)));
    }
    QCOMPARE(model->index(2, 2).data().toString(), QStringLiteral("1 Road\nSecond Line"));
    QCOMPARE(model->index(2, 8).data().toString(), QStringLiteral("09:03"));
    QCOMPARE(model->index(2, 9).data().toString(), QStringLiteral("Rods"));
}

void TestListWindow::aCellShowsTheStartOfALongTextAndCharactersThatDoNotShow_data()
{
    QTest::addColumn<QString>("column");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("shown");
    const QString letters = QStringLiteral("abcdefghijklmnopqrstuvwxyz").repeated(40400);
    QTest::newRow("notes of a million letters")
            << "Notes" << letters << letters.left(400) + QStringLiteral("\u2026");
    QTest::newRow("a name of 400 letters") << "Name" << letters.left(400) << letters.left(400);
    QTest::newRow("a name of 401 letters")
            << "Name" << letters.left(401) << letters.left(400) + QStringLiteral("\u2026");
    QTest::newRow("a zero in a name") << "Name" << QStringLiteral("ANN") + QChar(0) + QStringLiteral("E")
                                      << QStringLiteral("ANN<U+0000>E");
    QTest::newRow("an escape in the city") << "City" << QStringLiteral("\x1B[1mYORK")
                                           << QStringLiteral("<U+001B>[1mYORK");
    QTest::newRow("a date another program stored") << "Date" << QStringLiteral("-0001-01-01")
                                                   << QStringLiteral("-0001-01-01");
}

// What another program stored shows in the grid: the start of a text too
// long for a cell (the grid would lay it out whole to elide it), with "…"
// where it goes on, and every character, those that do not show by their
// code.
void TestListWindow::aCellShowsTheStartOfALongTextAndCharactersThatDoNotShow()
{
    QFETCH(QString, column);
    QFETCH(QString, stored);
    QFETCH(QString, shown);
    TestEnvironment env;
    seedFive(env);
    {
        RawDatabase raw(env.databasePath());
        QSqlQuery update(raw.db());
        QVERIFY(update.prepare(QStringLiteral("UPDATE Details SET %1 = ? WHERE Name = 'CUSTOMER 2'")
                                       .arg(column)));
        update.addBindValue(stored);
        QVERIFY(update.exec());
    }
    Frame f;
    QTableView *grid = gridOf(openList(f.frame));
    // The grid's columns are the table's fields in order.
    const int at = int(DowsingRecord::fieldNames().indexOf(column));
    QVERIFY(at >= 0);
    QCOMPARE(grid->model()->index(1, at).data().toString(), shown);
}

void TestListWindow::doubleClickShowsTheRowsReport()
{
    TestEnvironment env;
    // Keys that are not positions: an earlier record is gone.
    const QVector<qint64> first = seedFive(env);
    QVERIFY(removeRecord(env.databasePath(), first.at(0)));
    const QVector<qint64> second = seedFive(env);
    Frame f;
    RecordListWindow *list = openList(f.frame);
    QTableView *grid = gridOf(list);

    doubleClickRow(grid, 2);
    // The rows: the first five but the first, then the second five.
    QCOMPARE(f.frame.windows().selectedRecord().idNumber, first.at(3));
    QCOMPARE(f.frame.windows().selectedRecord().dateText, QStringLiteral("3/4/2009"));
    QCOMPARE(f.frame.windows().selectedRecord().timeText, QStringLiteral("09:04"));
    QVERIFY(reportText(f.frame).startsWith(QStringLiteral("Date :- 3/4/2009\n\nName :- CUSTOMER 4\n\n")));
    QVERIFY(!f.frame.isChildVisible(list));
    QVERIFY(f.frame.isChildVisible(f.frame.windows().recordView()));
    QVERIFY(f.frame.windows().isListLoaded());

    // A row far down the list, whatever the scroll position.
    f.frame.windows().recordView()->goBack();
    doubleClickRow(grid, 8);
    QCOMPARE(f.frame.windows().selectedRecord().idNumber, second.at(4));
    QVERIFY(reportText(f.frame).contains(QStringLiteral("Name :- CUSTOMER 5\n\n")));
    QVERIFY(!reportText(f.frame).contains(QStringLiteral("CUSTOMER 4")));
    QVERIFY(env.messages.shown.isEmpty());
}

void TestListWindow::enterOnTheGridShowsTheReportToo()
{
    TestEnvironment env;
    const QVector<qint64> keys = seedFive(env);
    Frame f;
    RecordListWindow *list = openList(f.frame);
    QTableView *grid = gridOf(list);
    grid->setFocus();
    QTest::keyClick(grid, Qt::Key_Down);
    QTest::keyClick(grid, Qt::Key_Return);
    QCOMPARE(f.frame.windows().selectedRecord().idNumber, keys.at(1));
    QVERIFY(f.frame.isChildVisible(f.frame.windows().recordView()));
}

void TestListWindow::recordsUnderAnyKeyShowAndOpen_data()
{
    QTest::addColumn<qint64>("key");
    // Another program may store a record under any key the engine takes.
    QTest::newRow("below zero") << qint64(-5);
    QTest::newRow("minus one") << qint64(-1);
    QTest::newRow("zero") << qint64(0);
    QTest::newRow("the least") << std::numeric_limits<qint64>::min();
    QTest::newRow("the greatest") << std::numeric_limits<qint64>::max();
}

// A row shows and opens the record under its key, whatever the key, in the
// list, after a find, and in the customers window.
void TestListWindow::recordsUnderAnyKeyShowAndOpen()
{
    QFETCH(qint64, key);
    TestEnvironment env;
    seedFive(env);
    QVERIFY(runSql(env.databasePath(),
                   {QStringLiteral("INSERT INTO Details (Date, Name, Phone_No, City, IdNumber) "
                                   "VALUES ('2010-04-05', 'ODD KEY', '77', 'HULL', %1)")
                            .arg(key)}));
    Frame f;
    RecordListWindow *list = openList(f.frame);
    QTableView *grid = gridOf(list);
    const auto rowOfOddKey = [&] {
        for (int row = 0; row < grid->model()->rowCount(); ++row) {
            if (grid->model()->index(row, 13).data().toString() == QString::number(key))
                return row;
        }
        return -1;
    };
    int row = rowOfOddKey();
    QVERIFY(row >= 0);
    QCOMPARE(grid->model()->index(row, 1).data().toString(), QStringLiteral("ODD KEY"));
    doubleClickRow(grid, row);
    QCOMPARE(f.frame.windows().selectedRecord().idNumber, key);
    QVERIFY(reportText(f.frame).contains(QStringLiteral("Name :- ODD KEY\n")));

    // Found, it stays the current row.
    f.frame.windows().recordView()->goBack();
    list->showFindBar();
    auto *box = list->findChild<QLineEdit *>(QStringLiteral("txtFind"));
    QTest::keyClicks(box, QStringLiteral("o"));
    QTRY_VERIFY(!list->isSearching());
    row = rowOfOddKey();
    QVERIFY(row >= 0);
    QCOMPARE(grid->currentIndex().row(), row);
    QCOMPARE(grid->model()->index(row, 1).data().toString(), QStringLiteral("ODD KEY"));

    WindowCoordinator &windows = f.frame.windows();
    windows.showCustomers(windows.entryWindow());
    CustomersWindow *customers = windows.customersWindow();
    QTRY_VERIFY(!customers->isBusy());
    auto *customerGrid = customers->findChild<QTableView *>(QStringLiteral("CustomersGrid"));
    QStringList names;
    for (int r = 0; r < customerGrid->model()->rowCount(); ++r)
        names.append(customerGrid->model()->index(r, 0).data().toString());
    QVERIFY2(names.contains(QStringLiteral("ODD KEY")), qPrintable(names.join(u',')));
    QVERIFY(env.messages.shown.isEmpty());
}

void TestListWindow::cellsLeftEmptyKeepTheEarlierDateAndTime()
{
    TestEnvironment env;
    DowsingRecord withTime = recordNamed(QStringLiteral("FIRST"), 7);
    DowsingRecord without = recordNamed(QStringLiteral("SECOND"), 9);
    without.Time_Dowsing_Occured.clear();
    const QVector<qint64> keys = addRecords(env.databasePath(), {withTime, without});
    Frame f;
    QTableView *grid = gridOf(openList(f.frame));

    doubleClickRow(grid, 0);
    f.frame.windows().recordView()->goBack();
    doubleClickRow(grid, 1);
    QCOMPARE(f.frame.windows().selectedRecord().idNumber, keys.at(1));
    QCOMPARE(f.frame.windows().selectedRecord().dateText, QStringLiteral("3/9/2009"));
    QCOMPARE(f.frame.windows().selectedRecord().timeText, QStringLiteral("09:07"));
    QVERIFY(reportText(f.frame).contains(
            QStringLiteral("Dowsing Time :- This data has not been entered\n\n")));

    // The table refuses a record without a date, so the date's case is
    // only reachable through the state itself.
    SelectedRecord chosen = f.frame.windows().selectedRecord();
    chosen.choose(QString(), QStringLiteral("10:30"), 99);
    QCOMPARE(chosen.dateText, QStringLiteral("3/9/2009"));
    QCOMPARE(chosen.timeText, QStringLiteral("10:30"));
    QCOMPARE(chosen.idNumber, qint64(99));
}

void TestListWindow::backFromTheReportShowsTheListAsItWas()
{
    TestEnvironment env;
    seedFive(env);
    Frame f;
    RecordListWindow *list = openList(f.frame);
    QTableView *grid = gridOf(list);
    doubleClickRow(grid, 3);

    // A record added meanwhile is not in the list until it is read again.
    addRecords(env.databasePath(), {recordNamed(QStringLiteral("LATE"), 20)});

    f.frame.windows().recordView()->goBack();
    QVERIFY(!f.frame.isChildVisible(f.frame.windows().recordView()));
    QVERIFY(f.frame.isChildVisible(list));
    QCOMPARE(f.frame.windows().listWindow(), list);
    QCOMPARE(gridOf(list), grid);
    QCOMPARE(grid->currentIndex().row(), 3);
    QCOMPARE(grid->model()->rowCount(), 5);
    QVERIFY(f.frame.menuBar()->actions().contains(list->menus().first()->menuAction()));
}

void TestListWindow::backShowsTheEntryWindowAndUnloadsTheList_data()
{
    QTest::addColumn<bool>("fromMenu");
    QTest::newRow("button") << false;
    QTest::newRow("File > Back") << true;
}

void TestListWindow::backShowsTheEntryWindowAndUnloadsTheList()
{
    QFETCH(bool, fromMenu);
    TestEnvironment env;
    seedFive(env);
    Frame f;
    QPointer<RecordListWindow> list = openList(f.frame);
    if (fromMenu)
        list->findChild<QAction *>(QStringLiteral("mnuBack"))->trigger();
    else
        press(list, "cmdBack");
    QVERIFY(f.frame.isChildVisible(f.frame.windows().entryWindow()));
    QVERIFY(!f.frame.windows().isListLoaded());
    QTRY_VERIFY(list.isNull());

    // Shown again, it reads the table afresh.
    addRecords(env.databasePath(), {recordNamed(QStringLiteral("LATE"), 20)});
    QCOMPARE(gridOf(openList(f.frame))->model()->rowCount(), 6);
}

void TestListWindow::aSaveSucceedsWhileTheListIsOpen()
{
    TestEnvironment env;
    QList<DowsingRecord> many;
    for (int i = 0; i < 600; ++i)
        many.append(recordNamed(QStringLiteral("R%1").arg(i), 1 + i % 28));
    addRecords(env.databasePath(), many);
    Frame f;
    QTableView *grid = gridOf(openList(f.frame));
    grid->scrollTo(grid->model()->index(300, 0));
    QCoreApplication::processEvents();
    (void)grid->grab();

    RecordStore writer;
    QCOMPARE(writer.open(env.databasePath()), RecordStore::OpenResult::Opened);
    DowsingRecord r = recordNamed(QStringLiteral("WRITTEN"), 3);
    QVERIFY2(writer.add(r), qPrintable(writer.errorText()));
    DowsingRecord changed = r;
    changed.Name = QStringLiteral("CHANGED");
    QVERIFY2(updateStored(writer, changed), qPrintable(writer.errorText()));
    QVERIFY2(removeStored(writer, *r.IdNumber), qPrintable(writer.errorText()));
}

QTEST_MAIN(TestListWindow)
#include "tst_listwindow.moc"
