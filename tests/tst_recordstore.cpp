// The record store: which files it refuses (and leaves untouched), the order
// and keys of records, that readers never get in the way of a save, and that
// a write reported done is in the one file that stands at the path.

#include "support/FakePlatform.h"
#include "support/RecordFixtures.h"
#include "support/TestDatabase.h"
#include "support/TestFiles.h"

#include "list/RecordListModel.h"
#include "store/FileCheck.h"
#include "store/RecordStore.h"

#include <QDir>
#include <QFile>
#include <QSqlQuery>
#include <QtTest>

#include <cstdio>
#include <memory>

using namespace Orvane;
using namespace Orvane::Testing;

namespace {

DowsingRecord sampleRecord(const QString &name)
{
    DowsingRecord r;
    r.Date = QDate(2009, 3, 7);
    r.Name = name;
    r.Address = QStringLiteral("12 Mill Lane\nUpper Ward");
    r.City = QStringLiteral("BATH");
    r.Time_Dowsing_Occured = QStringLiteral("09:05");
    r.Dowsing_Tool = QStringLiteral("Rods");
    r.Item_Dowsing_For = QStringLiteral("water");
    r.Notes = QStringLiteral("line one\nline two");
    return r;
}

} // namespace

class TestRecordStore : public QObject
{
    Q_OBJECT

private slots:
    void opensTheShippedDatabase();
    void missingFileIsNeverCreated();
    void unusableFilesAreRefusedAndLeftAsTheyWere_data();
    void unusableFilesAreRefusedAndLeftAsTheyWere();
    void fileLockedByAnotherProgramIsRefused();
    void recordsKeepOrderOfAdditionAndEveryField();
    void keysIncreaseAndAreNeverReused();
    void storedFormsHaveNoNullsAndNoTimeOfDay();
    void updateAndRemoveWorkByKeyAndReportMissingRecords();
    void invalidDateIsRefused();
    void everyWriteKeepsTheTextAsGiven();
    void recordTheFileDidNotTakeIsNotCalledSaved();
    void openReaderDoesNotBlockASave();
    void writesGoToTheFileNowAtThePath();
    void everyWriteIsInTheFileAlone_data();
    void everyWriteIsInTheFileAlone();
    void damageFoundBesideTheWindowStopsEveryWrite();
};

void TestRecordStore::opensTheShippedDatabase()
{
    TestEnvironment env;
    RecordStore store;
    QCOMPARE(store.open(env.databasePath()), RecordStore::OpenResult::Opened);
    QVERIFY(store.isOpen());
    QCOMPARE(store.count(), 0);
    QVERIFY(store.keyIndex().toList().isEmpty());
    QVERIFY(store.errorText().isEmpty());
}

void TestRecordStore::missingFileIsNeverCreated()
{
    TestEnvironment env(false);
    RecordStore store;
    QCOMPARE(store.open(env.databasePath()), RecordStore::OpenResult::Missing);
    QVERIFY(!QFile::exists(env.databasePath()));
    // A store that did not open writes nothing, even once a file is there.
    QVERIFY(TestEnvironment::copyShippedDatabase(env.databasePath()));
    DowsingRecord late = sampleRecord(QStringLiteral("LATE"));
    QVERIFY(!store.add(late));
    QCOMPARE(keysIn(env.databasePath()).size(), 0);
    QVERIFY(QFile::remove(env.databasePath()));

    // A folder of that name counts as missing and stays a folder.
    QVERIFY(QDir(env.folder()).mkdir(QStringLiteral("Dowsing.dll")));
    QVERIFY(!RecordStore::isPresent(env.databasePath()));
    QCOMPARE(store.open(env.databasePath()), RecordStore::OpenResult::Missing);
    QVERIFY(QFileInfo(env.databasePath()).isDir());
    QVERIFY(!store.isOpen());
}

