// File > Export, Import and Back Up through the app layer's RecordTransfer,
// with every dialog, question, file and progress answered by the fakes: the
// CSV an independent reader reads back, the round trip into an empty
// database, a refused import that names its line and changes nothing, an
// export that fails or is cancelled leaving no file, and a back-up that
// opens and lists every record.

#include "support/ExternalReaders.h"
#include "support/FakePlatform.h"
#include "support/RecordFixtures.h"
#include "support/TestDatabase.h"
#include "support/TestFiles.h"

#include "app/RecordTransfer.h"
#include "platform/DialogFolder.h"
#include "platform/QtPlatform.h"
#include "store/RecordCsv.h"
#include "store/RecordStore.h"

#include <QDir>
#include <QFile>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QFileDialog>
#include <QTimer>
#include <QtTest>

#include <limits>

using namespace Orvane;
using namespace Orvane::Testing;
using Icon = MessageBoxes::Icon;
using Outcome = RecordTransfer::Outcome;

namespace {

DowsingRecord record(const QDate &date, const QString &name, const QString &notes)
{
    DowsingRecord r;
    r.Date = date;
    r.Name = name;
    r.Address = QStringLiteral("12, \"Old\" Mill Road\nFlat 3");
    r.City = QStringLiteral("MÜNCHEN");
    r.State = QStringLiteral("BAYERN");
    r.Pin = QStringLiteral("80331");
    r.Phone_No = QStringLiteral("089.123");
    r.Email = QStringLiteral("a@example.org");
    r.Time_Dowsing_Occured = QStringLiteral("24:05");
    r.Dowsing_Tool = QStringLiteral("Rods");
    r.Item_Dowsing_For = QStringLiteral("Missing Person");
    r.Location_Dowsing_Occured = QStringLiteral("LAKE");
    r.Notes = notes;
    return r;
}

// Quotes, commas, line breaks of both kinds, accents and other scripts
// (Cyrillic, Devanagari, CJK, beyond the BMP), empty fields, and a stored
// time the selectors do not offer.
QList<DowsingRecord> awkwardRecords()
{
    QList<DowsingRecord> list;
    list.append(record(QDate(2009, 3, 7), QStringLiteral("ANNE"),
                       QStringLiteral("He said \"dig here\", then left.\nSecond line\r\nThird")));
    DowsingRecord b = record(QDate(1900, 1, 1), QStringLiteral("ÉLODIE"),
                             QStringLiteral("Привет, मित्र; 水脈 𝄞 ☔"));
    b.Dowsing_Tool = QStringLiteral("Copper \"L\" rod, bent");
    b.Item_Dowsing_For = QStringLiteral("Öl");
    b.Time_Dowsing_Occured = QStringLiteral("25:99");
    b.Email.clear();
    b.Address.clear();
    list.append(b);
    DowsingRecord c = record(QDate(2050, 12, 31), QStringLiteral("\"QUOTED\""), QString());
    c.Notes = QStringLiteral(",\n,\"\"");
    list.append(c);
    return list;
}

QStringList filesIn(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
}

} // namespace

class TestTransfer : public QObject
{
    Q_OBJECT

private slots:
    void exportReadsBackAndImportsIntoAnEmptyDatabase();
    void exportOfChosenKeysKeepsTheirOrder();
    void exportTakesRecordsUnderAnyKey();
    void badRowRefusesTheWholeImportNamingItsLine();
    void badRowsAreRefusedWithTheirReason_data();
    void badRowsAreRefusedWithTheirReason();
    void failedOrCancelledExportLeavesNoFile();
    void fullDiskLeavesNoFile();
    void backUpOpensAndListsEveryRecord();
    void backUpRefusesTheDatabaseItselfAndCancelsCleanly();
    void fileDialogsStartWhereTheUserLastChose_data();
    void fileDialogsStartWhereTheUserLastChose();
    void theRealDialogOpensThereAndRemembersTheChoice();
};

