// Crash safety: starts a writer that saves records through the program's own
// store, lets it save for a while, kills it with SIGKILL at a random moment,
// and checks the database after every kill: a journal the kill left is one
// the program plays back (never set aside as another file's), the file
// opens, SQLite's integrity check says ok, and every record the writer
// reported as saved is there. At the end every stored record is read back
// and compared with what the writer wrote, so a torn record would show.
//
//   orvane-crash-bench [KILLS] [DATABASE]
//
// DATABASE defaults to the shipped database beside the program; it is copied
// to a scratch folder first. The exit status is 0 only when every check
// passed.

#include "store/HotJournal.h"
#include "store/JournalFile.h"
#include "store/RecordFinder.h"
#include "store/RecordStore.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QSet>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QThread>

#include <csignal>
#include <cstdio>

using namespace Orvane;

namespace {

QString firstValueOf(const QString &path, const QString &statement)
{
    QString result;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("check"));
        db.setDatabaseName(path);
        if (db.open()) {
            QSqlQuery q(db);
            if (q.exec(statement) && q.next())
                result = q.value(0).toString();
            else
                result = QStringLiteral("\"%1\" failed to run").arg(statement);
            q.finish();
            db.close();
        }
    }
    QSqlDatabase::removeDatabase(QStringLiteral("check"));
    return result;
}

QString integrityOf(const QString &path)
{
    return firstValueOf(path, QStringLiteral("PRAGMA integrity_check"));
}

// The record the writer saves as its n-th of a run (bench/crash_writer.cpp).
bool isAsWritten(const DowsingRecord &r)
{
    const QString prefix = QStringLiteral("CUSTOMER ");
    if (!r.Name.startsWith(prefix))
        return false;
    bool ok = false;
    const qint64 n = r.Name.mid(prefix.size()).toLongLong(&ok);
    return ok && r.Date == QDate(2000, 1, 1).addDays(n % 10000)
            && r.Address == QStringLiteral("%1 Well Road\nSpring Vale").arg(n)
            && r.Time_Dowsing_Occured == QLatin1String("10:30")
            && r.Dowsing_Tool == QLatin1String("Rods")
            && r.Item_Dowsing_For == QLatin1String("water")
            && r.Notes == QString(200, QLatin1Char('x'));
}

