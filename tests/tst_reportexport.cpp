// Saving and printing the report from the record view window, through its
// buttons and the dialog seam: what reaches the file or the printer, what
// the dialogs were asked, and that cancelling or failing is never silent
// success.

#include "support/ExternalReaders.h"
#include "support/TestFiles.h"
#include "support/WindowDriver.h"

#include "platform/QtPlatform.h"
#include "view/RecordReport.h"
#include "view/ReportExport.h"
#include "view/RecordViewWindow.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QPrinter>
#include <QRadioButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTextCursor>
#include <QTextEdit>
#include <QTimer>
#include <QtTest>

#include <memory>

using namespace Orvane;
using namespace Orvane::Testing;
using Icon = MessageBoxes::Icon;

namespace {

// A record whose report holds what RTF treats specially: braces,
// backslashes, letters beyond ASCII (up to CJK and beyond the BMP) and
// notes on several lines.
DowsingRecord awkwardRecord()
{
    DowsingRecord r;
    r.Date = QDate(2009, 3, 7);
    r.Name = QStringLiteral("J\u00D6RG {THE} BACK\\SLASH");
    r.Address = QStringLiteral("12 Rue de l'\u00C9glise\nB\u00E2timent {C}\\2");
    r.City = QStringLiteral("K\u00D8BENHAVN");
    r.Phone_No = QStringLiteral("0091.80.2222");
    r.Email = QStringLiteral("na\u00EFve+{tag}@example.org");
    r.Time_Dowsing_Occured = QStringLiteral("09:05");
    r.Dowsing_Tool = QStringLiteral("Pendulam");
    r.Item_Dowsing_For = QStringLiteral("\u91D1 gold & <silver> \"coins\"");
    r.Location_Dowsing_Occured = QStringLiteral("\u6771\u4EAC\u90FD \uAC00\uB098");
    r.Notes = QStringLiteral("Cost: 40\u20AC paid\nFound it \U0001F600 at 3m\n"
                             "C:\\dowsing\\{rods}\n\u00BD done; \u00DF \u0152");
    return r;
}

// The same kind of record in letters the test machine's fonts can draw, for
// reading printed pages back.
DowsingRecord printableRecord()
{
    DowsingRecord r;
    r.Date = QDate(2009, 3, 7);
    r.Name = QStringLiteral("J\u00D6RG {THE} BACK\\SLASH");
    r.Address = QStringLiteral("12 Rue de l'\u00C9glise\nB\u00E2timent {C}\\2");
    r.City = QStringLiteral("K\u00D8BENHAVN");
    r.Time_Dowsing_Occured = QStringLiteral("09:05");
    r.Dowsing_Tool = QStringLiteral("Rods");
    r.Item_Dowsing_For = QStringLiteral("water");
    r.Notes = QStringLiteral("Cost: 40\u20AC paid\nC:\\dowsing\\{rods}");
    return r;
}

// The report as lines, as a reader of the saved or printed file sees it.
QString reportLines(const DowsingRecord &record)
{
    QString text = RecordReport::text(record);
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    return text;
}

QStringList nonEmptyLines(const QString &text)
{
    QStringList lines;
    const QStringList all = text.split(QRegularExpression(QStringLiteral("[\\n\\f]")));
    for (const QString &line : all) {
        if (!line.trimmed().isEmpty())
            lines.append(line.trimmed());
    }
    return lines;
}

// The printed text, every line of it: the report has no page number, and
// none may be added at the foot.
QStringList printedLines(const QString &pdfText)
{
    return nonEmptyLines(pdfText);
}

} // namespace