void TestTransfer::exportReadsBackAndImportsIntoAnEmptyDatabase()
{
    TestEnvironment env;
    QTemporaryDir out;
    const QList<DowsingRecord> originals = awkwardRecords();
    addRecords(env.databasePath(), originals);
    const QString csv = out.filePath(QStringLiteral("records.csv"));
    env.dialogs.nextSaveName = csv;

    RecordTransfer transfer;
    QCOMPARE(transfer.exportRecords(nullptr, std::nullopt), Outcome::Done);
    QCOMPARE(env.dialogs.lastFilter, QStringLiteral("CSV files (*.csv)"));
    QCOMPARE(env.dialogs.lastSuffix, QStringLiteral("csv"));
    QCOMPARE(env.messages.shown.size(), 1);
    QVERIFY(env.messages.shown.at(0).text.contains(QStringLiteral("3 records exported")));
    QCOMPARE(env.messages.shown.at(0).icon, Icon::Information);

    const QByteArray bytes = fileBytes(csv);
    QVERIFY(bytes.startsWith("\xEF\xBB\xBF" "Date,Name,Address,City,State,Pin,Phone Number,"
                             "Email,Dowsing Time,Dowsing Tool,Dowsing Item,Location,Notes\r\n"));
    QVERIFY(bytes.endsWith("\r\n"));
    QVERIFY(bytes.contains("\"He said \"\"dig here\"\", then left.\nSecond line\r\nThird\""));

    // An independent reader.
    QList<QStringList> rows;
    QString why;
    if (pythonCsvRows(csv, &rows, &why)) {
        QCOMPARE(rows.size(), 4);
        QCOMPARE(rows.at(0), RecordCsv::headerNames());
        for (int i = 0; i < originals.size(); ++i)
            QCOMPARE(rows.at(i + 1), csvFieldsOf(originals.at(i)));
    } else {
        qWarning("The CSV is not read back by an independent reader: %s", qPrintable(why));
    }

    // Into an empty copy of the shipped database.
    QVERIFY(QFile::remove(env.databasePath()));
    QVERIFY(TestEnvironment::copyShippedDatabase(env.databasePath()));
    env.messages.clear();
    env.dialogs.nextOpenName = csv;
    QCOMPARE(transfer.importRecords(nullptr), Outcome::Done);
    QCOMPARE(env.dialogs.lastFilter, QStringLiteral("CSV files (*.csv)"));
    QCOMPARE(env.messages.shown.size(), 2);
    QCOMPARE(env.messages.shown.at(0).buttons, MessageBoxes::Buttons::YesNo);
    QCOMPARE(env.messages.shown.at(0).defaultAnswer, MessageBoxes::Answer::No);
    QVERIFY(env.messages.shown.at(0).text.contains(QStringLiteral("3 records will be added")));
    QVERIFY(env.messages.shown.at(1).text.contains(QStringLiteral("3 records imported")));

    const QList<DowsingRecord> back = storedRecords(env.databasePath());
    QCOMPARE(back.size(), originals.size());
    for (int i = 0; i < back.size(); ++i) {
        QCOMPARE(csvFieldsOf(back.at(i)), csvFieldsOf(originals.at(i)));
        QCOMPARE(withoutKey(back.at(i)), withoutKey(originals.at(i)));
    }

    // No is the answer that adds nothing.
    env.messages.clear();
    env.messages.answers.enqueue(MessageBoxes::Answer::No);
    QCOMPARE(transfer.importRecords(nullptr), Outcome::Cancelled);
    QCOMPARE(storedRecords(env.databasePath()).size(), originals.size());
}

void TestTransfer::exportOfChosenKeysKeepsTheirOrder()
{
    TestEnvironment env;
    QTemporaryDir out;
    const QList<DowsingRecord> originals = awkwardRecords();
    const QVector<qint64> keys = addRecords(env.databasePath(), originals);
    const QString csv = out.filePath(QStringLiteral("chosen.csv"));
    env.dialogs.nextSaveName = csv;
    RecordTransfer transfer;
    QCOMPARE(transfer.exportRecords(nullptr, QVector<qint64>{keys.at(2), keys.at(0)}),
             Outcome::Done);
    const RecordCsv::ReadResult read = RecordCsv::read(fileBytes(csv));
    QVERIFY2(read.ok(), qPrintable(read.error));
    QCOMPARE(read.records.size(), 2);
    QCOMPARE(read.records.at(0), withoutKey(originals.at(2)));
    QCOMPARE(read.records.at(1), withoutKey(originals.at(0)));
}

