// How well HotJournal tells a killed write's journal of the file from one of
// another copy of the file renamed over it, and that it never sets aside a
// journal of the file itself.
//
//   orvane-journal-bench [RUNS]     (default 120)
//
// Each run starts from a file of 600 records. The sqlite3 shell runs one of
// four writes (an import, a change of every record where it lies, removing
// half the records, a VACUUM to another page size) and is killed at a random
// moment of it; in four runs of five, a copy of the file with k saves of its
// own (k = 0 to 3, from the file as it was before the write) is renamed over
// the file just before the kill. Then the journal is settled, the file
// opened, and the run counted by what became of it. The shell writes no
// owner note, as an earlier version of the program or another program does
// not; the program's own import, which does, is run the same way after
// (held inside its transaction rather than killed at random). Last, the
// program's own saves (orvane-crash-writer) are killed at random, and in
// every other run a copy one save ahead of the file the killed write found
// is written into the file (keeping its inode, as a restore tool or a sync
// client that rewrites in place does). The exit status is 0 unless a
// journal of the file itself was set aside, or a file came out damaged from
// its own journal or from one passed over.

#include "BenchOutput.h"

#include "support/FakePlatform.h"
#include "support/JournalScene.h"
#include "support/TestDatabase.h"

#include "store/HotJournal.h"
#include "store/JournalFile.h"
#include "store/RecordStore.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QMap>
#include <QProcess>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>

#include <csignal>
#include <cstdio>
#include <cstring>

using namespace Orvane;
using namespace Orvane::Testing;
using Orvane::Bench::line;

namespace {

const QStringList kWrites = {QStringLiteral("import"), QStringLiteral("change in place"),
                             QStringLiteral("removal"), QStringLiteral("VACUUM")};

QString scriptOf(int write, int run)
{
    const QString cache = QStringLiteral("PRAGMA cache_size = 10; ");
    switch (write) {
    case 0:
        return cache + manyRecords(4000) + QLatin1Char(';');
    case 1:
        return cache + QStringLiteral("UPDATE Details SET Notes = upper(Notes);");
    case 2:
        return cache + QStringLiteral("DELETE FROM Details WHERE IdNumber % 2 = 0;");
    default:
        return QStringLiteral("PRAGMA page_size = %1; VACUUM;").arg(run % 2 ? 8192 : 1024);
    }
}

// A copy of base in folder, and with saves >= 0 another copy of it there
// with that many saves of its own; the records expected of the run.
JournalScene prepare(const QString &base, const QString &folder, int saves,
                     const QList<DowsingRecord> &original)
{
    JournalScene scene(RecordStore::databasePath(folder));
    QFile::copy(base, scene.path);
    scene.expected = original;
    if (saves >= 0)
        scene.makeOtherCopy(saves);
    return scene;
}

void renameOver(const JournalScene &scene)
{
    const QByteArray from = QFile::encodeName(scene.otherCopy);
    std::rename(from.constData(), QFile::encodeName(scene.path).constData());
}

// What became of the run, once the journal beside the file was settled and
// the file opened.
QString outcomeOf(const JournalScene &scene, bool replaced)
{
    const QString &path = scene.path;
    if (QFileInfo(path + QStringLiteral("-journal")).size() <= 0)
        return QStringLiteral("no journal");
    const HotJournal::Verdict verdict = HotJournal::settle(path).verdict;
    const bool whole = integrityOf(path) == QLatin1String("ok")
            && storedRecords(path) == scene.expected;
    // Not yet made durable: SQLite passes it over, and nothing had reached
    // the file.
    if (verdict == HotJournal::Verdict::None)
        return whole ? QStringLiteral("not to be played") : QStringLiteral("DAMAGED, NOT PLAYED");
    if (verdict == HotJournal::Verdict::SetAside && !replaced)
        return QStringLiteral("SET ASIDE THOUGH ITS OWN");
    if (verdict == HotJournal::Verdict::SetAside)
        return whole ? QStringLiteral("set aside") : QStringLiteral("set aside, damaged?");
    if (!replaced)
        return whole ? QStringLiteral("rolled back whole") : QStringLiteral("DAMAGED BY ITS OWN");
    return whole ? QStringLiteral("played, no harm") : QStringLiteral("played, damage");
}

// The file at scene.path as the killed write found it: a copy of it and its
// journal in folder, which SQLite rolls back at the first read.
QString asTheWriteFoundIt(const JournalScene &scene, const QString &folder)
{
    const QString copy = QDir(folder).filePath(QStringLiteral("found.dll"));
    if (!QFile::copy(scene.path, copy)
        || !QFile::copy(scene.path + QStringLiteral("-journal"), copy + QStringLiteral("-journal"))
        || integrityOf(copy) != QLatin1String("ok"))
        return {};
    return copy;
}

// The program saving records into the file without end, killed after a
// random while; false when it saved nothing.
bool killProgramSaving(const QString &path, QRandomGenerator &random)
{
    QProcess writer;
    writer.start(QCoreApplication::applicationDirPath() + QStringLiteral("/orvane-crash-writer"),
                 {path});
    if (!writer.waitForStarted() || !writer.waitForReadyRead(10000))
        return false;
    QThread::usleep(random.bounded(30000u));
    ::kill(pid_t(writer.processId()), SIGKILL);
    writer.waitForFinished();
    return true;
}

using Counts = QMap<QString, QMap<QString, int>>;

// Counts the outcome; false for one that must never be.
bool count(Counts &counts, const QString &write, int saves, const QString &outcome,
           const QString &how = QStringLiteral("renamed over"))
{
    const QString row = saves < 0
            ? write + QStringLiteral(" of the file itself")
            : QStringLiteral("%1, a copy %2 saves ahead %3").arg(write).arg(saves).arg(how);
    ++counts[row][outcome];
    return outcome.toUpper() != outcome;
}

void report(const QString &writer, const Counts &counts)
{
    for (auto row = counts.cbegin(); row != counts.cend(); ++row) {
        QStringList parts;
        for (auto cell = row.value().cbegin(); cell != row.value().cend(); ++cell)
            parts.append(QStringLiteral("%1 %2").arg(cell.value()).arg(cell.key()));
        line(QStringLiteral("%1, %2: %3").arg(writer, row.key(), parts.join(QStringLiteral(", "))));
    }
}

} // namespace

