// The automatic back-up of each day: what a start copies, keeps and removes
// in the back-up folder beside files that only look like back-ups, what it
// refuses to copy and what a failed or stopped copy leaves; and, through the
// real start, the notice in the frame that a screen reader reads.

#include "support/FakePlatform.h"
#include "support/SecondProcess.h"
#include "support/TestDatabase.h"
#include "support/TestFiles.h"
#include "support/WindowDriver.h"

#include "app/DailyBackup.h"
#include "app/FrameWindow.h"
#include "app/ProgramEnd.h"
#include "app/Startup.h"
#include "store/RecordStore.h"

#include <QAccessible>
#include <QDir>
#include <QLabel>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QtTest>

#include <memory>

using namespace Orvane;
using namespace Orvane::Testing;
using Outcome = DailyBackup::Outcome;

namespace {

const QDate kToday(2026, 12, 8);

// Names a careless match would take for back-ups, the oldest-looking
// first, and a back-up dated after today: none may ever be removed.
const QStringList kLookAlikes = {
        QStringLiteral("Dowsing-2020-01-01.dll.bak"), QStringLiteral("dowsing-2020-01-01.dll"),
        QStringLiteral("Dowsing-2020-1-1.dll"),       QStringLiteral("Dowsing-2020-02-30.dll"),
        QStringLiteral("Dowsing-2020-01-01 (copy).dll"), QStringLiteral("Dowsing.dll"),
        QStringLiteral("notes.txt"),                  QStringLiteral("Dowsing-2030-01-01.dll")};

QString backUpOf(int daysAgo)
{
    return DailyBackup::fileNameOf(kToday.addDays(-daysAgo));
}

QStringList entriesOf(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                                  QDir::Name);
}

} // namespace

class TestDailyBackup : public QObject
{
    Q_OBJECT

private slots:
    void dayDecidesWhatIsCopiedAndKept_data();
    void dayDecidesWhatIsCopiedAndKept();
    void startShowsItsNoticeInTheFrame();
    void exitBeforeTheCopyCopiesNothing();
};

void TestDailyBackup::dayDecidesWhatIsCopiedAndKept_data()
{
    QTest::addColumn<QList<int>>("planted");  // days ago of the back-ups there before
    QTest::addColumn<bool>("checkBeside");    // the page check runs on a thread
    QTest::addColumn<bool>("damaged");
    QTest::addColumn<qint64>("roomOverTwice"); // free room beyond twice the file
    QTest::addColumn<qint64>("fileLimit");     // the disk fills at this size (0: never)
    QTest::addColumn<bool>("cancelled");
    QTest::addColumn<Outcome>("outcome");
    QTest::addColumn<QString>("notice");      // a part of it; empty: no notice
    QTest::addColumn<QList<int>>("kept");     // days ago of the back-ups there after

    const QList<int> week = {1, 2, 3, 4, 5, 6, 7};
    const QList<int> newest = {0, 1, 2, 3, 4, 5, 6};
    const qint64 plenty = qint64(1) << 40;
    QTest::newRow("first start") << QList<int>{} << false << false << qint64(0) << qint64(0)
                                 << false << Outcome::Made << QString() << QList<int>{0};
    QTest::newRow("first start, check beside the window")
            << QList<int>{} << true << false << plenty << qint64(0) << false << Outcome::Made
            << QString() << QList<int>{0};
    QTest::newRow("second start the same day")
            << QList<int>{0, 1} << false << false << plenty << qint64(0) << false
            << Outcome::AlreadyMade << QString() << QList<int>{0, 1};
    QTest::newRow("eighth day") << week << false << false << plenty << qint64(0) << false
                                << Outcome::Made << QString() << newest;
    QTest::newRow("too little room") << week << false << false << qint64(-1) << qint64(0)
                                     << false << Outcome::NoRoom << "a back-up needs" << week;
    QTest::newRow("damaged, found at open") << week << false << true << plenty << qint64(0)
                                            << false << Outcome::Damaged << "damaged" << week;
    QTest::newRow("damaged, found beside the window")
            << week << true << true << plenty << qint64(0) << false << Outcome::Damaged
            << "damaged" << week;
    QTest::newRow("disk full midway") << week << false << false << plenty << qint64(1 << 20)
                                      << false << Outcome::Failed << "were kept" << week;
    QTest::newRow("program ends during the copy") << week << false << false << plenty
                                                  << qint64(0) << true << Outcome::Cancelled
                                                  << QString() << week;
}

