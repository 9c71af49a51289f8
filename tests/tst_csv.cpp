// The CSV an import reads, variant by variant, each a few lines of CSV: the
// conventions spreadsheets save in (separator, the header's order and
// names, times and dates, rows of empty fields, no byte-order mark), the
// export's mark, and what is refused, naming the line and the column; rows
// that cross the reader's pieces of a large file; and a round trip through
// LibreOffice Calc itself where it is installed.

#include "support/ExternalReaders.h"
#include "support/FakePlatform.h"
#include "support/RecordFixtures.h"
#include "support/TestDatabase.h"
#include "support/TestFiles.h"

#include "app/RecordTransfer.h"
#include "store/RecordCsv.h"

#include <QFile>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <QtTest>

using namespace Orvane;
using namespace Orvane::Testing;

namespace {

QList<QStringList> fieldsOfAll(const QVector<DowsingRecord> &records)
{
    QList<QStringList> all;
    for (const DowsingRecord &r : records)
        all.append(csvFieldsOf(r));
    return all;
}

QStringList dated(const QString &date)
{
    return csvFields({{"Date", date}});
}

} // namespace

class TestCsv : public QObject
{
    Q_OBJECT

private slots:
    void variantsAreReadFieldForField_data();
    void variantsAreReadFieldForField();
    void variantsAreRefusedNamingLineAndColumn_data();
    void variantsAreRefusedNamingLineAndColumn();
    void rowsAcrossThePiecesOfALargeFile();
    void anyStoredBytesExportAndImportAgain();
    void calcOpensNoFormulaAndSavesBackWhatWasExported();
};

