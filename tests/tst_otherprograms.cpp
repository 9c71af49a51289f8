// What other programs do to the record file while the program has it open:
// a sync client renames another copy of the file over it, another tool
// changes or removes a record, or keeps the file in write-ahead-log mode with
// a reader open. No record the user was not shown is ever changed, and no
// saved record is called unsaved.

#include "support/FakePlatform.h"
#include "support/ProgramWindows.h"
#include "support/TestDatabase.h"
#include "support/TestFiles.h"
#include "support/WindowDriver.h"

#include "app/FindIndexUpgrade.h"
#include "app/FrameWindow.h"
#include "app/WindowCoordinator.h"
#include "list/RecordListModel.h"
#include "list/RecordListWindow.h"
#include "store/RecordDifference.h"
#include "store/RecordFinder.h"
#include "store/RecordStore.h"
#include "view/RecordViewWindow.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QSqlQuery>
#include <QTableView>
#include <QTextEdit>
#include <QtTest>

#include <array>
#include <cstdio>

using namespace Orvane;
using namespace Orvane::Testing;
using Answer = MessageBoxes::Answer;

namespace {

// What another program does to the record with the key.
void meddle(const QString &path, const QString &how, qint64 key)
{
    const QString id = QString::number(key);
    if (how == QLatin1String("changed by another tool")) {
        QVERIFY(runSql(path, {QStringLiteral("UPDATE Details SET City = 'LEEDS', "
                                             "Notes = 'changed elsewhere' WHERE IdNumber = ")
                              + id}));
    } else if (how == QLatin1String("removed by another tool")) {
        QVERIFY(runSql(path, {QStringLiteral("DELETE FROM Details WHERE IdNumber = ") + id}));
    } else if (how == QLatin1String("another copy renamed over")) {
        // Another machine's copy, in which the key names someone else, put
        // in place as sync clients do: by a rename over the file.
        const QString incoming = path + QStringLiteral(".incoming");
        QVERIFY(QFile::copy(path, incoming));
        QVERIFY(runSql(incoming, {QStringLiteral("UPDATE Details SET Name = 'ZED OTHER MACHINE' "
                                                 "WHERE IdNumber = ")
                                  + id}));
        QCOMPARE(std::rename(QFile::encodeName(incoming).constData(),
                             QFile::encodeName(path).constData()),
                 0);
    } else {
        QCOMPARE(how, QStringLiteral("nothing"));
    }
}

// A record's thirteen stored fields by column, as the test writes them.
using StoredFields = QList<QPair<QString, QString>>;

StoredFields plainFields()
{
    return {{"Date", "2009-03-07"},    {"Name", "ALICE AAA"},      {"Address", "1 HIGH STREET"},
            {"City", "YORK"},          {"State", "NORTH"},         {"Pin", "YO1"},
            {"Phone_No", "0123.456"},  {"Email", "a@example.org"}, {"Time_Dowsing_Occured", "09:05"},
            {"Dowsing_Tool", "Rods"},  {"Item_Dowsing_For", "water"},
            {"Location_Dowsing_Occured", "GARDEN"}, {"Notes", "as first written"}};
}

QString sqlText(const QString &text)
{
    return QLatin1Char('\'') + QString(text).replace(QLatin1Char('\''), QStringLiteral("''"))
            + QLatin1Char('\'');
}

// The stored texts of the record with the key, read by the test's own SQL.
QStringList storedTexts(const QString &path, qint64 key)
{
    RawDatabase raw(path);
    QSqlQuery query(raw.db());
    QStringList columns;
    for (const auto &field : plainFields())
        columns.append(field.first);
    QStringList texts;
    if (query.exec(QStringLiteral("SELECT %1 FROM Details WHERE IdNumber = %2")
                           .arg(columns.join(QLatin1Char(',')))
                           .arg(key))
        && query.next()) {
        for (int i = 0; i < columns.size(); ++i)
            texts.append(query.value(i).toString());
    }
    return texts;
}

QStringList textsOf(const StoredFields &fields)
{
    QStringList texts;
    for (const auto &field : fields)
        texts.append(field.second);
    return texts;
}

} // namespace