void TestDailyBackup::dayDecidesWhatIsCopiedAndKept()
{
    QFETCH(QList<int>, planted);
    QFETCH(bool, checkBeside);
    QFETCH(bool, damaged);
    QFETCH(qint64, roomOverTwice);
    QFETCH(qint64, fileLimit);
    QFETCH(bool, cancelled);
    QFETCH(Outcome, outcome);
    QFETCH(QString, notice);
    QFETCH(QList<int>, kept);

    TestEnvironment env;
    env.clock.date = kToday;
    const QString database = env.databasePath();
    // Over 1024 pages: the copy takes more than one step.
    QVERIFY(runSql(database, {manyRecords(15000)}));
    // Nothing opens the file before the back-up does: a store's page check
    // finds a file sound once a run.
    if (damaged)
        QVERIFY(spoilMiddlePage(database));
    const QByteArray before = digestOf(database);
    env.disks.free = 2 * QFileInfo(database).size() + roomOverTwice;
    const auto restore = qScopeGuard(
            [limit = RecordStore::largeFileBytes()] { RecordStore::setLargeFileBytes(limit); });
    RecordStore::setLargeFileBytes(checkBeside ? 0 : qint64(1) << 40);

    const QString folder = DailyBackup::folderOf(env.folder());
    QVERIFY(QDir().mkpath(folder + QStringLiteral("/Dowsing-2020-01-03.dll")));
    for (const QString &name : kLookAlikes)
        QVERIFY(writeFile(QDir(folder).filePath(name), name.toUtf8()));
    for (int day : planted)
        QVERIFY(writeFile(QDir(folder).filePath(backUpOf(day)), backUpOf(day).toUtf8()));

    DailyBackup backUp;
    QSignalSpy finished(&backUp, &DailyBackup::finished);
    {
        std::unique_ptr<FileSizeLimit> full(fileLimit ? new FileSizeLimit(fileLimit) : nullptr);
        backUp.start();
        if (cancelled)
            backUp.cancel();
        QTRY_COMPARE_WITH_TIMEOUT(finished.size(), 1, 30000);
    }
    QCOMPARE(finished.at(0).at(0).value<Outcome>(), outcome);
    const QString told = finished.at(0).at(1).toString();
    QVERIFY2(notice.isEmpty() ? told.isEmpty() : told.contains(notice), qPrintable(told));

    // Exactly the kept back-ups beside the look-alikes: nothing partial.
    QStringList expected = kLookAlikes + QStringList{QStringLiteral("Dowsing-2020-01-03.dll")};
    for (int day : kept)
        expected.append(backUpOf(day));
    expected.sort();
    QCOMPARE(entriesOf(folder), expected);
    for (const QString &name : kLookAlikes)
        QCOMPARE(fileBytes(QDir(folder).filePath(name)), name.toUtf8());
    for (int day : kept) {
        const QString path = QDir(folder).filePath(backUpOf(day));
        if (planted.contains(day)) {
            QCOMPARE(fileBytes(path), backUpOf(day).toUtf8());
        } else {
            QCOMPARE(integrityOf(path), QStringLiteral("ok"));
            QCOMPARE(storedRecords(path), storedRecords(database));
        }
    }
    QCOMPARE(digestOf(database), before);
}

// Through the real start: the day's back-up begins once the frame painted,
// and its notice is a line at the frame's foot, named for a screen reader.
void TestDailyBackup::startShowsItsNoticeInTheFrame()
{
    TestEnvironment env;
    env.disks.free = 0;
    {
        Startup startup(uniqueLockName());
        QVERIFY(startup.run());
        FrameWindow *frame = frameWindow();
        QVERIFY(frame);
        QTRY_VERIFY(frame->notice());
        QVERIFY(frame->notice()->isVisible());
        QVERIFY(frame->notice()->text().startsWith(QStringLiteral("Today's back-up")));
        QAccessibleInterface *read = QAccessible::queryAccessibleInterface(frame->notice());
        QCOMPARE(read->text(QAccessible::Name), frame->notice()->text());
        QVERIFY(env.messages.shown.isEmpty());
        ProgramEnd::unloadAllAndEnd();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    QVERIFY(!QFile::exists(DailyBackup::folderOf(env.folder())));
}

void TestDailyBackup::exitBeforeTheCopyCopiesNothing()
{
    TestEnvironment env;
    // Deleted with every window at the end.
    auto *frame = new FrameWindow;
    QVERIFY(frame->loadEntryWindow());
    DailyBackup *backUp = frame->windows().dailyBackup();
    QSignalSpy finished(backUp, &DailyBackup::finished);
    frame->windows().exitProgram();
    backUp->start();
    QCOMPARE(finished.size(), 1);
    QCOMPARE(finished.at(0).at(0).value<Outcome>(), Outcome::Cancelled);
    QVERIFY(!QFile::exists(DailyBackup::folderOf(env.folder())));
    ProgramEnd::unloadAllAndEnd();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

QTEST_MAIN(TestDailyBackup)
#include "tst_dailybackup.moc"