class TestReportExport : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void saveAsksForAnRtfFileName();
    void cancelledSaveWritesAndShowsNothing();
    void savedReportReadsBackAsTheReport();
    void nameWithoutExtensionGetsRtf_data();
    void nameWithoutExtensionGetsRtf();
    void failedSaveIsReportedNamingTheFile_data();
    void failedSaveIsReportedNamingTheFile();
    void fileNamedOnlyOnceTheExtensionIsAddedIsReplacedOnlyWhenAllowed_data();
    void fileNamedOnlyOnceTheExtensionIsAddedIsReplacedOnlyWhenAllowed();

    void printsTheWholeReport();
    void printsEveryLineOnceAcrossPages_data();
    void printsEveryLineOnceAcrossPages();
    void printsOnlyTheSelection();
    void selectionRangeWithoutSelectionPrintsEverything();
    void cancelledPrintPrintsNothing();
    void printerDialogOffersNoPageRange_data();
    void printerDialogOffersNoPageRange();
    void unusablePrinterIsReported();

    void saveAndPrintGiveWhatTheReportShowsInPartWhole_data();
    void saveAndPrintGiveWhatTheReportShowsInPartWhole();
    void aLongSaveOrPrintCanBeCancelled_data();
    void aLongSaveOrPrintCanBeCancelled();

private:
    void showReport(const DowsingRecord &record);
    // Makes the printer dialog answer with a PDF printer writing to path.
    void printTo(const QString &path, bool keepSelectionOption = true);

    std::unique_ptr<TestEnvironment> m_env;
    std::unique_ptr<FrameWindow> m_frame;
    std::unique_ptr<QTemporaryDir> m_out;
    RecordViewWindow *m_form = nullptr;
    QTextEdit *m_RTB = nullptr;
};

void TestReportExport::init()
{
    m_env = std::make_unique<TestEnvironment>();
    m_frame = std::make_unique<FrameWindow>();
    QVERIFY(m_frame->loadEntryWindow());
    m_form = m_frame->windows().recordView();
    QVERIFY(m_form);
    m_RTB = m_form->findChild<QTextEdit *>(QStringLiteral("RTB"));
    QVERIFY(m_RTB);
    m_out = std::make_unique<QTemporaryDir>();
    m_env->messages.clear();
}

void TestReportExport::cleanup()
{
    m_frame.reset();
    m_env.reset();
    m_out.reset();
}

void TestReportExport::showReport(const DowsingRecord &record)
{
    m_form->showReport(record, SelectedRecord());
}

void TestReportExport::printTo(const QString &path, bool keepSelectionOption)
{
    m_env->dialogs.printerAnswer = [path, keepSelectionOption](QPrinter &printer,
                                                               bool selectionChosen) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path);
        // As the real dialog: its selection option is chosen when offered.
        printer.setPrintRange(selectionChosen && keepSelectionOption ? QPrinter::Selection
                                                                     : QPrinter::AllPages);
        return true;
    };
}

void TestReportExport::saveAsksForAnRtfFileName()
{
    showReport(awkwardRecord());
    press(m_form, "cmdSave");
    QCOMPARE(m_env->dialogs.saveAsked, 1);
    QCOMPARE(m_env->dialogs.lastTitle, QStringLiteral("Orvane Dowsing"));
    QCOMPARE(m_env->dialogs.lastFilter, QStringLiteral("Rich Text Format (*.rtf)"));
    QCOMPARE(m_env->dialogs.lastSuffix, QStringLiteral("rtf"));
}

void TestReportExport::cancelledSaveWritesAndShowsNothing()
{
    showReport(awkwardRecord());
    const QStringList before = QDir(m_env->folder()).entryList(QDir::Files);
    m_env->dialogs.nextSaveName.clear();
    press(m_form, "cmdSave");
    QCOMPARE(m_env->dialogs.saveAsked, 1);
    QVERIFY2(m_env->messages.shown.isEmpty(), qPrintable(m_env->messages.texts().join('|')));
    QCOMPARE(QDir(m_env->folder()).entryList(QDir::Files), before);
    QVERIFY(QDir(m_out->path()).entryList(QDir::Files).isEmpty());
    QCOMPARE(ReportExport::saveReport(m_form, *m_RTB, RecordReport::entries(awkwardRecord())),
             ReportExport::Outcome::Cancelled);
}

