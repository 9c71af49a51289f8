// The record report: its exact text, the labels that depend on a field being
// empty, line breaks inside values, and how it lands in a text box.

#include "view/RecordReport.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>
#include <QtTest>

using namespace Orvane;

namespace {

DowsingRecord fullRecord()
{
    DowsingRecord r;
    r.Date = QDate(2009, 3, 7);
    r.Name = QStringLiteral("ASHA RAO");
    r.Address = QStringLiteral("12 Mill Lane");
    r.City = QStringLiteral("BATH");
    r.State = QStringLiteral("SOMERSET");
    r.Pin = QStringLiteral("BA1 5QT");
    r.Phone_No = QStringLiteral("01225.555");
    r.Email = QStringLiteral("asha@example.org");
    r.Time_Dowsing_Occured = QStringLiteral("09:05");
    r.Dowsing_Tool = QStringLiteral("Pendulam");
    r.Item_Dowsing_For = QStringLiteral("water");
    r.Location_Dowsing_Occured = QStringLiteral("NORTH FIELD");
    r.Notes = QStringLiteral("Strong pull");
    r.IdNumber = 4242;
    return r;
}

} // namespace

class TestRecordReport : public QObject
{
    Q_OBJECT

private slots:
    void fullRecordText();
    void sparseRecordText();
    void itemLabelDependsOnTheItem_data();
    void itemLabelDependsOnTheItem();
    void lineBreaksInValuesAreKept();
    void writtenIntoTheBoxAsReadableParagraphs();
    void writingReplacesTheWholeReport();
};

void TestRecordReport::fullRecordText()
{
    const QString expected = QStringLiteral(
            "Date :- 3/7/2009\r\n\r\n"
            "Name :- ASHA RAO\r\n\r\n"
            "Address :- 12 Mill Lane\r\n\r\n"
            "City :- BATH\r\n\r\n"
            "State :- SOMERSET\r\n\r\n"
            "Pin :- BA1 5QT\r\n\r\n"
            "Phone Number :- 01225.555\r\n\r\n"
            "Email :- asha@example.org\r\n\r\n"
            "Dowsing Time :- 09:05\r\n\r\n"
            "Dowsing Tool :- Pendulam\r\n\r\n"
            "Dowsin Item :- water\r\n\r\n"
            "Location :- NORTH FIELD\r\n\r\n"
            "Notes :- Strong pull\r\n\r\n");
    QCOMPARE(RecordReport::text(fullRecord()), expected);
    // The key is never part of the report.
    QVERIFY(!RecordReport::text(fullRecord()).contains(QStringLiteral("4242")));
}

void TestRecordReport::sparseRecordText()
{
    DowsingRecord r;
    r.Date = QDate(2026, 12, 31);
    r.Name = QStringLiteral("B");
    r.Time_Dowsing_Occured = QStringLiteral("24:15");
    r.Dowsing_Tool = QStringLiteral("Rods");
    r.Item_Dowsing_For = QStringLiteral("Oil");
    r.IdNumber = 7;
    const QString none = QStringLiteral("This data has not been entered\r\n\r\n");
    const QString expected = QStringLiteral("Date :- 12/31/2026\r\n\r\n"
                                            "Name :- B\r\n\r\n")
            + QStringLiteral("Address :- ") + none + QStringLiteral("City :- ") + none
            + QStringLiteral("State :- ") + none + QStringLiteral("Pin :- ") + none
            + QStringLiteral("Phone Number :- ") + none + QStringLiteral("Email :- ") + none
            + QStringLiteral("Dowsing Time :- 24:15\r\n\r\n"
                             "Dowsing Tool :- Rods\r\n\r\n"
                             "Dowsin Item :- Oil\r\n\r\n")
            + QStringLiteral("Location :- ") + none + QStringLiteral("Notes :- ") + none;
    QCOMPARE(RecordReport::text(r), expected);

    // A record with nothing at all, not even a date: thirteen empty entries.
    const QList<RecordReport::Entry> empty = RecordReport::entries(DowsingRecord());
    QCOMPARE(empty.size(), 13);
    for (const RecordReport::Entry &entry : empty)
        QCOMPARE(entry.content, RecordReport::notEnteredText());
    QCOMPARE(empty.first().label, QStringLiteral("Date :- "));
}

void TestRecordReport::itemLabelDependsOnTheItem_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("entry");
    QTest::newRow("listed item") << QStringLiteral("Missing Person")
                                 << QStringLiteral("Dowsin Item :- Missing Person\r\n\r\n");
    QTest::newRow("named item") << QStringLiteral("Old Well")
                                << QStringLiteral("Dowsin Item :- Old Well\r\n\r\n");
    QTest::newRow("blank is a value") << QStringLiteral(" ")
                                      << QStringLiteral("Dowsin Item :-  \r\n\r\n");
    QTest::newRow("empty") << QString()
                           << QStringLiteral("Dowsing Item :- This data has not been entered\r\n\r\n");
}

void TestRecordReport::itemLabelDependsOnTheItem()
{
    QFETCH(QString, item);
    QFETCH(QString, entry);
    DowsingRecord r = fullRecord();
    r.Item_Dowsing_For = item;
    const QList<RecordReport::Entry> all = RecordReport::entries(r);
    QCOMPARE(RecordReport::entryText(all.at(10)), entry);
    // Only the item's entry changes its label.
    QCOMPARE(all.at(9).label, QStringLiteral("Dowsing Tool :- "));
}

void TestRecordReport::lineBreaksInValuesAreKept()
{
    DowsingRecord r = fullRecord();
    r.Address = QStringLiteral("12 Mill Lane\nUpper Ward\nBATH");
    r.Notes = QStringLiteral("first\n\nthird");
    const QString text = RecordReport::text(r);
    QVERIFY(text.contains(QStringLiteral("Address :- 12 Mill Lane\nUpper Ward\nBATH\r\n\r\nCity :- ")));
    QVERIFY(text.endsWith(QStringLiteral("Notes :- first\n\nthird\r\n\r\n")));
}

void TestRecordReport::writtenIntoTheBoxAsReadableParagraphs()
{
    DowsingRecord r = fullRecord();
    r.Address = QStringLiteral("12 Mill Lane\nUpper Ward");
    r.Notes = QStringLiteral("line one\r\nline two");
    QTextEdit box;
    RecordReport::write(&box, r);

    // Each entry followed by exactly one empty line; the lines of a value
    // stay lines.
    QString expected = RecordReport::text(r);
    expected.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QCOMPARE(box.toPlainText(), expected);
    QVERIFY(box.toPlainText().contains(QStringLiteral("\nUpper Ward\n\nCity :- BATH\n\n")));

    // The same attribute is on for the whole report.
    for (QTextBlock block = box.document()->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it)
            QVERIFY2(it.fragment().charFormat().fontWeight() == QFont::Bold,
                     qPrintable(it.fragment().text()));
    }
}

void TestRecordReport::writingReplacesTheWholeReport()
{
    QTextEdit box;
    box.setPlainText(QStringLiteral("left over from before"));
    RecordReport::write(&box, fullRecord());
    DowsingRecord second;
    second.Date = QDate(2010, 1, 2);
    second.Name = QStringLiteral("SECOND");
    RecordReport::write(&box, second);
    QString expected = RecordReport::text(second);
    expected.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QCOMPARE(box.toPlainText(), expected);
}

QTEST_MAIN(TestRecordReport)
#include "tst_recordreport.moc"
