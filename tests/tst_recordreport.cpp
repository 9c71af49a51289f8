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
    void charactersThatDoNotShowAreShownAsSymbols_data();
    void charactersThatDoNotShowAreShownAsSymbols();
    void aTextTooLongToLayOutIsShownInPartAndSaysSo_data();
    void aTextTooLongToLayOutIsShownInPartAndSaysSo();
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

void TestRecordReport::charactersThatDoNotShowAreShownAsSymbols_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("shown");
    QTest::newRow("a zero") << QStringLiteral("ANN") + QChar(0) + QStringLiteral("E")
                            << QStringLiteral("ANN<U+0000>E");
    QTest::newRow("bell, backspace, escape")
            << QStringLiteral("a\x07\x08\x1B[0m") << QStringLiteral("a<U+0007><U+0008><U+001B>[0m");
    QTest::newRow("vertical tab and form feed") << QStringLiteral("a\vb\fc")
                                                << QStringLiteral("a<U+000B>b<U+000C>c");
    QTest::newRow("start of heading, unit separator, delete")
            << QStringLiteral("\x01x\x1Fy\x7F") << QStringLiteral("<U+0001>x<U+001F>y<U+007F>");
    QTest::newRow("a text document's own marks")
            << QStringLiteral("a\uFFFCb\uFDD0c\uFDD1d")
            << QStringLiteral("a<U+FFFC>b<U+FDD0>c<U+FDD1>d");
    QTest::newRow("a tab stays a tab") << QStringLiteral("a\tb") << QStringLiteral("a\tb");
    QTest::newRow("line breaks stay line breaks")
            << QStringLiteral("a\r\nb\nc\rd") << QStringLiteral("a\nb\nc\nd");
}

// Another program stored a control character: the report shows a symbol in
// its place, so that all of the field shows and a screen reader reads past
// it; the record itself is not changed.
void TestRecordReport::charactersThatDoNotShowAreShownAsSymbols()
{
    QFETCH(QString, stored);
    QFETCH(QString, shown);
    DowsingRecord r = fullRecord();
    r.Name = stored;
    r.Notes = stored;
    r.Date = RecordDate::fromStored(QStringLiteral("2009-03-07") + stored);
    const DowsingRecord before = r;
    QTextEdit box;
    RecordReport::write(&box, r);
    const QString text = box.toPlainText();
    QVERIFY2(text.startsWith(QStringLiteral("Date :- 2009-03-07") + shown
                             + QStringLiteral("\n\nName :- ") + shown + QStringLiteral("\n\n")),
             qPrintable(text));
    QVERIFY2(text.endsWith(QStringLiteral("Notes :- ") + shown + QStringLiteral("\n\n")),
             qPrintable(text));
    QCOMPARE(r.Name, before.Name);
    QCOMPARE(r.Date.storedText(), before.Date.storedText());
}

void TestRecordReport::aTextTooLongToLayOutIsShownInPartAndSaysSo_data()
{
    QTest::addColumn<QString>("notes");
    QTest::addColumn<int>("shown");
    QTest::addColumn<QString>("told");
    const QString words = QStringLiteral("water at three metres, ").repeated(13044).left(300000);
    const QString letters = QStringLiteral("abcdefghijklmnopqrstuvwxyz").repeated(2000);
    QTest::newRow("300,000 characters of words")
            << words << 100000
            << "(Only the first 100,000 of its 300,000 characters are shown here. Save and "
               "Print give them all.)";
    QTest::newRow("100,000 characters of words") << words.left(100000) << 100000 << QString();
    QTest::newRow("a run of 50,000 letters")
            << letters.left(50000) << 10000
            << "(Only the first 10,000 of its 50,000 characters are shown here. Save and Print "
               "give them all.)";
    QTest::newRow("a run of 10,000 letters") << letters.left(10000) << 10000 << QString();
    QTest::newRow("words, then a run of 20,000 letters")
            << QStringLiteral("found at dusk ") + letters.left(20000) << 14 + 10000
            << "(Only the first 10,014 of its 20,014 characters are shown here. Save and Print "
               "give them all.)";
    QTest::newRow("lines of 9,000 letters") << (letters.left(9000) + QLatin1Char('\n')).repeated(5)
                                            << 45005 << QString();
}

// Another program stored megabytes in a field, which a text box would lay
// out whole before it painted: the report shows the start and says, in the
// text and to a screen reader, how much of it that is.
void TestRecordReport::aTextTooLongToLayOutIsShownInPartAndSaysSo()
{
    QFETCH(QString, notes);
    QFETCH(int, shown);
    QFETCH(QString, told);
    DowsingRecord r = fullRecord();
    r.Notes = notes;
    QTextEdit box;
    QCOMPARE(RecordReport::write(&box, r), told.isEmpty());
    QString expected = QStringLiteral("Notes :- ") + notes.left(shown);
    expected.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    if (!told.isEmpty())
        expected += QLatin1Char('\n') + told;
    expected += QStringLiteral("\n\n");
    const QString text = box.toPlainText();
    QVERIFY(text.startsWith(QStringLiteral("Date :- 3/7/2009\n\nName :- ASHA RAO\n\n")));
    QCOMPARE(text.mid(text.indexOf(QLatin1String("Notes :- "))), expected);
    QCOMPARE(box.accessibleDescription().isEmpty(), told.isEmpty());
    QCOMPARE(r.Notes, notes);
}

QTEST_MAIN(TestRecordReport)
#include "tst_recordreport.moc"