class TestOtherPrograms : public QObject
{
    Q_OBJECT

private slots:
    void aChangeGoesAheadOnlyOnTheRecordShown_data();
    void aChangeGoesAheadOnlyOnTheRecordShown();
    void anotherProgramsChangeToAnyFieldIsSeen_data();
    void anotherProgramsChangeToAnyFieldIsSeen();
    void theReportsCommandsSeeTheRecordAsItIsNow_data();
    void theReportsCommandsSeeTheRecordAsItIsNow();
    void anUpdateAsksBeforeWritingOverAnotherProgramsChange_data();
    void anUpdateAsksBeforeWritingOverAnotherProgramsChange();
    void aCommittedRecordIsNeverCalledUnsaved();
    void theListCountsAgainstTheTableItFoundIn();
    void aRowAnotherProgramRemovedSaysSo();
    void anIndexThatDoesNotFitIsBuiltAnew();
    void aDamagedIndexIsBuiltAnewOnlyAfterACopyIsKept_data();
    void aDamagedIndexIsBuiltAnewOnlyAfterACopyIsKept();
};

void TestOtherPrograms::aChangeGoesAheadOnlyOnTheRecordShown_data()
{
    QTest::addColumn<QString>("meddling");
    QTest::addColumn<bool>("remove");
    QTest::addColumn<RecordStore::ChangeResult>("expected");
    using R = RecordStore::ChangeResult;
    const QList<QPair<QString, R>> cases = {
            {QStringLiteral("nothing"), R::Done},
            {QStringLiteral("changed by another tool"), R::ChangedElsewhere},
            {QStringLiteral("another copy renamed over"), R::ChangedElsewhere},
            {QStringLiteral("removed by another tool"), R::Gone},
    };
    for (const auto &[meddling, expected] : cases) {
        QTest::newRow(qPrintable(QStringLiteral("update, ") + meddling))
                << meddling << false << expected;
        QTest::newRow(qPrintable(QStringLiteral("remove, ") + meddling))
                << meddling << true << expected;
    }
}

void TestOtherPrograms::aChangeGoesAheadOnlyOnTheRecordShown()
{
    QFETCH(QString, meddling);
    QFETCH(bool, remove);
    QFETCH(RecordStore::ChangeResult, expected);
    TestEnvironment env;
    const QString path = env.databasePath();
    const QVector<qint64> keys =
            addRecords(path, {customerRecord(QStringLiteral("ALICE AAA"), 1),
                              customerRecord(QStringLiteral("BOB BBB"), 2),
                              customerRecord(QStringLiteral("CAROL CCC"), 3)});
    RecordStore store;
    QCOMPARE(store.open(path), RecordStore::OpenResult::Opened);
    const DowsingRecord shown = *store.find(keys.at(1));

    meddle(path, meddling, keys.at(1));
    const QList<DowsingRecord> meddled = storedRecords(path);
    DowsingRecord changed = shown;
    changed.Notes = QStringLiteral("the user's change");
    const RecordStore::ChangeResult result =
            remove ? store.remove(shown, QDateTime(QDate(2026, 12, 8), QTime(10, 0))) : store.update(shown, changed);

    QCOMPARE(result, expected);
    const QList<DowsingRecord> after = storedRecords(path);
    if (expected != RecordStore::ChangeResult::Done) {
        QCOMPARE(after, meddled);
        QVERIFY(!store.errorText().isEmpty());
    } else if (remove) {
        QCOMPARE(after.size(), 2);
        QVERIFY(!after.contains(shown));
    } else {
        QCOMPARE(after.at(1), changed);
    }
    // What the record holds now, to show the user.
    QCOMPARE(store.storedNow().has_value(),
             expected == RecordStore::ChangeResult::ChangedElsewhere);
    if (store.storedNow())
        QCOMPARE(*store.storedNow(), meddled.at(1));
}

