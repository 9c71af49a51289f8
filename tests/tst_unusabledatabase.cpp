// Start-up over a database file the program cannot use: a text file, an
// empty file, a folder of that name, a cut-off file, a file of another shape,
// a file another program holds a write transaction on, and (run as a user
// other than root, who may write anything) a read-only file or folder. Each
// is reported once, the frame never shows, the program ends through its exit
// screen, and the file is left byte for byte as it was, with no journal or
// WAL files of the program's own left beside it.

#include "support/SecondProcess.h"
#include "support/TestDatabase.h"
#include "support/TestFiles.h"
#include "support/WindowDriver.h"

#include "app/Startup.h"
#include "app/ProgramEnd.h"
#include "store/RecordStore.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QtTest>

#include <cstring>
#include <pwd.h>
#include <unistd.h>

using namespace Orvane;
using namespace Orvane::Testing;

namespace {

const char holdArgument[] = "--hold-write-transaction";
// Set in the copy of this test that runs as another user.
const char otherUserVariable[] = "ORVANE_TEST_AS_OTHER_USER";

const QString kMissing = QStringLiteral("Required File Is Missing\rPlease Reinstall Software");
const QString kCannotOpen = QStringLiteral("Required File Cannot Be Opened\r");

// The child process: opens the file, begins an exclusive write transaction
// with a pending change, says so, and waits to be killed.
int holdWriteTransactionUntilKilled(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"));
    db.setDatabaseName(QString::fromLocal8Bit(argv[2]));
    QSqlQuery q(db);
    answerAndWaitToBeKilled(
            db.open() && q.exec(QStringLiteral("BEGIN EXCLUSIVE"))
            && q.exec(QStringLiteral("INSERT INTO Details (Date) VALUES ('2001-01-01')")));
}

// The journal, WAL and shared-memory files beside the database.
QStringList sideFiles(const QString &databasePath)
{
    const QFileInfo info(databasePath);
    return QDir(info.absolutePath())
            .entryList({info.fileName() + QStringLiteral("-*")}, QDir::Files | QDir::Hidden,
                       QDir::Name);
}

// Fills the shipped database with enough records to span many pages.
QVector<qint64> fillWithRecords(const QString &path, int count)
{
    QList<DowsingRecord> records;
    for (int i = 0; i < count; ++i) {
        DowsingRecord r;
        r.Date = QDate(2010, 5, 1).addDays(i);
        r.Name = QStringLiteral("CUSTOMER %1").arg(i);
        r.Notes = QString(300, QLatin1Char('n'));
        records.append(r);
    }
    return addRecords(path, records);
}

// Starts the program over the environment's folder and checks that it gave
// up as it must: one critical message, which is returned; only the exit
// screen on show; closing the exit screen ends the program once and leaves
// no window.
QString startAndGiveUp(TestEnvironment &env)
{
    Startup startup(uniqueLockName());
    if (!startup.run()) {
        QTest::qFail("the start-up took this for a second copy", __FILE__, __LINE__);
        return {};
    }
    [&] {
        // A large file's check ends after the first window showed.
        QTRY_VERIFY_WITH_TIMEOUT(!env.messages.shown.isEmpty(), 10000);
        QCOMPARE(env.messages.shown.size(), 1);
        QCOMPARE(env.messages.shown.constFirst().icon, MessageBoxes::Icon::Critical);
        QCOMPARE(env.messages.shown.constFirst().buttons, MessageBoxes::Buttons::Ok);
        QVERIFY(ProgramEnd::isExitScreenShown());
        QCOMPARE(visibleWindows(), QList<QWidget *>{ProgramEnd::exitScreen()});
        QVERIFY(!frameWindow() || !frameWindow()->isVisible());
        QCOMPARE(env.process.ends, 0);
        ProgramEnd::exitScreen()->close();
        QCOMPARE(env.process.ends, 1);
    }();
    // A failed check may have left windows loaded: unload them for the next
    // case.
    if (QTest::currentTestFailed())
        ProgramEnd::unloadAllAndEnd();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    if (!QTest::currentTestFailed())
        [] { QCOMPARE(QApplication::topLevelWidgets(), QWidgetList()); }();
    return env.messages.shown.isEmpty() ? QString() : env.messages.shown.constFirst().text;
}

} // namespace

class TestUnusableDatabase : public QObject
{
    Q_OBJECT

private slots:
    void unusableFileEndsTheProgramAndIsLeftAsItWas_data();
    void unusableFileEndsTheProgramAndIsLeftAsItWas();
    void folderOfThatNameCountsAsMissing();
    void fileHeldByAnotherProgramIsRefused_data();
    void fileHeldByAnotherProgramIsRefused();
    void readOnlyPlacesAreRefused_data();
    void readOnlyPlacesAreRefused();
};