void TestCsv::variantsAreReadFieldForField_data()
{
    QTest::addColumn<QByteArray>("csv");
    QTest::addColumn<QList<QStringList>>("records");
    QTest::addColumn<int>("skipped");
    const QString date = QStringLiteral("2010-01-15");
    const QStringList anne = csvFields({{"Date", date}, {"Name", QStringLiteral("ANNE")}});
    const auto time = [&](const char *text) {
        return csvFields({{"Date", date}, {"Dowsing Time", QString::fromUtf8(text)}});
    };

    QTest::newRow("semicolons") << QByteArray("Date;Name;Notes\r\n2010-01-15;ANNE;\"a; b, c\"\r\n")
                                << QList<QStringList>{csvFields({{"Date", date},
                                                                 {"Name", QStringLiteral("ANNE")},
                                                                 {"Notes", QStringLiteral("a; b, c")}})}
                                << 0;
    QTest::newRow("tabs") << QByteArray("Date\tName\tNotes\n2010-01-15\tANNE\ta, b; c\n")
                          << QList<QStringList>{csvFields({{"Date", date},
                                                           {"Name", QStringLiteral("ANNE")},
                                                           {"Notes", QStringLiteral("a, b; c")}})}
                          << 0;
    QTest::newRow("any order and case")
            << QByteArray("notes,DOWSING TIME,Name,date\nx,10:30,ANNE,2010-01-15\n")
            << QList<QStringList>{csvFields({{"Date", date},
                                             {"Name", QStringLiteral("ANNE")},
                                             {"Dowsing Time", QStringLiteral("10:30")},
                                             {"Notes", QStringLiteral("x")}})}
            << 0;
    QTest::newRow("the list's captions")
            << QByteArray("Date,Phone No,Email Address,Time Of Dowsing,Item Of Dowsing\n"
                          "2010-01-15,01225.5,a@b,10:30,Oil\n")
            << QList<QStringList>{csvFields({{"Date", date},
                                             {"Phone Number", QStringLiteral("01225.5")},
                                             {"Email", QStringLiteral("a@b")},
                                             {"Dowsing Time", QStringLiteral("10:30")},
                                             {"Dowsing Item", QStringLiteral("Oil")}})}
            << 0;
    QTest::newRow("only the date") << QByteArray("Date\n2010-01-15\n")
                                   << QList<QStringList>{dated(date)} << 0;
    // Quoted header, LF, no byte-order mark, an empty column past the last
    // that the row leaves out.
    QTest::newRow("as a spreadsheet saves it")
            << QByteArray("\"Date\",\"Name\",\"Dowsing Time\",\n2010-01-15,\"ANNE\",11:45:00 AM\n")
            << QList<QStringList>{csvFields({{"Date", date},
                                             {"Name", QStringLiteral("ANNE")},
                                             {"Dowsing Time", QStringLiteral("11:45")}})}
            << 0;
    QTest::newRow("time forms")
            << QByteArray("Date,Dowsing Time\n2010-01-15,12:30:00 AM\n2010-01-15,12:00:00 PM\n"
                          "2010-01-15,11:59 pm\n2010-01-15,24:05:00\n2010-01-15,9:05\n"
                          "2010-01-15,11:45:30 AM\n2010-01-15,9:5\n2010-01-15,\n2010-01-15,25:99\n")
            << QList<QStringList>{time("00:30"), time("12:00"),       time("23:59"),
                                  time("24:05"), time("09:05"),       time("11:45:30 AM"),
                                  time("9:5"),   time(""),            time("25:99")}
            << 0;
    QTest::newRow("a one-digit hour in the export's own form")
            << RecordCsv::fileStart() + "2020-01-02,A,,,,,,,9:30,Rods,water,,\r\n"
            << QList<QStringList>{csvFields({{"Date", QStringLiteral("2020-01-02")},
                                             {"Name", QStringLiteral("A")},
                                             {"Dowsing Time", QStringLiteral("09:30")},
                                             {"Dowsing Tool", QStringLiteral("Rods")},
                                             {"Dowsing Item", QStringLiteral("water")}})}
            << 0;
    QTest::newRow("date forms")
            << QByteArray("Date\n15/01/2010\n1/15/2010\n15.01.2010\n2010/1/15\n3/3/2010\n"
                          "2010-1-5\n")
            << QList<QStringList>{dated(date), dated(date), dated(date), dated(date),
                                  dated(QStringLiteral("2010-03-03")),
                                  dated(QStringLiteral("2010-01-05"))}
            << 0;
    QTest::newRow("dates another program stored, marked by the export")
            << QByteArray("Date\n'-0001-01-01\n'2009-02-31\n\"'2009-03-07, 10:00\"\n''2009-03-07\n")
            << QList<QStringList>{dated(QStringLiteral("-0001-01-01")),
                                  dated(QStringLiteral("2009-02-31")),
                                  dated(QStringLiteral("2009-03-07, 10:00")),
                                  dated(QStringLiteral("'2009-03-07"))}
            << 0;
    QTest::newRow("marks")
            << QByteArray("Date,Name,Address,City,Pin,Notes,Dowsing Time\n"
                          "2010-01-15,'=1+1,''=1+1,'hello,'-5,',''\n"
                          "2010-01-15,'\t,'@x,'+1,,'',\"'9:30\"\n"
                          "2010-01-15,,,,,,'11:45\n"
                          "2010-01-15,,,,,,'\n")
            << QList<QStringList>{
                       csvFields({{"Date", date},
                                  {"Name", QStringLiteral("=1+1")},
                                  {"Address", QStringLiteral("'=1+1")},
                                  {"City", QStringLiteral("'hello")},
                                  {"Pin", QStringLiteral("-5")},
                                  {"Notes", QStringLiteral("'")},
                                  {"Dowsing Time", QStringLiteral("'")}}),
                       csvFields({{"Date", date},
                                  {"Name", QStringLiteral("\t")},
                                  {"Address", QStringLiteral("@x")},
                                  {"City", QStringLiteral("+1")},
                                  {"Notes", QStringLiteral("''")},
                                  {"Dowsing Time", QStringLiteral("9:30")}}),
                       csvFields({{"Date", date}, {"Dowsing Time", QStringLiteral("'11:45")}}),
                       csvFields({{"Date", date}, {"Dowsing Time", QStringLiteral("'")}})}
            << 0;
    QTest::newRow("rows of empty fields anywhere")
            << QByteArray("Date,Name\n,\n2010-01-15,ANNE\n,,\n\n\"\",\n2010-01-15,ANNE\n,\n")
            << QList<QStringList>{anne, anne} << 5;
    QTest::newRow("an empty line between records")
            << RecordCsv::fileStart() + "2010-01-15,ANNE,,,,,,,,,,,\r\n\r\n2010-01-15,ANNE,,,,,,,,,,,\r\n"
            << QList<QStringList>{anne, anne} << 1;
    QTest::newRow("empty rows before the header")
            << QByteArray("\r\n,\r\nDate,Name\r\n2010-01-15,ANNE\r\n") << QList<QStringList>{anne}
            << 2;
    QTest::newRow("a byte-order mark at a field's start is text")
            << QByteArray("\xEF\xBB\xBF" "Date,Notes\r\n2010-01-15,\xEF\xBB\xBFhello\r\n")
            << QList<QStringList>{csvFields({{"Date", date}, {"Notes", QStringLiteral("\uFEFFhello")}})}
            << 0;
}

