// The record view window: its layout, the clipboard that never keeps text
// from the report, and its edit and delete commands, including the cases in
// which the database or the record is not what the list showed.

#include "support/TestDatabase.h"
#include "support/WindowDriver.h"

#include "list/RecordListWindow.h"
#include "view/RecordViewWindow.h"

#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QSqlQuery>
#include <QTableView>
#include <QTextEdit>
#include <QtTest>

using namespace Orvane;
using namespace Orvane::Testing;
using Icon = MessageBoxes::Icon;
using Answer = MessageBoxes::Answer;

namespace {

DowsingRecord recordNamed(const QString &name, int day)
{
    DowsingRecord r;
    r.Date = QDate(2011, 6, day);
    r.Name = name;
    r.City = QStringLiteral("YORK");
    r.Time_Dowsing_Occured = QStringLiteral("14:30");
    r.Dowsing_Tool = QStringLiteral("Forked Hazel");
    r.Item_Dowsing_For = QStringLiteral("Treasure");
    r.Notes = QStringLiteral("notes of ") + name;
    return r;
}

QVector<qint64> seed(const TestEnvironment &env, int count)
{
    QList<DowsingRecord> records;
    for (int i = 1; i <= count; ++i)
        records.append(recordNamed(QStringLiteral("CUSTOMER %1").arg(i), i));
    return addRecords(env.databasePath(), records);
}

// The text of a button or line edit of a window; "(missing)" when there is
// no such control.
QString textOf(QWidget *window, const QString &name)
{
    if (auto *button = window->findChild<QPushButton *>(name))
        return button->text();
    if (auto *edit = window->findChild<QLineEdit *>(name))
        return edit->text();
    if (auto *list = window->findChild<QComboBox *>(name))
        return list->currentText();
    return QStringLiteral("(missing)");
}

// A frame with the list open and the report of one row on show.
struct Viewing
{
    FrameWindow frame;
    RecordViewWindow *save = nullptr;

    explicit Viewing(int row)
    {
        frame.resize(1100, 800);
        frame.show();
        frame.loadEntryWindow();
        frame.windows().entryWindow()->showAllRecords();
        RecordListWindow *list = frame.windows().listWindow();
        gridOf(list)->setCurrentIndex(gridOf(list)->model()->index(row, 0));
        list->openCurrentRecord();
        save = frame.windows().recordView();
    }

    QTableView *visibleGrid()
    {
        if (!frame.windows().isListLoaded() || !frame.isChildVisible(frame.windows().listWindow()))
            return nullptr;
        return gridOf(frame.windows().listWindow());
    }
};

} // namespace

class TestRecordView : public QObject
{
    Q_OBJECT

private slots:
    void buttonsInOneRowUnderTheReport();
    void clipboardIsEmptied_data();
    void clipboardIsEmptied();

    void editHandsTheRecordToTheEntryWindow();
    void updateAfterEditShowsTheChangedRecordInItsPlace();
    void editOfARecordThatIsGone_data();
    void editOfARecordThatIsGone();
    void failedEditOrUpdateLeavesOneConsistentMode();
    void updateKeepsStoredValuesTheSelectorsLack_data();
    void updateKeepsStoredValuesTheSelectorsLack();
    void updateKeepsStoredTextsTheBoxesGiveBackOtherwise_data();
    void updateKeepsStoredTextsTheBoxesGiveBackOtherwise();
    void aTextTheFormCannotHoldWholeIsNotPutUpForEditing_data();
    void aTextTheFormCannotHoldWholeIsNotPutUpForEditing();
    void commandWhenTheDatabaseCannotBeOpened_data();
    void commandWhenTheDatabaseCannotBeOpened();

    void deleteTheThirdOfFive();
    void deleteTheOnlyRecord();
    void answeringNoChangesNothing();
    void deleteFindsTheRecordByItsKey();
    void deleteOfARecordAlreadyGone();
    void deleteWhenTheTableIsEmpty();
};