void TestOtherPrograms::anotherProgramsChangeToAnyFieldIsSeen_data()
{
    QTest::addColumn<QString>("column");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("written");
    QTest::addColumn<bool>("remove");
    const QList<std::array<const char *, 4>> changes = {
            {"a calendar date", "Date", "2009-03-07", "2009-03-08"},
            {"a time of day after the date", "Date", "2009-03-07", "2009-03-07 10:00"},
            {"two dates before the calendar", "Date", "-0001-01-01", "-0002-01-01"},
            {"a day no month has", "Date", "2009-02-30", "2009-02-31"},
            {"name", "Name", "ALICE AAA", "ALICE AAB"},
            {"address", "Address", "1 HIGH STREET", "1 HIGH STREET\nBACK DOOR"},
            {"city", "City", "YORK", "york"},
            {"state", "State", "NORTH", "NORTH "},
            {"pin", "Pin", "YO1", "YO2"},
            {"phone number", "Phone_No", "0123.456", "0123.457"},
            {"email", "Email", "a@example.org", "b@example.org"},
            {"time", "Time_Dowsing_Occured", "09:05", "9:05"},
            {"tool", "Dowsing_Tool", "Rods", "Branch"},
            {"item", "Item_Dowsing_For", "water", "Water"},
            {"location", "Location_Dowsing_Occured", "GARDEN", ""},
            {"notes", "Notes", "as first written", "as first written."},
    };
    for (const auto &[what, column, shown, written] : changes) {
        for (const bool remove : {false, true}) {
            QTest::addRow("%s, %s", remove ? "delete" : "update", what)
                    << QString::fromUtf8(column) << QString::fromUtf8(shown)
                    << QString::fromUtf8(written) << remove;
        }
    }
}

// Another program changes one field of the record shown, by SQL of its own
// (a date too, to any text: it may bypass the table's check); the update or
// delete of what was shown then writes nothing. What is stored is read with
// the test's own SQL and compared with the texts the test wrote.
void TestOtherPrograms::anotherProgramsChangeToAnyFieldIsSeen()
{
    QFETCH(QString, column);
    QFETCH(QString, shown);
    QFETCH(QString, written);
    QFETCH(bool, remove);
    TestEnvironment env;
    const QString path = env.databasePath();
    StoredFields fields = plainFields();
    QStringList columns, values;
    for (auto &field : fields) {
        if (field.first == column)
            field.second = shown;
        columns.append(field.first);
        values.append(sqlText(field.second));
    }
    QVERIFY(runSql(path, {QStringLiteral("PRAGMA ignore_check_constraints = ON"),
                          QStringLiteral("INSERT INTO Details (%1) VALUES (%2)")
                                  .arg(columns.join(QLatin1Char(',')), values.join(QLatin1Char(',')))}));
    const qint64 key = keysIn(path).constFirst();
    RecordStore store;
    QCOMPARE(store.open(path), RecordStore::OpenResult::Opened);
    const std::optional<DowsingRecord> before = store.find(key);
    QVERIFY(before.has_value());

    QVERIFY(runSql(path, {QStringLiteral("PRAGMA ignore_check_constraints = ON"),
                          QStringLiteral("UPDATE Details SET %1 = %2 WHERE IdNumber = %3")
                                  .arg(column, sqlText(written))
                                  .arg(key)}));
    for (auto &field : fields) {
        if (field.first == column)
            field.second = written;
    }
    DowsingRecord changed = *before;
    changed.Name = QStringLiteral("THE USER'S CHANGE");
    const RecordStore::ChangeResult result =
            remove ? store.remove(*before, QDateTime(QDate(2026, 12, 8), QTime(10, 0)))
                   : store.update(*before, changed);

    QCOMPARE(result, RecordStore::ChangeResult::ChangedElsewhere);
    QCOMPARE(storedTexts(path, key), textsOf(fields));
    QVERIFY(store.storedNow().has_value());
    // Shown again as it is now, the date as stored.
    QCOMPARE(store.storedNow()->Date.storedText(), fields.constFirst().second);
}

