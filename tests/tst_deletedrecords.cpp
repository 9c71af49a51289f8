// A delete that can be undone: the deleted record is kept in the file, in
// the delete's own transaction (a crash at any point of it leaves the record
// whole in one place); File > Undo Delete puts the last one back under its
// key (a new one when another record took it) and makes it current; the
// Deleted Records window restores any of them, also after a restart, and
// deletes one for good, leaving no trace of it in the file. A file made
// before the table gets it with its first delete; a table of that name the
// program did not make stops the delete; damage to the kept records is
// never taken for damage to the find index alone.

#include "support/HeldWrite.h"
#include "support/ProgramWindows.h"
#include "support/TestDatabase.h"
#include "support/TestFiles.h"
#include "support/WindowDriver.h"

#include "app/FrameWindow.h"
#include "list/DeletedRecordsWindow.h"
#include "list/RecordListWindow.h"
#include "store/FileCheck.h"
#include "store/RecordStore.h"
#include "view/RecordViewWindow.h"

#include <QApplication>
#include <QFile>
#include <QPushButton>
#include <QTimer>
#include <QSqlQuery>
#include <QTableView>
#include <QAbstractItemView>
#include <QSqlError>
#include <QtTest>

#include <cstdio>
#include <cstring>
#include <memory>

using namespace Orvane;
using namespace Orvane::Testing;

namespace {

const QDateTime kDeletedAt(QDate(2026, 12, 8), QTime(10, 0));

// A customer whose name appears nowhere else in the file.
DowsingRecord uniqueCustomer()
{
    DowsingRecord r = customerRecord(QStringLiteral("ZEBEDEE QUILLFEATHER"), 9);
    r.Dowsing_Tool = QStringLiteral("Pendulam");
    r.Notes = QStringLiteral("Private notes of Mr Quillfeather");
    return r;
}

// The texts of a row of the Deleted Records window, column by column.
QStringList rowTexts(const QAbstractItemView *view, int row)
{
    QStringList texts;
    for (int column = 0; column < view->model()->columnCount(); ++column)
        texts.append(view->model()->index(row, column).data().toString());
    return texts;
}

// The names in the window's rows, top to bottom.
QStringList namesListed(const QWidget *window)
{
    const auto *view = window->findChild<QAbstractItemView *>(QStringLiteral("lstDeletedRecords"));
    QStringList names;
    for (int row = 0; row < view->model()->rowCount(); ++row)
        names.append(rowTexts(view, row).at(2));
    return names;
}

// The names the file keeps among its deleted records, the one deleted last
// first, read by the test's own SQL.
QStringList keptNames(const QString &path)
{
    RawDatabase raw(path);
    QSqlQuery query(raw.db());
    QStringList names;
    if (!query.exec(QStringLiteral("SELECT Name FROM DeletedRecords ORDER BY KeptNumber DESC")))
        return {QStringLiteral("(unreadable: %1)").arg(query.lastError().text())};
    while (query.next())
        names.append(query.value(0).toString());
    return names;
}

// The names of the records, in order of addition, read by the test's own SQL.
QStringList recordNames(const QString &path)
{
    RawDatabase raw(path);
    QSqlQuery query(raw.db());
    QStringList names;
    if (!query.exec(QStringLiteral("SELECT Name FROM Details ORDER BY IdNumber")))
        return {QStringLiteral("(unreadable: %1)").arg(query.lastError().text())};
    while (query.next())
        names.append(query.value(0).toString());
    return names;
}

QList<qint64> keysOf(const QVector<DeletedRecord> &kept)
{
    QList<qint64> keys;
    for (const DeletedRecord &d : kept)
        keys.append(d.record.IdNumber.value_or(-1));
    return keys;
}

} // namespace

class TestDeletedRecords : public QObject
{
    Q_OBJECT

private slots:
    void deleteIsUndoneFromTheList();
    void restoredFromTheListsMenuIsShownCurrent();
    void restoreFromTheWindowAfterARestart_data();
    void restoreFromTheWindowAfterARestart();
    void deleteForGoodLeavesNoTrace_data();
    void deleteForGoodLeavesNoTrace();
    void crashInTheDeleteLosesNothing_data();
    void crashInTheDeleteLosesNothing();
    void fileWithoutTheTable_data();
    void fileWithoutTheTable();
    void keptRecordsStandApartFromTheRecords();
    void actsOnlyOnTheKeptRecordShown_data();
    void actsOnlyOnTheKeptRecordShown();
    void undoAfterARestartNamesTheRecordFirst_data();
    void undoAfterARestartNamesTheRecordFirst();
    void manyKeptRecordsListTheLastDeletedFirst_data();
    void manyKeptRecordsListTheLastDeletedFirst();
    void aKeptTextOfMegabytesShowsItsStart();
};