// Another program may store records under any key the engine takes: the
// least and the greatest, below zero, zero; the export of every record
// writes each of them, in order of addition.
void TestTransfer::exportTakesRecordsUnderAnyKey()
{
    TestEnvironment env;
    QTemporaryDir out;
    addRecords(env.databasePath(), awkwardRecords());
    const QList<qint64> oddKeys = {std::numeric_limits<qint64>::min(), -5, 0,
                                   std::numeric_limits<qint64>::max()};
    QStringList inserts;
    for (qint64 key : oddKeys)
        inserts.append(QStringLiteral("INSERT INTO Details (Date, Name, IdNumber) "
                                      "VALUES ('2011-02-03', 'KEY %1', %1)")
                               .arg(key));
    QVERIFY(runSql(env.databasePath(), inserts));
    const QString csv = out.filePath(QStringLiteral("all.csv"));
    env.dialogs.nextSaveName = csv;
    RecordTransfer transfer;
    QCOMPARE(transfer.exportRecords(nullptr, std::nullopt), Outcome::Done);
    QVERIFY(env.messages.shown.at(0).text.contains(QStringLiteral("7 records exported")));

    const RecordCsv::ReadResult read = RecordCsv::read(fileBytes(csv));
    QVERIFY2(read.ok(), qPrintable(read.error));
    const QList<DowsingRecord> stored = storedRecords(env.databasePath());
    QCOMPARE(read.records.size(), stored.size());
    for (qsizetype i = 0; i < stored.size(); ++i)
        QCOMPARE(read.records.at(i), withoutKey(stored.at(i)));
}

void TestTransfer::badRowRefusesTheWholeImportNamingItsLine()
{
    TestEnvironment env;
    QTemporaryDir out;
    addRecords(env.databasePath(), {awkwardRecords().at(0)});
    const QList<DowsingRecord> before = storedRecords(env.databasePath());
    // Line 1 the header, line 2-3 a record whose notes hold a line break,
    // line 4 a good record, line 5 one dated 30 February.
    const QByteArray header = RecordCsv::fileStart();
    const QByteArray good = "2020-01-02,A,,,,,,,10:30,Rods,water,,";
    const QByteArray bytes = header + good + "\"one\r\ntwo\"\r\n" + good + "\r\n"
            + "2021-02-30,B,,,,,,,10:30,Rods,water,,\r\n" + good + "\r\n";
    const QString csv = out.filePath(QStringLiteral("bad.csv"));
    QVERIFY(writeFile(csv, bytes));
    env.dialogs.nextOpenName = csv;

    RecordTransfer transfer;
    QCOMPARE(transfer.importRecords(nullptr), Outcome::Failed);
    QCOMPARE(env.messages.shown.size(), 1);
    const QString text = env.messages.shown.at(0).text;
    QCOMPARE(env.messages.shown.at(0).icon, Icon::Critical);
    QVERIFY2(text.contains(QStringLiteral("line 5")), qPrintable(text));
    QVERIFY2(text.contains(QStringLiteral("\"2021-02-30\" is not a calendar date")),
             qPrintable(text));
    QCOMPARE(storedRecords(env.databasePath()), before);
}

