// A rollback journal that a killed write left beside the record file is
// played into the file only where it belongs to it. The journals are real:
// the program's own import or the sqlite3 shell killed inside its
// transaction, after its changes reached the file; the renames are real
// ones over the file, as a synced folder's client makes them. A journal of
// the file is rolled back by SQLite; one of another copy of the file is set
// aside under a name that says so, the user is told, and the file keeps its
// bytes; a writer at work keeps its journal and its lock; and where the
// journal cannot be set aside, the file is not opened.

#include "support/FakePlatform.h"
#include "support/JournalScene.h"
#include "support/ReadOnlyFolder.h"
#include "support/RecordFixtures.h"
#include "support/TestDatabase.h"
#include "support/TestFiles.h"
#include "support/WindowDriver.h"

#include "store/HotJournal.h"
#include "store/RecordStore.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QtTest>

#include <cstdio>
#include <cstring>
#include <functional>
#include <memory>

using namespace Orvane;
using namespace Orvane::Testing;

namespace {

QString journalOf(const QString &path)
{
    return path + QStringLiteral("-journal");
}

QString noteOf(const QString &path)
{
    return path + QStringLiteral("-journal-owner");
}

// The journals set aside beside the file, by name.
QStringList setAside(const QString &path)
{
    const QFileInfo file(path);
    return QDir(file.absolutePath())
            .entryList({file.fileName() + QStringLiteral("-journal-of-another-file-*")},
                       QDir::Files, QDir::Name);
}

// True when the sqlite3 shell may begin a write on the file at once.
bool shellMayWrite(const QString &path)
{
    QProcess shell;
    shell.start(QStandardPaths::findExecutable(QStringLiteral("sqlite3")),
                {path, QStringLiteral("PRAGMA busy_timeout = 0; BEGIN IMMEDIATE; ROLLBACK;")});
    return shell.waitForFinished() && shell.exitCode() == 0;
}

// A write left at work: how it ends as it would have, and the number of
// records the file then holds.
struct AtWork
{
    std::unique_ptr<RawDatabase> connection;
    std::function<bool()> finish;
    int finishedRecords = 0;
};

using Scene = JournalScene;

// Each record's key and fields, written out here to compare records by.
QStringList fieldsOf(const QList<DowsingRecord> &records)
{
    QStringList fields;
    for (const DowsingRecord &r : records)
        fields << QString::number(r.IdNumber.value_or(-1)) + QLatin1Char('|')
                        + csvFieldsOf(r).join(QLatin1Char('|'));
    return fields;
}

// Every record rewritten with text of the same length, where it lies.
const QString kChangeInPlace = QStringLiteral("UPDATE Details SET Notes = upper(Notes)");

// Builds the scene of a row in the folder of the file at path, which holds
// some earlier records.
QString buildScene(Scene &scene, const QString &kind, AtWork &work)
{
    const QString &path = scene.path;
    if (kind == QLatin1String("program import")) {
        scene.expected = storedRecords(path);
        return scene.crash(Scene::programImport(path));
    }
    if (kind == QLatin1String("program import, replaced")) {
        // One save ahead: only the program's note tells this copy apart.
        const QString made = scene.makeOtherCopy(1);
        return made.isEmpty() ? scene.crash(Scene::programImport(path), true) : made;
    }
    if (kind.startsWith(QLatin1String("program save, "))) {
        // Killed inside its commit: the file's first page written, or every
        // page written and synced, and the journal still there.
        const QString step = kind.section(QLatin1String(", "), 1, 1);
        const bool writtenInto = kind.endsWith(QLatin1String(", written into"));
        if (writtenInto) {
            if (const QString made = scene.makeOtherCopy(1); !made.isEmpty())
                return made;
        } else {
            scene.expected = storedRecords(path);
        }
        const QString crashed = scene.crash(Scene::programCommit(path, step));
        return crashed.isEmpty() && writtenInto ? scene.writeOtherCopyInto() : crashed;
    }
    if (kind == QLatin1String("program import, written into")) {
        // A copy one save ahead, written into the file as a restore tool
        // does: the file keeps its inode and birth time.
        const QString made = scene.makeOtherCopy(1);
        const QString crashed = made.isEmpty() ? scene.crash(Scene::programImport(path)) : made;
        return crashed.isEmpty() ? scene.writeOtherCopyInto() : crashed;
    }
    if (kind == QLatin1String("program import, written into by another program's copy")) {
        // The other copy's one save was another program's, which leaves the
        // header's stamp as the program's last write set it.
        if (!QFile::copy(path, scene.otherCopy) || !runSql(scene.otherCopy, {manyRecords(1)}))
            return QStringLiteral("the other copy could not be made");
        scene.expected = storedRecords(scene.otherCopy);
        const QString crashed = scene.crash(Scene::programImport(path));
        return crashed.isEmpty() ? scene.writeOtherCopyInto() : crashed;
    }
    if (kind == QLatin1String("shell import")) {
        scene.expected = storedRecords(path);
        return scene.crash(Scene::shell(path, manyRecords(400)));
    }
    if (kind == QLatin1String("shell import, replaced")) {
        const QString made = scene.makeOtherCopy(3);
        return made.isEmpty() ? scene.crash(Scene::shell(path, manyRecords(400)), true) : made;
    }
    if (kind == QLatin1String("shell import, replaced by a copy saved as often")) {
        // Both copies saved twice since they parted, the other's with long
        // notes: the change counters agree, the sizes do not.
        const QString made = scene.makeOtherCopy(2, 3000);
        if (!made.isEmpty())
            return made;
        addRecords(path, Scene::saved(QStringLiteral("SAVED HERE"), 2, 0));
        return scene.crash(Scene::shell(path, manyRecords(400)), true);
    }
    if (kind == QLatin1String("shell change, replaced by a larger copy")) {
        // The records changed where they lie, so the journal holds no copy
        // of the first page; the other copy grew by long notes.
        const QString made = scene.makeOtherCopy(3, 3000);
        return made.isEmpty() ? scene.crash(Scene::shell(path, kChangeInPlace), true) : made;
    }
    if (kind == QLatin1String("shell change of another page size, replaced")) {
        // The records changed where they lie: the file's first page is left
        // alone, so the journal holds no copy of it. The other copy lost
        // most of its records, so that it is no larger than this file.
        const QString made = scene.makeOtherCopy(3);
        if (!made.isEmpty())
            return made;
        if (!runSql(scene.otherCopy, {QStringLiteral("DELETE FROM Details WHERE IdNumber > 100"),
                                      QStringLiteral("VACUUM")}))
            return QStringLiteral("the other copy could not be made smaller");
        scene.expected = storedRecords(scene.otherCopy);
        if (!runSql(path, {QStringLiteral("PRAGMA page_size = 8192"), QStringLiteral("VACUUM")}))
            return QStringLiteral("the page size could not be changed");
        return scene.crash(Scene::shell(path, kChangeInPlace), true);
    }
    if (kind == QLatin1String("shell import, stale note")) {
        // The program crashed once, and its journal was rolled back at the
        // next start; the note it left is put back, as a crash between its
        // commit and the note's removal leaves it. Then another program's
        // import is killed (its journal takes the freed inode, as ext4 gives
        // it), and a synced folder brings the file back as a new copy of
        // the same bytes.
        scene.expected = storedRecords(path);
        if (const QString crashed = scene.crash(Scene::programImport(path)); !crashed.isEmpty())
            return crashed;
        const QByteArray note = fileBytes(noteOf(path));
        if (!QFile::exists(noteOf(path)))
            return QStringLiteral("the program's import left no note");
        if (storedRecords(path) != scene.expected)
            return QStringLiteral("the program's import was not rolled back");
        if (const QString crashed = scene.crash(Scene::shell(path, manyRecords(400)));
            !crashed.isEmpty())
            return crashed;
        if (!QFile::copy(path, scene.otherCopy)
            || std::rename(QFile::encodeName(scene.otherCopy).constData(),
                           QFile::encodeName(path).constData())
                    != 0)
            return QStringLiteral("the file could not be brought back");
        return writeFile(noteOf(path), note) ? QString()
                                             : QStringLiteral("the note could not be put back");
    }
    if (kind == QLatin1String("persisted journal")) {
        // A finished write in PERSIST mode leaves its journal with the
        // header zeroed.
        if (!runSql(path, {QStringLiteral("PRAGMA journal_mode = PERSIST"), manyRecords(5)}))
            return QStringLiteral("the persisted journal could not be made");
        scene.expected = storedRecords(path);
        return QFileInfo(journalOf(path)).size() > 0 ? QString()
                                                     : QStringLiteral("no journal persisted");
    }
    // At work: the shell has written the file, which takes SQLite's
    // EXCLUSIVE lock; the program and the connection have not yet, and
    // hold RESERVED.
    const int before = storedRecords(path).size();
    if (kind == QLatin1String("shell import at work")) {
        work.finish = [&scene] { return scene.writer->commit(); };
        work.finishedRecords = before + 400;
        return scene.hold(Scene::shell(path, manyRecords(400)));
    }
    if (kind == QLatin1String("program import at work")) {
        // Killed after all, its import is rolled back.
        work.finish = [&scene] { return scene.writer->kill(), true; };
        work.finishedRecords = before;
        return scene.hold([path] { return HeldWrite::byProgram(path, 2); }, false, false);
    }
    if (kind == QLatin1String("connection at work")) {
        work.connection = std::make_unique<RawDatabase>(path);
        work.finish = [&work] {
            const bool committed = work.connection->exec(QStringLiteral("COMMIT"));
            work.connection.reset();
            return committed;
        };
        work.finishedRecords = before + 400;
        if (!work.connection->exec(QStringLiteral("BEGIN IMMEDIATE"))
            || !work.connection->exec(manyRecords(400)))
            return work.connection->lastError();
        return {};
    }
    return QStringLiteral("no scene ") + kind;
}

} // namespace