void TestDeletedRecords::deleteIsUndoneFromTheList()
{
    ProgramWindows program(3);
    QVERIFY(program.enter(QStringLiteral("record view")));
    const qint64 key = program.frame().windows().selectedRecord().idNumber;
    RecordStore store;
    QCOMPARE(store.open(program.env.databasePath()), RecordStore::OpenResult::Opened);
    const DowsingRecord before = *store.find(key);
    press(program.frame().windows().recordView(), "cmddelete");
    QCOMPARE(keysIn(program.env.databasePath()).size(), 2);

    // File > Undo Delete (Ctrl+Z) in the list.
    RecordListWindow *list = program.frame().windows().listWindow();
    auto *undo = list->findChild<QAction *>(QStringLiteral("mnuUndoDelete"));
    QCOMPARE(undo->shortcut(), QKeySequence(QKeySequence::Undo));
    program.env.messages.clear();
    undo->trigger();
    // Named as the list named it.
    QCOMPARE(program.env.messages.texts(),
             QStringList{QStringLiteral("The Deleted Record, %1, %2/%3/%4, Is Back Among Your "
                                        "Records.")
                                 .arg(before.Name)
                                 .arg(before.Date.calendarDate().month())
                                 .arg(before.Date.calendarDate().day())
                                 .arg(before.Date.calendarDate().year())});
    QVERIFY(store.find(key)->sameFields(before));
    QVERIFY(store.deletedRecords().isEmpty());

    // The list read afresh, with the record put back current, and found.
    list = program.frame().windows().listWindow();
    QVERIFY(program.frame().isChildVisible(list));
    QCOMPARE(list->currentKey(), key);
    list->showFindBar();
    QTest::keyClicks(list->findChild<QLineEdit *>(QStringLiteral("txtFind")),
                     QStringLiteral("customer 2"));
    QTRY_COMPARE(list->shownKeys().value_or(QVector<qint64>()), QVector<qint64>{key});

    // Nothing more to put back: said, and nothing changes.
    program.env.messages.clear();
    list->findChild<QAction *>(QStringLiteral("mnuUndoDelete"))->trigger();
    QCOMPARE(program.env.messages.texts(),
             QStringList{QStringLiteral("There Is No Deleted Record To Put Back.")});
    QCOMPARE(keysIn(program.env.databasePath()).size(), 3);
}

void TestDeletedRecords::restoredFromTheListsMenuIsShownCurrent()
{
    ProgramWindows program(4);
    const QVector<qint64> keys = keysIn(program.env.databasePath());
    QVERIFY(removeRecord(program.env.databasePath(), keys.at(1)));
    QVERIFY(removeRecord(program.env.databasePath(), keys.at(2)));
    QVERIFY(program.enter(QStringLiteral("list")));

    // File > Deleted Records, the one deleted first restored, the window
    // closed.
    QStringList listed;
    QTimer::singleShot(0, [&] {
        auto *window = qobject_cast<DeletedRecordsWindow *>(QApplication::activeModalWidget());
        if (!window)
            return;
        auto *rows = window->findChild<QAbstractItemView *>(QStringLiteral("lstDeletedRecords"));
        listed = namesListed(window);
        rows->setCurrentIndex(rows->model()->index(1, 0));
        press(window, "cmdRestore");
        press(window, "cmdClose");
    });
    program.frame().windows().listWindow()->findChild<QAction *>(
            QStringLiteral("mnuDeletedRecords"))->trigger();
    // The one deleted last first.
    QCOMPARE(listed, (QStringList{QStringLiteral("CUSTOMER 3"), QStringLiteral("CUSTOMER 2")}));
    RecordListWindow *list = program.frame().windows().listWindow();
    QVERIFY(program.frame().isChildVisible(list));
    QCOMPARE(list->currentKey(), keys.at(1));
    QCOMPARE(keysIn(program.env.databasePath()), (QVector<qint64>{keys.at(0), keys.at(1), keys.at(3)}));
}