void TestRecordStore::unusableFilesAreRefusedAndLeftAsTheyWere_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("reasonPart");
    QTest::newRow("text file") << "text" << "not a database";
    QTest::newRow("truncated") << "truncated" << "";
    QTest::newRow("no Details table") << "notable" << "no table Details";
    QTest::newRow("other fields") << "otherfields" << "has no field";
    QTest::newRow("IdNumber not the key") << "nokey" << "not its key";
    QTest::newRow("IdNumber one of two keys") << "compositekey" << "not its key";
    QTest::newRow("IdNumber a descending key") << "desckey" << "not its key";
    QTest::newRow("table without row keys") << "withoutrowid" << "not its key";
    QTest::newRow("page in the middle overwritten") << "spoiledpage" << "damaged";
}

void TestRecordStore::unusableFilesAreRefusedAndLeftAsTheyWere()
{
    QFETCH(QString, kind);
    QFETCH(QString, reasonPart);
    const bool filled = kind == QLatin1String("truncated") || kind == QLatin1String("spoiledpage");
    TestEnvironment env(filled);
    const QString path = env.databasePath();
    if (kind == QLatin1String("text")) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("These are my dowsing notes, not a database.\n");
    } else if (filled) {
        {
            RecordStore store;
            QCOMPARE(store.open(path), RecordStore::OpenResult::Opened);
            for (int i = 0; i < 200; ++i) {
                DowsingRecord r = sampleRecord(QStringLiteral("R%1").arg(i));
                QVERIFY(store.add(r));
            }
        }
        QFile file(path);
        QVERIFY(file.size() > 8192);
        if (kind == QLatin1String("truncated"))
            QVERIFY(file.resize(4096 + 100));
        else
            QVERIFY(spoilMiddlePage(path));
    } else {
        QVERIFY(runSql(path, {wrongShapeTable(kind)}));
    }
    const QByteArray before = digestOf(path);
    QVERIFY(!before.isEmpty());

    RecordStore store;
    QCOMPARE(store.open(path), RecordStore::OpenResult::Unusable);
    QVERIFY(!store.isOpen());
    QVERIFY2(!store.errorText().isEmpty(), "a refusal always has a reason");
    if (!reasonPart.isEmpty())
        QVERIFY2(store.errorText().contains(reasonPart), qPrintable(store.errorText()));
    store.close();
    QCOMPARE(digestOf(path), before);
    QVERIFY(!QFile::exists(path + QStringLiteral("-journal")));
}

void TestRecordStore::fileLockedByAnotherProgramIsRefused()
{
    TestEnvironment env;
    RawDatabase other(env.databasePath());
    QVERIFY(other.exec(QStringLiteral("BEGIN EXCLUSIVE")));
    QVERIFY(other.exec(QStringLiteral("INSERT INTO Details (Date) VALUES ('2001-01-01')")));

    RecordStore store;
    QCOMPARE(store.open(env.databasePath()), RecordStore::OpenResult::Unusable);
    QVERIFY2(store.errorText().contains(QLatin1String("locked")), qPrintable(store.errorText()));

    QVERIFY(other.exec(QStringLiteral("ROLLBACK")));
    QCOMPARE(store.open(env.databasePath()), RecordStore::OpenResult::Opened);
    QCOMPARE(store.count(), 0);
}

void TestRecordStore::recordsKeepOrderOfAdditionAndEveryField()
{
    TestEnvironment env;
    RecordStore store;
    QCOMPARE(store.open(env.databasePath()), RecordStore::OpenResult::Opened);
    QList<DowsingRecord> added;
    for (const QString &name : {QStringLiteral("ZED"), QStringLiteral("ALMA"),
                                QStringLiteral("MOSS")}) {
        DowsingRecord r = sampleRecord(name);
        r.Pin = QStringLiteral("{pin} \\ é € 漢");
        r.Email = name.toLower() + QStringLiteral("@example.org");
        QVERIFY2(store.add(r), qPrintable(store.errorText()));
        QVERIFY(r.IdNumber.has_value());
        added.append(r);
    }

    // A second connection, as another window would hold, reads the same.
    RecordStore reader;
    QCOMPARE(reader.open(env.databasePath()), RecordStore::OpenResult::Opened);
    const QVector<qint64> ids = reader.keyIndex().toList();
    QCOMPARE(ids.size(), 3);
    for (int i = 0; i < added.size(); ++i) {
        QCOMPARE(ids.at(i), *added.at(i).IdNumber);
        const auto found = reader.find(ids.at(i));
        QVERIFY(found.has_value());
        QCOMPARE(*found, added.at(i));
    }
    QCOMPARE(added.first().listedDateText(), QStringLiteral("3/7/2009"));
}