class TestHotJournal : public QObject
{
    Q_OBJECT

private slots:
    void journalIsPlayedOnlyIntoItsOwnFile_data();
    void journalIsPlayedOnlyIntoItsOwnFile();
    void entryWindowTellsOfASetAsideJournalOnce();
};

void TestHotJournal::journalIsPlayedOnlyIntoItsOwnFile_data()
{
    QTest::addColumn<QString>("scene");
    QTest::addColumn<bool>("readOnlyFolder");
    QTest::addColumn<QString>("outcome");
    QTest::newRow("the program's import killed")
            << "program import" << false << "rolled back";
    QTest::newRow("the program's import killed, another copy renamed over it meanwhile")
            << "program import, replaced" << false << "set aside";
    QTest::newRow("the program's save killed once its commit wrote the first page")
            << "program save, first page" << false << "rolled back";
    QTest::newRow("the program's save killed once its commit wrote and synced every page")
            << "program save, synced" << false << "rolled back";
    QTest::newRow("the program's import killed, a copy one save ahead written into the file")
            << "program import, written into" << false << "set aside";
    QTest::newRow("the program's import killed, another program's copy written into the file")
            << "program import, written into by another program's copy" << false << "set aside";
    QTest::newRow("the program's commit killed at its first page, a copy written into the file")
            << "program save, first page, written into" << false << "set aside";
    QTest::newRow("the program's commit killed once synced, a copy written into the file")
            << "program save, synced, written into" << false << "set aside";
    QTest::newRow("another program's import killed")
            << "shell import" << false << "rolled back";
    QTest::newRow("another program's import killed, another copy renamed over it meanwhile")
            << "shell import, replaced" << false << "set aside";
    QTest::newRow("another program's import killed, a copy saved as often renamed over it")
            << "shell import, replaced by a copy saved as often" << false << "set aside";
    QTest::newRow("another program's change killed, a larger copy renamed over it")
            << "shell change, replaced by a larger copy" << false << "set aside";
    QTest::newRow("another program's change killed, a copy of another page size renamed over it")
            << "shell change of another page size, replaced" << false << "set aside";
    QTest::newRow("another program's import killed, beside a note an earlier crash left")
            << "shell import, stale note" << false << "rolled back";
    QTest::newRow("a finished journal kept by another program (PERSIST)")
            << "persisted journal" << false << "ignored";
    QTest::newRow("another program writing now")
            << "shell import at work" << false << "left alone";
    QTest::newRow("the program writing now")
            << "program import at work" << false << "left alone";
    QTest::newRow("a connection of this process writing now")
            << "connection at work" << false << "left alone";
    QTest::newRow("another copy's journal in a read-only folder")
            << "program import, replaced" << true << "refused";
}