void TestDeletedRecords::restoreFromTheWindowAfterARestart_data()
{
    QTest::addColumn<bool>("keyTaken");
    QTest::newRow("under its own key") << false;
    // Keys are never reused, but another program may write one.
    QTest::newRow("another program's record took its key") << true;
}

void TestDeletedRecords::restoreFromTheWindowAfterARestart()
{
    QFETCH(bool, keyTaken);
    TestEnvironment env;
    const QString path = env.databasePath();
    const QVector<qint64> keys = addRecords(
            path, {customerRecord(QStringLiteral("FIRST")), uniqueCustomer(),
                   customerRecord(QStringLiteral("LAST"))});
    {
        // One run of the program deletes it...
        RecordStore store;
        QCOMPARE(store.open(path), RecordStore::OpenResult::Opened);
        QCOMPARE(store.remove(*store.find(keys.at(1)), kDeletedAt), RecordStore::ChangeResult::Done);
    }
    DowsingRecord other = customerRecord(QStringLiteral("OTHER PROGRAM"));
    if (keyTaken) {
        RawDatabase raw(path);
        QSqlQuery insert(raw.db());
        insert.prepare(QStringLiteral("INSERT INTO Details (Date, Name, IdNumber) VALUES (?, ?, ?)"));
        insert.addBindValue(other.Date.storedText());
        insert.addBindValue(other.Name);
        insert.addBindValue(keys.at(1));
        QVERIFY(insert.exec());
    }

    // ...the next one lists it and puts it back.
    DeletedRecordsWindow window;
    QVERIFY(window.readRecords());
    auto *rows = window.findChild<QAbstractItemView *>(QStringLiteral("lstDeletedRecords"));
    QCOMPARE(rows->model()->rowCount(), 1);
    QCOMPARE(rowTexts(rows, 0),
             (QStringList{QStringLiteral("12/8/2026 10:00"), QStringLiteral("6/9/2011"),
                          QStringLiteral("ZEBEDEE QUILLFEATHER"), QStringLiteral("Pendulam")}));
    press(&window, "cmdRestore");

    const QVector<qint64> now = keysIn(path);
    QCOMPARE(now.size(), keyTaken ? 4 : 3);
    const qint64 back = window.restoredKey();
    QCOMPARE(back == keys.at(1), !keyTaken);
    if (keyTaken) {
        QVERIFY(back > keys.last());
        QVERIFY(env.messages.texts().last().contains(QStringLiteral("Another Record Holds Its Old Place")));
    }
    RecordStore store;
    QCOMPARE(store.open(path), RecordStore::OpenResult::Opened);
    QVERIFY(store.find(back)->sameFields(uniqueCustomer()));
    if (keyTaken)
        QCOMPARE(store.find(keys.at(1))->Name, other.Name);
    QVERIFY(store.deletedRecords().isEmpty());
    QCOMPARE(rows->model()->rowCount(), 0);
    QVERIFY(!window.findChild<QPushButton *>(QStringLiteral("cmdRestore"))->isEnabled());
}

void TestDeletedRecords::deleteForGoodLeavesNoTrace_data()
{
    QTest::addColumn<bool>("agreed");
    QTest::newRow("the question answered No") << false;
    QTest::newRow("the question answered Yes") << true;
}