int main(int argc, char **argv)
{
    if (argc == 4 && std::strcmp(argv[1], kHoldImportArgument) == 0) {
        QCoreApplication app(argc, argv);
        holdImport(QString::fromLocal8Bit(argv[2]), QByteArray(argv[3]).toInt());
    }
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? QByteArray(argv[1]).toInt() : 120;
    const QString shell = QStandardPaths::findExecutable(QStringLiteral("sqlite3"));
    QTemporaryDir scratch;
    const QString base = QDir(scratch.path()).filePath(QStringLiteral("base.dll"));
    if (shell.isEmpty() || !TestEnvironment::copyShippedDatabase(base)
        || !runSql(base, {manyRecords(600)})) {
        line(QStringLiteral("needs the sqlite3 shell and the shipped database"));
        return 2;
    }
    const QList<DowsingRecord> original = storedRecords(base);

    // How long each write takes whole, to kill it somewhere inside.
    QVector<qint64> lasts;
    for (int write = 0; write < kWrites.size(); ++write) {
        QTemporaryDir folder;
        const JournalScene scene = prepare(base, folder.path(), -1, original);
        QElapsedTimer timer;
        timer.start();
        QProcess::execute(shell, {scene.path, scriptOf(write, 0)});
        lasts.append(timer.elapsed());
    }

    QRandomGenerator random(20261208);
    Counts counts;
    bool sound = true;
    for (int run = 0; run < runs; ++run) {
        const int write = run % kWrites.size();
        const int saves = int(random.bounded(5)) - 1;
        QTemporaryDir folder;
        const JournalScene scene = prepare(base, folder.path(), saves, original);
        QProcess writer;
        writer.start(shell, {scene.path, scriptOf(write, run)});
        writer.waitForStarted();
        QThread::usleep(random.bounded(quint64(lasts.at(write)) * 1000 + 1));
        if (saves >= 0)
            renameOver(scene);
        writer.kill();
        writer.waitForFinished();
        sound = count(counts, kWrites.at(write), saves, outcomeOf(scene, saves >= 0)) && sound;
    }
    report(QStringLiteral("sqlite3 shell"), counts);

    counts.clear();
    for (int saves = -1; saves <= 3; ++saves) {
        for (int i = 0; i < 3; ++i) {
            QTemporaryDir folder;
            JournalScene scene = prepare(base, folder.path(), saves, original);
            const QString crashed =
                    scene.crash(JournalScene::programImport(scene.path), saves >= 0);
            const QString outcome = crashed.isEmpty() ? outcomeOf(scene, saves >= 0) : crashed;
            sound = count(counts, QStringLiteral("import"), saves, outcome) && sound;
        }
    }
    report(QStringLiteral("the program (owner note)"), counts);

    counts.clear();
    int journalsOfItsOwn = 0;
    for (int run = 0; run < runs; ++run) {
        QTemporaryDir folder;
        JournalScene scene = prepare(base, folder.path(), -1, original);
        if (!killProgramSaving(scene.path, random)) {
            line(QStringLiteral("orvane-crash-writer saved nothing"));
            return 2;
        }
        const auto journal = JournalFile::read(scene.path + QStringLiteral("-journal"));
        if (!journal) {
            ++counts[QStringLiteral("saves killed")][QStringLiteral("no journal")];
            continue;
        }
        // Killed in its commit, once the file's first page was written.
        QFile file(scene.path);
        const bool inCommit = file.open(QIODevice::ReadOnly)
                && file.read(journal->firstPage.size()) != journal->firstPage;
        file.close();
        const QString found = asTheWriteFoundIt(scene, folder.path());
        if (found.isEmpty()) {
            line(QStringLiteral("the journal could not be rolled back in a copy"));
            return 2;
        }
        const bool writtenInto = run % 2;
        if (writtenInto) {
            addRecords(found, JournalScene::saved(QStringLiteral("SAVED ELSEWHERE"), 1, 0));
            QFile::rename(found, scene.otherCopy);
            scene.expected = storedRecords(scene.otherCopy);
            scene.writeOtherCopyInto();
        } else {
            ++journalsOfItsOwn;
            scene.expected = storedRecords(found);
        }
        const QString outcome = outcomeOf(scene, writtenInto);
        sound = count(counts,
                      inCommit ? QStringLiteral("saves killed in the commit")
                               : QStringLiteral("saves killed before the commit"),
                      writtenInto ? 1 : -1, outcome, QStringLiteral("written into the file"))
                && sound;
    }
    report(QStringLiteral("the program's saves (owner note)"), counts);
    line(QStringLiteral("journals of the file itself among them: %1").arg(journalsOfItsOwn));
    return sound ? 0 : 1;
}
