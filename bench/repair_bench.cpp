// The find index's repair on a large file, as the program makes it once the
// user agrees: a page of the index damaged (its first, so that every other
// page of it is left used by no table), the copy of the file kept first,
// the index built anew, and the room the damaged index took given back by
// rewriting the file in place. Prints each step's time, the file's size and
// what SQLite's integrity check says after the build and after the rewrite.
//
//   orvane-repair-bench [ROWS] [FOLDER]     (default 1000000)
//
// The file is made in a temporary folder, or in FOLDER, where it is left.

#include "BenchDatabase.h"
#include "BenchOutput.h"

#include "support/TestDatabase.h"

#include "store/FileCheck.h"
#include "store/RecordStore.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QSqlQuery>
#include <QTemporaryDir>

using namespace Orvane;
using namespace Orvane::Testing;
using Orvane::Bench::line;
using Orvane::Bench::msSince;

namespace {

// The lines of the whole integrity check: "ok", or its problems counted.
QString integrityLines(const QString &path)
{
    RawDatabase raw(path);
    QSqlQuery query(raw.db());
    if (!query.exec(QStringLiteral("PRAGMA integrity_check(1000000)")))
        return QStringLiteral("the check did not run");
    int unused = 0;
    int other = 0;
    while (query.next()) {
        for (const QString &text : query.value(0).toString().split(QLatin1Char('\n'))) {
            if (text == QLatin1String("ok") || text.startsWith(QLatin1String("***")))
                continue;
            ++(text.endsWith(QLatin1String("is never used")) ? unused : other);
        }
    }
    return unused + other == 0 ? QStringLiteral("ok")
                               : QStringLiteral("%1 \"Page N is never used\" lines, %2 others")
                                         .arg(unused)
                                         .arg(other);
}

QString megabytes(const QString &path)
{
    return QString::number(QFileInfo(path).size() / 1e6, 'f', 1) + QStringLiteral(" MB");
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const qint64 rows = argc > 1 ? QByteArray(argv[1]).toLongLong() : 1000000;
    QTemporaryDir scratch;
    const QString folder = argc > 2 ? QString::fromLocal8Bit(argv[2]) : scratch.path();
    // Made in a folder of its own and then moved: the store remembers the
    // file it checked and found sound while it was made, by its path.
    const QString made = QDir(folder).filePath(QStringLiteral("made"));
    const QString path = RecordStore::databasePath(folder);
    if (!QDir().mkpath(made) || !makeDatabase(made, rows, 0)
        || !QFile::rename(RecordStore::databasePath(made), path)) {
        line(QStringLiteral("could not make the database"));
        return 2;
    }
    QDir(made).removeRecursively();
    if (!spoilFindIndexPage(path)) {
        line(QStringLiteral("could not damage the find index"));
        return 2;
    }
    line(QStringLiteral("%1 records, %2, the find index's first page damaged")
                 .arg(rows)
                 .arg(megabytes(path)));

    RecordStore store;
    if (store.open(path) != RecordStore::OpenResult::Opened) {
        line(QStringLiteral("the file does not open: %1").arg(store.errorText()));
        return 1;
    }
    QElapsedTimer timer;
    timer.start();
    if (FileCheck *check = store.pendingCheck())
        check->verdict();
    if (!store.isIndexDamaged()) {
        line(QStringLiteral("the damage was not found"));
        return 1;
    }
    line(QStringLiteral("the page check: %1 ms").arg(msSince(timer), 0, 'f', 0));

    const QString copy = QDir(folder).filePath(QStringLiteral("Dowsing-before-index-repair.dll"));
    timer.restart();
    if (store.backUpTo(copy, [](qint64, qint64) { return true; })
        != RecordStore::BackUpResult::Done) {
        line(QStringLiteral("the copy failed: %1").arg(store.errorText()));
        return 1;
    }
    line(QStringLiteral("the copy kept first: %1 ms").arg(msSince(timer), 0, 'f', 0));
    QFile::remove(copy);

    timer.restart();
    if (!store.addFindIndex([](qint64, qint64) { return true; })) {
        line(QStringLiteral("the build failed: %1").arg(store.errorText()));
        return 1;
    }
    line(QStringLiteral("the index built anew: %1 ms; then %2, integrity check: %3")
                 .arg(msSince(timer), 0, 'f', 0)
                 .arg(megabytes(path), integrityLines(path)));

    int asked = 0;
    timer.restart();
    if (!store.compact([&] { return ++asked > 0; })) {
        line(QStringLiteral("the room was not given back: %1").arg(store.errorText()));
        return 1;
    }
    const double compactMs = msSince(timer);
    line(QStringLiteral("the room given back (VACUUM in place): %1 ms, Cancel looked at %2 "
                        "times; then %3, integrity check: %4")
                 .arg(compactMs, 0, 'f', 0)
                 .arg(asked)
                 .arg(megabytes(path), integrityLines(path)));
    return 0;
}