void TestDeletedRecords::deleteForGoodLeavesNoTrace()
{
    QFETCH(bool, agreed);
    TestEnvironment env;
    const QString path = env.databasePath();
    QList<DowsingRecord> many;
    for (int i = 0; i < 40; ++i)
        many.append(customerRecord(QStringLiteral("CUSTOMER %1").arg(i)));
    many.insert(20, uniqueCustomer());
    const QVector<qint64> keys = addRecords(path, many);
    QVERIFY(removeRecord(path, keys.at(20)));
    const QByteArray name = uniqueCustomer().Name.toUtf8();
    // Kept, it is in the file.
    QVERIFY(fileBytes(path).contains(name));

    DeletedRecordsWindow window;
    QVERIFY(window.readRecords());
    env.messages.answers.enqueue(agreed ? MessageBoxes::Answer::Yes : MessageBoxes::Answer::No);
    press(&window, "cmdDeleteForGood");
    // Its own question, which a reflex Enter answers No.
    QCOMPARE(env.messages.shown.first().buttons, MessageBoxes::Buttons::YesNo);
    QCOMPARE(env.messages.shown.first().defaultAnswer, MessageBoxes::Answer::No);
    QVERIFY(env.messages.shown.first().text.contains(QStringLiteral("For Good")));

    RecordStore store;
    QCOMPARE(store.open(path), RecordStore::OpenResult::Opened);
    QCOMPARE(store.deletedRecords().size(), agreed ? 0 : 1);
    QCOMPARE(store.count(), 40);
    store.close();
    // Gone for good: not in the table, nor in the file's unused pages, nor
    // in a journal beside it.
    QCOMPARE(fileBytes(path).contains(name), !agreed);
    QCOMPARE(fileBytes(path).contains("Quillfeather"), !agreed);
    QVERIFY(!QFile::exists(path + QStringLiteral("-journal")));
    QCOMPARE(integrityOf(path), QStringLiteral("ok"));
}

void TestDeletedRecords::crashInTheDeleteLosesNothing_data()
{
    QTest::addColumn<QString>("step");
    QTest::newRow("killed once the copy is kept") << "copy";
    QTest::newRow("killed once the record is removed") << "removal";
    QTest::newRow("after the delete") << "";
}

void TestDeletedRecords::crashInTheDeleteLosesNothing()
{
    QFETCH(QString, step);
    TestEnvironment env;
    const QString path = env.databasePath();
    QList<DowsingRecord> many;
    for (int i = 0; i < 300; ++i)
        many.append(customerRecord(QStringLiteral("CUSTOMER %1").arg(i), 1 + i % 28));
    const QVector<qint64> keys = addRecords(path, many);
    const qint64 key = keys.at(150);
    if (step.isEmpty()) {
        QVERIFY(removeRecord(path, key));
    } else {
        const auto writer = HeldWrite::byProgramDelete(path, key, step);
        QVERIFY2(writer->isHeld(), qPrintable(writer->failure()));
        writer->kill();
    }

    // The next start finds the record in one place: the delete was made
    // whole, or not at all.
    RecordStore store;
    QCOMPARE(store.open(path), RecordStore::OpenResult::Opened);
    const QVector<DeletedRecord> kept = store.deletedRecords();
    const std::optional<DowsingRecord> listed = store.find(key);
    QCOMPARE(bool(listed), !step.isEmpty());
    QCOMPARE(keysOf(kept), step.isEmpty() ? QList<qint64>{key} : QList<qint64>{});
    QVERIFY((listed ? *listed : kept.first().record).sameFields(many.at(150)));
    QCOMPARE(store.count(), step.isEmpty() ? 299 : 300);
    store.close();
    QCOMPARE(integrityOf(path), QStringLiteral("ok"));
}

void TestDeletedRecords::fileWithoutTheTable_data()
{
    QTest::addColumn<QStringList>("change");
    QTest::addColumn<bool>("deleted");
    QTest::newRow("made before the table existed")
            << QStringList{QStringLiteral("DROP TABLE DeletedRecords")} << true;
    QTest::newRow("another program's table of that name")
            << QStringList{QStringLiteral("DROP TABLE DeletedRecords"),
                           QStringLiteral("CREATE TABLE DeletedRecords (Note TEXT)")}
            << false;
}

void TestDeletedRecords::fileWithoutTheTable()
{
    QFETCH(QStringList, change);
    QFETCH(bool, deleted);
    TestEnvironment env;
    const QString path = env.databasePath();
    const QVector<qint64> keys = addRecords(path, {uniqueCustomer()});
    QVERIFY(runSql(path, change));

    RecordStore store;
    QCOMPARE(store.open(path), RecordStore::OpenResult::Opened);
    // None kept; another program's table cannot be read as kept records.
    QVERIFY(store.deletedRecords().isEmpty());
    QCOMPARE(store.errorText().isEmpty(), deleted);
    const RecordStore::ChangeResult result = store.remove(*store.find(keys.first()), kDeletedAt);
    QCOMPARE(result, deleted ? RecordStore::ChangeResult::Done : RecordStore::ChangeResult::Failed);
    const QString why = store.errorText();
    // The table comes with the delete; a foreign one keeps the record where
    // it is, saying why.
    QCOMPARE(keysOf(store.deletedRecords()), deleted ? QList<qint64>{keys.first()} : QList<qint64>{});
    QCOMPARE(bool(store.find(keys.first())), !deleted);
    if (!deleted)
        QVERIFY2(why.contains(QStringLiteral("did not make")), qPrintable(why));
}