void TestRecordStore::keysIncreaseAndAreNeverReused()
{
    TestEnvironment env;
    RecordStore store;
    QCOMPARE(store.open(env.databasePath()), RecordStore::OpenResult::Opened);
    DowsingRecord a = sampleRecord(QStringLiteral("A"));
    DowsingRecord b = sampleRecord(QStringLiteral("B"));
    QVERIFY(store.add(a));
    QVERIFY(store.add(b));
    QVERIFY(*b.IdNumber > *a.IdNumber);
    QVERIFY(removeStored(store, *b.IdNumber));
    DowsingRecord c = sampleRecord(QStringLiteral("C"));
    QVERIFY(store.add(c));
    QVERIFY2(*c.IdNumber > *b.IdNumber, "a deleted record's key is not given out again");

    // Keys beyond 16 and 32 bits are carried whole.
    RawDatabase raw(env.databasePath());
    QVERIFY(raw.exec(QStringLiteral("UPDATE sqlite_sequence SET seq = 5000000000 "
                                    "WHERE name = 'Details'")));
    DowsingRecord d = sampleRecord(QStringLiteral("D"));
    QVERIFY(store.add(d));
    QCOMPARE(*d.IdNumber, Q_INT64_C(5000000001));
    QCOMPARE(store.find(*d.IdNumber)->Name, QStringLiteral("D"));
    QCOMPARE(store.keyIndex().toList().constLast(), Q_INT64_C(5000000001));
}

void TestRecordStore::storedFormsHaveNoNullsAndNoTimeOfDay()
{
    TestEnvironment env;
    RecordStore store;
    QCOMPARE(store.open(env.databasePath()), RecordStore::OpenResult::Opened);
    DowsingRecord empty;
    empty.Date = QDate(1900, 1, 1);
    QVERIFY(store.add(empty));

    RawDatabase raw(env.databasePath());
    QSqlQuery q(raw.db());
    QVERIFY(q.exec(QStringLiteral("SELECT * FROM Details")));
    QVERIFY(q.next());
    for (int i = 0; i < 13; ++i)
        QVERIFY2(!q.isNull(i), qPrintable(DowsingRecord::fieldNames().at(i)));
    QCOMPARE(q.value(0).toString(), QStringLiteral("1900-01-01"));
    QCOMPARE(q.value(1).toString(), QString());
    q.finish();
    // The table itself refuses a date with a time of day.
    QVERIFY(!raw.exec(QStringLiteral("INSERT INTO Details (Date) VALUES ('2009-03-07 10:00')")));
}