void TestTransfer::badRowsAreRefusedWithTheirReason_data()
{
    QTest::addColumn<QByteArray>("rows");
    QTest::addColumn<int>("line");
    QTest::addColumn<QString>("reason");
    const QByteArray good = "2020-01-02,A,,,,,,,10:30,Rods,water,,\r\n";
    // A time of another form and an empty line are no longer refused: see
    // tst_csv's variants.
    QTest::newRow("fields") << good + good + "2020-01-02,A,,,,,,,10:30,Rods,water,\r\n" << 4
                            << QStringLiteral("12 fields where 13");
    QTest::newRow("stray quote") << QByteArray("2020-01-02,A\"B,,,,,,,10:30,Rods,water,,\r\n")
                                 << 2 << QStringLiteral("not enclosed");
    QTest::newRow("unclosed") << good + "2020-01-02,\"A,,,,,,,10:30,Rods,water,,\r\n" << 3
                              << QStringLiteral("not closed");
    QTest::newRow("after quote") << good + "2020-01-02,\"A\"x,,,,,,,10:30,Rods,water,,\r\n" << 3
                                 << QStringLiteral("follows the closing quote");
    QTest::newRow("date form") << good + "2/1/2020,A,,,,,,,10:30,Rods,water,,\r\n" << 3
                               << QStringLiteral("yyyy-MM-dd");
    QTest::newRow("zero character")
            << good + QByteArray("2020-01-02,A,,,,,,,10:30,Rods,water,\"A\0ZZZ\",\r\n", 46) << 3
            << QStringLiteral("the column \"Location\" holds a zero character");
}

void TestTransfer::badRowsAreRefusedWithTheirReason()
{
    QFETCH(QByteArray, rows);
    QFETCH(int, line);
    QFETCH(QString, reason);
    const RecordCsv::ReadResult read = RecordCsv::read(RecordCsv::fileStart() + rows);
    QVERIFY(!read.ok());
    QCOMPARE(read.errorLine, line);
    QVERIFY2(read.error.contains(reason), qPrintable(read.error));
    QVERIFY(read.records.isEmpty());

    // The header is required.
    QVERIFY(!RecordCsv::read("2020-01-02,A,,,,,,,10:30,Rods,water,,\r\n").ok());
    // The byte-order mark is not; empty lines at the very end are ignored.
    QVERIFY(RecordCsv::read(RecordCsv::fileStart().mid(3)).ok());
    const RecordCsv::ReadResult tail = RecordCsv::read(
            RecordCsv::fileStart() + "2020-01-02,A,,,,,,,10:30,Rods,water,,\n\r\n\n");
    QVERIFY2(tail.ok(), qPrintable(tail.error));
    QCOMPARE(tail.records.size(), 1);
}

void TestTransfer::failedOrCancelledExportLeavesNoFile()
{
    TestEnvironment env;
    QTemporaryDir out;
    addRecords(env.databasePath(), awkwardRecords());
    const QString csv = out.filePath(QStringLiteral("records.csv"));
    QVERIFY(writeFile(csv, "the bytes before"));
    env.dialogs.nextSaveName = csv;
    RecordTransfer transfer;

    // The disk fills.
    env.files.failAfterBytes = 100;
    QCOMPARE(transfer.exportRecords(nullptr, std::nullopt), Outcome::Failed);
    QCOMPARE(env.messages.shown.size(), 1);
    QCOMPARE(env.messages.shown.at(0).icon, Icon::Critical);
    QVERIFY(env.messages.shown.at(0).text.contains(QStringLiteral("No space left")));
    QCOMPARE(fileBytes(csv), QByteArray("the bytes before"));
    QCOMPARE(filesIn(out.path()), QStringList{QStringLiteral("records.csv")});

    // The commit fails.
    env.files.failAfterBytes = -1;
    env.files.failAtCommit = true;
    env.messages.clear();
    QCOMPARE(transfer.exportRecords(nullptr, std::nullopt), Outcome::Failed);
    QCOMPARE(fileBytes(csv), QByteArray("the bytes before"));
    QCOMPARE(filesIn(out.path()), QStringList{QStringLiteral("records.csv")});

    // The user cancels: no file where there was none.
    env.files.failAtCommit = false;
    env.progress.cancelAtStep = 1;
    env.messages.clear();
    const QString fresh = out.filePath(QStringLiteral("fresh.csv"));
    env.dialogs.nextSaveName = fresh;
    QCOMPARE(transfer.exportRecords(nullptr, std::nullopt), Outcome::Cancelled);
    QCOMPARE(env.progress.started, 3);
    QVERIFY(env.messages.shown.at(0).text.contains(QStringLiteral("cancelled")));
    QVERIFY(!QFile::exists(fresh));
    QCOMPARE(filesIn(out.path()), QStringList{QStringLiteral("records.csv")});
}