void TestDeletedRecords::keptRecordsStandApartFromTheRecords()
{
    TestEnvironment env;
    const QString path = env.databasePath();
    const QVector<qint64> keys = addRecords(
            path, {customerRecord(QStringLiteral("FIRST")), uniqueCustomer()});
    QVERIFY(removeRecord(path, keys.at(1)));

    // What a program that knows nothing of the table reads and writes is
    // as before: nothing in the file ties the table to Details.
    {
        RawDatabase raw(path);
        QSqlQuery query(raw.db());
        QVERIFY(query.exec(QStringLiteral(
                "SELECT name FROM sqlite_master WHERE sql LIKE '%DeletedRecords%'")));
        QStringList mentions;
        while (query.next())
            mentions.append(query.value(0).toString());
        QCOMPARE(mentions, QStringList{QStringLiteral("DeletedRecords")});
    }
    RecordStore store;
    QCOMPARE(store.open(path), RecordStore::OpenResult::Opened);
    QCOMPARE(store.keyIndex().toList(), QVector<qint64>{keys.at(0)});
    QCOMPARE(store.count(), 1);

    // A back-up keeps the kept records with the rest.
    const QString copy = env.folder() + QStringLiteral("/copy.dll");
    QCOMPARE(store.backUpTo(copy, [](qint64, qint64) { return true; }),
             RecordStore::BackUpResult::Done);
    store.close();
    {
        RecordStore backedUp;
        QCOMPARE(backedUp.open(copy), RecordStore::OpenResult::Opened);
        QCOMPARE(keysOf(backedUp.deletedRecords()), QList<qint64>{keys.at(1)});
    }

    // Damage to the kept records is damage to records: the file is refused,
    // never opened as if only its find index needed building anew.
    QVERIFY(spoilPageOf(path, QStringLiteral("DeletedRecords")));
    {
        RawDatabase raw(path);
        const Damage damage = damageOf(raw.db());
        QVERIFY(!damage.isSound());
        QVERIFY(!damage.indexOnly);
    }
    QCOMPARE(store.open(path), RecordStore::OpenResult::Unusable);
}

void TestDeletedRecords::actsOnlyOnTheKeptRecordShown_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("meddling");
    for (const char *command : {"Restore", "Delete for Good", "Undo Delete"}) {
        for (const char *meddling : {"nothing", "another copy renamed over",
                                     "changed by another tool", "removed by another tool"})
            QTest::addRow("%s, %s", command, meddling) << command << meddling;
    }
}