void TestRecordStore::updateAndRemoveWorkByKeyAndReportMissingRecords()
{
    TestEnvironment env;
    RecordStore store;
    QCOMPARE(store.open(env.databasePath()), RecordStore::OpenResult::Opened);
    QList<qint64> ids;
    for (int i = 0; i < 5; ++i) {
        DowsingRecord r = sampleRecord(QStringLiteral("N%1").arg(i));
        QVERIFY(store.add(r));
        ids.append(*r.IdNumber);
    }
    DowsingRecord changed = sampleRecord(QStringLiteral("CHANGED"));
    changed.IdNumber = ids.at(1);
    changed.Date = QDate(2050, 12, 31);
    changed.Time_Dowsing_Occured = QStringLiteral("24:15");
    QVERIFY(updateStored(store, changed));
    QCOMPARE(*store.find(ids.at(1)), changed);
    QCOMPARE(store.keyIndex().toList().at(1), ids.at(1));

    const DowsingRecord removed = *store.find(ids.at(2));
    QCOMPARE(store.remove(removed, QDateTime(QDate(2026, 12, 8), QTime(10, 0))), RecordStore::ChangeResult::Done);
    QCOMPARE(store.keyIndex().toList(), QVector<qint64>({ids[0], ids[1], ids[3], ids[4]}));

    QCOMPARE(store.remove(removed, QDateTime(QDate(2026, 12, 8), QTime(10, 0))), RecordStore::ChangeResult::Gone);
    QVERIFY(!store.errorText().isEmpty());
    changed.IdNumber = ids.at(2);
    QCOMPARE(store.update(removed, changed), RecordStore::ChangeResult::Gone);
    QVERIFY(!store.errorText().isEmpty());
    QVERIFY(!store.find(ids.at(2)).has_value());
    QVERIFY(store.errorText().isEmpty());
    QCOMPARE(store.count(), 4);
}

// Text is handed to the engine as UTF-8 on one road and UTF-16 on the other,
// and back as either; whatever the road, a field holds exactly what was
// written: a leading byte-order mark, formulas, other scripts.
void TestRecordStore::everyWriteKeepsTheTextAsGiven()
{
    TestEnvironment env;
    RecordStore store;
    QCOMPARE(store.open(env.databasePath()), RecordStore::OpenResult::Opened);
    const QDateTime when(QDate(2026, 12, 8), QTime(10, 0));
    for (const DowsingRecord &given : spreadsheetTroubleRecords()) {
        DowsingRecord added = given;
        QVERIFY2(store.add(added), qPrintable(store.errorText()));
        QCOMPARE(withoutKey(*store.find(*added.IdNumber)), withoutKey(given));

        DowsingRecord plain = sampleRecord(QStringLiteral("PLAIN"));
        QVERIFY(store.add(plain));
        DowsingRecord changed = given;
        changed.IdNumber = plain.IdNumber;
        QVERIFY2(updateStored(store, changed), qPrintable(store.errorText()));
        QCOMPARE(*store.find(*plain.IdNumber), changed);

        QCOMPARE(store.remove(changed, when), RecordStore::ChangeResult::Done);
        const auto kept = store.lastDeleted();
        QVERIFY(kept.has_value());
        QCOMPARE(withoutKey(kept->record), withoutKey(given));
        QCOMPARE(store.restore(*kept), RecordStore::ChangeResult::Done);
        QCOMPARE(*store.find(*plain.IdNumber), changed);
    }
}

void TestRecordStore::invalidDateIsRefused()
{
    TestEnvironment env;
    RecordStore store;
    QCOMPARE(store.open(env.databasePath()), RecordStore::OpenResult::Opened);
    DowsingRecord r = sampleRecord(QStringLiteral("X"));
    r.Date = QDate(2009, 2, 31); // not a calendar date: QDate is null
    QVERIFY(!store.add(r));
    QCOMPARE(store.errorText(), QStringLiteral("The Date Is Not A Valid Calendar Date"));
    QCOMPARE(store.count(), 0);
}

void TestRecordStore::recordTheFileDidNotTakeIsNotCalledSaved()
{
    TestEnvironment env;
    QVERIFY(runSql(env.databasePath(),
                   {QStringLiteral("CREATE TRIGGER drop_all BEFORE INSERT ON Details "
                                   "BEGIN SELECT RAISE(IGNORE); END")}));
    RecordStore store;
    QCOMPARE(store.open(env.databasePath()), RecordStore::OpenResult::Opened);
    DowsingRecord r = sampleRecord(QStringLiteral("IGNORED"));
    QVERIFY(!store.add(r));
    QVERIFY(!store.errorText().isEmpty());
    QVERIFY(!r.IdNumber.has_value());
    QCOMPARE(store.count(), 0);
}