void TestOtherPrograms::theReportsCommandsSeeTheRecordAsItIsNow_data()
{
    QTest::addColumn<QByteArray>("command");
    QTest::newRow("delete") << QByteArray("cmddelete");
    QTest::newRow("edit") << QByteArray("cmdedit");
}

// The report came from the list's connection to the file as it was; a copy
// renamed over it since holds someone else under the same key.
void TestOtherPrograms::theReportsCommandsSeeTheRecordAsItIsNow()
{
    QFETCH(QByteArray, command);
    ProgramWindows w(3);
    QVERIFY(w.enter(QStringLiteral("record view")));
    const QString path = w.env.databasePath();
    RecordViewWindow *view = w.frame().windows().recordView();
    QVERIFY(view->reportBox()->toPlainText().contains(QLatin1String("CUSTOMER 2")));
    meddle(path, QStringLiteral("another copy renamed over"), 2);
    const QList<DowsingRecord> meddled = storedRecords(path);
    w.env.messages.clear();

    press(view, command.constData());

    QCOMPARE(storedRecords(path), meddled);
    const QString told = w.env.messages.shown.constLast().text;
    QVERIFY2(told.startsWith(RecordDifference::changedHeading())
                     && told.contains(QLatin1String("ZED OTHER MACHINE")),
             qPrintable(told));
    QVERIFY(!w.entry()->isUpdateMode());
    QVERIFY(w.frame().isChildVisible(view));
    QVERIFY(view->reportBox()->toPlainText().contains(QLatin1String("ZED OTHER MACHINE")));

    // The list, read before, is read afresh from the file there now.
    press(view, "cmdBack");
    RecordListWindow *list = w.frame().windows().listWindow();
    QTableView *grid = gridOf(list);
    QCOMPARE(grid->model()->index(1, 1).data().toString(), QStringLiteral("ZED OTHER MACHINE"));
    QCOMPARE(grid->currentIndex().row(), 1);

    // Asked again, the command acts on the record as now shown.
    w.env.messages.clear();
    list->openCurrentRecord();
    press(view, command.constData());
    if (command == "cmddelete") {
        QCOMPARE(storedRecords(path).size(), 2);
        QVERIFY(w.env.messages.texts().contains(QStringLiteral("Record Deleted Succesfully !")));
    } else {
        QVERIFY(w.entry()->isUpdateMode());
        QCOMPARE(control<QLineEdit>(w.entry(), "txtName")->text(),
                 QStringLiteral("ZED OTHER MACHINE"));
    }
}

void TestOtherPrograms::anUpdateAsksBeforeWritingOverAnotherProgramsChange_data()
{
    QTest::addColumn<Answer>("answer");
    QTest::newRow("written into it") << Answer::Yes;
    QTest::newRow("not written") << Answer::No;
}