void TestRecordView::buttonsInOneRowUnderTheReport()
{
    TestEnvironment env;
    seed(env, 1);
    Viewing v(0);
    QTextEdit *rtb = v.save->findChild<QTextEdit *>(QStringLiteral("RTB"));
    QVERIFY(rtb);
    QCOMPARE(rtb, v.save->reportBox());
    QVERIFY(rtb->isReadOnly());
    QCOMPARE(rtb->font().family(), QStringLiteral("Verdana"));
    QCOMPARE(rtb->font().pointSizeF(), 9.75);

    const QList<QPair<QString, QString>> expected = {
        {"cmddelete", "&Delete This Dowsing Record"},
        {"cmdedit", "&Edit This Dowsing Record"},
        {"cmdSave", "&Save"},
        {"cmdPrint", "&Print"},
        {"cmdBack", "&Back"},
    };
    QPushButton *previous = nullptr;
    for (const auto &[name, caption] : expected) {
        auto *button = v.save->findChild<QPushButton *>(name);
        QVERIFY2(button, qPrintable(name));
        QCOMPARE(button->text(), caption);
        QVERIFY(button->isVisible());
        QVERIFY(button->geometry().top() >= rtb->geometry().bottom());
        if (previous) {
            QCOMPARE(button->size(), previous->size());
            QCOMPARE(button->y(), previous->y());
            QVERIFY(button->x() > previous->geometry().right());
        }
        previous = button;
    }
    // The whole caption of the widest button is readable.
    auto *del = v.save->findChild<QPushButton *>(QStringLiteral("cmddelete"));
    QVERIFY(del->width() >= del->fontMetrics().horizontalAdvance(QStringLiteral("Delete This Dowsing Record")));
}

void TestRecordView::clipboardIsEmptied_data()
{
    QTest::addColumn<int>("what");
    QTest::newRow("new report") << 0;
    QTest::newRow("mouse press") << 1;
    QTest::newRow("mouse move") << 2;
    QTest::newRow("mouse release") << 3;
    QTest::newRow("double click") << 4;
}

