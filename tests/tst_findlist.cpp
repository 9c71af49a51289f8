// Finding and sorting in the list window: the find bar against a reference
// computed here, the three sorts of a column with and without a find, a
// stale search never shown, and the find, sort and current record kept
// across the report's Back, an update and a delete.

#include "support/TestDatabase.h"
#include "support/WindowDriver.h"

#include "list/RecordListModel.h"
#include "list/RecordListWindow.h"
#include "view/RecordViewWindow.h"

#include <QAccessible>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTimer>
#include <QSignalSpy>
#include <QTableView>
#include <QTextEdit>
#include <QtTest>

#include <algorithm>

using namespace Orvane;
using namespace Orvane::Testing;

namespace {

DowsingRecord make(const QDate &date, const QString &name, const QString &city,
                   const QString &item, const QString &notes)
{
    DowsingRecord r;
    r.Date = date;
    r.Name = name;
    r.City = city;
    r.Time_Dowsing_Occured = QStringLiteral("10:15");
    r.Dowsing_Tool = QStringLiteral("Rods");
    r.Item_Dowsing_For = item;
    r.Notes = notes;
    return r;
}

QList<DowsingRecord> seedRecords()
{
    return {
            make(QDate(2009, 3, 5), QStringLiteral("MARY JONES"), QStringLiteral("BATH"),
                 QStringLiteral("Oil"), QStringLiteral("Water at 3 m.")),
            make(QDate(2010, 1, 2), QStringLiteral("TOM BROOK"), QStringLiteral("WELLS"),
                 QStringLiteral("Treasure"), QStringLiteral("Dry.")),
            make(QDate(2008, 7, 14), QStringLiteral("Ольга Петрова"), QStringLiteral("МОСКВА"),
                 QStringLiteral("вода"), QStringLiteral("Колодец")),
            make(QDate(2011, 12, 30), QStringLiteral("anna waters"), QStringLiteral("東京"),
                 QStringLiteral("Missing Person"), QStringLiteral("")),
            make(QDate(2009, 11, 5), QStringLiteral("BEN STONE"), QStringLiteral("YORK"),
                 QStringLiteral("water"), QStringLiteral("found at 3/5/2009 map")),
            make(QDate(2012, 6, 1), QStringLiteral("ZOE BROOKS"), QStringLiteral("LEEDS"),
                 QStringLiteral("Oil"), QStringLiteral("none")),
    };
}

struct Seeded
{
    QList<DowsingRecord> records;
    QVector<qint64> keys;
};

Seeded seed(const TestEnvironment &env)
{
    Seeded s;
    s.records = seedRecords();
    s.keys = addRecords(env.databasePath(), s.records);
    for (int i = 0; i < s.records.size(); ++i)
        s.records[i].IdNumber = s.keys.at(i);
    return s;
}

// The keys of the records a find shows, in order of addition, computed from
// the cells as the list shows them.
QVector<qint64> expectedFind(const Seeded &s, const QString &text)
{
    QVector<qint64> keys;
    for (const DowsingRecord &r : s.records) {
        bool found = text.isEmpty();
        for (int c = 0; c < RecordListModel::kIdNumberColumn && !found; ++c)
            found = RecordListModel::cellText(r, c).contains(text, Qt::CaseInsensitive);
        if (found)
            keys.append(*r.IdNumber);
    }
    return keys;
}

// The keys sorted by Name (case-folded) or by Date (the date itself).
QVector<qint64> expectedSort(const Seeded &s, QVector<qint64> keys, int column, bool descending)
{
    const auto recordOf = [&](qint64 key) {
        return s.records.at(int(s.keys.indexOf(key)));
    };
    std::stable_sort(keys.begin(), keys.end(), [&](qint64 a, qint64 b) {
        const DowsingRecord ra = recordOf(a), rb = recordOf(b);
        if (column == 0)
            return descending ? rb.Date.calendarDate() < ra.Date.calendarDate() : ra.Date.calendarDate() < rb.Date.calendarDate();
        const QString na = ra.Name.toCaseFolded(), nb = rb.Name.toCaseFolded();
        return descending ? nb < na : na < nb;
    });
    return keys;
}

QVector<qint64> shownKeys(RecordListWindow *list)
{
    QVector<qint64> keys;
    QAbstractItemModel *model = gridOf(list)->model();
    for (int row = 0; row < model->rowCount(); ++row)
        keys.append(model->index(row, RecordListModel::kIdNumberColumn).data().toLongLong());
    return keys;
}

struct Frame
{
    FrameWindow frame;
    Frame()
    {
        frame.resize(1100, 800);
        frame.show();
        frame.loadEntryWindow();
        (void)QTest::qWaitForWindowActive(&frame);
    }
    // File > Find Records in the entry window.
    RecordListWindow *findRecords()
    {
        frame.windows().entryWindow()->findChild<QAction *>(QStringLiteral("mnuFindRecords"))
                ->trigger();
        return frame.windows().listWindow();
    }
};

QLineEdit *findBox(RecordListWindow *list)
{
    return control<QLineEdit>(list, "txtFind");
}

QString countText(RecordListWindow *list)
{
    return control<QLabel>(list, "lblFindCount")->text();
}

bool settled(RecordListWindow *list)
{
    return QTest::qWaitFor([list] { return !list->isSearching(); }, 10000);
}

void clickHeader(QTableView *grid, int column)
{
    QHeaderView *header = grid->horizontalHeader();
    const QPoint at(header->sectionViewportPosition(column) + header->sectionSize(column) / 2,
                    header->height() / 2);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
}

} // namespace