// A disk that fills, for real, under the program's own QSaveFile and the
// engine's back-up: the files before stay as they were, and nothing else
// is left.
void TestTransfer::fullDiskLeavesNoFile()
{
    TestEnvironment env;
    QTemporaryDir out;
    addRecords(env.databasePath(), awkwardRecords());
    QVERIFY(runSql(env.databasePath(), {manyRecords(3000)}));
    Platform real = env.over(env.folder());
    real.files = realPlatform().files;
    PlatformScope scope(real);
    const QString csv = out.filePath(QStringLiteral("records.csv"));
    const QString copy = out.filePath(QStringLiteral("copy.dll"));
    QVERIFY(writeFile(csv, "the bytes before"));
    QVERIFY(writeFile(copy, "an older back-up"));
    RecordTransfer transfer;
    {
        FileSizeLimit limit(64 * 1024);
        QVERIFY(limit.isSet());
        env.dialogs.nextSaveName = csv;
        QCOMPARE(transfer.exportRecords(nullptr, std::nullopt), Outcome::Failed);
        env.dialogs.nextSaveName = copy;
        QCOMPARE(transfer.backUpDatabase(nullptr), Outcome::Failed);
    }
    QCOMPARE(env.messages.shown.size(), 2);
    QCOMPARE(env.messages.shown.at(0).icon, Icon::Critical);
    QCOMPARE(env.messages.shown.at(1).icon, Icon::Critical);
    for (const auto &box : env.messages.shown)
        QVERIFY2(!box.text.contains(QStringLiteral("canceled"), Qt::CaseInsensitive),
                 qPrintable(box.text));
    QCOMPARE(fileBytes(csv), QByteArray("the bytes before"));
    QCOMPARE(fileBytes(copy), QByteArray("an older back-up"));
    QCOMPARE(filesIn(out.path()),
             (QStringList{QStringLiteral("copy.dll"), QStringLiteral("records.csv")}));
}

void TestTransfer::backUpOpensAndListsEveryRecord()
{
    TestEnvironment env;
    QTemporaryDir out;
    addRecords(env.databasePath(), awkwardRecords());
    // Over 1024 pages: the copy goes in more than one step.
    QVERIFY(runSql(env.databasePath(), {manyRecords(15000)}));
    const QList<DowsingRecord> originals = storedRecords(env.databasePath());

    // The list holds a read connection of its own, mid-read.
    RawDatabase list(env.databasePath());
    QSqlQuery reading(list.db());
    reading.setForwardOnly(true);
    QVERIFY(reading.exec(QStringLiteral("SELECT IdNumber FROM Details ORDER BY IdNumber")));
    QVERIFY(reading.next());

    const QString copy = out.filePath(QStringLiteral("copy.dll"));
    env.dialogs.nextSaveName = copy;
    RecordTransfer transfer;
    QCOMPARE(transfer.backUpDatabase(nullptr), Outcome::Done);
    QCOMPARE(env.dialogs.lastSuffix, QStringLiteral("dll"));
    QCOMPARE(env.progress.started, 1);
    QVERIFY(env.progress.steps >= 2);
    QVERIFY(env.messages.shown.at(0).text.contains(QStringLiteral("backed up")));
    reading.finish();

    RecordStore store;
    QCOMPARE(store.open(copy), RecordStore::OpenResult::Opened);
    store.close();
    QCOMPARE(storedRecords(copy), originals);
    QCOMPARE(integrityOf(copy), QStringLiteral("ok"));
    QCOMPARE(filesIn(out.path()), QStringList{QStringLiteral("copy.dll")});
}