void TestRecordView::clipboardIsEmptied()
{
    QFETCH(int, what);
    TestEnvironment env;
    seed(env, 2);
    Viewing v(0);
    QWidget *over = v.save->reportBox()->viewport();
    QClipboard *clipboard = QGuiApplication::clipboard();
    clipboard->setText(QStringLiteral("copied from the report"));
    QCOMPARE(clipboard->text(), QStringLiteral("copied from the report"));

    switch (what) {
    case 0:
        v.save->goBack();
        gridOf(v.frame.windows().listWindow())->setCurrentIndex(
                gridOf(v.frame.windows().listWindow())->model()->index(1, 0));
        v.frame.windows().listWindow()->openCurrentRecord();
        break;
    case 1: QTest::mousePress(over, Qt::LeftButton, {}, QPoint(30, 30)); break;
    case 2: {
        // A move with no button held, as the pointer passes over the box.
        QMouseEvent move(QEvent::MouseMove, QPointF(40, 40), over->mapToGlobal(QPointF(40, 40)),
                         Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(over, &move);
        break;
    }
    case 3: QTest::mouseRelease(over, Qt::LeftButton, {}, QPoint(30, 30)); break;
    case 4: QTest::mouseDClick(over, Qt::LeftButton, {}, QPoint(30, 30)); break;
    }
    QVERIFY(clipboard->text().isEmpty());
    QVERIFY(env.messages.shown.isEmpty());
}

void TestRecordView::editHandsTheRecordToTheEntryWindow()
{
    TestEnvironment env;
    const QVector<qint64> keys = seed(env, 3);
    Viewing v(1);
    press(v.save, "cmdedit");

    QVERIFY(env.messages.shown.isEmpty());
    EntryWindow *entry = v.frame.windows().entryWindow();
    QVERIFY(v.frame.isChildVisible(entry));
    QVERIFY(!v.frame.isChildVisible(v.save));
    QCOMPARE(textOf(entry, QStringLiteral("txtName")), QStringLiteral("CUSTOMER 2"));
    QCOMPARE(textOf(entry, QStringLiteral("cmbDowsingTool")), QStringLiteral("Forked Hazel"));
    QCOMPARE(textOf(entry, QStringLiteral("cmbMonth")), QStringLiteral("June"));
    QCOMPARE(textOf(entry, QStringLiteral("cmbDate")), QStringLiteral("2"));
    QCOMPARE(textOf(entry, QStringLiteral("cmbHour")), QStringLiteral("14"));
    QCOMPARE(textOf(entry, QStringLiteral("cmbMinute")), QStringLiteral("30"));
    QCOMPARE(textOf(entry, QStringLiteral("cmbAMPM")), QStringLiteral("PM"));
    QCOMPARE(textOf(entry, QStringLiteral("cmdadd")), QStringLiteral("&Update"));
    auto *addNew = entry->findChild<QPushButton *>(QStringLiteral("cmAddNewRecord"));
    QVERIFY(addNew);
    QVERIFY(!addNew->isVisible());
    QCOMPARE(keysIn(env.databasePath()), keys); // nothing written
}

void TestRecordView::updateAfterEditShowsTheChangedRecordInItsPlace()
{
    TestEnvironment env;
    const QVector<qint64> keys = seed(env, 3);
    Viewing v(1);
    v.save->editRecord();
    EntryWindow *entry = v.frame.windows().entryWindow();
    auto *name = entry->findChild<QLineEdit *>(QStringLiteral("txtName"));
    auto *add = entry->findChild<QPushButton *>(QStringLiteral("cmdadd"));
    QVERIFY(name && add);
    name->setText(QStringLiteral("RENAMED"));
    add->click();

    QCOMPARE(env.messages.texts(), QStringList{"Record Edited Succesfully !"});
    QCOMPARE(keysIn(env.databasePath()), keys);
    QTableView *grid = v.visibleGrid();
    QVERIFY(grid);
    QCOMPARE(grid->model()->rowCount(), 3);
    QCOMPARE(grid->model()->index(1, 1).data().toString(), QStringLiteral("RENAMED"));
    QCOMPARE(grid->model()->index(0, 1).data().toString(), QStringLiteral("CUSTOMER 1"));
    // The updated record stays current.
    QCOMPARE(grid->currentIndex().row(), 1);
}

void TestRecordView::editOfARecordThatIsGone_data()
{
    QTest::addColumn<bool>("tableEmptied");
    QTest::addColumn<QString>("message");
    QTest::newRow("table emptied") << true << QStringLiteral("There Is No Record to Edit");
    QTest::newRow("record removed") << false
                                    << QStringLiteral("Sorry The Given Record Is Not Found");
}

void TestRecordView::editOfARecordThatIsGone()
{
    QFETCH(bool, tableEmptied);
    QFETCH(QString, message);
    TestEnvironment env;
    const QVector<qint64> keys = seed(env, 3);
    Viewing v(1);
    // Another program changes the table while the report is on show.
    for (qint64 key : keys) {
        if (tableEmptied || key == keys.at(1))
            QVERIFY(removeRecord(env.databasePath(), key));
    }

    v.save->editRecord();
    QCOMPARE(env.messages.texts(), QStringList{message});
    QCOMPARE(env.messages.shown.first().icon, Icon::None);
    EntryWindow *entry = v.frame.windows().entryWindow();
    QVERIFY(v.frame.isChildVisible(entry));
    QVERIFY(!v.frame.isChildVisible(v.save));
    // No update mode for a record that is not there, and the way to a new
    // record stays open.
    QCOMPARE(textOf(entry, QStringLiteral("cmdadd")), QStringLiteral("&Add"));
    QVERIFY(!entry->findChild<QWidget *>(QStringLiteral("cmAddNewRecord"))->isHidden());
}

void TestRecordView::failedEditOrUpdateLeavesOneConsistentMode()
{
    TestEnvironment env;
    const QVector<qint64> keys = seed(env, 3);
    Viewing v(0);
    v.save->editRecord();
    EntryWindow *entry = v.frame.windows().entryWindow();
    auto addNew = [entry] {
        return !entry->findChild<QWidget *>(QStringLiteral("cmAddNewRecord"))->isHidden()
                && entry->findChild<QAction *>(QStringLiteral("mnuAddNewRecor"))->isVisible();
    };
    // While the first record is edited, another is chosen and removed
    // elsewhere before its edit.
    entry->showAllRecords();
    RecordListWindow *list = v.frame.windows().listWindow();
    gridOf(list)->setCurrentIndex(gridOf(list)->model()->index(1, 0));
    list->openCurrentRecord();
    QVERIFY(removeRecord(env.databasePath(), keys.at(1)));
    v.save->editRecord();
    QCOMPARE(env.messages.texts(), QStringList{"Sorry The Given Record Is Not Found"});
    QCOMPARE(entry->updateIdNumber(), std::optional<qint64>(keys.at(0)));
    QCOMPARE(textOf(entry, QStringLiteral("txtName")), QStringLiteral("CUSTOMER 1"));
    QVERIFY(!addNew());

    // The edited record goes too: the update is refused and the form, as
    // entered, goes back to add mode, from which it is saved as new.
    QVERIFY(removeRecord(env.databasePath(), keys.at(0)));
    env.messages.clear();
    entry->findChild<QLineEdit *>(QStringLiteral("txtName"))->setText(QStringLiteral("RENAMED"));
    entry->findChild<QPushButton *>(QStringLiteral("cmdadd"))->click();
    QCOMPARE(env.messages.shown.size(), 1);
    QVERIFY(env.messages.shown.first().text.startsWith(QStringLiteral("Record Not Saved !\r")));
    QCOMPARE(textOf(entry, QStringLiteral("cmdadd")), QStringLiteral("&Add"));
    QVERIFY(addNew());
    env.messages.clear();
    entry->findChild<QPushButton *>(QStringLiteral("cmdadd"))->click();
    QCOMPARE(env.messages.texts(), QStringList{"Record Saved Succesfully !"});
    const QList<DowsingRecord> stored = storedRecords(env.databasePath());
    QCOMPARE(stored.size(), 2);
    QCOMPARE(stored.at(0).Name, QStringLiteral("CUSTOMER 3"));
    QCOMPARE(stored.at(1).Name, QStringLiteral("RENAMED"));
}

void TestRecordView::updateKeepsStoredValuesTheSelectorsLack_data()
{
    QTest::addColumn<QString>("date");
    QTest::addColumn<QString>("time");
    QTest::addColumn<QString>("year");
    QTest::newRow("year before the list") << "1850-06-15" << "09:05" << "1850";
    QTest::newRow("year after the list") << "2099-12-31" << "23:59" << "2099";
    QTest::newRow("time beyond the lists") << "2009-03-07" << "25:99" << "2009";
    QTest::newRow("time in another form") << "2009-03-07" << "9:5" << "2009";
    // Dates another program stored, which the selectors cannot show: they
    // stay on their first entries.
    QTest::newRow("a year before the calendar") << "-0001-01-01" << "09:05" << "1900";
    QTest::newRow("a day no month has") << "2009-02-31" << "09:05" << "1900";
    QTest::newRow("a time of day after the date") << "2009-03-07 10:00" << "09:05" << "1900";
}

// What the user leaves alone in the form is written back byte for byte,
// whatever the selectors could show of it.
void TestRecordView::updateKeepsStoredValuesTheSelectorsLack()
{
    QFETCH(QString, date);
    QFETCH(QString, time);
    QFETCH(QString, year);
    TestEnvironment env;
    QVERIFY(storeWithDateText(env.databasePath(), QStringLiteral("OLD"), date));
    QVERIFY(runSql(env.databasePath(),
                   {QStringLiteral("UPDATE Details SET Time_Dowsing_Occured = '%1'").arg(time)}));
    Viewing v(0);
    v.save->editRecord();
    EntryWindow *entry = v.frame.windows().entryWindow();
    QCOMPARE(textOf(entry, QStringLiteral("cmbYear")), year);

    entry->findChild<QPlainTextEdit *>(QStringLiteral("txtNotes"))
            ->setPlainText(QStringLiteral("only the notes change"));
    entry->findChild<QPushButton *>(QStringLiteral("cmdadd"))->click();
    QCOMPARE(env.messages.texts(), QStringList{"Record Edited Succesfully !"});
    RawDatabase raw(env.databasePath());
    QSqlQuery stored(raw.db());
    QVERIFY(stored.exec(QStringLiteral("SELECT Date, typeof(Date), Time_Dowsing_Occured, Notes "
                                       "FROM Details")));
    QVERIFY(stored.next());
    QCOMPARE(stored.value(0).toString(), date);
    QCOMPARE(stored.value(1).toString(), QStringLiteral("text"));
    QCOMPARE(stored.value(2).toString(), time);
    QCOMPARE(stored.value(3).toString(), QStringLiteral("only the notes change"));
    stored.finish();
    // The entries offered for this edit are gone with it.
    QCOMPARE(textOf(entry, QStringLiteral("cmbYear")), QStringLiteral("1900"));
    QCOMPARE(entry->findChild<QComboBox *>(QStringLiteral("cmbHour"))->count(), 25);
}

void TestRecordView::updateKeepsStoredTextsTheBoxesGiveBackOtherwise_data()
{
    QTest::addColumn<QString>("column");
    QTest::addColumn<QString>("stored");
    QTest::newRow("address, CR LF") << "Address" << "'1 MILL LANE' || char(13, 10) || 'YORK'";
    QTest::newRow("address, a lone CR") << "Address" << "'1 MILL LANE' || char(13) || 'YORK'";
    QTest::newRow("notes, CR LF") << "Notes" << "'seen' || char(13, 10, 13, 10) || 'again'";
    QTest::newRow("notes, a line separator") << "Notes" << "'seen' || char(8232) || 'again'";
    QTest::newRow("name, a zero character") << "Name" << "'ANN' || char(0) || 'E'";
    QTest::newRow("city, a tab") << "City" << "'YORK' || char(9)";
    QTest::newRow("location, a control character") << "Location_Dowsing_Occured"
                                                   << "'GARDEN' || char(27) || '[0m'";
}

// Another program stored a text the form's boxes hold in a form of their
// own; an update that leaves the box alone writes the stored bytes back.
void TestRecordView::updateKeepsStoredTextsTheBoxesGiveBackOtherwise()
{
    QFETCH(QString, column);
    QFETCH(QString, stored);
    TestEnvironment env;
    seed(env, 1);
    const QString notes = column == QLatin1String("Notes") ? QStringLiteral("Address")
                                                            : QStringLiteral("Notes");
    QVERIFY(runSql(env.databasePath(),
                   {QStringLiteral("UPDATE Details SET %1 = %2").arg(column, stored)}));
    const auto bytes = [&](const QString &of) {
        RawDatabase raw(env.databasePath());
        QSqlQuery query(raw.db());
        query.exec(QStringLiteral("SELECT hex(%1) FROM Details").arg(of));
        return query.next() ? query.value(0).toString() : QString();
    };
    const QString before = bytes(column);
    QVERIFY(!before.isEmpty());
    Viewing v(0);
    v.save->editRecord();
    EntryWindow *entry = v.frame.windows().entryWindow();
    QVERIFY(entry->isUpdateMode());
    entry->findChild<QPlainTextEdit *>(QStringLiteral("txt") + notes)
            ->setPlainText(QStringLiteral("only this changes"));
    entry->findChild<QPushButton *>(QStringLiteral("cmdadd"))->click();
    QCOMPARE(env.messages.texts(), QStringList{"Record Edited Succesfully !"});
    QCOMPARE(bytes(column), before);
    QCOMPARE(bytes(notes), QString::fromLatin1(QByteArray("only this changes").toHex().toUpper()));
}

void TestRecordView::aTextTheFormCannotHoldWholeIsNotPutUpForEditing_data()
{
    QTest::addColumn<QString>("notes");
    QTest::addColumn<QString>("refusal");
    const QString words = QStringLiteral("water at three metres, ").repeated(13044);
    const QString letters = QStringLiteral("abcdefghijklmnopqrstuvwxyz").repeated(2000);
    QTest::newRow("300,000 characters of words")
            << words.left(300000)
            << "The Notes of this record hold 300,000 characters, more than the entry form can "
               "show (100,000).\rSo the record is not put up for editing, which would cut them. "
               "The report shows their start; Save and Print give them whole.";
    QTest::newRow("a run of 20,000 letters")
            << letters.left(20000)
            << "The Notes of this record hold a line of more than 10,000 characters without a "
               "space or other place to break it, more than the entry form can show.\rSo the "
               "record is not put up for editing, which would cut them. The report shows their "
               "start; Save and Print give them whole.";
    QTest::newRow("100,000 characters of words") << words.left(100000) << QString();
    QTest::newRow("a run of 10,000 letters") << letters.left(10000) << QString();
}

// The entry form lays its text out as the report does: a text the report
// shows only in part, the form could hold only cut, and an update would
// write the cut text back. Such a record is not put up for editing; any
// other is, whole, and an update that leaves its notes alone keeps them.
void TestRecordView::aTextTheFormCannotHoldWholeIsNotPutUpForEditing()
{
    QFETCH(QString, notes);
    QFETCH(QString, refusal);
    TestEnvironment env;
    DowsingRecord r = recordNamed(QStringLiteral("LONG NOTES"), 1);
    r.Notes = notes;
    addRecords(env.databasePath(), {r});
    Viewing v(0);
    v.save->editRecord();
    EntryWindow *entry = v.frame.windows().entryWindow();
    if (!refusal.isEmpty()) {
        QCOMPARE(env.messages.texts(), QStringList{refusal});
        QVERIFY(!entry->isUpdateMode());
        QVERIFY(v.frame.isChildVisible(v.save));
        return;
    }
    QVERIFY(env.messages.shown.isEmpty());
    QVERIFY(entry->isUpdateMode());
    QCOMPARE(entry->findChild<QPlainTextEdit *>(QStringLiteral("txtNotes"))->toPlainText(), notes);
    entry->findChild<QLineEdit *>(QStringLiteral("txtName"))->setText(QStringLiteral("RENAMED"));
    entry->findChild<QPushButton *>(QStringLiteral("cmdadd"))->click();
    QCOMPARE(env.messages.texts(), QStringList{"Record Edited Succesfully !"});
    const DowsingRecord stored = storedRecords(env.databasePath()).constFirst();
    QCOMPARE(stored.Name, QStringLiteral("RENAMED"));
    QCOMPARE(stored.Notes, notes);
}

void TestRecordView::commandWhenTheDatabaseCannotBeOpened_data()
{
    QTest::addColumn<bool>("edit");
    QTest::newRow("edit") << true;
    QTest::newRow("delete") << false;
}

void TestRecordView::commandWhenTheDatabaseCannotBeOpened()
{
    QFETCH(bool, edit);
    TestEnvironment env;
    seed(env, 2);
    Viewing v(0);
    QVERIFY(spoilDatabase(env.databasePath()));

    if (edit)
        v.save->editRecord();
    else
        v.save->deleteRecord();
    QCOMPARE(env.messages.shown.size(), 1);
    QCOMPARE(env.messages.shown.first().icon, Icon::Critical);
    const QString heading = QStringLiteral("The Dowsing Records Could Not Be Opened\r");
    QVERIFY(env.messages.shown.first().text.startsWith(heading));
    QVERIFY(env.messages.shown.first().text.size() > heading.size());
    // The report stays on show; the entry window is left as it was.
    QVERIFY(v.frame.isChildVisible(v.save));
    QVERIFY(!v.frame.isChildVisible(v.frame.windows().entryWindow()));
    QCOMPARE(textOf(v.frame.windows().entryWindow(), QStringLiteral("cmdadd")), QStringLiteral("&Add"));
}

void TestRecordView::deleteTheThirdOfFive()
{
    TestEnvironment env;
    const QVector<qint64> keys = seed(env, 5);
    Viewing v(2);
    QCOMPARE(v.frame.windows().selectedRecord().idNumber, keys.at(2));
    press(v.save, "cmddelete");

    QCOMPARE(env.messages.texts(),
             QStringList({"Do You Really Want To Delete This Record ?",
                          "Record Deleted Succesfully !"}));
    QCOMPARE(env.messages.shown.at(0).icon, Icon::None);
    QCOMPARE(env.messages.shown.at(0).buttons, MessageBoxes::Buttons::YesNo);
    QCOMPARE(env.messages.shown.at(1).icon, Icon::Information);
    QCOMPARE(keysIn(env.databasePath()), QVector<qint64>({keys[0], keys[1], keys[3], keys[4]}));

    QVERIFY(!v.frame.isChildVisible(v.save));
    QVERIFY(!v.frame.isChildVisible(v.frame.windows().entryWindow()));
    QTableView *grid = v.visibleGrid();
    QVERIFY(grid);
    QCOMPARE(grid->model()->rowCount(), 4);
    const QStringList names = {"CUSTOMER 1", "CUSTOMER 2", "CUSTOMER 4", "CUSTOMER 5"};
    for (int row = 0; row < 4; ++row)
        QCOMPARE(grid->model()->index(row, 1).data().toString(), names.at(row));
    // The record that followed the deleted one is current.
    QCOMPARE(grid->currentIndex().row(), 2);
}

void TestRecordView::deleteTheOnlyRecord()
{
    TestEnvironment env;
    seed(env, 1);
    Viewing v(0);
    v.save->deleteRecord();
    QCOMPARE(env.messages.texts(),
             QStringList({"Do You Really Want To Delete This Record ?",
                          "Record Deleted Succesfully !", "There Is No Record !"}));
    QVERIFY(keysIn(env.databasePath()).isEmpty());
    QTableView *grid = v.visibleGrid();
    QVERIFY(grid);
    QVERIFY(!grid->isEnabled());
}

void TestRecordView::answeringNoChangesNothing()
{
    TestEnvironment env;
    const QVector<qint64> keys = seed(env, 3);
    Viewing v(1);
    QPointer<RecordListWindow> list = v.frame.windows().listWindow();
    const QString report = v.save->reportBox()->toPlainText();
    env.messages.answers.enqueue(Answer::No);

    v.save->deleteRecord();
    QCOMPARE(env.messages.texts(), QStringList{"Do You Really Want To Delete This Record ?"});
    QCOMPARE(keysIn(env.databasePath()), keys);
    QVERIFY(v.frame.isChildVisible(v.save));
    QCOMPARE(v.save->reportBox()->toPlainText(), report);
    QVERIFY(!list.isNull());
    QVERIFY(!v.frame.isChildVisible(list));
    QCOMPARE(v.frame.windows().selectedRecord().idNumber, keys.at(1));
}

void TestRecordView::deleteFindsTheRecordByItsKey()
{
    TestEnvironment env;
    const QVector<qint64> keys = seed(env, 5);
    Viewing v(2);
    // The first record goes meanwhile: the chosen one is now second.
    QVERIFY(removeRecord(env.databasePath(), keys.at(0)));
    v.save->deleteRecord();
    QCOMPARE(env.messages.shown.last().text, QStringLiteral("Record Deleted Succesfully !"));
    QCOMPARE(keysIn(env.databasePath()), QVector<qint64>({keys[1], keys[3], keys[4]}));
}

void TestRecordView::deleteOfARecordAlreadyGone()
{
    TestEnvironment env;
    const QVector<qint64> keys = seed(env, 3);
    Viewing v(1);
    QVERIFY(removeRecord(env.databasePath(), keys.at(1)));

    v.save->deleteRecord();
    QCOMPARE(env.messages.shown.size(), 2);
    QVERIFY(env.messages.shown.at(1).text.startsWith(
            QStringLiteral("This Record Is No Longer In The File")));
    QVERIFY(!env.messages.texts().contains(QStringLiteral("Record Deleted Succesfully !")));
    QCOMPARE(keysIn(env.databasePath()), QVector<qint64>({keys[0], keys[2]}));
    // The list shows the table as it now stands.
    QTableView *grid = v.visibleGrid();
    QVERIFY(grid);
    QCOMPARE(grid->model()->rowCount(), 2);
}

void TestRecordView::deleteWhenTheTableIsEmpty()
{
    TestEnvironment env;
    const QVector<qint64> keys = seed(env, 1);
    Viewing v(0);
    QVERIFY(removeRecord(env.databasePath(), keys.at(0)));
    v.save->deleteRecord();
    QCOMPARE(env.messages.texts(),
             QStringList({"There Is No Record to Delete", "There Is No Record !"}));
    QCOMPARE(env.messages.shown.first().icon, Icon::None);
    QVERIFY(!v.frame.isChildVisible(v.save));
    QVERIFY(v.visibleGrid());
}

QTEST_MAIN(TestRecordView)
#include "tst_recordview.moc"
