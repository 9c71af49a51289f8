// What the store's safety costs on a large file: reading every page to find
// damage (PRAGMA quick_check, which decides which files are checked beside
// the first window), and a save through the store, which writes with a
// rollback journal and checks the file's identity, against a raw durable
// insert on the same file; and what the journal's owner note (JournalOwner)
// adds to a raw durable insert.
//
//   orvane-store-bench [ROWS]     (default 1000000)
//
// Makes a copy of the shipped database holding ROWS records (and one of
// 1,000) in a temporary folder and prints figures as plain lines.

#include "BenchOutput.h"
#include "BenchDatabase.h"

#include "store/FileCheck.h"
#include "store/JournalOwner.h"
#include "store/RecordStore.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <memory>

using namespace Orvane;
using Orvane::Bench::line;
using Orvane::Bench::median;
using namespace Orvane::Testing;

namespace {

DowsingRecord benchRecord(int i)
{
    DowsingRecord r;
    r.Date = QDate(2026, 12, 7);
    r.Name = QStringLiteral("BENCH %1").arg(i);
    r.City = QStringLiteral("BATH");
    r.Time_Dowsing_Occured = QStringLiteral("10:15");
    r.Dowsing_Tool = QStringLiteral("Rods");
    r.Item_Dowsing_For = QStringLiteral("water");
    r.Notes = QStringLiteral("Strong pull near the hedge.");
    return r;
}

// Median ms of PRAGMA quick_check over the file, on a connection of its own.
double quickCheckMs(const QString &path, int runs, QString *verdict)
{
    QVector<double> times;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"),
                                                    QStringLiteral("check"));
        db.setDatabaseName(path);
        db.open();
        for (int i = 0; i < runs; ++i) {
            QElapsedTimer timer;
            timer.start();
            *verdict = damageOf(db);
            times.append(timer.nsecsElapsed() / 1e6);
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("check"));
    return median(times);
}

// One durable insert of a record's fields on a raw connection.
class RawInserter
{
public:
    RawInserter(const QString &path, const QString &journalMode)
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"),
                                                    QStringLiteral("raw"));
        db.setDatabaseName(path);
        db.open();
        m_query = QSqlQuery(db);
        m_query.exec(QStringLiteral("PRAGMA journal_mode = %1").arg(journalMode));
        m_query.finish();
        m_query.exec(QStringLiteral("PRAGMA synchronous = FULL"));
        m_query.prepare(QStringLiteral(
                "INSERT INTO Details (Date, Name, Address, City, State, Pin, Phone_No, Email, "
                "Time_Dowsing_Occured, Dowsing_Tool, Item_Dowsing_For, "
                "Location_Dowsing_Occured, Notes) VALUES (?,?,'',?,'','','','',?,?,?,'',?)"));
    }
    ~RawInserter()
    {
        m_query.finish();
        m_query.exec(QStringLiteral("PRAGMA journal_mode = DELETE"));
        m_query = QSqlQuery();
        QSqlDatabase::database(QStringLiteral("raw"), false).close();
        QSqlDatabase::removeDatabase(QStringLiteral("raw"));
    }
    // The ms the insert took.
    double insert(const DowsingRecord &r)
    {
        for (const QString &value : {r.Date.toString(Qt::ISODate), r.Name, r.City,
                                     r.Time_Dowsing_Occured, r.Dowsing_Tool, r.Item_Dowsing_For,
                                     r.Notes})
            m_query.addBindValue(value);
        QElapsedTimer timer;
        timer.start();
        m_query.exec();
        return timer.nsecsElapsed() / 1e6;
    }
    // The same in a transaction of its own, with or without the journal's
    // owner note, as RecordStore::write() makes it; *noteMs gets the time
    // the note's making and removal took of it.
    double insertInTransaction(const DowsingRecord &r, const QString &path, bool noted,
                               double *noteMs = nullptr)
    {
        QSqlDatabase db = QSqlDatabase::database(QStringLiteral("raw"), false);
        QSqlQuery transaction(db);
        QElapsedTimer timer, note;
        timer.start();
        transaction.exec(QStringLiteral("BEGIN IMMEDIATE"));
        note.start();
        auto owner = noted ? std::make_unique<JournalOwner>(db, path, *identityOf(path)) : nullptr;
        double ownerNs = note.nsecsElapsed();
        const double begun = timer.nsecsElapsed() / 1e6;
        const double inserted = insert(r);
        timer.restart();
        transaction.exec(QStringLiteral("COMMIT"));
        note.restart();
        owner.reset();
        ownerNs += note.nsecsElapsed();
        if (noteMs)
            *noteMs = ownerNs / 1e6;
        return begun + inserted + timer.nsecsElapsed() / 1e6;
    }