void TestReportExport::savedReportReadsBackAsTheReport()
{
    if (externalProgram(QStringLiteral("unrtf")).isEmpty())
        QSKIP("unrtf is not installed: no independent RTF reader to check the saved file");

    const DowsingRecord record = awkwardRecord();
    showReport(record);
    const QString path = m_out->filePath(QStringLiteral("record.rtf"));
    m_env->dialogs.nextSaveName = path;
    press(m_form, "cmdSave");
    QVERIFY2(m_env->messages.shown.isEmpty(), qPrintable(m_env->messages.texts().join('|')));

    QString text, error;
    QVERIFY2(rtfText(path, &text, &error), qPrintable(error));
    QCOMPARE(text, reportLines(record));
    // Saving changes neither the report nor the box.
    QCOMPARE(m_RTB->toPlainText(), reportLines(record));

    // A second report saved over the first replaces it completely.
    DowsingRecord second;
    second.Name = QStringLiteral("ANNA");
    showReport(second);
    press(m_form, "cmdSave");
    QVERIFY(rtfText(path, &text, &error));
    QCOMPARE(text, reportLines(second));
}

void TestReportExport::nameWithoutExtensionGetsRtf_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("saved");
    QTest::newRow("no extension") << QStringLiteral("report") << QStringLiteral("report.rtf");
    QTest::newRow("trailing dot") << QStringLiteral("report.") << QStringLiteral("report.rtf");
    QTest::newRow("rtf") << QStringLiteral("report.rtf") << QStringLiteral("report.rtf");
    QTest::newRow("capitals") << QStringLiteral("REPORT.RTF") << QStringLiteral("REPORT.RTF");
    QTest::newRow("other extension") << QStringLiteral("report.doc")
                                     << QStringLiteral("report.doc");
    QTest::newRow("dot in folder name") << QStringLiteral("v1.55/report")
                                        << QStringLiteral("v1.55/report.rtf");
}

void TestReportExport::nameWithoutExtensionGetsRtf()
{
    QFETCH(QString, typed);
    QFETCH(QString, saved);
    QVERIFY(QDir(m_out->path()).mkdir(QStringLiteral("v1.55")));
    showReport(printableRecord());
    m_env->dialogs.nextSaveName = m_out->filePath(typed);
    press(m_form, "cmdSave");
    QVERIFY2(m_env->messages.shown.isEmpty(), qPrintable(m_env->messages.texts().join('|')));
    QVERIFY(fileBytes(m_out->filePath(saved)).startsWith("{\\rtf1"));
    if (typed != saved)
        QVERIFY(!QFileInfo::exists(m_out->filePath(typed)));
    QCOMPARE(ReportExport::withRtfSuffix(typed), saved);
}

void TestReportExport::failedSaveIsReportedNamingTheFile_data()
{
    QTest::addColumn<QString>("relativePath");
    QTest::newRow("missing folder") << QStringLiteral("gone/report.rtf");
    QTest::newRow("under a file") << QStringLiteral("notes.txt/report.rtf");
    QTest::newRow("a folder") << QStringLiteral("folder.rtf");
}

void TestReportExport::failedSaveIsReportedNamingTheFile()
{
    QFETCH(QString, relativePath);
    QVERIFY(writeFile(m_out->filePath(QStringLiteral("notes.txt")), "keep me"));
    QVERIFY(QDir(m_out->path()).mkdir(QStringLiteral("folder.rtf")));

    showReport(printableRecord());
    const QString path = m_out->filePath(relativePath);
    m_env->dialogs.nextSaveName = path;
    press(m_form, "cmdSave");

    QCOMPARE(m_env->messages.shown.size(), 1);
    const auto &box = m_env->messages.shown.constFirst();
    QCOMPARE(box.icon, Icon::Critical);
    QVERIFY2(box.text.contains(QDir::toNativeSeparators(path)), qPrintable(box.text));
    QCOMPARE(fileBytes(m_out->filePath(QStringLiteral("notes.txt"))), QByteArray("keep me"));
    QVERIFY(QFileInfo(m_out->filePath(QStringLiteral("folder.rtf"))).isDir());
    QVERIFY(!QFileInfo::exists(m_out->filePath(QStringLiteral("gone"))));
}

