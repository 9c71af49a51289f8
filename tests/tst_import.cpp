// File > Import through RecordTransfer with every dialog, question, file and
// progress answered by the fakes: every export imports again field for
// field, also text a spreadsheet would run and bytes that are not text; the
// import's two passes show progress, a cancel in either leaves the database
// file exactly as it was, and so does a file changed between them; the
// question and the outcome count records and skipped rows.

#include "support/ExternalReaders.h"
#include "support/FakePlatform.h"
#include "support/RecordFixtures.h"
#include "support/TestDatabase.h"
#include "support/TestFiles.h"

#include "app/RecordTransfer.h"
#include "store/RecordCsv.h"
#include "store/RecordStore.h"

#include <QFile>
#include <QFileInfo>
#include <QSqlQuery>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <QtTest>

using namespace Orvane;
using namespace Orvane::Testing;
using Icon = MessageBoxes::Icon;
using Outcome = RecordTransfer::Outcome;

namespace {

// A CSV of records, with two rows of empty fields among them.
QByteArray manyRows(int count)
{
    QByteArray csv = RecordCsv::fileStart();
    for (int i = 0; i < count; ++i) {
        csv += "2010-05-01,CUSTOMER " + QByteArray::number(i) + ",,,,,,,10:30,Rods,water,,n\r\n";
        if (i == count / 2 || i == count - 1)
            csv += ",,,,,,,,,,,,\r\n";
    }
    return csv;
}

// The find index's blocks as stored, and the blocks still noted stale.
QStringList findBlocks(const QString &database)
{
    RawDatabase raw(database);
    QSqlQuery query(raw.db());
    QStringList blocks;
    query.exec(QStringLiteral("SELECT Block, hex(Data) FROM FindText ORDER BY Block"));
    while (query.next())
        blocks.append(query.value(0).toString() + QLatin1Char(' ') + query.value(1).toString());
    query.exec(QStringLiteral("SELECT Block FROM FindStale"));
    while (query.next())
        blocks.append(QStringLiteral("stale ") + query.value(0).toString());
    return blocks;
}

// The Date column of every record as its bytes in hex, in order of addition.
QStringList storedDateBytes(const QString &database)
{
    RawDatabase raw(database);
    QSqlQuery query(raw.db());
    QStringList dates;
    query.exec(QStringLiteral("SELECT hex(Date) FROM Details ORDER BY IdNumber"));
    while (query.next())
        dates.append(query.value(0).toString());
    return dates;
}

QString hexOf(const QString &text)
{
    return QString::fromLatin1(text.toUtf8().toHex().toUpper());
}

bool journalLeftBeside(const QString &database)
{
    return QFile::exists(database + QStringLiteral("-journal"))
            || QFile::exists(database + QStringLiteral("-wal"));
}

} // namespace

class TestImport : public QObject
{
    Q_OBJECT

private slots:
    void everyExportImportsAgainFieldForField();
    void aDateAnotherProgramStoredComesBackAsStored_data();
    void aDateAnotherProgramStoredComesBackAsStored();
    void aTextOfManyMegabytesComesBackWhole();
    void bothPassesShowProgressAndACancelLeavesTheFileAsItWas();
    void aFileChangedAfterItsCheckAddsNothing();
    void oneRecordIsAskedForAsIt();
};

