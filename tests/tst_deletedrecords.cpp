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
#include <QPushButton>
#include <QTimer>
#include <QSqlQuery>
#include <QTableView>
#include <QTreeWidget>
#include <QtTest>

#include <cstring>

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
    QCOMPARE(program.env.messages.texts(),
             QStringList{QStringLiteral("The Deleted Record Is Back Among Your Records.")});
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
        auto *rows = window->findChild<QTreeWidget *>(QStringLiteral("lstDeletedRecords"));
        for (int i = 0; i < rows->topLevelItemCount(); ++i)
            listed.append(rows->topLevelItem(i)->text(2));
        rows->setCurrentItem(rows->topLevelItem(1));
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
    auto *rows = window.findChild<QTreeWidget *>(QStringLiteral("lstDeletedRecords"));
    QCOMPARE(rows->topLevelItemCount(), 1);
    QStringList shown;
    for (int column = 0; column < rows->columnCount(); ++column)
        shown.append(rows->topLevelItem(0)->text(column));
    QCOMPARE(shown, (QStringList{QStringLiteral("12/8/2026 10:00"), QStringLiteral("6/9/2011"),
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
    QCOMPARE(rows->topLevelItemCount(), 0);
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
