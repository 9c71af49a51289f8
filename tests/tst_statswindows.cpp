// The customers and statistics windows in the frame, as the user meets
// them: a customer found as typed and chosen with Enter shows the list of
// exactly their records, with the find bar saying whose, and Close shows
// every record again; the statistics' every chart has a table row for each
// bar, saves as a PNG image, and prints with its numbers.

#include "support/ExternalReaders.h"
#include "support/ProgramWindows.h"
#include "support/TestDatabase.h"

#include "app/FrameWindow.h"
#include "app/WindowCoordinator.h"
#include "entry/EntryWindow.h"
#include "list/CustomersWindow.h"
#include "list/RecordListWindow.h"
#include "list/StatisticsWindow.h"
#include "widgets/ChartPage.h"

#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QSqlQuery>
#include <QTableView>
#include <QtTest>

using namespace Orvane;
using namespace Orvane::Testing;

namespace {

DowsingRecord record(const QString &name, const QString &phone, const QDate &date,
                     const QString &tool)
{
    DowsingRecord r = customerRecord(name);
    r.Phone_No = phone;
    r.Date = date;
    r.Dowsing_Tool = tool;
    return r;
}

void waitWhile(const std::function<bool()> &busy)
{
    QTRY_VERIFY_WITH_TIMEOUT(!busy(), 10000);
}

} // namespace

class TestStatsWindows : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void aCustomerFoundAndChosenShowsExactlyTheirRecords_data();
    void aCustomerFoundAndChosenShowsExactlyTheirRecords();
    void everyChartHasItsNumbersSavesAndPrints_data();
    void everyChartHasItsNumbersSavesAndPrints();
    void aNameAnotherProgramStoredShowsItsStart_data();
    void aNameAnotherProgramStoredShowsItsStart();

private:
    std::unique_ptr<ProgramWindows> m_program;
};

void TestStatsWindows::init()
{
    m_program = std::make_unique<ProgramWindows>(0);
    addRecords(m_program->env.databasePath(),
               {record("JOHN SMITH", "0123.456", QDate(2009, 3, 5), "Rods"),
                record("MARY JONES", "555", QDate(2010, 1, 2), "Branch"),
                record("John Smith", "0123.456", QDate(2011, 6, 7), "Rods"),
                record("JOHN SMITH", "999", QDate(2012, 8, 9), "Pendulam"),
                record("", "", QDate(2013, 2, 1), "Rods"),
                record("", "", QDate(2013, 2, 2), "Rods")});
    m_program->enter(QStringLiteral("entry locked"));
}

void TestStatsWindows::cleanup()
{
    m_program.reset();
}

void TestStatsWindows::aCustomerFoundAndChosenShowsExactlyTheirRecords_data()
{
    QTest::addColumn<QString>("find");
    QTest::addColumn<QString>("count");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("records");
    QTest::newRow("name and phone, whatever the case")
            << "0123" << "1 of 5 customers" << "Customer: John Smith, 0123.456" << 2;
    QTest::newRow("same name, other phone")
            << "999" << "1 of 5 customers" << "Customer: JOHN SMITH, 999" << 1;
    QTest::newRow("a name alone") << "mary" << "1 of 5 customers" << "Customer: MARY JONES, 555" << 1;
}

void TestStatsWindows::aCustomerFoundAndChosenShowsExactlyTheirRecords()
{
    QFETCH(QString, find);
    QFETCH(QString, count);
    QFETCH(QString, caption);
    QFETCH(int, records);
    WindowCoordinator &windows = m_program->frame().windows();
    windows.showCustomers(windows.entryWindow());
    CustomersWindow *customers = windows.customersWindow();
    QVERIFY(customers && customers->isVisible());
    QVERIFY(!windows.entryWindow()->isVisible());
    waitWhile([&] { return customers->isBusy(); });

    // Ctrl+F, the text typed, Enter: as the keyboard does it.
    QTest::keyClick(customers, Qt::Key_F, Qt::ControlModifier);
    auto *box = customers->findChild<QLineEdit *>(QStringLiteral("txtFind"));
    QVERIFY(box && box->hasFocus());
    QTest::keyClicks(box, find);
    waitWhile([&] { return customers->isBusy(); });
    auto *countLabel = customers->findChild<QLabel *>(QStringLiteral("lblFindCount"));
    QVERIFY(countLabel);
    QCOMPARE(countLabel->text(), count);
    QTest::keyClick(box, Qt::Key_Return);

    QTRY_VERIFY(windows.listWindow()->isVisible());
    RecordListWindow *list = windows.listWindow();
    QTRY_VERIFY(!list->isSearching());
    QCOMPARE(list->findChild<QLabel *>(QStringLiteral("lblFindCaption"))->text(), caption);
    auto *grid = list->findChild<QTableView *>(QStringLiteral("DataGrid"));
    QCOMPARE(grid->model()->rowCount(), records);
    QVERIFY(!windows.customersWindow());

    // Close: every record again.
    list->findChild<QPushButton *>(QStringLiteral("cmdCloseFind"))->click();
    QTRY_VERIFY(!list->isSearching());
    QCOMPARE(grid->model()->rowCount(), 6);
    QVERIFY(list->findChild<QLabel *>(QStringLiteral("lblFindCaption"))->isHidden());
}

