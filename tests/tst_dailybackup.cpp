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
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot
                                          | QDir::System,
                                  QDir::Name);
}

// "name=kind" for what a row puts in the back-up folder: "copy" (a whole
// copy of an empty record file), "text" (another program's file), "cut" (a
// copy cut short), "folder", "link" (to a whole copy outside the folder) or
// "dangling" (a link to nothing).
QString plant(const QString &folder, const QString &entry, const QString &outside)
{
    const QString name = entry.section(QLatin1Char('='), 0, 0);
    const QString kind = entry.section(QLatin1Char('='), 1);
    const QString path = QDir(folder).filePath(name);
    const QString target = QDir(outside).filePath(name);
    const bool made = kind == QLatin1String("copy") ? TestEnvironment::copyShippedDatabase(path)
            : kind == QLatin1String("text")   ? writeFile(path, name.toUtf8())
            : kind == QLatin1String("cut")    ? TestEnvironment::copyShippedDatabase(path)
                            && QFile::resize(path, QFileInfo(path).size() / 2)
            : kind == QLatin1String("folder") ? QDir().mkpath(path)
            : kind == QLatin1String("link")
                    ? TestEnvironment::copyShippedDatabase(target) && QFile::link(target, path)
                    : QFile::link(target, path);
    return made ? QString() : QStringLiteral("could not plant ") + entry;
}

// The back-ups of the week before today, as files of their names.
QStringList weekBefore()
{
    QStringList week;
    for (int day = 1; day <= 7; ++day)
        week << backUpOf(day) + QStringLiteral("=text");
    return week;
}

} // namespace

class TestDailyBackup : public QObject
{
    Q_OBJECT

private slots:
    void dayDecidesWhatIsCopiedAndKept_data();
    void dayDecidesWhatIsCopiedAndKept();
    void onlyAWholeCopyStandsForTheDay_data();
    void onlyAWholeCopyStandsForTheDay();
    void aCopyDatedAheadNeverStandsInForItsDay_data();
    void aCopyDatedAheadNeverStandsInForItsDay();
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
    // Today's back-up is a whole copy; the older ones need only their names.
    QMap<int, QByteArray> plantedBytes;
    for (int day : planted) {
        const QString path = QDir(folder).filePath(backUpOf(day));
        QVERIFY(day == 0 ? TestEnvironment::copyShippedDatabase(path)
                         : writeFile(path, backUpOf(day).toUtf8()));
        plantedBytes[day] = fileBytes(path);
    }

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
            QCOMPARE(fileBytes(path), plantedBytes.value(day));
        } else {
            QCOMPARE(integrityOf(path), QStringLiteral("ok"));
            QCOMPARE(storedRecords(path), storedRecords(database));
        }
    }
    QCOMPARE(digestOf(database), before);
}

void TestDailyBackup::onlyAWholeCopyStandsForTheDay_data()
{
    QTest::addColumn<QStringList>("planted");   // "name=kind", see plant()
    QTest::addColumn<bool>("folderIsLink");     // the folder a link to a folder elsewhere
    QTest::addColumn<Outcome>("outcome");
    QTest::addColumn<QString>("made");          // the name of the copy made; empty: none
    QTest::addColumn<QString>("notice");        // a part of it; empty: no notice
    QTest::addColumn<QStringList>("removed");   // names gone from the folder
    QTest::addColumn<QStringList>("added");     // names new in it, beside the one made

    const QString today = backUpOf(0);
    const QString second = QStringLiteral("Dowsing-2026-12-08-2.dll");
    const QString ahead = QStringLiteral("Dowsing-2027-06-01.dll");
    const QString apart = QStringLiteral("Dowsing-2027-06-01-found-on-2026-12-08.dll");
    // Something else under today's name: the copy takes the second name.
    for (const char *kind : {"folder", "link", "dangling", "text", "cut"})
        QTest::addRow("today's name taken: %s", kind)
                << QStringList{today + QLatin1Char('=') + QLatin1String(kind)} << false
                << Outcome::Made << second << QString() << QStringList() << QStringList();
    QTest::newRow("a second start after a copy under the second name")
            << QStringList{today + QStringLiteral("=folder"), second + QStringLiteral("=copy")}
            << false << Outcome::AlreadyMade << QString() << QString() << QStringList()
            << QStringList();
    QTest::newRow("the back-up folder a link to another folder")
            << QStringList{backUpOf(1) + QStringLiteral("=text")} << true
            << Outcome::LinkedFolder << QString() << "is a link" << QStringList()
            << QStringList();
    QTest::newRow("an old back-up that is a link, past the seven kept")
            << weekBefore() + QStringList{backUpOf(30) + QStringLiteral("=link")} << false
            << Outcome::Made << today << QString() << QStringList{backUpOf(7)} << QStringList();
    // Made with the clock set ahead: not one of the seven, never removed,
    // and out of that day's name before the day comes.
    QTest::newRow("a copy dated after today")
            << weekBefore() + QStringList{ahead + QStringLiteral("=copy")} << false
            << Outcome::Made << today << "kept apart as " + apart
            << QStringList{backUpOf(7), ahead} << QStringList{apart};
    QTest::newRow("another program's file named for a day after today")
            << QStringList{ahead + QStringLiteral("=text")} << false << Outcome::Made << today
            << QString() << QStringList() << QStringList();
}