void TestImport::everyExportImportsAgainFieldForField()
{
    TestEnvironment env;
    QTemporaryDir out;
    QList<DowsingRecord> originals = spreadsheetTroubleRecords();
    DowsingRecord controls = customerRecord(QStringLiteral("\tTAB FIRST"));
    controls.Address = QStringLiteral("\rCR first\r\nthen CRLF");
    controls.Notes = QString(60000, QLatin1Char('n')) + QStringLiteral("\n=end");
    originals.append(controls);
    addRecords(env.databasePath(), originals);
    // Another program stored Latin-1 bytes and a zero character.
    QVERIFY(runSql(env.databasePath(),
                   {QStringLiteral("INSERT INTO Details (Date, Name, Notes, Location_Dowsing_Occured) "
                                   "VALUES ('2010-02-01', 'RAW', CAST(X'4DFC6C6C6572' AS TEXT), "
                                   "CAST(X'410042' AS TEXT))")}));
    DowsingRecord raw;
    raw.Date = QDate(2010, 2, 1);
    raw.Name = QStringLiteral("RAW");
    raw.Notes = QStringLiteral("Müller");
    raw.Location_Dowsing_Occured = QStringLiteral("A\uFFFDB");

    const QString csv = out.filePath(QStringLiteral("records.csv"));
    env.dialogs.nextSaveName = csv;
    RecordTransfer transfer;
    QCOMPARE(transfer.exportRecords(nullptr, std::nullopt), Outcome::Done);
    const QString told = env.messages.shown.at(0).text;
    QVERIFY2(told.contains(QStringLiteral("2 fields held bytes that are not UTF-8 text"))
                     && told.contains(QStringLiteral("Windows-1252"))
                     && told.contains(QStringLiteral("unchanged")),
             qPrintable(told));
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8(fileBytes(csv));
    QVERIFY(!utf8.hasError());

    // What other readers see: no field a spreadsheet would run.
    QList<QStringList> rows;
    QString why;
    if (pythonCsvRows(csv, &rows, &why)) {
        QCOMPARE(rows.size(), originals.size() + 2);
        for (const QStringList &row : rows) {
            for (const QString &field : row)
                QVERIFY2(field.isEmpty() || !QStringLiteral("=+-@\t\r").contains(field.at(0)),
                         qPrintable(field));
        }
    } else {
        qWarning("The CSV is not read back by an independent reader: %s", qPrintable(why));
    }

    QVERIFY(QFile::remove(env.databasePath()));
    QVERIFY(TestEnvironment::copyShippedDatabase(env.databasePath()));
    env.dialogs.nextOpenName = csv;
    QCOMPARE(transfer.importRecords(nullptr), Outcome::Done);
    originals.append(raw);
    const QList<DowsingRecord> back = storedRecords(env.databasePath());
    QCOMPARE(back.size(), originals.size());
    for (int i = 0; i < back.size(); ++i)
        QCOMPARE(csvFieldsOf(back.at(i)), csvFieldsOf(originals.at(i)));
}

void TestImport::aDateAnotherProgramStoredComesBackAsStored_data()
{
    QTest::addColumn<QString>("date");
    QTest::addColumn<QByteArray>("cell");
    QTest::addColumn<bool>("checkedTableTakesIt");
    QTest::newRow("the program's own") << "2009-03-07" << QByteArray("2009-03-07,") << true;
    QTest::newRow("before the first year") << "-0001-01-01" << QByteArray("'-0001-01-01,") << true;
    QTest::newRow("year nought") << "0000-01-01" << QByteArray("'0000-01-01,") << true;
    QTest::newRow("a day no month has") << "2009-02-31" << QByteArray("'2009-02-31,") << true;
    QTest::newRow("a time of day after it")
            << "2009-03-07 10:00" << QByteArray("'2009-03-07 10:00,") << false;
    QTest::newRow("another order") << "07/03/2009" << QByteArray("'07/03/2009,") << false;
    QTest::newRow("a comma and quotes")
            << "7 March, \"2009\"" << QByteArray("\"'7 March, \"\"2009\"\"\",") << false;
}

