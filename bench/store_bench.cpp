// What the store's safety costs on a large file: reading every page to find
// damage (PRAGMA quick_check, which decides which files are checked beside
// the first window), and a save through the store, which writes with a
// rollback journal and checks the file's identity, against a raw durable
// insert on the same file; what the journal's owner note (JournalOwner)
// adds to a raw durable insert; and the daily back-up's copy of the file,
// alone and while saves go on beside it.
//
//   orvane-store-bench [ROWS] [FOLDER]     (default 1000000)
//
// Makes a copy of the shipped database holding ROWS records (and one of
// 1,000) in a temporary folder, or the large one in FOLDER, where it is kept
// (for bench/startup_bench.sh), and prints figures as plain lines.

#include "BenchOutput.h"
#include "BenchDatabase.h"

#include "store/DatabaseCopy.h"
#include "store/FileCheck.h"
#include "store/JournalOwner.h"
#include "store/RecordStore.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <QFile>
#include <QThread>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <memory>
#include <thread>

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
            *verdict = damageOf(db).reason;
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
        for (const QString &value : {r.Date.storedText(), r.Name, r.City,
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

// The daily back-up's copy of the file at path, on a thread of its own as
// the program makes it: alone, then with a save on another connection every
// saveEveryMs during its first savingMs. A save made while the copy runs
// makes the engine begin the copy again, so the saves stop in time.
void copyFigures(const QString &path, RecordStore &writer, int saveEveryMs, int savingMs)
{
    const QString target = path + QStringLiteral(".bench-copy");
    QVector<double> alone, steps;
    QString reason;
    for (int i = 0; i < 3; ++i) {
        QElapsedTimer whole, step;
        whole.start();
        step.start();
        const auto result = DatabaseCopy::copyFile(
                path, target,
                [&](qint64, qint64) {
                    steps.append(step.nsecsElapsed() / 1e6);
                    step.restart();
                    return true;
                },
                reason);
        alone.append(whole.nsecsElapsed() / 1e6);
        QFile::remove(target);
        if (result != DatabaseCopy::Result::Done)
            line(QStringLiteral("the copy failed: %1").arg(reason));
    }
    line(QStringLiteral("the daily back-up's copy of %1 MB, alone: median %2 ms (3 runs); a step "
                        "holds the read lock for median %3 ms, longest %4 ms")
                 .arg(QFileInfo(path).size() / 1e6, 0, 'f', 1)
                 .arg(median(alone), 0, 'f', 0)
                 .arg(median(steps), 0, 'f', 1)
                 .arg(*std::max_element(steps.begin(), steps.end()), 0, 'f', 1));

    std::atomic<bool> copied{false};
    int restarts = 0;
    QElapsedTimer whole;
    whole.start();
    std::thread copier([&] {
        qint64 last = 0;
        DatabaseCopy::copyFile(
                path, target,
                [&](qint64 done, qint64) {
                    restarts += done < last ? 1 : 0;
                    last = done;
                    return true;
                },
                reason);
        copied = true;
    });
    QVector<double> saves;
    int failed = 0;
    for (int i = 0; whole.elapsed() < savingMs && !copied; ++i) {
        QThread::msleep(saveEveryMs);
        DowsingRecord r = benchRecord(i);
        QElapsedTimer save;
        save.start();
        failed += writer.add(r) ? 0 : 1;
        saves.append(save.nsecsElapsed() / 1e6);
    }
    copier.join();
    const double copyMs = whole.nsecsElapsed() / 1e6;
    QFile::remove(target);
    line(QStringLiteral("with a save every %1 ms in its first %2 ms: the copy took %3 ms and began "
                        "again %4 times; %5 saves, median %6 ms, longest %7 ms, %8 failed")
                 .arg(saveEveryMs)
                 .arg(savingMs)
                 .arg(copyMs, 0, 'f', 0)
                 .arg(restarts)
                 .arg(saves.size())
                 .arg(median(saves), 0, 'f', 2)
                 .arg(saves.isEmpty() ? 0 : *std::max_element(saves.begin(), saves.end()), 0, 'f', 2)
                 .arg(failed));
}

} // namespace

// An update and a delete of one record each, as the windows make them: only
// while the record holds what was shown, which the store reads again inside
// the write's transaction; and that read by key alone.
void changeFigures(RecordStore &writer, const QVector<qint64> &keys)
{
    QVector<double> updates, removes, reads;
    int failed = 0;
    for (qint64 key : keys) {
        QElapsedTimer timer;
        timer.start();
        const std::optional<DowsingRecord> shown = writer.find(key);
        reads.append(timer.nsecsElapsed() / 1e6);
        if (!shown) {
            ++failed;
            continue;
        }
        DowsingRecord changed = *shown;
        changed.Notes += QStringLiteral(" (changed)");
        timer.restart();
        failed += writer.update(*shown, changed) == RecordStore::ChangeResult::Done ? 0 : 1;
        updates.append(timer.nsecsElapsed() / 1e6);
        timer.restart();
        failed += writer.remove(changed, QDateTime::currentDateTime()) == RecordStore::ChangeResult::Done ? 0 : 1;
        removes.append(timer.nsecsElapsed() / 1e6);
    }
    line(QStringLiteral("one update and one delete through the store, medians of %1: update %2 ms, "
                        "delete %3 ms; the read by key each compares with %4 ms; %5 failed")
                 .arg(keys.size())
                 .arg(median(updates), 0, 'f', 2)
                 .arg(median(removes), 0, 'f', 2)
                 .arg(median(reads), 0, 'f', 3)
                 .arg(failed));
}

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const qint64 rows = argc > 1 ? QByteArray(argv[1]).toLongLong() : 1000000;
    QTemporaryDir big, small;
    const QString bigFolder = argc > 2 ? QString::fromLocal8Bit(argv[2]) : big.path();
    if (!makeDatabase(bigFolder, rows, 0) || !makeDatabase(small.path(), 1000, 0)) {
        line(QStringLiteral("could not make the databases"));
        return 1;
    }
    for (const QString &folder : {small.path(), bigFolder}) {
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

    const QString path = RecordStore::databasePath(bigFolder);
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
    QVector<qint64> spread;
    for (int i = 1; i <= saves; ++i)
        spread.append(i * (rows / (saves + 1)));
    changeFigures(writer, spread);
    copyFigures(path, writer, 200, 2000);
    return failed == 0 ? 0 : 1;
}