void TestCsv::variantsAreReadFieldForField()
{
    QFETCH(QByteArray, csv);
    QFETCH(QList<QStringList>, records);
    QFETCH(int, skipped);
    const RecordCsv::ReadResult read = RecordCsv::read(csv);
    QVERIFY2(read.ok(), qPrintable(QStringLiteral("line %1: %2").arg(read.errorLine).arg(read.error)));
    QCOMPARE(fieldsOfAll(read.records), records);
    QCOMPARE(read.skippedRows, skipped);
}

void TestCsv::variantsAreRefusedNamingLineAndColumn_data()
{
    QTest::addColumn<QByteArray>("csv");
    QTest::addColumn<int>("line");
    QTest::addColumn<QString>("reason");
    QTest::newRow("two byte-order marks")
            << QByteArray("\xEF\xBB\xBF\xEF\xBB\xBF" "Date,Name\r\n2010-01-15,A\r\n") << 1
            << QStringLiteral("\"<U+FEFF>Date\", which is no field");
    QTest::newRow("no field") << QByteArray("Date,Name,Colour\n2010-01-15,A,red\n") << 1
                              << QStringLiteral("\"Colour\", which is no field");
    QTest::newRow("a field twice") << QByteArray("Date,Name,NAME\n") << 1
                                   << QStringLiteral("names the field \"NAME\" twice");
    QTest::newRow("no date") << QByteArray("Name,Notes\nA,x\n") << 1
                             << QStringLiteral("names no column \"Date\"");
    QTest::newRow("either order") << QByteArray("Date,Name\n2010-01-15,A\n01/02/2010,B\n") << 3
                                  << QStringLiteral("may be 1 February 2010 or 2 January 2010");
    QTest::newRow("two-digit year") << QByteArray("Date\n1/15/10\n") << 2
                                    << QStringLiteral("two-digit year");
    QTest::newRow("a spreadsheet's date before the calendar")
            << QByteArray("Date\n2010-01-15\n-0001-01-01\n") << 3
            << QStringLiteral("The date \"-0001-01-01\" is not a calendar date");
    QTest::newRow("a spreadsheet's day no month has") << QByteArray("Date\n2009-02-31\n") << 2
                                                      << QStringLiteral("not a calendar date");
    QTest::newRow("a mark alone") << QByteArray("Date\n'\n") << 2
                                  << QStringLiteral("The date \"'\" is not a calendar date");
    QTest::newRow("no date in a record") << QByteArray("Date,Name\n,A\n") << 2
                                         << QStringLiteral("The date \"\" is not a calendar date");
    QTest::newRow("text in an unnamed column") << QByteArray("Date,,Name\n2010-01-15,x,A\n") << 2
                                               << QStringLiteral("column 2, which the header");
    QTest::newRow("Latin-1") << QByteArray("Date,Notes\n2010-01-15,M\xFCller\n") << 2
                             << QStringLiteral("the column \"Notes\" is not UTF-8 text");
    QTest::newRow("a quote named by its column") << QByteArray("Date;Name\n2010-01-15;A\"B\n") << 2
                                                 << QStringLiteral("the column \"Name\" holds a "
                                                                   "double quote");
    QTest::newRow("short row of semicolons") << QByteArray("Date;Name;Notes\n2010-01-15;A\n") << 2
                                             << QStringLiteral("2 fields where 3");
    QTest::newRow("text past the header") << QByteArray("Date,Name\n2010-01-15,A,x\n") << 2
                                          << QStringLiteral("3 fields where 2");
    QTest::newRow("a carriage return alone") << QByteArray("Date,Name\r2010-01-15,A\r\n") << 1
                                             << QStringLiteral("carriage return");
}