// The file's first page, as much of it as the journal's copy holds.
QByteArray firstPageOf(const QString &path, qsizetype size)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.read(size) : QByteArray();
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int kills = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 200;
    const QString source = argc > 2 ? QString::fromLocal8Bit(argv[2])
                                    : QCoreApplication::applicationDirPath()
                    + QStringLiteral("/../bin/Dowsing.dll");
    QTemporaryDir scratch;
    const QString db = scratch.filePath(QStringLiteral("Dowsing.dll"));
    if (!QFile::copy(source, db)) {
        std::fprintf(stderr, "cannot copy %s\n", qPrintable(source));
        return 2;
    }
    QFile::setPermissions(db, QFile::ReadOwner | QFile::WriteOwner);
    const QString writer = QCoreApplication::applicationDirPath()
            + QStringLiteral("/orvane-crash-writer");

    QSet<qint64> reported;
    int failures = 0;
    // Journals the kills left that SQLite would play, those among them whose
    // commit had already rewritten the file's first page, and how they were
    // settled.
    int journals = 0;
    int inCommit = 0;
    int played = 0;
    int setAside = 0;
    qint64 savesBeforeKill = 0;
    QElapsedTimer total;
    total.start();
    for (int k = 0; k < kills; ++k) {
        QProcess child;
        child.setProcessChannelMode(QProcess::SeparateChannels);
        child.start(writer, {db});
        if (!child.waitForStarted()) {
            std::fprintf(stderr, "cannot start %s\n", qPrintable(writer));
            return 2;
        }
        // Kill it while it saves: once it has reported its first record,
        // after a random while of up to 40 ms (about a hundred saves).
        if (!child.waitForReadyRead(10000)) {
            std::printf("kill %d: the writer saved nothing: %s\n", k + 1,
                        child.readAllStandardError().constData());
            ++failures;
            child.kill();
            child.waitForFinished();
            continue;
        }
        QThread::usleep(QRandomGenerator::global()->bounded(40000u));
        ::kill(static_cast<pid_t>(child.processId()), SIGKILL);
        child.waitForFinished();
        const QList<QByteArray> lines = child.readAllStandardOutput().split('\n');
        for (const QByteArray &line : lines) {
            if (!line.isEmpty()) {
                reported.insert(line.toLongLong());
                ++savesBeforeKill;
            }
        }
        const QByteArray err = child.readAllStandardError();
        if (!err.isEmpty())
            std::fprintf(stderr, "writer said: %s", err.constData());

        // Settled as the program's next start does, before anything else
        // opens the file (SQLite would play the journal itself).
        if (const auto journal = JournalFile::read(db + QStringLiteral("-journal"))) {
            ++journals;
            inCommit += !journal->firstPage.isEmpty()
                    && firstPageOf(db, journal->firstPage.size()) != journal->firstPage;
            const HotJournal::Outcome settled = HotJournal::settle(QFileInfo(db).absoluteFilePath());
            if (settled.verdict == HotJournal::Verdict::Belongs) {
                ++played;
            } else {
                std::printf("kill %d: the writer's own journal was not played back (verdict %d)\n",
                            k + 1, int(settled.verdict));
                setAside += settled.verdict == HotJournal::Verdict::SetAside;
                ++failures;
            }
        }
        const QString integrity = integrityOf(db);
        RecordStore store;
        if (store.open(db) != RecordStore::OpenResult::Opened) {
            std::printf("kill %d: the database does not open: %s\n", k + 1,
                        qPrintable(store.errorText()));
            ++failures;
            continue;
        }
        const QVector<qint64> ids = store.keyIndex().toList();
        const QSet<qint64> present(ids.begin(), ids.end());
        qint64 lost = 0;
        for (qint64 id : std::as_const(reported))
            if (!present.contains(id))
                ++lost;
        if (integrity != QLatin1String("ok") || lost) {
            std::printf("kill %d: integrity '%s', %lld reported records missing\n", k + 1,
                        qPrintable(integrity), static_cast<long long>(lost));
            ++failures;
        }
        // The find index holds exactly the records the table holds, with no
        // block left noted stale: it was written in the same transactions.
        const QString staleBlocks = firstValueOf(db, QStringLiteral("SELECT count(*) FROM FindStale"));
        const FindResult found = RecordFinder(db).run({}, [] { return false; });
        if (staleBlocks != QLatin1String("0") || found.keys.toVector() != ids) {
            std::printf("kill %d: find index out of step: %s stale blocks, %lld of %lld records\n",
                        k + 1, qPrintable(staleBlocks), static_cast<long long>(found.keys.size()),
                        static_cast<long long>(ids.size()));
            ++failures;
        }
    }
    const double seconds = total.elapsed() / 1000.0;

    // Every stored record, read back in full.
    RecordStore store;
    qint64 stored = -1;
    qint64 unlike = 0;
    if (store.open(db) == RecordStore::OpenResult::Opened) {
        const QVector<qint64> ids = store.keyIndex().toList();
        stored = ids.size();
        for (qint64 id : ids) {
            const auto record = store.find(id);
            if (!record || !isAsWritten(*record))
                ++unlike;
        }
    } else {
        std::printf("at the end the database does not open: %s\n", qPrintable(store.errorText()));
    }
    std::printf("kills: %d\n", kills);
    std::printf("records reported saved: %lld (%.0f a run)\n",
                static_cast<long long>(reported.size()),
                kills ? double(savesBeforeKill) / kills : 0.0);
    std::printf("records in the database: %lld\n", static_cast<long long>(stored));
    std::printf("records stored but not yet reported when killed: %lld\n",
                static_cast<long long>(stored - reported.size()));
    std::printf("records that differ from what was written: %lld\n",
                static_cast<long long>(unlike));
    std::printf("journals left: %d (%d of them in the commit, the first page rewritten); "
                "played back: %d; set aside: %d\n",
                journals, inCommit, played, setAside);
    std::printf("kills after which a check failed: %d\n", failures);
    std::printf("seconds: %.1f\n", seconds);
    return failures || unlike || stored < 0 ? 1 : 0;
}
