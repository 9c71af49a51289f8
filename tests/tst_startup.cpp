// Start-up: one running copy per user and executable (a copy that died does
// not block the next start), a refused second copy that touches nothing, and
// a normal start that reminds once and shows the frame with the entry window
// inside, or only the exit screen when the database is missing.

#include "support/SecondProcess.h"
#include "support/TestDatabase.h"
#include "support/TestFiles.h"
#include "support/WindowDriver.h"

#include "platform/AppInfo.h"
#include "platform/SingleInstance.h"
#include "app/FileTrust.h"
#include "app/FramePlacement.h"
#include "app/Startup.h"
#include "app/UpdateReminder.h"
#include "app/ProgramEnd.h"
#include "store/FileCheck.h"
#include "store/RecordStore.h"

#include <QFile>
#include <QProcess>
#include <QSysInfo>
#include <QtTest>

#include <csignal>
#include <cstring>
#include <memory>
#include <vector>

using namespace Orvane;
using namespace Orvane::Testing;

namespace {

const char holdArgument[] = "--hold-lock";

// The child process: takes the named lock, says so, and waits to be killed.
int holdLockUntilKilled(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    SingleInstance instance(QString::fromLocal8Bit(argv[2]));
    answerAndWaitToBeKilled(instance.tryAcquire());
}

// The id of a process that has ended.
qint64 deadProcessId()
{
    QProcess done;
    done.start(QStringLiteral("true"), QStringList());
    done.waitForFinished();
    return done.processId() > 0 ? done.processId() : 999999;
}

// Ends a started program as closing its exit screen would, and deletes
// every window.
void endProgram()
{
    ProgramEnd::unloadAllAndEnd();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace

class TestStartup : public QObject
{
    Q_OBJECT

private slots:
    void secondHolderIsRefusedWhileTheFirstHolds();
    void lockNamingADeadProcessDoesNotBlock();
    void copyKilledWithSigkillDoesNotBlock();
    void copiesStartedTogetherLetExactlyOneRun();
    void normalStartShowsTheFrameWithTheEntryWindow();
    void dueReminderIsAskedOnceAtStart();
    void secondCopyTouchesNothingAndEnds();
    void missingDatabaseLeavesOnlyTheExitScreen();
    void fileWithoutFindIndexGetsItOnceOrStaysAsItWas();
    void theFrameComesBackWhereAScreenStillShowsIt_data();
    void theFrameComesBackWhereAScreenStillShowsIt();
    void theFramesPlaceIsKeptAtTheEndAndRestoredAtStart();
    void aSessionsEndIsACleanEnd_data();
    void aSessionsEndIsACleanEnd();
    void aFileIsReadWholeUnlessItStandsAsItWasLeft_data();
    void aFileIsReadWholeUnlessItStandsAsItWasLeft();
};

void TestStartup::secondHolderIsRefusedWhileTheFirstHolds()
{
    const QString name = uniqueLockName();
    auto first = std::make_unique<SingleInstance>(name);
    QVERIFY(first->tryAcquire());
    QVERIFY(first->tryAcquire()); // asking again keeps the lock
    SingleInstance second(name);
    QVERIFY(!second.tryAcquire());
    QVERIFY(QFile::exists(first->lockFilePath()));
    first.reset();
    QVERIFY(second.tryAcquire());
}

void TestStartup::lockNamingADeadProcessDoesNotBlock()
{
    const QString name = uniqueLockName();
    SingleInstance probe(name);
    QFile lock(probe.lockFilePath());
    QVERIFY(lock.open(QIODevice::WriteOnly));
    lock.write(QByteArray::number(deadProcessId()) + '\n'
               + QCoreApplication::applicationName().toUtf8() + '\n'
               + QSysInfo::machineHostName().toUtf8() + '\n');
    lock.close();
    QVERIFY(probe.tryAcquire());
    SingleInstance other(name);
    QVERIFY(!other.tryAcquire());
}

void TestStartup::copyKilledWithSigkillDoesNotBlock()
{
    const QString name = uniqueLockName();
    QProcess holder;
    QCOMPARE(startCopy(holder, {QString::fromLatin1(holdArgument), name}), QByteArray("held"));

    SingleInstance mine(name);
    QVERIFY2(!mine.tryAcquire(), "a live copy in another process must block");

    holder.kill(); // SIGKILL: no clean-up runs in the holder
    QVERIFY(holder.waitForFinished());
    QCOMPARE(holder.exitStatus(), QProcess::CrashExit);
    QVERIFY(QFile::exists(mine.lockFilePath()));
    QVERIFY(mine.tryAcquire());
}

void TestStartup::copiesStartedTogetherLetExactlyOneRun()
{
    // Copies racing for the lock at the same moment: one wins, the others
    // are refused, and none waits.
    const QString name = uniqueLockName();
    std::vector<std::unique_ptr<QProcess>> copies;
    for (int i = 0; i < 6; ++i) {
        copies.push_back(std::make_unique<QProcess>());
        copies.back()->start(QCoreApplication::applicationFilePath(),
                             {QString::fromLatin1(holdArgument), name});
    }
    int held = 0;
    int refused = 0;
    for (const auto &copy : copies) {
        QVERIFY(copy->waitForStarted());
        QVERIFY(copy->waitForReadyRead(10000));
        const QByteArray answer = copy->readLine().trimmed();
        held += answer == "held";
        refused += answer == "refused";
    }
    for (const auto &copy : copies) {
        copy->kill();
        copy->waitForFinished();
    }
    QCOMPARE(held, 1);
    QCOMPARE(refused, 5);
}

void TestStartup::normalStartShowsTheFrameWithTheEntryWindow()
{
    TestEnvironment env;
    {
        Startup startup(uniqueLockName());
        QVERIFY(startup.run());
        FrameWindow *frame = frameWindow();
        QVERIFY(frame);
        QCOMPARE(visibleWindows(), QList<QWidget *>{frame});
        QVERIFY(frame->windows().entryWindow());
        QVERIFY(frame->isChildVisible(frame->windows().entryWindow()));
        QVERIFY(!ProgramEnd::isExitScreenShown());
        // First run: the reminder date is stored, nothing is asked.
        QVERIFY(env.messages.shown.isEmpty());
        QCOMPARE(env.settings.writes, 1);
        QCOMPARE(env.process.ends, 0);
        endProgram();
    }
    QCOMPARE(QApplication::topLevelWidgets(), QWidgetList());
}

void TestStartup::dueReminderIsAskedOnceAtStart()
{
    // Start-up and the entry window's load both run the reminder.
    TestEnvironment env;
    env.settings.values.insert(
            AppInfo::executableBaseName() + QStringLiteral("/Settings/")
                    + UpdateReminder::encodeSetting(QStringLiteral("Duration")),
            UpdateReminder::encodeSetting(UpdateReminder::dateText(env.clock.date.addDays(-20))));
    env.messages.answers.enqueue(MessageBoxes::Answer::No);
    Startup startup(uniqueLockName());
    QVERIFY(startup.run());
    QCOMPARE(env.messages.shown.size(), 1);
    QCOMPARE(env.settings.writes, 1);
    QVERIFY(frameWindow() && frameWindow()->isVisible());
    endProgram();
}

void TestStartup::secondCopyTouchesNothingAndEnds()
{
    // The running copy is another process.
    const QString name = uniqueLockName();
    QProcess running;
    QCOMPARE(startCopy(running, {QString::fromLatin1(holdArgument), name}), QByteArray("held"));

    TestEnvironment env;
    // A due reminder would ask and write: it must not even be read.
    env.settings.values.insert(QStringLiteral("x"), QStringLiteral("y"));
    const QByteArray database = fileBytes(env.databasePath());
    QVERIFY(database.startsWith("SQLite format 3"));

    Startup copy(name);
    QVERIFY(!copy.run());
    QCOMPARE(env.messages.texts(), QStringList{QStringLiteral("Application is already running")});
    QCOMPARE(env.messages.shown.constFirst().icon, MessageBoxes::Icon::Information);
    QCOMPARE(env.messages.shown.constFirst().buttons, MessageBoxes::Buttons::Ok);
    QCOMPARE(env.process.ends, 1);
    QCOMPARE(env.settings.writes, 0);
    QVERIFY(env.browser.opened.isEmpty());
    QCOMPARE(QApplication::topLevelWidgets(), QWidgetList());
    QCOMPARE(fileBytes(env.databasePath()), database);
    QCOMPARE(running.state(), QProcess::Running);

    running.kill();
    running.waitForFinished();
}

void TestStartup::missingDatabaseLeavesOnlyTheExitScreen()
{
    TestEnvironment env(false);
    Startup startup(uniqueLockName());
    QVERIFY(startup.run());
    QCOMPARE(env.messages.texts(),
             QStringList{QStringLiteral("Required File Is Missing\rPlease Reinstall Software")});
    QVERIFY(ProgramEnd::isExitScreenShown());
    QCOMPARE(visibleWindows(), QList<QWidget *>{ProgramEnd::exitScreen()});
    QVERIFY(!QFile::exists(env.databasePath()));
    QCOMPARE(env.process.ends, 0);

    ProgramEnd::exitScreen()->close();
    QCOMPARE(env.process.ends, 1);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(QApplication::topLevelWidgets(), QWidgetList());
}

void TestStartup::fileWithoutFindIndexGetsItOnceOrStaysAsItWas()
{
    for (const bool cancel : {true, false}) {
        TestEnvironment env;
        const QString path = env.databasePath();
        DowsingRecord record;
        record.Date = QDate(2020, 1, 2);
        addRecords(path, {record});
        QVERIFY(runSql(path, {QStringLiteral("DROP TRIGGER FindStaleAfterInsert"),
                              QStringLiteral("DROP TRIGGER FindStaleAfterUpdate"),
                              QStringLiteral("DROP TRIGGER FindStaleAfterDelete"),
                              QStringLiteral("DROP TABLE FindText"),
                              QStringLiteral("DROP TABLE FindStale")}));
        const QByteArray before = digestOf(path);
        env.progress.cancelAtStep = cancel ? 1 : 0;
        Startup startup(uniqueLockName());
        QVERIFY(startup.run());
        QTRY_COMPARE(env.progress.started, 1);
        RecordStore store;
        QCOMPARE(store.open(path), RecordStore::OpenResult::Opened);
        QCOMPARE(store.hasFindIndex(), !cancel);
        // Told when cancelled, silent when done.
        QCOMPARE(env.messages.shown.size(), cancel ? 1 : 0);
        store.close();
        if (cancel)
            QCOMPARE(digestOf(path), before);
        endProgram();
    }
}

void TestStartup::theFrameComesBackWhereAScreenStillShowsIt_data()
{
    QTest::addColumn<QString>("kept");
    QTest::addColumn<bool>("secondScreen");
    QTest::addColumn<QRect>("placed");
    QTest::addColumn<bool>("maximized");
    // A 1280 x 1024 primary screen, a 1920 x 1080 one right of it; a frame
    // of 1024 x 768 by default, centred on the primary.
    const QRect centred(128, 128, 1024, 768);
    QTest::newRow("kept on the only screen") << "100,50,900,700,0" << false << QRect(100, 50, 900, 700) << false;
    QTest::newRow("kept maximized") << "100,50,900,700,1" << false << QRect(100, 50, 900, 700) << true;
    QTest::newRow("on a second screen still there") << "1400,100,800,600,1" << true << QRect(1400, 100, 800, 600) << true;
    QTest::newRow("on a second screen since unplugged") << "1400,100,800,600,1" << false << centred << false;
    QTest::newRow("larger than the screen is now") << "0,0,1600,1200,0" << false << QRect(0, 0, 1280, 1024) << false;
    QTest::newRow("partly off the left edge") << "-200,100,800,600,0" << false << QRect(0, 100, 800, 600) << false;
    QTest::newRow("its title bar above every screen") << "100,-300,800,600,0" << true << centred << false;
    QTest::newRow("nothing kept") << "" << true << centred << false;
    QTest::newRow("a setting it did not write") << "wide,tall" << false << centred << false;
}

void TestStartup::theFrameComesBackWhereAScreenStillShowsIt()
{
    QFETCH(QString, kept);
    QFETCH(bool, secondScreen);
    QFETCH(QRect, placed);
    QFETCH(bool, maximized);
    QList<QRect> screens{QRect(0, 0, 1280, 1024)};
    if (secondScreen)
        screens.append(QRect(1280, 0, 1920, 1080));
    const FramePlacement::Place place = FramePlacement::placeOn(
            FramePlacement::fromText(kept), screens, QSize(1024, 768));
    QCOMPARE(place.normal, placed);
    QCOMPARE(place.maximized, maximized);
}

void TestStartup::theFramesPlaceIsKeptAtTheEndAndRestoredAtStart()
{
    TestEnvironment env;
    const QString key = AppInfo::executableBaseName() + QStringLiteral("/Frame/Place");
    env.settings.values.insert(key, QStringLiteral("10,20,700,500,0"));
    {
        Startup startup(uniqueLockName());
        QVERIFY(startup.run());
        QCOMPARE(frameWindow()->geometry(), QRect(10, 20, 700, 500));
        frameWindow()->setGeometry(30, 40, 600, 400);
        endProgram();
    }
    QCOMPARE(env.settings.values.value(key), QStringLiteral("30,40,600,400,0"));
}

void TestStartup::aSessionsEndIsACleanEnd_data()
{
    QTest::addColumn<int>("signalNumber"); // 0: the session manager's quit
    QTest::newRow("SIGTERM, a logout") << int(SIGTERM);
    QTest::newRow("SIGHUP, the terminal closed") << int(SIGHUP);
    QTest::newRow("SIGINT, Ctrl+C") << int(SIGINT);
    QTest::newRow("the session manager's quit") << 0;
}

// Ended by the session, the program ends as File > Exit ends it: the next
// start trusts the file it left sound instead of reading every page again.
void TestStartup::aSessionsEndIsACleanEnd()
{
    QFETCH(int, signalNumber);
    TestEnvironment env;
    const QString path = env.databasePath();
    QVERIFY(runSql(path, {manyRecords(50)}));
    const qint64 large = RecordStore::largeFileBytes();
    RecordStore::setLargeFileBytes(0);
    FileCheck::forgetVerdicts();
    {
        Startup startup(uniqueLockName());
        QVERIFY(startup.run());
        QTRY_VERIFY(FileCheck::isKnownSound(path));
        if (signalNumber != 0) {
            std::raise(signalNumber);
        } else {
            QEvent quit(QEvent::Quit);
            QCoreApplication::sendEvent(qApp, &quit);
        }
        QTRY_COMPARE(env.process.ends, 1);
        QVERIFY(!ProgramEnd::isExitScreenShown());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(QApplication::topLevelWidgets(), QWidgetList());
    }
    FileCheck::forgetVerdicts();
    FileTrust::atStart(path);
    QVERIFY(FileCheck::isKnownSound(path));
    RecordStore::setLargeFileBytes(large);
}

void TestStartup::aFileIsReadWholeUnlessItStandsAsItWasLeft_data()
{
    QTest::addColumn<QString>("since");
    QTest::addColumn<bool>("trusted");
    QTest::newRow("a clean end, the file as it was") << QStringLiteral("nothing") << true;
    QTest::newRow("another program wrote it") << QStringLiteral("written") << false;
    QTest::newRow("the last run did not end cleanly") << QStringLiteral("crash") << false;
    QTest::newRow("a write-ahead log beside it") << QStringLiteral("log") << false;
    QTest::newRow("another copy renamed over it") << QStringLiteral("replaced") << false;
}

// A large file's pages are read on every start unless the file stands as
// the last run, which found it sound, left it at a clean end.
void TestStartup::aFileIsReadWholeUnlessItStandsAsItWasLeft()
{
    QFETCH(QString, since);
    QFETCH(bool, trusted);
    TestEnvironment env;
    const QString path = env.databasePath();
    QVERIFY(runSql(path, {manyRecords(50)}));
    const qint64 large = RecordStore::largeFileBytes();
    RecordStore::setLargeFileBytes(0);
    const auto run = [&](bool cleanEnd) {
        FileCheck::forgetVerdicts();
        FileTrust::atStart(path);
        const bool known = FileCheck::isKnownSound(path);
        {
            RecordStore store;
            if (store.open(path) == RecordStore::OpenResult::Opened && store.pendingCheck())
                store.pendingCheck()->verdict();
        }
        if (cleanEnd)
            FileTrust::atCleanEnd(path);
        return known;
    };
    QVERIFY(!run(true));
    std::unique_ptr<RawDatabase> logKeeper;
    if (since == QLatin1String("written")) {
        QVERIFY(runSql(path, {manyRecords(1)}));
    } else if (since == QLatin1String("crash")) {
        run(false);
    } else if (since == QLatin1String("log")) {
        QVERIFY(setJournalMode(path, QStringLiteral("WAL")));
        logKeeper = std::make_unique<RawDatabase>(path);
        QVERIFY(logKeeper->exec(QStringLiteral("PRAGMA wal_autocheckpoint = 0")));
        QVERIFY(logKeeper->exec(QStringLiteral("UPDATE Details SET Notes = 'x' WHERE IdNumber = 1")));
    } else if (since == QLatin1String("replaced")) {
        const QString copy = path + QStringLiteral(".copy");
        QVERIFY(QFile::copy(path, copy));
        QVERIFY(QFile::remove(path));
        QVERIFY(QFile::rename(copy, path));
    }
    QCOMPARE(run(true), trusted);
    RecordStore::setLargeFileBytes(large);
}

int main(int argc, char *argv[])
{
    if (argc == 3 && std::strcmp(argv[1], holdArgument) == 0)
        return holdLockUntilKilled(argc, argv);
    QApplication app(argc, argv);
    TestStartup test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_startup.moc"