// Another program stored a date the calendar or the table's check does not
// know. The export writes it whole, marked; the import stores exactly those
// bytes again where the table takes them (the shipped table checks dates as
// the engine reads them; a table another tool made may check none), and
// where it does not, refuses the import, naming the date.
void TestImport::aDateAnotherProgramStoredComesBackAsStored()
{
    QFETCH(QString, date);
    QFETCH(QByteArray, cell);
    QFETCH(bool, checkedTableTakesIt);
    TestEnvironment env;
    QTemporaryDir out;
    QVERIFY(storeWithDateText(env.databasePath(), QStringLiteral("OTHER PROGRAM"), date));
    QCOMPARE(storedDateBytes(env.databasePath()), QStringList{hexOf(date)});
    const QString csv = out.filePath(QStringLiteral("dates.csv"));
    env.dialogs.nextSaveName = csv;
    RecordTransfer transfer;
    QCOMPARE(transfer.exportRecords(nullptr, std::nullopt), Outcome::Done);
    const QByteArray written = fileBytes(csv);
    QCOMPARE(written.mid(RecordCsv::fileStart().size(), cell.size()), cell);

    for (const bool checked : {true, false}) {
        QVERIFY(QFile::remove(env.databasePath()));
        QVERIFY(TestEnvironment::copyShippedDatabase(env.databasePath()));
        if (!checked)
            QVERIFY(dropDateCheck(env.databasePath()));
        env.messages.clear();
        env.dialogs.nextOpenName = csv;
        const bool taken = !checked || checkedTableTakesIt;
        QCOMPARE(transfer.importRecords(nullptr), taken ? Outcome::Done : Outcome::Failed);
        QCOMPARE(storedDateBytes(env.databasePath()), taken ? QStringList{hexOf(date)} : QStringList());
        if (!taken)
            QVERIFY2(env.messages.texts().constLast().contains(
                             QStringLiteral("The date \"%1\" could not be stored").arg(date)),
                     qPrintable(env.messages.texts().join(QLatin1Char('|'))));
    }
}

// Another program stored notes of 70 MB, more than the 64 MB a row of a CSV
// once could hold in the import: the export of them imports again, whole.
void TestImport::aTextOfManyMegabytesComesBackWhole()
{
    TestEnvironment env;
    QTemporaryDir out;
    const QString notes = QStringLiteral("\"water\", at three metres; ").repeated(80 << 15);
    {
        RawDatabase raw(env.databasePath());
        QSqlQuery insert(raw.db());
        QVERIFY(insert.prepare(QStringLiteral("INSERT INTO Details (Date, Name, Notes) "
                                              "VALUES ('2009-03-07', 'LONG NOTES', ?)")));
        insert.addBindValue(notes);
        QVERIFY(insert.exec());
    }
    const QString csv = out.filePath(QStringLiteral("long.csv"));
    env.dialogs.nextSaveName = csv;
    RecordTransfer transfer;
    QCOMPARE(transfer.exportRecords(nullptr, std::nullopt), Outcome::Done);
    QVERIFY(QFileInfo(csv).size() > qint64(64) << 20);

    QVERIFY(QFile::remove(env.databasePath()));
    QVERIFY(TestEnvironment::copyShippedDatabase(env.databasePath()));
    env.messages.clear();
    env.dialogs.nextOpenName = csv;
    QCOMPARE(transfer.importRecords(nullptr), Outcome::Done);
    RawDatabase raw(env.databasePath());
    QSqlQuery stored(raw.db());
    QVERIFY(stored.prepare(QStringLiteral("SELECT Name, Notes = ? FROM Details")));
    stored.addBindValue(notes);
    QVERIFY(stored.exec() && stored.next());
    QCOMPARE(stored.value(0).toString(), QStringLiteral("LONG NOTES"));
    QCOMPARE(stored.value(1).toInt(), 1);
    QVERIFY(!stored.next());
}