class TestFindList : public QObject
{
    Q_OBJECT

private slots:
    void findBarFromTheEntryWindowHasTheFocus();
    void findShowsTheRecordsHoldingTheText_data();
    void findShowsTheRecordsHoldingTheText();
    void escClosesTheBarAndShowsEveryRecord();
    void headerClicksSortAscendingDescendingOriginal_data();
    void headerClicksSortAscendingDescendingOriginal();
    void keyboardSortCyclesTheCurrentColumn();
    void sortMenuFromTheKeyboard();
    void aStaleSearchIsNeverShown();
    void aFailedSearchIsReportedAndTheListKept();
    void currentRecordStaysWhenStillShown();
    void findAndSortAreKeptAcrossTheReport_data();
    void findAndSortAreKeptAcrossTheReport();
    void enterInTheBoxOpensTheFoundRecord();
    void exportFromTheListWritesWhatItShowsInItsOrder();
};

void TestFindList::findBarFromTheEntryWindowHasTheFocus()
{
    TestEnvironment env;
    seed(env);
    Frame f;
    RecordListWindow *list = f.findRecords();
    QVERIFY(f.frame.isChildVisible(list));
    QVERIFY(list->isFindBarShown());
    QTRY_COMPARE(QApplication::focusWidget(), findBox(list));
    QCOMPARE(findBox(list)->accessibleName(), QStringLiteral("Find"));
    QCOMPARE(control<QLabel>(list, "lblFind")->buddy(), findBox(list));
    QCOMPARE(control<QPushButton>(list, "cmdCloseFind")->text(), QStringLiteral("&Close"));
    QCOMPARE(countText(list), QStringLiteral("6 of 6 records"));
    // What a screen reader hears of the count.
    QCOMPARE(QAccessible::queryAccessibleInterface(control<QLabel>(list, "lblFindCount"))
                     ->text(QAccessible::Name),
             QStringLiteral("6 of 6 records"));
    QVERIFY(!list->shownKeys());

    // Ctrl+F in the grid of a list opened the ordinary way.
    list->closeFindBar();
    QVERIFY(!list->isFindBarShown());
    QCOMPARE(QApplication::focusWidget(), gridOf(list));
    QTest::keyClick(gridOf(list), Qt::Key_F, Qt::ControlModifier);
    QVERIFY(list->isFindBarShown());
    QCOMPARE(QApplication::focusWidget(), findBox(list));
}

void TestFindList::findShowsTheRecordsHoldingTheText_data()
{
    QTest::addColumn<QString>("text");
    for (const char *text : {"water", "WATER", "bRoOk", "петрова", "ОЛЬГА", "東京", "3/5/2009",
                             "1/2/2010", "2010", "nothing like this", ""})
        QTest::newRow(text) << QString::fromUtf8(text);
}

void TestFindList::findShowsTheRecordsHoldingTheText()
{
    QFETCH(QString, text);
    TestEnvironment env;
    const Seeded s = seed(env);
    Frame f;
    RecordListWindow *list = f.findRecords();
    // Something else first, so that every text changes the list.
    findBox(list)->setText(QStringLiteral("zzz"));
    QVERIFY(settled(list));
    QSignalSpy shown(list, &RecordListWindow::resultShown);
    findBox(list)->setText(text);
    QVERIFY(settled(list));
    QCOMPARE(shown.count(), 1);
    const QVector<qint64> expected = expectedFind(s, text);
    QCOMPARE(shownKeys(list), expected);
    QCOMPARE(countText(list), QStringLiteral("%1 of 6 records").arg(expected.size()));
    if (text.isEmpty())
        QVERIFY(!list->shownKeys());
    else
        QCOMPARE(*list->shownKeys(), expected);
    QVERIFY(env.messages.shown.isEmpty());
}