void TestOtherPrograms::anUpdateAsksBeforeWritingOverAnotherProgramsChange()
{
    QFETCH(Answer, answer);
    ProgramWindows w(3);
    // The edit of the first record begins; another tool changes it.
    QVERIFY(w.enter(QStringLiteral("update mode")));
    const QString path = w.env.databasePath();
    meddle(path, QStringLiteral("changed by another tool"), 1);
    const QList<DowsingRecord> meddled = storedRecords(path);
    EntryWindow *form = w.entry();
    control<QLineEdit>(form, "txtName")->setText(QStringLiteral("CUSTOMER ONE"));
    press(form, "cmdCustomersDetailsNext");
    press(form, "cmdToolsNext");
    w.env.messages.clear();
    w.env.messages.answers.enqueue(answer);

    press(form, "cmdadd");

    const QString asked = w.env.messages.shown.constFirst().text;
    QVERIFY2(asked.startsWith(RecordDifference::changedHeading())
                     && asked.contains(QLatin1String("City: \"LEEDS\" (was \"YORK\")")),
             qPrintable(asked));
    QCOMPARE(w.env.messages.shown.constFirst().defaultAnswer, Answer::No);
    const QList<DowsingRecord> after = storedRecords(path);
    if (answer == Answer::No) {
        QCOMPARE(after, meddled);
        QVERIFY(form->isUpdateMode());
        QCOMPARE(control<QLineEdit>(form, "txtName")->text(), QStringLiteral("CUSTOMER ONE"));
        return;
    }
    // The user's change goes in; the other tool's changes stay.
    DowsingRecord expected = meddled.at(0);
    expected.Name = QStringLiteral("CUSTOMER ONE");
    QCOMPARE(after.at(0), expected);
    QCOMPARE(after.mid(1), meddled.mid(1));
    QVERIFY(w.env.messages.texts().contains(QStringLiteral("Record Edited Succesfully !")));
}

// Another program keeps the file in write-ahead-log mode with a reader
// open: the record is committed, but the log cannot be copied into the file
// until the reader ends. A second save would store it twice.
void TestOtherPrograms::aCommittedRecordIsNeverCalledUnsaved()
{
    TestEnvironment env;
    const QString path = env.databasePath();
    QVERIFY(setJournalMode(path, QStringLiteral("WAL")));
    RawDatabase reader(path);
    QVERIFY(reader.db().transaction());
    QSqlQuery reading(reader.db());
    QVERIFY(reading.exec(QStringLiteral("SELECT count(*) FROM Details")) && reading.next());

    RecordStore store;
    QCOMPARE(store.open(path), RecordStore::OpenResult::Opened);
    DowsingRecord r = customerRecord(QStringLiteral("SAVED ONCE"));
    QVERIFY2(store.add(r), qPrintable(store.errorText()));
    QVERIFY2(store.notice().contains(QLatin1String("-wal")), qPrintable(store.notice()));
    QVERIFY(store.withNotice(QStringLiteral("Record Saved Succesfully !"))
                    .startsWith(QLatin1String("Record Saved Succesfully !\r\r")));

    reading.finish();
    QVERIFY(reader.db().commit());
    store.close();
    QCOMPARE(storedRecords(path).size(), 1);
}

// Another program adds a record while a find is on show: the next find
// counts against the table it found in, and every record shows again.
void TestOtherPrograms::theListCountsAgainstTheTableItFoundIn()
{
    ProgramWindows w(3);
    QVERIFY(w.enter(QStringLiteral("find bar")));
    auto *list = qobject_cast<RecordListWindow *>(w.shownWindow());
    auto *box = control<QLineEdit>(list, "txtFind");
    const auto settle = [list] {
        return QTest::qWaitFor([list] { return !list->isSearching(); }, 10000);
    };
    const auto count = [list] { return control<QLabel>(list, "lblFindCount")->text(); };
    box->setText(QStringLiteral("customer"));
    QVERIFY(settle());
    QCOMPARE(count(), QStringLiteral("3 of 3 records"));

    QVERIFY(runSql(w.env.databasePath(),
                   {QStringLiteral("INSERT INTO Details (Date, Name) "
                                   "VALUES ('2011-06-04', 'CUSTOMER 4')")}));
    box->setText(QStringLiteral("custome"));
    QVERIFY(settle());
    QCOMPARE(count(), QStringLiteral("4 of 4 records"));
    list->closeFindBar();
    QVERIFY(settle());
    QTableView *grid = gridOf(list);
    QCOMPARE(grid->model()->rowCount(), 4);
    QCOMPARE(grid->model()->index(3, 1).data().toString(), QStringLiteral("CUSTOMER 4"));
}