void TestReportExport::fileNamedOnlyOnceTheExtensionIsAddedIsReplacedOnlyWhenAllowed_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("asked");
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("replaced");
    const int yes = int(MessageBoxes::Answer::Yes);
    const int no = int(MessageBoxes::Answer::No);
    QTest::newRow("trailing dot, No") << "report." << true << no << false;
    QTest::newRow("trailing dot, Yes") << "report." << true << yes << true;
    QTest::newRow("no extension, No") << "report" << true << no << false;
    // The dialog itself asked about the very name it returned.
    QTest::newRow("full name") << "report.rtf" << false << no << true;
}

void TestReportExport::fileNamedOnlyOnceTheExtensionIsAddedIsReplacedOnlyWhenAllowed()
{
    QFETCH(QString, typed);
    QFETCH(bool, asked);
    QFETCH(int, answer);
    QFETCH(bool, replaced);
    const QString existing = m_out->filePath(QStringLiteral("report.rtf"));
    QVERIFY(writeFile(existing, "keep me"));
    showReport(printableRecord());
    m_env->dialogs.nextSaveName = m_out->filePath(typed);
    m_env->messages.answers.enqueue(MessageBoxes::Answer(answer));
    press(m_form, "cmdSave");

    if (asked) {
        QCOMPARE(m_env->messages.shown.size(), 1);
        QCOMPARE(m_env->messages.shown.constFirst().buttons, MessageBoxes::Buttons::YesNo);
        QCOMPARE(m_env->messages.shown.constFirst().defaultAnswer, MessageBoxes::Answer::No);
        QCOMPARE(m_env->messages.shown.constFirst().text,
                 QStringLiteral("\"%1\" already exists.\rDo you want to replace it?")
                         .arg(QDir::toNativeSeparators(existing)));
    } else {
        QVERIFY2(m_env->messages.shown.isEmpty(), qPrintable(m_env->messages.texts().join('|')));
    }
    QCOMPARE(fileBytes(existing).startsWith("{\\rtf1"), replaced);
    QCOMPARE(fileBytes(existing) == "keep me", !replaced);
    QCOMPARE(QDir(m_out->path()).entryList(QDir::Files), QStringList{"report.rtf"});
}

void TestReportExport::printsTheWholeReport()
{
    if (externalProgram(QStringLiteral("pdftotext")).isEmpty())
        QSKIP("pdftotext is not installed: the printed pages cannot be read back");

    const DowsingRecord record = printableRecord();
    showReport(record);
    const QString pdf = m_out->filePath(QStringLiteral("printed.pdf"));
    printTo(pdf);
    press(m_form, "cmdPrint");

    QCOMPARE(m_env->dialogs.printAsked, 1);
    QCOMPARE(m_env->dialogs.lastSelectionChosen, false);
    QVERIFY2(m_env->messages.shown.isEmpty(), qPrintable(m_env->messages.texts().join('|')));
    QString text, error;
    QVERIFY2(pdfText(pdf, &text, &error), qPrintable(error));
    QCOMPARE(printedLines(text), nonEmptyLines(reportLines(record)));
}

void TestReportExport::printsEveryLineOnceAcrossPages_data()
{
    QTest::addColumn<int>("noteLines");
    QTest::addColumn<int>("wrapEvery");
    QTest::addColumn<int>("page");
    // Long notes break over many pages; a line that ends at a page's foot
    // was also drawn, clipped, at the top of the next page, and a search or
    // copy of the PDF found it twice.
    // A paragraph that wraps over a page break was drawn from one line
    // above the page on.
    for (const auto &[paper, page] : {std::pair{"A4", QPageSize::A4},
                                      std::pair{"Letter", QPageSize::Letter}}) {
        QTest::newRow(qPrintable(QStringLiteral("%1, 1000 short lines").arg(QLatin1String(paper))))
                << 1000 << 0 << int(page);
        QTest::newRow(qPrintable(QStringLiteral("%1, 1000 lines, every third wrapping")
                                         .arg(QLatin1String(paper))))
                << 1000 << 3 << int(page);
        QTest::newRow(qPrintable(QStringLiteral("%1, 400 lines, each wrapping").arg(QLatin1String(paper))))
                << 400 << 1 << int(page);
    }
}