void TestFindList::escClosesTheBarAndShowsEveryRecord()
{
    TestEnvironment env;
    const Seeded s = seed(env);
    Frame f;
    RecordListWindow *list = f.findRecords();
    list->setSort(1, false);
    QTest::keyClicks(findBox(list), QStringLiteral("brook"));
    QVERIFY(settled(list));
    QCOMPARE(shownKeys(list).size(), 2);
    QTest::keyClick(findBox(list), Qt::Key_Escape);
    QVERIFY(!list->isFindBarShown());
    QVERIFY(findBox(list)->text().isEmpty());
    QVERIFY(settled(list));
    // The sort stays.
    QCOMPARE(shownKeys(list), expectedSort(s, s.keys, 1, false));
    QCOMPARE(list->request().sortBy, DowsingRecord::FieldId::Name);
    QCOMPARE(QApplication::focusWidget(), gridOf(list));
}

void TestFindList::headerClicksSortAscendingDescendingOriginal_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("column");
    QTest::newRow("every record by name") << QString() << 1;
    QTest::newRow("every record by date") << QString() << 0;
    QTest::newRow("found records by name") << QStringLiteral("e") << 1;
    QTest::newRow("found records by date") << QStringLiteral("water") << 0;
}

void TestFindList::headerClicksSortAscendingDescendingOriginal()
{
    QFETCH(QString, text);
    QFETCH(int, column);
    TestEnvironment env;
    const Seeded s = seed(env);
    Frame f;
    RecordListWindow *list = f.findRecords();
    findBox(list)->setText(text);
    QVERIFY(settled(list));
    const QVector<qint64> found = expectedFind(s, text);
    QCOMPARE(shownKeys(list), found);
    QTableView *grid = gridOf(list);
    QHeaderView *header = grid->horizontalHeader();
    QVERIFY(!header->isSortIndicatorShown());

    clickHeader(grid, column);
    QVERIFY(settled(list));
    QCOMPARE(shownKeys(list), expectedSort(s, found, column, false));
    QVERIFY(header->isSortIndicatorShown());
    QCOMPARE(header->sortIndicatorSection(), column);
    QCOMPARE(header->sortIndicatorOrder(), Qt::AscendingOrder);
    QCOMPARE(*list->shownKeys(), shownKeys(list));

    clickHeader(grid, column);
    QVERIFY(settled(list));
    QCOMPARE(shownKeys(list), expectedSort(s, found, column, true));
    QCOMPARE(header->sortIndicatorOrder(), Qt::DescendingOrder);
    QCOMPARE(RecordListModel::columnOf(list->request().sortBy), column);
    QVERIFY(list->request().descending);

    clickHeader(grid, column);
    QVERIFY(settled(list));
    QCOMPARE(shownKeys(list), found);
    QVERIFY(!header->isSortIndicatorShown());
    QVERIFY(!list->request().sortBy);
    QCOMPARE(list->shownKeys().has_value(), !text.isEmpty());
    QCOMPARE(countText(list), QStringLiteral("%1 of 6 records").arg(found.size()));
}