void TestOtherPrograms::aRowAnotherProgramRemovedSaysSo()
{
    ProgramWindows w(40);
    QVERIFY(w.enter(QStringLiteral("list")));
    // A row below the first screen, not read yet.
    QVERIFY(runSql(w.env.databasePath(),
                   {QStringLiteral("DELETE FROM Details WHERE IdNumber = 36")}));
    QAbstractItemModel *rows = gridOf(w.shownWindow())->model();
    QCOMPARE(rows->index(35, 1).data().toString(), RecordListModel::removedText());
    QCOMPARE(rows->index(34, 1).data().toString(), QStringLiteral("CUSTOMER 35"));
}

// Another program wrote index blocks for records that are not there: the
// find shows the table's records, and the index is built anew at once.
void TestOtherPrograms::anIndexThatDoesNotFitIsBuiltAnew()
{
    ProgramWindows w(3);
    QVERIFY(runSql(w.env.databasePath(),
                   {QStringLiteral("INSERT INTO FindText VALUES (7, X'01')"),
                    QStringLiteral("INSERT INTO FindText VALUES (8, X'02')"),
                    QStringLiteral("INSERT INTO FindText VALUES (9, X'03')"),
                    QStringLiteral("INSERT INTO FindText VALUES (10, X'04')")}));
    QVERIFY(w.enter(QStringLiteral("find bar")));
    auto *list = qobject_cast<RecordListWindow *>(w.shownWindow());
    control<QLineEdit>(list, "txtFind")->setText(QStringLiteral("customer 2"));
    QVERIFY(QTest::qWaitFor([&] { return w.env.progress.started == 1 && !list->isSearching(); },
                            10000));
    QCOMPARE(list->shownKeys(), QVector<qint64>{2});
    QVERIFY(w.env.messages.shown.isEmpty());
    RawDatabase raw(w.env.databasePath());
    QSqlQuery blocks(raw.db());
    QVERIFY(blocks.exec(QStringLiteral("SELECT group_concat(Block) FROM FindText")) && blocks.next());
    QCOMPARE(blocks.value(0).toString(), QStringLiteral("0"));
}

void TestOtherPrograms::aDamagedIndexIsBuiltAnewOnlyAfterACopyIsKept_data()
{
    QTest::addColumn<Answer>("answer");
    // Another program reads the file as the room the index took is given
    // back, which needs the file to itself.
    QTest::addColumn<bool>("readAsRoomIsGivenBack");
    // The disk's free room, in sizes of the file.
    QTest::addColumn<int>("room");
    // Why the room was not given back; empty: it was.
    QTest::addColumn<QString>("notGivenBack");
    QTest::newRow("built anew") << Answer::Yes << false << 100 << QString();
    QTest::newRow("left") << Answer::No << false << 100 << QString();
    QTest::newRow("built anew, another program reading as its room is given back")
            << Answer::Yes << true << 100 << "locked";
    QTest::newRow("built anew, too little room to give its room back")
            << Answer::Yes << false << 1 << "twice the size of your records";
}