void TestCsv::variantsAreRefusedNamingLineAndColumn()
{
    QFETCH(QByteArray, csv);
    QFETCH(int, line);
    QFETCH(QString, reason);
    const RecordCsv::ReadResult read = RecordCsv::read(csv);
    QVERIFY(!read.ok());
    QCOMPARE(read.errorLine, line);
    QVERIFY2(read.error.contains(reason), qPrintable(read.error));
    QVERIFY(read.records.isEmpty());
}

// The reader takes a file a megabyte at a time: fields, quotes, line ends
// and line counts must come out the same wherever a piece ends.
void TestCsv::rowsAcrossThePiecesOfALargeFile()
{
    QVector<DowsingRecord> records;
    QByteArray csv = RecordCsv::fileStart();
    int lines = 1;
    for (int i = 0; i < 3000; ++i) {
        DowsingRecord r = customerRecord(QStringLiteral("CUSTOMER %1").arg(i), 1 + i % 28);
        r.Notes = QStringLiteral("say \"hi\",\n").repeated(i * 37 % 211)
                + QString(i == 1500 ? 3 << 20 : i % 13, QLatin1Char('x'));
        records.append(r);
        RecordStore::StoredRow row;
        QByteArray texts[RecordStore::StoredRow::kFields];
        const QStringList fields = csvFieldsOf(r);
        for (int f = 0; f < RecordStore::StoredRow::kFields; ++f) {
            texts[f] = fields.at(f).toUtf8();
            row.fields[f] = texts[f];
        }
        RecordCsv::appendRow(csv, row);
        lines += int(r.Address.count(QLatin1Char('\n')) + r.Notes.count(QLatin1Char('\n'))) + 1;
    }
    QVERIFY(csv.size() > 3 << 20);
    const RecordCsv::ReadResult read = RecordCsv::read(csv);
    QVERIFY2(read.ok(), qPrintable(read.error));
    QCOMPARE(read.records, records);

    const RecordCsv::ReadResult bad = RecordCsv::read(csv + "2021-02-30,A,,,,,,,,,,,\r\n");
    QCOMPARE(bad.errorLine, lines + 1);
}