void TestReportExport::printsEveryLineOnceAcrossPages()
{
    QFETCH(int, noteLines);
    QFETCH(int, wrapEvery);
    QFETCH(int, page);
    if (externalProgram(QStringLiteral("pdftotext")).isEmpty())
        QSKIP("pdftotext is not installed: the printed pages cannot be read back");
    DowsingRecord record = printableRecord();
    QStringList notes;
    for (int i = 1; i <= noteLines; ++i) {
        QString line = QStringLiteral("<%1> water at three metres").arg(i);
        if (wrapEvery > 0 && i % wrapEvery == 0)
            line += QStringLiteral(", a strong pull of the rods over the old well by the "
                                   "north field gate, noted again at dusk and at dawn");
        notes.append(line);
    }
    record.Notes = notes.join(QLatin1Char('\n'));
    showReport(record);
    const QString pdf = m_out->filePath(QStringLiteral("long.pdf"));
    m_env->dialogs.printerAnswer = [pdf, page](QPrinter &printer, bool) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        printer.setPageSize(QPageSize(QPageSize::PageSizeId(page)));
        return true;
    };
    press(m_form, "cmdPrint");

    QString text, error;
    QVERIFY2(pdfText(pdf, &text, &error), qPrintable(error));
    QVERIFY(text.count(QLatin1Char('\f')) > 10);
    // Each line of the notes once, in order, wherever the pages break.
    static const QRegularExpression marker(QStringLiteral("<(\\d+)>"));
    QList<int> found;
    for (auto it = marker.globalMatch(text); it.hasNext();)
        found.append(it.next().captured(1).toInt());
    QList<int> expected;
    for (int i = 1; i <= noteLines; ++i)
        expected.append(i);
    QCOMPARE(found, expected);
}

void TestReportExport::printsOnlyTheSelection()
{
    if (externalProgram(QStringLiteral("pdftotext")).isEmpty())
        QSKIP("pdftotext is not installed: the printed pages cannot be read back");

    showReport(printableRecord());
    // Select the name entry and the address's first line.
    const QString all = m_RTB->toPlainText();
    const qsizetype from = all.indexOf(QLatin1String("Name :- "));
    const qsizetype to = all.indexOf(QStringLiteral("B\u00E2timent"));
    QVERIFY(from > 0 && to > from);
    QTextCursor cursor(m_RTB->document());
    cursor.setPosition(static_cast<int>(from));
    cursor.setPosition(static_cast<int>(to), QTextCursor::KeepAnchor);
    m_RTB->setTextCursor(cursor);

    const QString pdf = m_out->filePath(QStringLiteral("selection.pdf"));
    printTo(pdf);
    press(m_form, "cmdPrint");

    QCOMPARE(m_env->dialogs.lastSelectionChosen, true);
    QString text, error;
    QVERIFY2(pdfText(pdf, &text, &error), qPrintable(error));
    QCOMPARE(printedLines(text),
             (QStringList{QStringLiteral("Name :- J\u00D6RG {THE} BACK\\SLASH"),
                          QStringLiteral("Address :- 12 Rue de l'\u00C9glise")}));
    // Printing leaves the selection as it was.
    QCOMPARE(m_RTB->textCursor().selectionStart(), static_cast<int>(from));
    QCOMPARE(m_RTB->textCursor().selectionEnd(), static_cast<int>(to));

    // With the dialog switched to all pages, everything is printed.
    printTo(pdf, false);
    press(m_form, "cmdPrint");
    QVERIFY(pdfText(pdf, &text, &error));
    QCOMPARE(printedLines(text), nonEmptyLines(reportLines(printableRecord())));
}

void TestReportExport::selectionRangeWithoutSelectionPrintsEverything()
{
    if (externalProgram(QStringLiteral("pdftotext")).isEmpty())
        QSKIP("pdftotext is not installed: the printed pages cannot be read back");

    showReport(printableRecord());
    const QString pdf = m_out->filePath(QStringLiteral("all.pdf"));
    m_env->dialogs.printerAnswer = [pdf](QPrinter &printer, bool) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        printer.setPrintRange(QPrinter::Selection);
        return true;
    };
    press(m_form, "cmdPrint");
    QString text, error;
    QVERIFY2(pdfText(pdf, &text, &error), qPrintable(error));
    QCOMPARE(printedLines(text), nonEmptyLines(reportLines(printableRecord())));
}