// A failing disk hit a page of the find index; the records are sound.
void TestOtherPrograms::aDamagedIndexIsBuiltAnewOnlyAfterACopyIsKept()
{
    QFETCH(Answer, answer);
    QFETCH(bool, readAsRoomIsGivenBack);
    QFETCH(int, room);
    QFETCH(QString, notGivenBack);
    TestEnvironment env;
    const QString path = env.databasePath();
    // Enough records for an index of many pages, which the damage leaves
    // used by no table.
    QVERIFY(runSql(path, {manyRecords(600)}));
    addRecords(path, {customerRecord(QStringLiteral("ALICE AAA"), 1),
                      customerRecord(QStringLiteral("BOB BBB"), 2)});
    const QList<DowsingRecord> records = storedRecords(path);
    QVERIFY(spoilFindIndexPage(path));
    const QByteArray damaged = fileBytes(path);
    env.disks.free = room * QFileInfo(path).size();

    // The file opens, is read, and refuses every write while the index is
    // damaged.
    {
        RecordStore store;
        QCOMPARE(store.open(path), RecordStore::OpenResult::Opened);
        QVERIFY(store.isIndexDamaged());
        QCOMPARE(store.find(602)->Name, QStringLiteral("BOB BBB"));
        DowsingRecord r = customerRecord(QStringLiteral("REFUSED"));
        QVERIFY(!store.add(r));
        QVERIFY2(store.errorText().contains(QLatin1String("find index")), qPrintable(store.errorText()));
    }
    QCOMPARE(fileBytes(path), damaged);

    std::unique_ptr<RawDatabase> reader;
    env.progress.onStart = [&](const QString &label) {
        if (readAsRoomIsGivenBack && label.startsWith(QLatin1String("Giving back"))) {
            reader = std::make_unique<RawDatabase>(path);
            QSqlQuery read(reader->db());
            reader->exec(QStringLiteral("BEGIN"));
            read.exec(QStringLiteral("SELECT count(*) FROM Details"));
        }
    };
    env.messages.answers.enqueue(answer);
    FindIndexUpgrade::run(nullptr, path);
    reader.reset();
    const QString copyName = QStringLiteral("Dowsing-before-index-repair-%1.dll")
                                     .arg(env.clock.today().toString(Qt::ISODate));
    const QString copy = QDir(env.folder()).filePath(copyName);
    if (answer == Answer::No) {
        QCOMPARE(fileBytes(path), damaged);
        QVERIFY(!QFile::exists(copy));
        return;
    }
    // The copy is the file as it was, damage and all.
    QCOMPARE(storedRecords(copy), records);
    {
        RecordStore kept;
        QCOMPARE(kept.open(copy), RecordStore::OpenResult::Opened);
        QVERIFY(kept.isIndexDamaged());
    }
    // The user is told the index was built, where the copy is, and whether
    // the room was given back; only then does the file check whole.
    const QStringList told = env.messages.texts();
    QVERIFY2(told.size() == 2, qPrintable(told.join(QLatin1String(" | "))));
    QCOMPARE(env.messages.shown.constLast().icon, MessageBoxes::Icon::Information);
    QVERIFY2(told.constLast().startsWith(QStringLiteral("The find index inside Dowsing.dll was "
                                                        "built anew"))
                     && told.constLast().contains(copyName),
             qPrintable(told.constLast()));
    QCOMPARE(told.constLast().contains(QLatin1String("could not be given back")),
             !notGivenBack.isEmpty());
    QVERIFY2(told.constLast().contains(notGivenBack), qPrintable(told.constLast()));
    const QString integrity = integrityOf(path);
    if (!notGivenBack.isEmpty())
        QVERIFY2(integrity.startsWith(QLatin1String("*** in database main ***\nPage ")),
                 qPrintable(integrity));
    else
        QCOMPARE(integrity, QStringLiteral("ok"));

    RecordStore store;
    QCOMPARE(store.open(path), RecordStore::OpenResult::Opened);
    QVERIFY(!store.isIndexDamaged());
    DowsingRecord r = customerRecord(QStringLiteral("SAVED AFTER"));
    QVERIFY2(store.add(r), qPrintable(store.errorText()));
    QCOMPARE(storedRecords(path).size(), 603);
    QCOMPARE(store.find(601)->Name, QStringLiteral("ALICE AAA"));
    QCOMPARE(store.find(602)->Name, QStringLiteral("BOB BBB"));
    QCOMPARE(RecordFinder(path).run({QStringLiteral("saved after"), std::nullopt, false}, [] {
                 return false;
             }).keys.toVector(),
             QVector<qint64>{*r.IdNumber});
}

QTEST_MAIN(TestOtherPrograms)
#include "tst_otherprograms.moc"