void TestUnusableDatabase::unusableFileEndsTheProgramAndIsLeftAsItWas_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("reasonPart");
    QTest::newRow("text file") << "text" << "not a database";
    QTest::newRow("empty file") << "empty" << "no table Details";
    QTest::newRow("cut inside its header") << "cut-header" << "malformed";
    QTest::newRow("cut in half") << "cut-half" << "malformed";
    QTest::newRow("cut after its first pages") << "cut-pages" << "malformed";
    QTest::newRow("no Details table") << "notable" << "no table Details";
    QTest::newRow("shipped file with its table dropped") << "dropped" << "no table Details";
    QTest::newRow("Details with other fields") << "otherfields" << "has no field";
    QTest::newRow("IdNumber not the key") << "nokey" << "not its key";
    QTest::newRow("page in the middle overwritten") << "spoiled-page" << "damaged";
    QTest::newRow("page overwritten, found beside the window") << "spoiled-page-large"
                                                               << "damaged";
}

void TestUnusableDatabase::unusableFileEndsTheProgramAndIsLeftAsItWas()
{
    QFETCH(QString, kind);
    QFETCH(QString, reasonPart);

    TestEnvironment env(kind.startsWith(QLatin1String("cut")) || kind == QLatin1String("dropped")
                        || kind.startsWith(QLatin1String("spoiled-page")));
    const QString path = env.databasePath();
    if (kind == QLatin1String("text")) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("Well at the north field, 3 m down.\nRods crossed twice.\n");
    } else if (kind == QLatin1String("empty")) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
    } else if (kind.startsWith(QLatin1String("spoiled-page"))) {
        QCOMPARE(fillWithRecords(path, 300).size(), 300);
        QVERIFY(spoilMiddlePage(path));
    } else if (kind.startsWith(QLatin1String("cut"))) {
        QCOMPARE(fillWithRecords(path, 300).size(), 300);
        QVERIFY(sideFiles(path).isEmpty());
        QFile file(path);
        const qint64 full = file.size();
        QVERIFY(full > 20 * 4096);
        const qint64 cut = kind == QLatin1String("cut-header") ? 60
                : kind == QLatin1String("cut-half")              ? full / 2
                                                                 : 3 * 4096;
        QVERIFY(file.resize(cut));
    } else if (kind == QLatin1String("dropped")) {
        QVERIFY(runSql(path, {QStringLiteral("DROP TABLE Details"),
                              QStringLiteral("CREATE TABLE Other (x)")}));
    } else {
        QVERIFY(runSql(path, {wrongShapeTable(kind)}));
    }
    const QByteArray before = fileBytes(path);
    const QStringList sidesBefore = sideFiles(path);

    // A large file is read whole while the first window is up.
    const qint64 largeFileBytes = RecordStore::largeFileBytes();
    if (kind == QLatin1String("spoiled-page-large"))
        RecordStore::setLargeFileBytes(0);
    const QString message = startAndGiveUp(env);
    RecordStore::setLargeFileBytes(largeFileBytes);
    if (QTest::currentTestFailed())
        return;
    QVERIFY2(message.startsWith(kCannotOpen), qPrintable(message));
    QVERIFY2(message.contains(reasonPart), qPrintable(message));

    QCOMPARE(fileBytes(path), before);
    QCOMPARE(sideFiles(path), sidesBefore);
}

void TestUnusableDatabase::folderOfThatNameCountsAsMissing()
{
    TestEnvironment env(false);
    QVERIFY(QDir(env.folder()).mkdir(QStringLiteral("Dowsing.dll")));
    const QString message = startAndGiveUp(env);
    if (QTest::currentTestFailed())
        return;
    QCOMPARE(message, kMissing);
    QVERIFY(QFileInfo(env.databasePath()).isDir());
    const QDir folder(env.databasePath());
    QCOMPARE(folder.entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
             QStringList());
    QCOMPARE(sideFiles(env.databasePath()), QStringList());
}

void TestUnusableDatabase::fileHeldByAnotherProgramIsRefused_data()
{
    QTest::addColumn<bool>("writeAheadLog");
    // With a write-ahead log the other program's transaction blocks writers
    // only; with a rollback journal its exclusive lock blocks readers too.
    QTest::newRow("write-ahead-log file") << true;
    QTest::newRow("shipped file (rollback journal)") << false;
}

void TestUnusableDatabase::fileHeldByAnotherProgramIsRefused()
{
    QFETCH(bool, writeAheadLog);
    TestEnvironment env;
    const QString path = env.databasePath();
    if (writeAheadLog)
        QVERIFY(setJournalMode(path, QStringLiteral("WAL")));
    const QByteArray before = fileBytes(path);

    QProcess other;
    QCOMPARE(startCopy(other, {QString::fromLatin1(holdArgument), path}), QByteArray("held"));
    const QStringList sidesWhileHeld = sideFiles(path);

    const QString message = startAndGiveUp(env);
    const QStringList sidesAfter = sideFiles(path);
    other.kill();
    other.waitForFinished();
    if (QTest::currentTestFailed())
        return;
    QVERIFY2(message.startsWith(kCannotOpen), qPrintable(message));
    QVERIFY2(message.contains(QLatin1String("locked")), qPrintable(message));
    QCOMPARE(sidesAfter, sidesWhileHeld);
    // The other program's change was never committed, and nothing of ours
    // reached the file.
    QCOMPARE(fileBytes(path), before);
}