// Whatever bytes another program stored, the export writes them as text and
// the import gives back that text field for field: marks, quotes, line
// breaks, byte-order marks, bytes that are not UTF-8, zeros, in any mix.
void TestCsv::anyStoredBytesExportAndImportAgain()
{
    QRandomGenerator random(18);
    const QByteArray alphabet("',;\t\"\r\n=-+@9:0 aZ\xEF\xBB\xBF\xC3\xBC\xFC\x80\x00", 26);
    for (int round = 0; round < 2000; ++round) {
        QByteArray csv = RecordCsv::fileStart();
        QList<QStringList> written;
        for (int r = 1 + random.bounded(8); r > 0; --r) {
            QByteArray texts[RecordStore::StoredRow::kFields] = {"2010-01-15"};
            RecordStore::StoredRow row;
            QStringList fields{QString::fromLatin1(texts[0])};
            for (int f = 0; f < RecordStore::StoredRow::kFields; ++f) {
                for (int i = f ? random.bounded(8) : 0; i > 0; --i)
                    texts[f].append(alphabet.at(random.bounded(int(alphabet.size()))));
                row.fields[f] = texts[f];
                QByteArray asText;
                RecordCsv::appendAsText(asText, texts[f]);
                QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
                if (f)
                    fields.append(utf8(asText));
            }
            RecordCsv::appendRow(csv, row);
            written.append(fields);
        }
        const RecordCsv::ReadResult read = RecordCsv::read(csv);
        QVERIFY2(read.ok(), qPrintable(read.error + QLatin1Char('\n') + QString::fromUtf8(csv)));
        QCOMPARE(fieldsOfAll(read.records), written);
    }
}

// The export opened in Calc as a user opens it: no cell runs as a formula;
// saved back as CSV, it imports as the records that were exported. The
// pin and phone columns are read as text, as the README advises, or Calc
// makes numbers of them.
void TestCsv::calcOpensNoFormulaAndSavesBackWhatWasExported()
{
    if (externalProgram(QStringLiteral("soffice")).isEmpty())
        QSKIP("LibreOffice (soffice) is not installed: scripts/setup.sh --test installs "
              "libreoffice-calc-nogui");
    TestEnvironment env;
    QTemporaryDir work;
    const QList<DowsingRecord> originals = spreadsheetTroubleRecords();
    addRecords(env.databasePath(), originals);
    const QString csv = work.filePath(QStringLiteral("records.csv"));
    env.dialogs.nextSaveName = csv;
    RecordTransfer transfer;
    QCOMPARE(transfer.exportRecords(nullptr, std::nullopt), RecordTransfer::Outcome::Done);

    QString why;
    const QString profile = work.filePath(QStringLiteral("profile"));
    const QString sheet = calcConvert(csv, QStringLiteral("CSV:44,34,76,1,6/2/7/2"),
                                      QStringLiteral("fods"), work.filePath(QStringLiteral("sheet")),
                                      profile, &why);
    QVERIFY2(!sheet.isEmpty(), qPrintable(why));
    const QString cells = QString::fromUtf8(fileBytes(sheet));
    QVERIFY(cells.contains(QStringLiteral("HYPERLINK")));
    QStringList formulas;
    static const QRegularExpression formula(QStringLiteral("table:formula=\"[^\"]*\""));
    for (auto it = formula.globalMatch(cells); it.hasNext();)
        formulas.append(it.next().captured());
    QVERIFY2(formulas.isEmpty(), qPrintable(formulas.join(QLatin1Char(' '))));

    const QString saved = calcConvert(sheet, QString(),
                                      QStringLiteral("csv:Text - txt - csv (StarCalc):44,34,76,1"),
                                      work.filePath(QStringLiteral("saved")), profile, &why);
    QVERIFY2(!saved.isEmpty(), qPrintable(why));
    const QByteArray back = fileBytes(saved);
    // Calc's own forms: what the import must read.
    QVERIFY2(back.contains("11:45:00 AM") && !back.startsWith("\xEF\xBB\xBF"), back.constData());

    QVERIFY(QFile::remove(env.databasePath()));
    QVERIFY(TestEnvironment::copyShippedDatabase(env.databasePath()));
    env.dialogs.nextOpenName = saved;
    QCOMPARE(transfer.importRecords(nullptr), RecordTransfer::Outcome::Done);
    const QList<DowsingRecord> imported = storedRecords(env.databasePath());
    QCOMPARE(imported.size(), originals.size());
    for (int i = 0; i < originals.size(); ++i)
        QCOMPARE(csvFieldsOf(imported.at(i)), csvFieldsOf(originals.at(i)));
}

QTEST_MAIN(TestCsv)
#include "tst_csv.moc"