void TestReportExport::cancelledPrintPrintsNothing()
{
    showReport(printableRecord());
    const QString pdf = m_out->filePath(QStringLiteral("cancelled.pdf"));
    m_env->dialogs.printerAnswer = [pdf](QPrinter &printer, bool) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        return false;
    };
    press(m_form, "cmdPrint");
    QCOMPARE(m_env->dialogs.printAsked, 1);
    QVERIFY(!QFileInfo::exists(pdf));
    QVERIFY2(m_env->messages.shown.isEmpty(), qPrintable(m_env->messages.texts().join('|')));
}

void TestReportExport::printerDialogOffersNoPageRange_data()
{
    QTest::addColumn<bool>("selection");
    QTest::newRow("nothing selected") << false;
    QTest::newRow("text selected") << true;
}

void TestReportExport::printerDialogOffersNoPageRange()
{
    QFETCH(bool, selection);
    // The real dialog, with its options pane opened as the user would.
    QStringList spinBoxes, choices;
    QTimer::singleShot(0, [&] {
        auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        for (QAbstractButton *more : dialog->findChild<QDialogButtonBox *>()->buttons()) {
            if (dialog->findChild<QDialogButtonBox *>()->buttonRole(more)
                == QDialogButtonBox::ResetRole)
                more->click();
        }
        for (QAbstractSpinBox *box : dialog->findChildren<QAbstractSpinBox *>()) {
            if (box->isVisibleTo(dialog))
                spinBoxes.append(box->objectName());
        }
        for (QRadioButton *choice : dialog->findChildren<QRadioButton *>()) {
            if (choice->isVisibleTo(dialog) && choice->parentWidget()->objectName()
                        == QLatin1String("gbPrintRange"))
                choices.append(choice->objectName());
        }
        dialog->reject();
    });
    QPrinter printer(QPrinter::HighResolution);
    QtFileDialogs dialogs;
    QVERIFY(!dialogs.choosePrinter(nullptr, printer, selection));
    // Only the number of copies is counted; the range offers all or the selection.
    QCOMPARE(spinBoxes, QStringList{"copies"});
    QCOMPARE(choices, selection ? QStringList({"printAll", "printSelection"})
                                : QStringList{"printAll"});
}

void TestReportExport::unusablePrinterIsReported()
{
    showReport(printableRecord());
    const QString pdf = m_out->filePath(QStringLiteral("gone/printed.pdf"));
    printTo(pdf);
    press(m_form, "cmdPrint");
    QCOMPARE(m_env->messages.shown.size(), 1);
    QCOMPARE(m_env->messages.shown.constFirst().icon, Icon::Critical);
    QVERIFY2(m_env->messages.shown.constFirst().text.contains(QDir::toNativeSeparators(pdf)),
             qPrintable(m_env->messages.shown.constFirst().text));
}

void TestReportExport::saveAndPrintGiveWhatTheReportShowsInPartWhole_data()
{
    QTest::addColumn<QString>("notes");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("shownName");
    QStringList lines;
    for (int i = 1; i <= 9000; ++i)
        lines.append(QStringLiteral("<%1> water at three metres").arg(i));
    QTest::newRow("250,000 characters of words")
            << lines.join(QLatin1Char(' ')) << QStringLiteral("ANNE") << QStringLiteral("ANNE");
    QTest::newRow("a run of 60,000 letters")
            << QStringLiteral("abcdefghijklmnopqrstuvwxyz").repeated(2308).left(60000)
            << QStringLiteral("ANNE") << QStringLiteral("ANNE");
    QTest::newRow("control characters")
            << QStringLiteral("seen\x1B[0m") << QStringLiteral("ANN") + QChar(0) + QStringLiteral("E")
            << QStringLiteral("ANN<U+0000>E");
}