void TestDeletedRecords::actsOnlyOnTheKeptRecordShown()
{
    QFETCH(QString, command);
    QFETCH(QString, meddling);
    ProgramWindows program(3);
    const QString path = program.env.databasePath();
    // CUSTOMER 2 deleted from its report, as a user does.
    QVERIFY(program.enter(QStringLiteral("list")));
    auto *grid = program.frame().windows().listWindow()->findChild<QTableView *>(
            QStringLiteral("DataGrid"));
    grid->setCurrentIndex(grid->model()->index(1, 0));
    program.frame().windows().listWindow()->openCurrentRecord();
    press(program.frame().windows().recordView(), "cmddelete");
    QCOMPARE(recordNames(path), (QStringList{QStringLiteral("CUSTOMER 1"),
                                             QStringLiteral("CUSTOMER 3")}));
    QCOMPARE(keptNames(path), QStringList{QStringLiteral("CUSTOMER 2")});

    std::unique_ptr<DeletedRecordsWindow> window;
    if (command != QLatin1String("Undo Delete")) {
        window = std::make_unique<DeletedRecordsWindow>();
        QVERIFY(window->readRecords());
        QCOMPARE(namesListed(window.get()), QStringList{QStringLiteral("CUSTOMER 2")});
    }

    // Another machine's kept record under the same number, or none.
    const QString other = QStringLiteral("OTHER MACHINE KEPT");
    const QString otherChange = QStringLiteral("UPDATE DeletedRecords SET Name = '%1', "
                                               "Notes = 'notes of the other machine'")
                                        .arg(other);
    if (meddling == QLatin1String("another copy renamed over")) {
        const QString incoming = path + QStringLiteral(".incoming");
        QVERIFY(QFile::copy(path, incoming));
        QVERIFY(runSql(incoming, {otherChange}));
        QCOMPARE(std::rename(QFile::encodeName(incoming).constData(),
                             QFile::encodeName(path).constData()),
                 0);
    } else if (meddling == QLatin1String("changed by another tool")) {
        QVERIFY(runSql(path, {otherChange}));
    } else if (meddling == QLatin1String("removed by another tool")) {
        QVERIFY(runSql(path, {QStringLiteral("DELETE FROM DeletedRecords")}));
    }
    const QStringList keptBefore = keptNames(path);

    program.env.messages.clear();
    if (command == QLatin1String("Restore")) {
        press(window.get(), "cmdRestore");
    } else if (command == QLatin1String("Delete for Good")) {
        program.env.messages.answers.enqueue(MessageBoxes::Answer::Yes);
        press(window.get(), "cmdDeleteForGood");
    } else {
        program.frame().windows().listWindow()->findChild<QAction *>(
                QStringLiteral("mnuUndoDelete"))->trigger();
    }

    const QString said = program.env.messages.texts().join(QLatin1Char('\n'));
    if (meddling == QLatin1String("nothing")) {
        QCOMPARE(keptNames(path), QStringList());
        QCOMPARE(recordNames(path),
                 command == QLatin1String("Delete for Good")
                         ? (QStringList{QStringLiteral("CUSTOMER 1"), QStringLiteral("CUSTOMER 3")})
                         : (QStringList{QStringLiteral("CUSTOMER 1"), QStringLiteral("CUSTOMER 2"),
                                        QStringLiteral("CUSTOMER 3")}));
        QVERIFY2(!said.contains(QStringLiteral("Another Program")), qPrintable(said));
    } else {
        // Nothing written: the other machine's kept record is neither put
        // back nor gone, and the user is told why.
        QCOMPARE(keptNames(path), keptBefore);
        QCOMPARE(recordNames(path), (QStringList{QStringLiteral("CUSTOMER 1"),
                                                 QStringLiteral("CUSTOMER 3")}));
        QVERIFY2(said.contains(QStringLiteral("Another Program Changed")), qPrintable(said));
        QVERIFY2(said.contains(QStringLiteral("Nothing Was")), qPrintable(said));
        if (!keptBefore.isEmpty())
            QVERIFY(fileBytes(path).contains(other.toUtf8()));
    }
    // The window shows the kept records as they are now.
    if (window)
        QCOMPARE(namesListed(window.get()), keptNames(path));
}

void TestDeletedRecords::undoAfterARestartNamesTheRecordFirst_data()
{
    QTest::addColumn<bool>("agreed");
    QTest::newRow("the question answered No") << false;
    QTest::newRow("the question answered Yes") << true;
}

void TestDeletedRecords::undoAfterARestartNamesTheRecordFirst()
{
    QFETCH(bool, agreed);
    ProgramWindows program(3);
    const QString path = program.env.databasePath();
    // Deleted in an earlier run (or by another copy of the program): this
    // run has no delete of its own to undo.
    QVERIFY(removeRecord(path, keysIn(path).at(1)));
    QVERIFY(program.enter(QStringLiteral("list")));
    program.env.messages.clear();
    program.env.messages.answers.enqueue(agreed ? MessageBoxes::Answer::Yes
                                                : MessageBoxes::Answer::No);
    program.frame().windows().listWindow()->findChild<QAction *>(
            QStringLiteral("mnuUndoDelete"))->trigger();

    const auto &question = program.env.messages.shown.first();
    QCOMPARE(question.buttons, MessageBoxes::Buttons::YesNo);
    // ProgramWindows dates customer 2 the 2nd of June 2011.
    QVERIFY2(question.text.contains(QStringLiteral("CUSTOMER 2, 6/2/2011")),
             qPrintable(question.text));
    QVERIFY2(question.text.contains(QStringLiteral("12/8/2026 10:00")), qPrintable(question.text));
    QCOMPARE(recordNames(path).size(), agreed ? 3 : 2);
    QCOMPARE(keptNames(path).size(), agreed ? 0 : 1);
}