void TestHotJournal::journalIsPlayedOnlyIntoItsOwnFile()
{
    QFETCH(QString, scene);
    QFETCH(bool, readOnlyFolder);
    QFETCH(QString, outcome);
    if (QStandardPaths::findExecutable(QStringLiteral("sqlite3")).isEmpty())
        QSKIP("the sqlite3 shell is missing: scripts/setup.sh installs it");

    TestEnvironment env;
    Scene built(env.databasePath());
    AtWork work;
    const QString path = built.path;
    const QString journal = journalOf(path);
    QVERIFY(runSql(path, {manyRecords(600)}));
    const QString failure = buildScene(built, scene, work);
    QVERIFY2(failure.isEmpty(), qPrintable(failure));
    std::unique_ptr<ReadOnlyFolder> readOnly;
    if (readOnlyFolder) {
        readOnly = std::make_unique<ReadOnlyFolder>(env.folder());
        QVERIFY2(readOnly->isReadOnly(), qPrintable(readOnly->failure()));
    }
    QVERIFY(QFile::exists(journal));
    const QByteArray journalBytes = fileBytes(journal);
    const QByteArray noteBytes = fileBytes(noteOf(path));
    // Not read while a connection of this process writes it: closing any
    // descriptor of the file would drop that connection's locks.
    const QByteArray fileDigest = work.connection ? QByteArray() : digestOf(path);

    RecordStore store;
    const RecordStore::OpenResult opened = store.open(path);
    const QString notice = store.notice();
    const QString reason = store.errorText();
    store.close();

    if (outcome == QLatin1String("rolled back") || outcome == QLatin1String("ignored")) {
        QCOMPARE(opened, RecordStore::OpenResult::Opened);
        QCOMPARE(notice, QString());
        QCOMPARE(setAside(path), QStringList());
        // Rolled back, the file is whole with the records it had before the
        // write; a journal SQLite would not play stays as it was.
        QCOMPARE(QFile::exists(journal), outcome == QLatin1String("ignored"));
        if (outcome == QLatin1String("ignored")) {
            QCOMPARE(fileBytes(journal), journalBytes);
            QCOMPARE(digestOf(path), fileDigest);
        }
    } else if (outcome == QLatin1String("set aside")) {
        QCOMPARE(opened, RecordStore::OpenResult::Opened);
        const QStringList aside = setAside(path);
        QCOMPARE(aside.size(), 1);
        QVERIFY2(notice.contains(QStringLiteral("set aside as ") + aside.first()),
                 qPrintable(notice));
        QCOMPARE(fileBytes(QDir(env.folder()).filePath(aside.first())), journalBytes);
        QVERIFY(!QFile::exists(journal));
        // Not a byte of the copy at the path changed.
        QCOMPARE(digestOf(path), fileDigest);
    } else if (outcome == QLatin1String("left alone")) {
        QCOMPARE(opened, RecordStore::OpenResult::Unusable);
        QVERIFY2(reason.contains(QLatin1String("locked")), qPrintable(reason));
        QCOMPARE(fileBytes(journal), journalBytes);
        QCOMPARE(fileBytes(noteOf(path)), noteBytes);
        QCOMPARE(setAside(path), QStringList());
        // The writer's lock held throughout, and its write ends as it
        // would have.
        QVERIFY(!shellMayWrite(path));
        QVERIFY(work.finish());
        QCOMPARE(storedRecords(path).size(), work.finishedRecords);
        QCOMPARE(integrityOf(path), QStringLiteral("ok"));
        return;
    } else {
        QCOMPARE(opened, RecordStore::OpenResult::Unusable);
        QVERIFY2(reason.contains(QLatin1String("read-only")), qPrintable(reason));
        // Looked at directly, the journal cannot be moved.
        const HotJournal::Outcome settled = HotJournal::settle(path);
        QCOMPARE(settled.verdict, HotJournal::Verdict::Stuck);
        QVERIFY2(settled.error.contains(QLatin1String("could not be set aside")),
                 qPrintable(settled.error));
        QCOMPARE(fileBytes(journal), journalBytes);
        QCOMPARE(digestOf(path), fileDigest);
        QCOMPARE(setAside(path), QStringList());
        return;
    }
    QVERIFY(!QFile::exists(noteOf(path)));
    QCOMPARE(integrityOf(path), QStringLiteral("ok"));
    QCOMPARE(fieldsOf(storedRecords(path)), fieldsOf(built.expected));
}