void TestDailyBackup::onlyAWholeCopyStandsForTheDay()
{
    QFETCH(QStringList, planted);
    QFETCH(bool, folderIsLink);
    QFETCH(Outcome, outcome);
    QFETCH(QString, made);
    QFETCH(QString, notice);
    QFETCH(QStringList, removed);
    QFETCH(QStringList, added);

    TestEnvironment env;
    env.clock.date = kToday;
    env.disks.free = qint64(1) << 40;
    const QString database = env.databasePath();
    QVERIFY(runSql(database, {manyRecords(300)}));
    const QString outside = QDir(env.folder()).filePath(QStringLiteral("elsewhere"));
    QVERIFY(QDir().mkpath(outside));
    const QString folder = DailyBackup::folderOf(env.folder());
    if (folderIsLink)
        QVERIFY(QFile::link(outside, folder));
    else
        QVERIFY(QDir().mkpath(folder));
    for (const QString &entry : planted) {
        const QString failed = plant(folderIsLink ? outside : folder, entry, outside);
        QVERIFY2(failed.isEmpty(), qPrintable(failed));
    }
    QStringList outsideBefore = entriesOf(outside);
    QMap<QString, QByteArray> outsideBytes;
    for (const QString &name : outsideBefore)
        outsideBytes[name] = fileBytes(QDir(outside).filePath(name));
    const QStringList before = entriesOf(folder);

    DailyBackup backUp;
    QSignalSpy finished(&backUp, &DailyBackup::finished);
    backUp.start();
    QTRY_COMPARE_WITH_TIMEOUT(finished.size(), 1, 30000);
    QCOMPARE(finished.at(0).at(0).value<Outcome>(), outcome);
    const QString told = finished.at(0).at(1).toString();
    QVERIFY2(notice.isEmpty() ? told.isEmpty() : told.contains(notice), qPrintable(told));

    // Nothing outside the folder was written or removed through a link.
    QCOMPARE(entriesOf(outside), outsideBefore);
    for (auto file = outsideBytes.cbegin(); file != outsideBytes.cend(); ++file)
        QCOMPARE(fileBytes(QDir(outside).filePath(file.key())), file.value());
    if (folderIsLink)
        return;

    QStringList expected = before + added;
    for (const QString &name : removed)
        expected.removeAll(name);
    if (!made.isEmpty())
        expected.append(made);
    expected.sort();
    QCOMPARE(entriesOf(folder), expected);
    if (!made.isEmpty()) {
        const QString copy = QDir(folder).filePath(made);
        QVERIFY(!QFileInfo(copy).isSymLink());
        QCOMPARE(integrityOf(copy), QStringLiteral("ok"));
        QCOMPARE(keysIn(copy).size(), 300);
    }
    // A copy set apart is the copy that was planted, kept whole.
    for (const QString &name : added)
        QCOMPARE(digestOf(QDir(folder).filePath(name)), digestOf(TestEnvironment::shippedDatabase()));
}

void TestDailyBackup::aCopyDatedAheadNeverStandsInForItsDay_data()
{
    QTest::addColumn<QList<QDate>>("starts");     // the clock's day at each start
    QTest::addColumn<QList<Outcome>>("outcomes"); // the back-up's outcome at each
    // Which start's records the back-up named for the last start's day holds:
    // a record is added before each start, so start n's copy holds 40 + n.
    QTest::addColumn<int>("copyOfStart");

    const QDate ahead(2027, 6, 1);
    QTest::newRow("a start with the clock ahead, then right, then that day comes")
            << QList<QDate>{ahead, kToday, ahead}
            << QList<Outcome>{Outcome::Made, Outcome::Made, Outcome::Made} << 3;
    QTest::newRow("two starts on one day")
            << QList<QDate>{kToday, kToday} << QList<Outcome>{Outcome::Made, Outcome::AlreadyMade}
            << 1;
    QTest::newRow("a start with the clock a day behind, then right")
            << QList<QDate>{kToday, kToday.addDays(-1), kToday}
            << QList<Outcome>{Outcome::Made, Outcome::Made, Outcome::Made} << 3;
}

// When the day a copy was wrongly dated for comes, its back-up is made: a
// copy set apart earlier does not stand in for it.
void TestDailyBackup::aCopyDatedAheadNeverStandsInForItsDay()
{
    QFETCH(QList<QDate>, starts);
    QFETCH(QList<Outcome>, outcomes);
    QFETCH(int, copyOfStart);

    TestEnvironment env;
    env.disks.free = qint64(1) << 40;
    QVERIFY(runSql(env.databasePath(), {manyRecords(40)}));
    for (qsizetype i = 0; i < starts.size(); ++i) {
        QVERIFY(runSql(env.databasePath(), {manyRecords(1)}));
        env.clock.date = starts.at(i);
        DailyBackup backUp;
        QSignalSpy finished(&backUp, &DailyBackup::finished);
        backUp.start();
        QTRY_COMPARE_WITH_TIMEOUT(finished.size(), 1, 30000);
        QCOMPARE(finished.at(0).at(0).value<Outcome>(), outcomes.at(i));
    }
    const QString copy = QDir(DailyBackup::folderOf(env.folder()))
                                 .filePath(DailyBackup::fileNameOf(starts.constLast()));
    QCOMPARE(keysIn(copy).size(), 40 + copyOfStart);
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