void TestUnusableDatabase::readOnlyPlacesAreRefused_data()
{
    QTest::addColumn<bool>("folderReadOnly");
    QTest::newRow("read-only file") << false;
    QTest::newRow("read-only folder") << true;
}

void TestUnusableDatabase::readOnlyPlacesAreRefused()
{
    QFETCH(bool, folderReadOnly);

    if (::geteuid() == 0) {
        // Root writes any file whatever its permissions: run this case again
        // in a copy of this test under an ordinary account.
        if (qEnvironmentVariableIsSet(otherUserVariable))
            QFAIL("the copy for another user still runs as root");
        if (qstrcmp(QTest::currentDataTag(), "read-only file") != 0)
            QSKIP("run together with the first row as another user");
        const QString setpriv = QStandardPaths::findExecutable(QStringLiteral("setpriv"));
        const passwd *nobody = ::getpwnam("nobody");
        if (setpriv.isEmpty() || !nobody)
            QSKIP("setpriv or the account nobody is missing: a read-only file cannot be tried "
                  "as root, who may write any file");
        QTemporaryDir home;
        QVERIFY(home.isValid());
        QDir(home.path()).mkpath(QStringLiteral("runtime"));
        QDir(home.path()).mkpath(QStringLiteral("config"));
        for (const QString &p : {home.path(), home.filePath(QStringLiteral("runtime")),
                                 home.filePath(QStringLiteral("config"))})
            QCOMPARE(::chown(QFile::encodeName(p).constData(), nobody->pw_uid, nobody->pw_gid), 0);
        QFile::setPermissions(home.filePath(QStringLiteral("runtime")),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QString::fromLatin1(otherUserVariable), QStringLiteral("1"));
        environment.insert(QStringLiteral("HOME"), home.path());
        environment.insert(QStringLiteral("TMPDIR"), home.path());
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"),
                           home.filePath(QStringLiteral("runtime")));
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"),
                           home.filePath(QStringLiteral("config")));
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        QProcess copy;
        copy.setProcessEnvironment(environment);
        copy.setWorkingDirectory(home.path());
        copy.setProcessChannelMode(QProcess::MergedChannels);
        copy.start(setpriv,
                   {QStringLiteral("--reuid=%1").arg(nobody->pw_uid),
                    QStringLiteral("--regid=%1").arg(nobody->pw_gid),
                    QStringLiteral("--clear-groups"), QCoreApplication::applicationFilePath(),
                    QStringLiteral("readOnlyPlacesAreRefused")});
        QVERIFY(copy.waitForStarted());
        QVERIFY(copy.waitForFinished(60000));
        const QByteArray output = copy.readAll();
        if (!output.contains("Start testing"))
            QSKIP(qPrintable(QStringLiteral("this test cannot run as nobody here, and root may "
                                            "write any file: %1")
                                     .arg(QString::fromLocal8Bit(output.left(400)))));
        QVERIFY2(copy.exitStatus() == QProcess::NormalExit && copy.exitCode() == 0,
                 output.constData());
        const QByteArray passed("PASS   : TestUnusableDatabase::readOnlyPlacesAreRefused");
        QVERIFY2(output.contains(passed + "(read-only file)")
                         && output.contains(passed + "(read-only folder)"),
                 output.constData());
        return;
    }

    TestEnvironment env;
    const QString path = env.databasePath();
    const QString place = folderReadOnly ? env.folder() : path;
    const QFile::Permissions writable = QFile::permissions(place);
    QVERIFY(QFile::setPermissions(place, writable & ~(QFile::WriteOwner | QFile::WriteUser
                                                      | QFile::WriteGroup | QFile::WriteOther)));
    struct Restore
    {
        QString place;
        QFile::Permissions permissions;
        ~Restore() { QFile::setPermissions(place, permissions); }
    } restore{place, writable};
    if (folderReadOnly) {
        QFile probe(env.folder() + QStringLiteral("/probe"));
        if (probe.open(QIODevice::WriteOnly))
            QSKIP("this account may write into a read-only folder");
    } else if (QFile(path).open(QIODevice::ReadWrite)) {
        QSKIP("this account may write a read-only file");
    }
    const QByteArray before = fileBytes(path);

    const QString message = startAndGiveUp(env);
    if (QTest::currentTestFailed())
        return;
    QVERIFY2(message.startsWith(kCannotOpen), qPrintable(message));
    QVERIFY2(message.contains(QLatin1String("read-only")), qPrintable(message));
    QCOMPARE(fileBytes(path), before);
    QCOMPARE(sideFiles(path), QStringList());
}

int main(int argc, char *argv[])
{
    if (argc == 3 && std::strcmp(argv[1], holdArgument) == 0)
        return holdWriteTransactionUntilKilled(argc, argv);
    QApplication app(argc, argv);
    TestUnusableDatabase test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_unusabledatabase.moc"