void TestImport::bothPassesShowProgressAndACancelLeavesTheFileAsItWas()
{
    TestEnvironment env;
    QTemporaryDir out;
    addRecords(env.databasePath(), {customerRecord(QStringLiteral("BEFORE"))});
    const QByteArray before = digestOf(env.databasePath());
    const QString csv = out.filePath(QStringLiteral("many.csv"));
    QVERIFY(writeFile(csv, manyRows(10000)));
    env.dialogs.nextOpenName = csv;
    RecordTransfer transfer;

    // Step 1 is in the check, 3 before the first batch is added, 4 after it.
    for (const int step : {1, 4, 5}) {
        env.messages.clear();
        env.progress.steps = 0;
        env.progress.cancelAtStep = step;
        QCOMPARE(transfer.importRecords(nullptr), Outcome::Cancelled);
        QVERIFY2(env.messages.texts().last().contains(
                         QStringLiteral("cancelled: no record was imported")),
                 qPrintable(env.messages.texts().join(QLatin1Char('|'))));
        QCOMPARE(digestOf(env.databasePath()), before);
        QVERIFY(!journalLeftBeside(env.databasePath()));
    }

    env.messages.clear();
    env.progress.steps = 0;
    env.progress.cancelAtStep = 0;
    env.progress.started = 0;
    QCOMPARE(transfer.importRecords(nullptr), Outcome::Done);
    QCOMPARE(env.progress.started, 2);
    const QString many = RecordTransfer::recordCount(10000);
    QCOMPARE(env.progress.lastLabel, QStringLiteral("Importing %1...").arg(many));
    QCOMPARE(env.progress.lastMaximum, 10000);
    QVERIFY(env.progress.steps >= 5);
    const QStringList texts = env.messages.texts();
    QVERIFY2(texts.at(0).contains(many + QStringLiteral(" will be added"))
                     && texts.at(0).contains(QStringLiteral("2 rows with every field empty were "
                                                            "skipped"))
                     && texts.at(0).endsWith(QStringLiteral("Do you want to add them?")),
             qPrintable(texts.at(0)));
    QVERIFY2(texts.at(1).contains(many + QStringLiteral(" imported"))
                     && texts.at(1).contains(QStringLiteral("2 rows")),
             qPrintable(texts.at(1)));
    QCOMPARE(storedRecords(env.databasePath()).size(), 10001);

    // The index made batch by batch, beside the older record's block, is
    // the index made anew from the table.
    const QStringList imported = findBlocks(env.databasePath());
    const QString copy = out.filePath(QStringLiteral("copy.dll"));
    QVERIFY(QFile::copy(env.databasePath(), copy));
    RecordStore rebuilt;
    QCOMPARE(rebuilt.open(copy), RecordStore::OpenResult::Opened);
    QVERIFY(rebuilt.addFindIndex([](qint64, qint64) { return true; }));
    rebuilt.close();
    QCOMPARE(imported.size(), 40);
    QCOMPARE(imported, findBlocks(copy));
}

void TestImport::aFileChangedAfterItsCheckAddsNothing()
{
    TestEnvironment env;
    QTemporaryDir out;
    addRecords(env.databasePath(), {customerRecord(QStringLiteral("BEFORE"))});
    const QByteArray before = digestOf(env.databasePath());
    const QString csv = out.filePath(QStringLiteral("changing.csv"));
    const QList<QByteArray> changes = {
        manyRows(6000),                                      // fewer records
        manyRows(9000).replace("2010-05-01,CUSTOMER 8000", "2021-02-30,CUSTOMER 8000"),
        manyRows(9000) + "2010-05-01,ONE MORE,,,,,,,,,,,\r\n", // more
    };
    RecordTransfer transfer;
    for (const QByteArray &changed : changes) {
        QVERIFY(writeFile(csv, manyRows(9000)));
        env.dialogs.nextOpenName = csv;
        env.messages.clear();
        env.messages.whileOpen = [&](const FakeMessageBoxes::Shown &) {
            QVERIFY(writeFile(csv, changed));
            env.messages.whileOpen = nullptr;
        };
        QCOMPARE(transfer.importRecords(nullptr), Outcome::Failed);
        QCOMPARE(env.messages.shown.last().icon, Icon::Critical);
        QVERIFY2(env.messages.shown.last().text.contains(QStringLiteral("changed after it was "
                                                                        "checked")),
                 qPrintable(env.messages.shown.last().text));
        QCOMPARE(digestOf(env.databasePath()), before);
    }
}

void TestImport::oneRecordIsAskedForAsIt()
{
    TestEnvironment env;
    QTemporaryDir out;
    const QString csv = out.filePath(QStringLiteral("one.csv"));
    QVERIFY(writeFile(csv, "Date,Name\n2010-01-15,ANNE\n,\n"));
    env.dialogs.nextOpenName = csv;
    env.messages.answers.enqueue(MessageBoxes::Answer::No);
    RecordTransfer transfer;
    QCOMPARE(transfer.importRecords(nullptr), Outcome::Cancelled);
    QCOMPARE(env.messages.shown.at(0).text,
             QStringLiteral("1 record will be added to the database from \"%1\".\r\r1 row with "
                            "every field empty was skipped.\r\rDo you want to add it?")
                     .arg(QDir::toNativeSeparators(csv)));
}

QTEST_MAIN(TestImport)
#include "tst_import.moc"
