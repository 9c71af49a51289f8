// Crash safety: starts a writer that saves records through the program's own
// store, kills it with SIGKILL at a random moment, and checks the database
// after every kill: it opens, SQLite's integrity check says ok, and every
// record the writer reported as saved is there.
//
//   orvane-crash-bench [KILLS] [DATABASE]
//
// DATABASE defaults to the shipped database beside the program; it is copied
// to a scratch folder first.

#include "store/RecordStore.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QThread>

#include <csignal>
#include <cstdio>

using namespace Orvane;

namespace {

QString integrityOf(const QString &path)
{
    QString result;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("check"));
        db.setDatabaseName(path);
        if (db.open()) {
            QSqlQuery q(db);
            if (q.exec(QStringLiteral("PRAGMA integrity_check")) && q.next())
                result = q.value(0).toString();
            else
                result = QStringLiteral("integrity check failed to run");
            q.finish();
            db.close();
        }
    }
    QSqlDatabase::removeDatabase(QStringLiteral("check"));
    return result;
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
    const QString writer = QCoreApplication::applicationDirPath()
            + QStringLiteral("/orvane-crash-writer");

    QSet<qint64> reported;
    int failures = 0;
    qint64 longestRun = 0;
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
        // Let it save for a random while, mostly mid-transaction.
        const int ms = QRandomGenerator::global()->bounded(5, 120);
        longestRun = qMax<qint64>(longestRun, ms);
        QThread::msleep(static_cast<unsigned long>(ms));
        ::kill(static_cast<pid_t>(child.processId()), SIGKILL);
        child.waitForFinished();
        const QList<QByteArray> lines = child.readAllStandardOutput().split('\n');
        for (const QByteArray &line : lines)
            if (!line.isEmpty())
                reported.insert(line.toLongLong());
        const QByteArray err = child.readAllStandardError();
        if (!err.isEmpty())
            std::fprintf(stderr, "writer said: %s", err.constData());

        const QString integrity = integrityOf(db);
        RecordStore store;
        if (store.open(db) != RecordStore::OpenResult::Opened) {
            std::printf("kill %d: the database does not open: %s\n", k + 1,
                        qPrintable(store.errorText()));
            ++failures;
            continue;
        }
        const QVector<qint64> ids = store.idNumbers();
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
    }
    RecordStore store;
    store.open(db);
    std::printf("kills: %d\n", kills);
    std::printf("records reported saved: %lld\n", static_cast<long long>(reported.size()));
    std::printf("records in the database: %lld\n", static_cast<long long>(store.count()));
    std::printf("kills after which the check failed: %d\n", failures);
    std::printf("seconds: %.1f\n", total.elapsed() / 1000.0);
    return failures ? 1 : 0;
}