// Told once, as the entry window starts, and the program goes on with the
// file as it is.
void TestHotJournal::entryWindowTellsOfASetAsideJournalOnce()
{
    if (QStandardPaths::findExecutable(QStringLiteral("sqlite3")).isEmpty())
        QSKIP("the sqlite3 shell is missing: scripts/setup.sh installs it");
    QString failure;
    EntryDriver w(true, false, [&failure](const QString &path) {
        Scene scene(path);
        AtWork unused;
        failure = runSql(path, {manyRecords(50)})
                ? buildScene(scene, QStringLiteral("shell import, replaced"), unused)
                : QStringLiteral("no earlier records");
    });
    QVERIFY2(failure.isEmpty(), qPrintable(failure));
    QVERIFY(w.loaded);
    QCOMPARE(w.env.messages.shown.size(), 1);
    const FakeMessageBoxes::Shown &shown = w.env.messages.shown.constFirst();
    QCOMPARE(shown.icon, MessageBoxes::Icon::Information);
    QCOMPARE(shown.text,
             QStringLiteral("An unfinished change found beside Dowsing.dll belonged to another "
                            "copy of the file, which has since replaced it. It was set aside as "
                            "%1 and not applied; your records are as the file holds them.")
                     .arg(setAside(w.env.databasePath()).value(0)));
}

int main(int argc, char *argv[])
{
    if (argc == 4 && std::strcmp(argv[1], kHoldImportArgument) == 0) {
        QCoreApplication app(argc, argv);
        holdImport(QString::fromLocal8Bit(argv[2]), QByteArray(argv[3]).toInt());
    }
    if (argc == 4 && std::strcmp(argv[1], kHoldCommitArgument) == 0) {
        QCoreApplication app(argc, argv);
        holdCommit(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]));
    }
    QApplication app(argc, argv);
    TestHotJournal test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_hotjournal.moc"