void TestRecordStore::openReaderDoesNotBlockASave()
{
    TestEnvironment env;
    RecordStore writer;
    QCOMPARE(writer.open(env.databasePath()), RecordStore::OpenResult::Opened);
    for (int i = 0; i < 300; ++i) {
        DowsingRecord r = sampleRecord(QStringLiteral("R%1").arg(i));
        QVERIFY(writer.add(r));
    }

    // The list, on a connection of its own, in the middle of showing rows.
    // With a rollback journal any read left unfinished would hold every
    // save until it ends.
    RecordStore listed;
    QCOMPARE(listed.open(env.databasePath()), RecordStore::OpenResult::Opened);
    RecordListModel rows(listed);
    QVERIFY(rows.load());
    for (int row = 0; row < 40; ++row)
        QVERIFY(rows.data(rows.index(row, 1)).isValid());

    QElapsedTimer timer;
    timer.start();
    DowsingRecord r = sampleRecord(QStringLiteral("WHILE READING"));
    QVERIFY2(writer.add(r), qPrintable(writer.errorText()));
    DowsingRecord changed = *writer.find(*r.IdNumber);
    changed.Notes = QStringLiteral("changed while the list is open");
    QVERIFY2(updateStored(writer, changed), qPrintable(writer.errorText()));
    QVERIFY2(removeStored(writer, *r.IdNumber), qPrintable(writer.errorText()));
    // Waiting for a lock would have taken the whole busy timeout.
    QVERIFY2(timer.elapsed() < 1500, "a save waited for a reader");
    QCOMPARE(rows.data(rows.index(299, 1)).toString(), QStringLiteral("R299"));
}

void TestRecordStore::writesGoToTheFileNowAtThePath()
{
    TestEnvironment env;
    const QString path = env.databasePath();
    RecordStore store;
    QCOMPARE(store.open(path), RecordStore::OpenResult::Opened);
    DowsingRecord first = sampleRecord(QStringLiteral("FIRST"));
    QVERIFY(store.add(first));

    // A synced folder's client renames a newer copy, with more records,
    // over the file the store holds open.
    const QString incoming = QDir(env.folder()).filePath(QStringLiteral("incoming.tmp"));
    QVERIFY(QFile::copy(path, incoming));
    QVERIFY(runSql(incoming, {manyRecords(300)}));
    QCOMPARE(std::rename(QFile::encodeName(incoming).constData(),
                         QFile::encodeName(path).constData()),
             0);
    DowsingRecord after = sampleRecord(QStringLiteral("AFTER"));
    QVERIFY2(store.add(after), qPrintable(store.errorText()));
    QCOMPARE(integrityOf(path), QStringLiteral("ok"));
    const QList<DowsingRecord> held = storedRecords(path);
    QCOMPARE(held.size(), 302);
    QCOMPARE(held.constLast().Name, QStringLiteral("AFTER"));

    // Removed: every write is refused with the reason, and no file is made.
    QVERIFY(QFile::remove(path));
    DowsingRecord lost = sampleRecord(QStringLiteral("NOWHERE"));
    QVERIFY(!store.add(lost));
    QVERIFY2(store.errorText().contains(QLatin1String("no longer there")),
             qPrintable(store.errorText()));
    QCOMPARE(store.update(after, after), RecordStore::ChangeResult::Failed);
    QCOMPARE(store.remove(first, QDateTime(QDate(2026, 12, 8), QTime(10, 0))), RecordStore::ChangeResult::Failed);
    QVERIFY(!QFile::exists(path));
}

void TestRecordStore::everyWriteIsInTheFileAlone_data()
{
    QTest::addColumn<bool>("writeAheadLog");
    QTest::addColumn<bool>("otherConnection");
    QTest::addColumn<bool>("checkedBeside");
    QTest::newRow("shipped file") << false << false << false;
    QTest::newRow("write-ahead-log file") << true << false << false;
    QTest::newRow("write-ahead-log file checked on a second thread") << true << false << true;
    QTest::newRow("write-ahead-log file another connection keeps") << true << true << false;
}