void TestFindList::keyboardSortCyclesTheCurrentColumn()
{
    TestEnvironment env;
    const Seeded s = seed(env);
    Frame f;
    f.frame.windows().entryWindow()->showAllRecords();
    RecordListWindow *list = f.frame.windows().listWindow();
    QTableView *grid = gridOf(list);
    QVERIFY(!list->isFindBarShown());
    grid->setFocus();
    QTest::keyClick(grid, Qt::Key_Right); // to the Name column
    QCOMPARE(grid->currentIndex().column(), 1);
    const auto cycle = [&] {
        QTest::keyClick(grid, Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
        return settled(list);
    };
    QVERIFY(cycle());
    QCOMPARE(shownKeys(list), expectedSort(s, s.keys, 1, false));
    QVERIFY(cycle());
    QCOMPARE(shownKeys(list), expectedSort(s, s.keys, 1, true));
    QVERIFY(cycle());
    QCOMPARE(shownKeys(list), s.keys);
    QVERIFY(!list->shownKeys());
    QVERIFY(!grid->horizontalHeader()->isSortIndicatorShown());
}

void TestFindList::sortMenuFromTheKeyboard()
{
    TestEnvironment env;
    const Seeded s = seed(env);
    Frame f;
    RecordListWindow *list = f.findRecords();
    QTableView *grid = gridOf(list);
    grid->setFocus();
    QTest::keyClick(grid, Qt::Key_Right); // to the Name column
    // Shift+F10 opens the menu; its "Sort &Descending" is chosen with D.
    QStringList entries;
    QTimer::singleShot(0, [&entries] {
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        if (!menu)
            return;
        for (QAction *a : menu->actions())
            entries.append(a->text());
        QTest::keyClick(menu, Qt::Key_D);
    });
    QTest::keyClick(grid, Qt::Key_F10, Qt::ShiftModifier);
    QCOMPARE(entries, (QStringList{"Sort &Ascending", "Sort &Descending", "&Original Order"}));
    QVERIFY(settled(list));
    QCOMPARE(shownKeys(list), expectedSort(s, s.keys, 1, true));

    // The menu's keys are the grid's actions' shortcuts, Menu among them.
    auto *menuKey = grid->findChild<QAction *>(QStringLiteral("actSortMenu"));
    QVERIFY(menuKey);
    QVERIFY(menuKey->shortcuts().contains(QKeySequence(Qt::Key_Menu)));
}

void TestFindList::aFailedSearchIsReportedAndTheListKept()
{
    TestEnvironment env;
    seed(env);
    Frame f;
    RecordListWindow *list = f.findRecords();
    // Unreadable before the first search opens the finder's connection.
    QVERIFY(spoilDatabase(env.databasePath()));
    findBox(list)->setText(QStringLiteral("brook"));
    QVERIFY(settled(list));
    QCOMPARE(env.messages.shown.size(), 1);
    QCOMPARE(env.messages.shown.first().icon, MessageBoxes::Icon::Critical);
    QVERIFY2(env.messages.shown.first().text.startsWith(
                     QStringLiteral("The Dowsing Records Could Not Be Read\r")),
             qPrintable(env.messages.shown.first().text));
    // The last result stays on show.
    QCOMPARE(gridOf(list)->model()->rowCount(), 6);
    QCOMPARE(countText(list), QStringLiteral("6 of 6 records"));
}

void TestFindList::aStaleSearchIsNeverShown()
{
    TestEnvironment env;
    const Seeded s = seed(env);
    // Enough rows that a search takes a while.
    QVERIFY(runSql(env.databasePath(), {manyRecords(20000)}));
    Frame f;
    RecordListWindow *list = f.findRecords();
    QSignalSpy shown(list, &RecordListWindow::resultShown);
    // Typed without a pause: each letter supersedes the search before.
    QTest::keyClicks(findBox(list), QStringLiteral("brooks"));
    QVERIFY(list->isSearching());
    QCOMPARE(countText(list), QStringLiteral("Searching..."));
    QVERIFY(settled(list));
    QCOMPARE(shown.count(), 1);
    QCOMPARE(shownKeys(list), QVector<qint64>{s.keys.at(5)});
    QCOMPARE(countText(list), QStringLiteral("1 of %1 records").arg(QLocale().toString(20006)));

    // Cleared while a search runs: every record, and the search's result
    // never comes.
    findBox(list)->setText(QStringLiteral("customer 1"));
    findBox(list)->clear();
    QVERIFY(!list->isSearching());
    QTest::qWait(300);
    QCOMPARE(gridOf(list)->model()->rowCount(), 20006);
    QVERIFY(!list->shownKeys());
}

void TestFindList::currentRecordStaysWhenStillShown()
{
    TestEnvironment env;
    const Seeded s = seed(env);
    Frame f;
    RecordListWindow *list = f.findRecords();
    QTableView *grid = gridOf(list);
    grid->setCurrentIndex(grid->model()->index(4, 0)); // BEN STONE
    findBox(list)->setText(QStringLiteral("water"));
    QVERIFY(settled(list));
    QCOMPARE(list->currentKey(), s.keys.at(4));
    list->setSort(1, true);
    QVERIFY(settled(list));
    QCOMPARE(list->currentKey(), s.keys.at(4));
    // No longer shown: the first row.
    findBox(list)->setText(QStringLiteral("brook"));
    QVERIFY(settled(list));
    QCOMPARE(grid->currentIndex().row(), 0);
}

void TestFindList::findAndSortAreKeptAcrossTheReport_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("Back") << QStringLiteral("back");
    QTest::newRow("update") << QStringLiteral("update");
    QTest::newRow("delete") << QStringLiteral("delete");
    QTest::newRow("delete the last row") << QStringLiteral("delete last");
}