void TestDeletedRecords::manyKeptRecordsListTheLastDeletedFirst_data()
{
    QTest::addColumn<int>("kept");
    QTest::addColumn<int>("gapEvery");
    QTest::newRow("numbers without a gap") << 5000 << 0;
    // Restored or deleted for good here and there: the numbers run in
    // pieces.
    QTest::newRow("every seventh number gone") << 5000 << 7;
    QTest::newRow("one") << 1 << 0;
}

void TestDeletedRecords::manyKeptRecordsListTheLastDeletedFirst()
{
    QFETCH(int, kept);
    QFETCH(int, gapEvery);
    TestEnvironment env;
    const QString path = env.databasePath();
    // The test's own kept records, numbered 1 .. kept, named by number.
    QStringList fill{QStringLiteral(
            "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < %1) "
            "INSERT INTO DeletedRecords (KeptNumber, DeletedAt, IdNumber, Date, Name) "
            "SELECT i, '2026-12-08 10:00:00', i, '2011-06-01', 'KEPT ' || i FROM n")
                             .arg(kept)};
    if (gapEvery > 0)
        fill.append(QStringLiteral("DELETE FROM DeletedRecords WHERE KeptNumber % %1 = 0")
                            .arg(gapEvery));
    QVERIFY(runSql(path, fill));
    QList<int> numbers;
    for (int i = kept; i >= 1; --i) {
        if (gapEvery == 0 || i % gapEvery != 0)
            numbers.append(i);
    }

    DeletedRecordsWindow window;
    QVERIFY(window.readRecords());
    const auto *view = window.findChild<QAbstractItemView *>(QStringLiteral("lstDeletedRecords"));
    QCOMPARE(view->model()->rowCount(), numbers.size());
    for (int row : {0, 1, int(numbers.size()) / 2, int(numbers.size()) - 1}) {
        if (row < numbers.size())
            QCOMPARE(rowTexts(view, row).at(2), QStringLiteral("KEPT %1").arg(numbers.at(row)));
    }
    QCOMPARE(view->currentIndex().row(), 0);
}

void TestDeletedRecords::aKeptTextOfMegabytesShowsItsStart()
{
    TestEnvironment env;
    const QString path = env.databasePath();
    // Another program kept a name of two million letters, no space in it:
    // laid out whole, it would hold the window for minutes.
    const int letters = 2000000;
    QVERIFY(runSql(path, {QStringLiteral("INSERT INTO DeletedRecords (DeletedAt, IdNumber, Date, "
                                         "Name, Dowsing_Tool) VALUES ('2026-12-08 10:00:00', 7, "
                                         "'2011-06-01', replace(hex(zeroblob(%1 / 2)), '0', 'N'), "
                                         "'Rods')")
                                  .arg(letters)}));
    DeletedRecordsWindow window;
    QVERIFY(window.readRecords());
    const QString shown = rowTexts(window.findChild<QAbstractItemView *>(
                                           QStringLiteral("lstDeletedRecords")),
                                   0)
                                  .at(2);
    QVERIFY(shown.startsWith(QStringLiteral("NNNN")));
    QVERIFY2(shown.size() < 1000, qPrintable(QString::number(shown.size())));

    // Put back whole, named by its start.
    press(&window, "cmdRestore");
    const QString said = env.messages.texts().join(QLatin1Char('\n'));
    QVERIFY2(said.size() < 1000, qPrintable(QString::number(said.size())));
    QCOMPARE(recordNames(path).value(0).size(), letters);
}

int main(int argc, char *argv[])
{
    if (argc == 5 && std::strcmp(argv[1], kHoldDeleteArgument) == 0) {
        QCoreApplication app(argc, argv);
        holdDelete(QString::fromLocal8Bit(argv[2]), QByteArray(argv[3]).toLongLong(),
                   QString::fromLocal8Bit(argv[4]));
    }
    QApplication app(argc, argv);
    TestDeletedRecords test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_deletedrecords.moc"