void TestTransfer::backUpRefusesTheDatabaseItselfAndCancelsCleanly()
{
    TestEnvironment env;
    QTemporaryDir out;
    addRecords(env.databasePath(), awkwardRecords());
    QVERIFY(runSql(env.databasePath(), {manyRecords(15000)}));
    const QByteArray before = fileBytes(env.databasePath());
    RecordTransfer transfer;

    env.dialogs.nextSaveName = env.databasePath();
    QCOMPARE(transfer.backUpDatabase(nullptr), Outcome::Failed);
    QCOMPARE(env.messages.shown.at(0).icon, Icon::Critical);
    QVERIFY(env.messages.shown.at(0).text.contains(QStringLiteral("itself")));
    QCOMPARE(fileBytes(env.databasePath()), before);

    // The same file by another name.
    const QString link = out.filePath(QStringLiteral("link.dll"));
    QVERIFY(QFile::link(env.databasePath(), link));
    env.dialogs.nextSaveName = link;
    env.messages.clear();
    QCOMPARE(transfer.backUpDatabase(nullptr), Outcome::Failed);
    QVERIFY(env.messages.shown.at(0).text.contains(QStringLiteral("itself")));
    QVERIFY(QFile::remove(link));

    const QString copy = out.filePath(QStringLiteral("copy.dll"));
    QVERIFY(writeFile(copy, "an older back-up"));
    env.dialogs.nextSaveName = copy;
    env.progress.cancelAtStep = 1;
    env.messages.clear();
    QCOMPARE(transfer.backUpDatabase(nullptr), Outcome::Cancelled);
    QCOMPARE(env.progress.steps, 1);
    QCOMPARE(fileBytes(copy), QByteArray("an older back-up"));
    QCOMPARE(filesIn(out.path()), QStringList{QStringLiteral("copy.dll")});
}

void TestTransfer::fileDialogsStartWhereTheUserLastChose_data()
{
    QTest::addColumn<QString>("lastChosen"); // a folder under the test's, or none
    QTest::addColumn<bool>("stillThere");
    QTest::addColumn<bool>("documents");
    QTest::addColumn<QString>("start");
    QTest::newRow("a first dialog") << "" << false << true << "Documents";
    QTest::newRow("a file chosen before") << "Exports" << true << true << "Exports";
    QTest::newRow("its folder removed since") << "Exports" << false << true << "Documents";
    QTest::newRow("no documents folder") << "" << false << false << "home";
}

void TestTransfer::fileDialogsStartWhereTheUserLastChose()
{
    QFETCH(QString, lastChosen);
    QFETCH(bool, stillThere);
    QFETCH(bool, documents);
    QFETCH(QString, start);
    QTemporaryDir root;
    const QString home = QDir::homePath();
    FakeSettings settings;
    if (!lastChosen.isEmpty()) {
        QVERIFY(QDir().mkpath(root.filePath(lastChosen)));
        DialogFolder::remember(settings, root.filePath(lastChosen + QStringLiteral("/all.csv")));
        if (!stillThere)
            QVERIFY(QDir(root.filePath(lastChosen)).removeRecursively());
    }
    if (documents)
        QVERIFY(QDir().mkpath(root.filePath(QStringLiteral("Documents"))));
    QCOMPARE(DialogFolder::start(settings, root.filePath(QStringLiteral("Documents"))),
             start == QLatin1String("home") ? home : root.filePath(start));
}

void TestTransfer::theRealDialogOpensThereAndRemembersTheChoice()
{
    Fakes fakes;
    QTemporaryDir root;
    PlatformScope scope(fakes.over(root.path()));
    const QString first = root.filePath(QStringLiteral("first"));
    const QString second = root.filePath(QStringLiteral("second"));
    QVERIFY(QDir().mkpath(first) && QDir().mkpath(second));
    DialogFolder::remember(fakes.settings, first + QStringLiteral("/before.csv"));
    QString openedIn;
    QTimer::singleShot(0, [&] {
        auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        openedIn = dialog->directory().absolutePath();
        dialog->selectFile(second + QStringLiteral("/records.csv"));
        static_cast<QDialog *>(dialog)->accept();
    });
    QtFileDialogs dialogs;
    QCOMPARE(dialogs.saveFileName(nullptr, QStringLiteral("Export"), QStringLiteral("CSV (*.csv)"),
                                  QStringLiteral("csv")),
             second + QStringLiteral("/records.csv"));
    QCOMPARE(openedIn, first);
    QCOMPARE(DialogFolder::start(fakes.settings, QString()), second);
}

QTEST_MAIN(TestTransfer)
#include "tst_transfer.moc"
