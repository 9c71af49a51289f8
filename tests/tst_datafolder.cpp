// Where a user's records live: beside the program where the user may write
// there, else in the user's data folder, which a first start fills with a
// copy of the empty database the install ships, whole or not at all, never
// over anything and never in the place of a file that went missing.

#include "support/ReadOnlyFolder.h"
#include "support/SecondProcess.h"
#include "support/TestDatabase.h"
#include "support/TestFiles.h"
#include "support/WindowDriver.h"

#include "app/ProgramEnd.h"
#include "app/Startup.h"
#include "platform/DataFolder.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

using namespace Orvane;
using namespace Orvane::Testing;

namespace {

// Ends a started program as closing its exit screen would, and deletes
// every window.
void endProgram()
{
    ProgramEnd::unloadAllAndEnd();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace

class TestDataFolder : public QObject
{
    Q_OBJECT

private slots:
    void recordsLiveBesideTheProgramOnlyWhereTheUserMayWrite_data();
    void recordsLiveBesideTheProgramOnlyWhereTheUserMayWrite();
    void aFirstStartCopiesTheShippedDatabaseAndNothingElse_data();
    void aFirstStartCopiesTheShippedDatabaseAndNothingElse();
};

void TestDataFolder::recordsLiveBesideTheProgramOnlyWhereTheUserMayWrite_data()
{
    QTest::addColumn<bool>("programFolderWritable");
    QTest::addColumn<QString>("dataHome");
    QTest::addColumn<QString>("records");
    QTest::newRow("a build or a one-user install") << true << "data" << "program";
    QTest::newRow("a package under /usr") << false << "data" << "data/orvane-dowsing";
    QTest::newRow("another data home") << false << "elsewhere/share" << "elsewhere/share/orvane-dowsing";
}

void TestDataFolder::recordsLiveBesideTheProgramOnlyWhereTheUserMayWrite()
{
    QFETCH(bool, programFolderWritable);
    QFETCH(QString, dataHome);
    QFETCH(QString, records);
    QTemporaryDir root;
    const QString program = root.filePath(QStringLiteral("program"));
    QVERIFY(QDir().mkpath(program));
    const QByteArray previous = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", root.filePath(dataHome).toLocal8Bit());
    std::unique_ptr<ReadOnlyFolder> readOnly;
    if (!programFolderWritable) {
        readOnly = std::make_unique<ReadOnlyFolder>(program);
        QVERIFY2(readOnly->isReadOnly(), qPrintable(readOnly->failure()));
    }
    const QString chosen = DataFolder::choose(program, DataFolder::userDataFolder());
    qputenv("XDG_DATA_HOME", previous);
    QCOMPARE(chosen, root.filePath(records));
}

void TestDataFolder::aFirstStartCopiesTheShippedDatabaseAndNothingElse_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<bool>("shipped");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("after");
    const QString missing = QStringLiteral("Required File Is Missing\rPlease Reinstall Software");
    QTest::newRow("first start") << "nothing" << true << "" << "shipped";
    QTest::newRow("first start, no data folder yet") << "no folder" << true << "" << "shipped";
    QTest::newRow("records there already") << "records" << true << "" << "records";
    QTest::newRow("nothing shipped, nothing there") << "nothing" << false << missing << "none";
    QTest::newRow("a folder under the name") << "folder" << true << missing << "folder";
    QTest::newRow("the file gone, its back-ups left") << "backups" << true << "is missing, though" << "none";
    QTest::newRow("the disk fills during the copy") << "full disk" << true << "copied to" << "none";
}

// The program never makes a database: at a user's first start it copies the
// one the install ships, whole or not at all, and never over anything.
void TestDataFolder::aFirstStartCopiesTheShippedDatabaseAndNothingElse()
{
    QFETCH(QString, before);
    QFETCH(bool, shipped);
    QFETCH(QString, message);
    QFETCH(QString, after);
    TestEnvironment env(false);
    QTemporaryDir root;
    const QString install = root.filePath(QStringLiteral("share"));
    const QString data = root.filePath(QStringLiteral("home/data"));
    QVERIFY(QDir().mkpath(install));
    const QString shippedFile = QDir(install).filePath(QStringLiteral("Dowsing.dll"));
    QVERIFY(TestEnvironment::copyShippedDatabase(shippedFile));
    const QString target = QDir(data).filePath(QStringLiteral("Dowsing.dll"));
    if (before != QLatin1String("no folder"))
        QVERIFY(QDir().mkpath(data));
    if (before == QLatin1String("records")) {
        QVERIFY(TestEnvironment::copyShippedDatabase(target));
        addRecords(target, {customerRecord(QStringLiteral("KEPT"))});
    } else if (before == QLatin1String("folder")) {
        QVERIFY(QDir().mkpath(target));
    } else if (before == QLatin1String("backups")) {
        QVERIFY(QDir().mkpath(QDir(data).filePath(QStringLiteral("Dowsing backups"))));
    }
    PlatformScope scope(env.over(data, shipped ? install : QString()));
    {
        std::unique_ptr<FileSizeLimit> limit;
        if (before == QLatin1String("full disk"))
            limit = std::make_unique<FileSizeLimit>(4096);
        Startup startup(uniqueLockName());
        QVERIFY(startup.run());
    }
    if (message.isEmpty()) {
        QCOMPARE(env.messages.texts(), QStringList());
        QVERIFY(frameWindow() && frameWindow()->isVisible());
    } else {
        QCOMPARE(env.messages.shown.size(), 1);
        QVERIFY2(env.messages.texts().constFirst().contains(message),
                 qPrintable(env.messages.texts().constFirst()));
        QCOMPARE(env.messages.shown.constFirst().icon, MessageBoxes::Icon::Critical);
        QCOMPARE(visibleWindows(), QList<QWidget *>{ProgramEnd::exitScreen()});
    }
    if (after == QLatin1String("shipped")) {
        QCOMPARE(fileBytes(target), fileBytes(shippedFile));
        // One user's records: no one else reads them, nor a folder made for them.
        const QFile::Permissions others = QFile::ReadOther | QFile::ReadGroup;
        QCOMPARE(QFileInfo(target).permissions() & others, QFile::Permissions());
        if (before == QLatin1String("no folder"))
            QCOMPARE(QFileInfo(data).permissions() & others, QFile::Permissions());
    } else if (after == QLatin1String("records")) {
        QCOMPARE(storedRecords(target).size(), 1);
        QCOMPARE(storedRecords(target).constFirst().Name, QStringLiteral("KEPT"));
    } else if (after == QLatin1String("folder")) {
        QVERIFY(QFileInfo(target).isDir());
    } else {
        QVERIFY(!QFileInfo::exists(target));
    }
    // Nothing half-made is left beside it either.
    const QStringList left = QDir(data).entryList(QDir::Files | QDir::Hidden);
    QCOMPARE(left.filter(QStringLiteral("first-copy")), QStringList());
    endProgram();
}

QTEST_MAIN(TestDataFolder)
#include "tst_datafolder.moc"