// What users copy to back up or move their records is the one file: once
// a write is reported, a copy of it alone holds the write.
void TestRecordStore::everyWriteIsInTheFileAlone()
{
    QFETCH(bool, writeAheadLog);
    QFETCH(bool, otherConnection);
    QFETCH(bool, checkedBeside);
    TestEnvironment env;
    const QString path = env.databasePath();
    if (writeAheadLog)
        QVERIFY(setJournalMode(path, QStringLiteral("WAL")));
    std::unique_ptr<RawDatabase> other;
    if (otherConnection) {
        other = std::make_unique<RawDatabase>(path);
        QVERIFY(other->exec(QStringLiteral("SELECT count(*) FROM Details")));
    }
    const qint64 largeFileBytes = RecordStore::largeFileBytes();
    if (checkedBeside)
        RecordStore::setLargeFileBytes(0);
    RecordStore store;
    const RecordStore::OpenResult opened = store.open(path);
    RecordStore::setLargeFileBytes(largeFileBytes);
    QCOMPARE(opened, RecordStore::OpenResult::Opened);

    QTemporaryDir elsewhere;
    const auto namesInCopy = [&] {
        const QString copy = RecordStore::databasePath(elsewhere.path());
        QFile::remove(copy);
        QFile::copy(path, copy);
        QStringList names;
        for (const DowsingRecord &r : storedRecords(copy))
            names.append(r.Name);
        return names;
    };
    DowsingRecord a = sampleRecord(QStringLiteral("A"));
    DowsingRecord b = sampleRecord(QStringLiteral("B"));
    QVERIFY2(store.add(a) && store.add(b), qPrintable(store.errorText()));
    QCOMPARE(namesInCopy(), QStringList({QStringLiteral("A"), QStringLiteral("B")}));
    a.Name = QStringLiteral("A CHANGED");
    QVERIFY2(updateStored(store, a), qPrintable(store.errorText()));
    QVERIFY2(removeStored(store, *b.IdNumber), qPrintable(store.errorText()));
    QCOMPARE(namesInCopy(), QStringList{QStringLiteral("A CHANGED")});

    // With the other connection gone, the file keeps a rollback journal.
    other.reset();
    DowsingRecord c = sampleRecord(QStringLiteral("C"));
    QVERIFY2(store.add(c), qPrintable(store.errorText()));
    QVERIFY(!QFile::exists(path + QStringLiteral("-wal")));
}

void TestRecordStore::damageFoundBesideTheWindowStopsEveryWrite()
{
    TestEnvironment env;
    const QString path = env.databasePath();
    QVERIFY(runSql(path, {manyRecords(300)}));
    QVERIFY(spoilMiddlePage(path));
    const QByteArray before = fileBytes(path);

    const qint64 largeFileBytes = RecordStore::largeFileBytes();
    RecordStore::setLargeFileBytes(0);
    RecordStore store;
    const RecordStore::OpenResult opened = store.open(path);
    RecordStore::setLargeFileBytes(largeFileBytes);
    // The check may be over before open returns; then open refuses the file.
    if (opened == RecordStore::OpenResult::Opened) {
        DowsingRecord r = sampleRecord(QStringLiteral("AFTER DAMAGE"));
        QVERIFY(!store.add(r));
        QVERIFY2(store.errorText().contains(QLatin1String("damaged")),
                 qPrintable(store.errorText()));
        DowsingRecord first;
        first.IdNumber = 1;
        QCOMPARE(store.remove(first, QDateTime(QDate(2026, 12, 8), QTime(10, 0))), RecordStore::ChangeResult::Failed);
    } else {
        QCOMPARE(opened, RecordStore::OpenResult::Unusable);
        QVERIFY2(store.errorText().contains(QLatin1String("damaged")),
                 qPrintable(store.errorText()));
    }
    store.close();
    QCOMPARE(fileBytes(path), before);
}

QTEST_GUILESS_MAIN(TestRecordStore)
#include "tst_recordstore.moc"