// Of a text too long to lay out at once the report shows the start; Save
// and Print give it whole, and with the symbols the report shows for
// characters that do not show. (Text as a reader of the file finds it: the
// printed lines are compared without the spaces, hyphens and breaks of the
// layout.)
void TestReportExport::saveAndPrintGiveWhatTheReportShowsInPartWhole()
{
    QFETCH(QString, notes);
    QFETCH(QString, name);
    QFETCH(QString, shownName);
    if (externalProgram(QStringLiteral("unrtf")).isEmpty()
        || externalProgram(QStringLiteral("pdftotext")).isEmpty())
        QSKIP("unrtf or pdftotext is not installed: the saved and printed files cannot be read");
    DowsingRecord record = printableRecord();
    record.Name = name;
    record.Notes = notes;
    showReport(record);
    const QString shownNotes = notes == QStringLiteral("seen\x1B[0m") ? QStringLiteral("seen<U+001B>[0m")
                                                                      : notes;

    const QString rtf = m_out->filePath(QStringLiteral("whole.rtf"));
    m_env->dialogs.nextSaveName = rtf;
    press(m_form, "cmdSave");
    QVERIFY2(m_env->messages.shown.isEmpty(), qPrintable(m_env->messages.texts().join('|')));
    QString text, error;
    QVERIFY2(rtfText(rtf, &text, &error), qPrintable(error));
    QVERIFY(text.contains(QStringLiteral("\nName :- ") + shownName + QLatin1Char('\n')));
    QVERIFY(text.endsWith(QStringLiteral("\nNotes :- ") + shownNotes + QStringLiteral("\n\n")));
    QVERIFY(!text.contains(QStringLiteral("are shown")));

    const QString pdf = m_out->filePath(QStringLiteral("whole.pdf"));
    printTo(pdf);
    press(m_form, "cmdPrint");
    QVERIFY2(m_env->messages.shown.isEmpty(), qPrintable(m_env->messages.texts().join('|')));
    QVERIFY2(pdfText(pdf, &text, &error), qPrintable(error));
    // The reader joins a line that ends in a hyphen to the next without it.
    static const QRegularExpression layout(QStringLiteral("[\\s-]+"));
    const QString printed = text.remove(layout);
    QVERIFY(printed.contains(QStringLiteral("Name:") + QString(shownName).remove(layout)
                             + QStringLiteral("Address:")));
    QVERIFY(printed.endsWith(QStringLiteral("Notes:") + QString(shownNotes).remove(layout)));
}

void TestReportExport::aLongSaveOrPrintCanBeCancelled_data()
{
    QTest::addColumn<QByteArray>("button");
    QTest::addColumn<QString>("told");
    QTest::newRow("save") << QByteArray("cmdSave")
                          << QStringLiteral("The save was cancelled: no report was written, and "
                                            "\"%1\" was left as it was.");
    QTest::newRow("print") << QByteArray("cmdPrint")
                           << QStringLiteral("The printing on \"%1\" was cancelled.");
}

// Saving or printing megabytes shows its progress, and its Cancel stops it:
// an earlier file of the name is left as it was, and the user is told.
void TestReportExport::aLongSaveOrPrintCanBeCancelled()
{
    QFETCH(QByteArray, button);
    QFETCH(QString, told);
    DowsingRecord record = printableRecord();
    record.Notes = QStringLiteral("water at three metres, ").repeated(200000);
    showReport(record);
    const QString path = m_out->filePath(button == "cmdSave" ? QStringLiteral("earlier.rtf")
                                                             : QStringLiteral("earlier.pdf"));
    QVERIFY(writeFile(path, "the report saved last week"));
    m_env->dialogs.nextSaveName = path;
    printTo(path);
    m_env->progress.cancelAtStep = 2;
    press(m_form, button.constData());
    QVERIFY(m_env->progress.steps >= 2);
    QCOMPARE(m_env->messages.texts(), QStringList{told.arg(QDir::toNativeSeparators(path))});
    if (button == "cmdSave")
        QCOMPARE(fileBytes(path), QByteArray("the report saved last week"));

    // Without a cancel, the same command runs to its end.
    m_env->messages.clear();
    m_env->progress.cancelAtStep = 0;
    press(m_form, button.constData());
    QVERIFY2(m_env->messages.shown.isEmpty(), qPrintable(m_env->messages.texts().join('|')));
    QVERIFY(fileBytes(path).size() > 100000);
}

QTEST_MAIN(TestReportExport)
#include "tst_reportexport.moc"