private:
    QSqlQuery m_query;
};

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const qint64 rows = argc > 1 ? QByteArray(argv[1]).toLongLong() : 1000000;
    QTemporaryDir big, small;
    if (!makeDatabase(big.path(), rows, 0) || !makeDatabase(small.path(), 1000, 0)) {
        line(QStringLiteral("could not make the databases"));
        return 1;
    }
    for (const QString &folder : {small.path(), big.path()}) {
        const QString path = RecordStore::databasePath(folder);
        const double mb = QFileInfo(path).size() / 1e6;
        QString verdict;
        const double ms = quickCheckMs(path, 3, &verdict);
        line(QStringLiteral("quick_check over %1 MB: median %2 ms (3 runs), %3 ms a MB, "
                            "verdict: %4")
                     .arg(mb, 0, 'f', 1)
                     .arg(ms, 0, 'f', 1)
                     .arg(ms / mb, 0, 'f', 2)
                     .arg(verdict.isEmpty() ? QStringLiteral("sound") : verdict));
    }
    line(QStringLiteral("files above %1 MB are checked on a second thread")
                 .arg(RecordStore::largeFileBytes() / 1048576.0, 0, 'f', 1));

    const QString path = RecordStore::databasePath(big.path());
    const int saves = 60;
    QVector<double> wal, raw, store;
    {
        RawInserter inserter(path, QStringLiteral("WAL"));
        for (int i = 0; i < saves; ++i)
            wal.append(inserter.insert(benchRecord(i)));
    }
    // The first open of this file starts the page check, which the first
    // save waits for: let it finish, as it does while the user types.
    RecordStore writer;
    writer.open(path);
    if (FileCheck *check = writer.pendingCheck())
        check->verdict();
    int failed = 0;
    {
        // Taken in turns, so that the disk's moods fall on both alike.
        RawInserter inserter(path, QStringLiteral("DELETE"));
        for (int i = 0; i < saves; ++i) {
            raw.append(inserter.insert(benchRecord(i)));
            DowsingRecord r = benchRecord(i);
            QElapsedTimer timer;
            timer.start();
            if (!writer.add(r))
                ++failed;
            store.append(timer.nsecsElapsed() / 1e6);
        }
    }
    line(QStringLiteral("one durable insert (synchronous=FULL) into %1 records, medians of %2: "
                        "raw WAL %3 ms, raw rollback journal (DELETE) %4 ms, "
                        "RecordStore::add %5 ms (%6 failed)")
                 .arg(rows)
                 .arg(saves)
                 .arg(median(wal), 0, 'f', 2)
                 .arg(median(raw), 0, 'f', 2)
                 .arg(median(store), 0, 'f', 2)
                 .arg(failed));

    // Taken in turns, as above.
    QVector<double> bare, noted, note;
    {
        RawInserter inserter(path, QStringLiteral("DELETE"));
        for (int i = 0; i < saves; ++i) {
            double noteMs = 0;
            bare.append(inserter.insertInTransaction(benchRecord(i), path, false));
            noted.append(inserter.insertInTransaction(benchRecord(i), path, true, &noteMs));
            note.append(noteMs);
        }
    }
    line(QStringLiteral("one durable insert in its own transaction, medians of %1: without the "
                        "journal's owner note %2 ms, with it %3 ms, of which the note's making "
                        "and removal %4 ms")
                 .arg(saves)
                 .arg(median(bare), 0, 'f', 3)
                 .arg(median(noted), 0, 'f', 3)
                 .arg(median(note), 0, 'f', 3));
    return failed == 0 ? 0 : 1;
}
