// The record store: which files it refuses (and leaves untouched), the order
// and keys of records, and that readers never get in the way of a save.

#include "support/FakePlatform.h"
#include "support/TestDatabase.h"
#include "support/TestFiles.h"

#include "store/RecordStore.h"

#include <QDir>
#include <QFile>
#include <QSqlQuery>
#include <QtTest>

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
    void openReaderDoesNotBlockASave();
};

void TestRecordStore::opensTheShippedDatabase()
{
    TestEnvironment env;
    RecordStore store;
    QCOMPARE(store.open(env.databasePath()), RecordStore::OpenResult::Opened);
    QVERIFY(store.isOpen());
    QCOMPARE(store.count(), 0);
    QVERIFY(store.idNumbers().isEmpty());
    QVERIFY(store.errorText().isEmpty());
}

void TestRecordStore::missingFileIsNeverCreated()
{
    TestEnvironment env(false);
    RecordStore store;
    QCOMPARE(store.open(env.databasePath()), RecordStore::OpenResult::Missing);
    QVERIFY(!QFile::exists(env.databasePath()));

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
}

void TestRecordStore::unusableFilesAreRefusedAndLeftAsTheyWere()
{
    QFETCH(QString, kind);
    QFETCH(QString, reasonPart);
    TestEnvironment env(kind == QLatin1String("truncated"));
    const QString path = env.databasePath();
    if (kind == QLatin1String("text")) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("These are my dowsing notes, not a database.\n");
    } else if (kind == QLatin1String("truncated")) {
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
        QVERIFY(file.resize(4096 + 100));
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
    const QVector<qint64> ids = reader.idNumbers();
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
    QVERIFY(store.remove(*b.IdNumber));
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
    QCOMPARE(store.idNumbers().constLast(), Q_INT64_C(5000000001));
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
    QVERIFY(store.update(changed));
    QCOMPARE(*store.find(ids.at(1)), changed);
    QCOMPARE(store.idNumbers().at(1), ids.at(1));

    QVERIFY(store.remove(ids.at(2)));
    QCOMPARE(store.idNumbers(), QVector<qint64>({ids[0], ids[1], ids[3], ids[4]}));

    QVERIFY(!store.remove(ids.at(2)));
    QVERIFY(!store.errorText().isEmpty());
    changed.IdNumber = ids.at(2);
    QVERIFY(!store.update(changed));
    QVERIFY(!store.errorText().isEmpty());
    QVERIFY(!store.find(ids.at(2)).has_value());
    QVERIFY(store.errorText().isEmpty());
    QCOMPARE(store.count(), 4);
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

void TestRecordStore::openReaderDoesNotBlockASave()
{
    TestEnvironment env;
    RecordStore writer;
    QCOMPARE(writer.open(env.databasePath()), RecordStore::OpenResult::Opened);
    for (int i = 0; i < 300; ++i) {
        DowsingRecord r = sampleRecord(QStringLiteral("R%1").arg(i));
        QVERIFY(writer.add(r));
    }

    // Another connection stands in the middle of reading every row, holding
    // its read open, as a list over the table might.
    RawDatabase reader(env.databasePath());
    QSqlQuery rows(reader.db());
    rows.setForwardOnly(true);
    QVERIFY(rows.exec(QStringLiteral("SELECT * FROM Details ORDER BY IdNumber")));
    QVERIFY(rows.next());
    QVERIFY(rows.next());

    QElapsedTimer timer;
    timer.start();
    DowsingRecord r = sampleRecord(QStringLiteral("WHILE READING"));
    QVERIFY2(writer.add(r), qPrintable(writer.errorText()));
    DowsingRecord changed = *writer.find(*r.IdNumber);
    changed.Notes = QStringLiteral("changed while the list is open");
    QVERIFY2(writer.update(changed), qPrintable(writer.errorText()));
    QVERIFY2(writer.remove(*r.IdNumber), qPrintable(writer.errorText()));
    // Waiting for a lock would have taken the whole busy timeout.
    QVERIFY2(timer.elapsed() < 1500, "a save waited for a reader");
    QVERIFY(rows.next());
    rows.finish();
}

QTEST_GUILESS_MAIN(TestRecordStore)
#include "tst_recordstore.moc"