void TestStatsWindows::everyChartHasItsNumbersSavesAndPrints_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<int>("bars");
    QTest::addColumn<QString>("firstRow");
    // March 2009 to February 2013; the tools; the item and city of
    // customerRecord.
    QTest::newRow("months") << 0 << 48 << "March 2009";
    QTest::newRow("tools") << 1 << 3 << "Rods";
    QTest::newRow("items") << 2 << 1 << "water";
    QTest::newRow("cities") << 3 << 1 << "YORK";
}

void TestStatsWindows::everyChartHasItsNumbersSavesAndPrints()
{
    QFETCH(int, page);
    QFETCH(int, bars);
    QFETCH(QString, firstRow);
    WindowCoordinator &windows = m_program->frame().windows();
    windows.showStatistics(windows.entryWindow(), FindRequest(), QStringLiteral("All records"));
    StatisticsWindow *stats = windows.statisticsWindow();
    QVERIFY(stats && stats->isVisible());
    waitWhile([&] { return stats->isBusy(); });
    QCOMPARE(stats->statistics().records, qint64(6));
    QCOMPARE(stats->statistics().customers, qint64(5));

    ChartPage *chart = stats->page(page);
    QCOMPARE(chart->chart()->bars().size(), qsizetype(bars));
    QCOMPARE(chart->table()->model()->rowCount(), bars);
    if (!firstRow.isEmpty())
        QCOMPARE(chart->table()->model()->index(0, 0).data().toString(), firstRow);

    // Saved: a name without its suffix gets ".png", and the file is an image.
    TestEnvironment &env = m_program->env;
    const QString base = env.folder() + QStringLiteral("/chart");
    env.dialogs.nextSaveName = base;
    QVERIFY(chart->saveImage());
    QImage saved(base + QStringLiteral(".png"));
    QVERIFY(!saved.isNull());
    QCOMPARE(saved.size(), chart->image().size());

    // Printed: the title, then each row of numbers.
    const QString pdf = env.folder() + QStringLiteral("/chart.pdf");
    env.dialogs.printerAnswer = [pdf](QPrinter &printer, bool) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        return true;
    };
    QVERIFY(chart->print());
    QString text, error;
    if (!pdfText(pdf, &text, &error))
        QSKIP(qPrintable(error));
    QVERIFY2(text.contains(chart->title()), qPrintable(text));
    const QString lastRow = chart->table()->model()->index(bars - 1, 0).data().toString();
    QVERIFY2(text.contains(lastRow), qPrintable(text));
}

void TestStatsWindows::aNameAnotherProgramStoredShowsItsStart_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("column");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("shown");
    const QString letters = QStringLiteral("abcdefghijklmnopqrstuvwxyz").repeated(40400);
    QTest::newRow("a tool of a million letters")
            << 1 << "Dowsing_Tool" << letters << letters.left(400) + QStringLiteral("\u2026");
    QTest::newRow("an item of 401 letters")
            << 2 << "Item_Dowsing_For" << letters.left(401) << letters.left(400) + QStringLiteral("\u2026");
    QTest::newRow("a zero in a tool") << 1 << "Dowsing_Tool"
                                      << QStringLiteral("ROD") + QChar(0) + QStringLiteral("S")
                                      << QStringLiteral("ROD<U+0000>S");
    // The customers window's first cell, where the page is -1.
    QTest::newRow("a customer's name of a million letters")
            << -1 << "Name" << letters << letters.left(400) + QStringLiteral("\u2026");
    QTest::newRow("an escape in a customer's name")
            << -1 << "Name" << QStringLiteral("\x1B[1mJOHN") << QStringLiteral("<U+001B>[1mJOHN");
}

// The tools and items most records name are shown by their start and with
// every character, in the table and on the bars, however long another
// program made them; so are the customers' names.
void TestStatsWindows::aNameAnotherProgramStoredShowsItsStart()
{
    QFETCH(int, page);
    QFETCH(QString, column);
    QFETCH(QString, stored);
    QFETCH(QString, shown);
    {
        RawDatabase raw(m_program->env.databasePath());
        QSqlQuery update(raw.db());
        QVERIFY(update.prepare(QStringLiteral("UPDATE Details SET %1 = ?").arg(column)));
        update.addBindValue(stored);
        QVERIFY(update.exec());
    }
    WindowCoordinator &windows = m_program->frame().windows();
    if (page < 0) {
        windows.showCustomers(windows.entryWindow());
        CustomersWindow *customers = windows.customersWindow();
        waitWhile([&] { return customers->isBusy(); });
        auto *grid = customers->findChild<QTableView *>(QStringLiteral("CustomersGrid"));
        QCOMPARE(grid->model()->index(0, 0).data().toString(), shown);
        return;
    }
    windows.showStatistics(windows.entryWindow(), FindRequest(), QStringLiteral("All records"));
    StatisticsWindow *stats = windows.statisticsWindow();
    waitWhile([&] { return stats->isBusy(); });
    ChartPage *chart = stats->page(page);
    QCOMPARE(chart->table()->model()->rowCount(), 1);
    QCOMPARE(chart->table()->model()->index(0, 0).data().toString(), shown);
    QCOMPARE(chart->chart()->bars().constFirst().label, shown);
}

QTEST_MAIN(TestStatsWindows)
#include "tst_statswindows.moc"