void TestFindList::findAndSortAreKeptAcrossTheReport()
{
    QFETCH(QString, how);
    TestEnvironment env;
    const Seeded s = seed(env);
    Frame f;
    RecordListWindow *list = f.findRecords();
    findBox(list)->setText(QStringLiteral("e"));
    QVERIFY(settled(list));
    list->setSort(1, true);
    QVERIFY(settled(list));
    const QVector<qint64> before = shownKeys(list);
    QCOMPARE(before, expectedSort(s, expectedFind(s, QStringLiteral("e")), 1, true));
    QVERIFY(before.size() >= 4);
    const int row = how == QLatin1String("delete last") ? int(before.size()) - 1 : 1;
    const qint64 chosen = before.at(row);
    QTableView *grid = gridOf(list);
    grid->setCurrentIndex(grid->model()->index(row, 0));
    grid->setFocus();
    QTest::keyClick(grid, Qt::Key_Return);
    RecordViewWindow *view = f.frame.windows().recordView();
    QVERIFY(f.frame.isChildVisible(view));
    QCOMPARE(f.frame.windows().selectedRecord().idNumber, chosen);
    const DowsingRecord &record = s.records.at(int(s.keys.indexOf(chosen)));
    QVERIFY(view->reportBox()->toPlainText().contains(QStringLiteral("Name :- ") + record.Name));

    qint64 current = chosen;
    QVector<qint64> after = before;
    if (how == QLatin1String("back")) {
        view->goBack();
    } else if (how == QLatin1String("update")) {
        view->editRecord();
        EntryWindow *entry = f.frame.windows().entryWindow();
        control<QPlainTextEdit>(entry, "txtNotes")->setPlainText(QStringLiteral("changed"));
        press(entry, "cmdadd");
    } else {
        press(view, "cmddelete");
        after.removeAll(chosen);
        current = row + 1 < before.size() ? before.at(row + 1) : before.at(row - 1);
    }
    list = f.frame.windows().listWindow();
    QVERIFY(f.frame.isChildVisible(list));
    QVERIFY(settled(list));
    QVERIFY(list->isFindBarShown());
    QCOMPARE(findBox(list)->text(), QStringLiteral("e"));
    QCOMPARE(list->request().sortBy, DowsingRecord::FieldId::Name);
    QVERIFY(list->request().descending);
    QHeaderView *header = gridOf(list)->horizontalHeader();
    QVERIFY(header->isSortIndicatorShown());
    QCOMPARE(header->sortIndicatorSection(), 1);
    QCOMPARE(header->sortIndicatorOrder(), Qt::DescendingOrder);
    QCOMPARE(shownKeys(list), after);
    QCOMPARE(list->currentKey(), current);
    QCOMPARE(countText(list),
             QStringLiteral("%1 of %2 records").arg(after.size()).arg(s.keys.size() + after.size()
                                                                       - before.size()));
}

void TestFindList::enterInTheBoxOpensTheFoundRecord()
{
    TestEnvironment env;
    const Seeded s = seed(env);
    Frame f;
    RecordListWindow *list = f.findRecords();
    // Enter pressed at once: the record opens when the search is done.
    QTest::keyClicks(findBox(list), QStringLiteral("stone"));
    QTest::keyClick(findBox(list), Qt::Key_Return);
    QTRY_VERIFY(f.frame.windows().isRecordViewLoaded()
                && f.frame.isChildVisible(f.frame.windows().recordView()));
    QCOMPARE(f.frame.windows().selectedRecord().idNumber, s.keys.at(4));
    QVERIFY(f.frame.windows().recordView()->reportBox()->toPlainText().contains(
            QStringLiteral("Name :- BEN STONE")));
}

void TestFindList::exportFromTheListWritesWhatItShowsInItsOrder()
{
    TestEnvironment env;
    seed(env);
    Frame f;
    RecordListWindow *list = f.findRecords();
    list->setSort(1, true);
    QTest::keyClicks(findBox(list), QStringLiteral("brook"));
    QVERIFY(settled(list));
    env.dialogs.nextSaveName = env.folder() + QStringLiteral("/found.csv");
    list->findChild<QAction *>(QStringLiteral("mnuExportShown"))->trigger();
    QFile csv(env.dialogs.nextSaveName);
    QVERIFY(csv.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = csv.readAll().trimmed().split('\n');
    QCOMPARE(lines.size(), 3);
    QVERIFY(lines.at(1).contains(",ZOE BROOKS,"));
    QVERIFY(lines.at(2).contains(",TOM BROOK,"));
}

QTEST_MAIN(TestFindList)
#include "tst_findlist.moc"
