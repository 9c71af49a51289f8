#include "HeldWrite.h"

#include "SecondProcess.h"

#include "store/RecordStore.h"

#include <QCoreApplication>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QVariant>

#include <sqlite3.h>

namespace Orvane::Testing {

std::unique_ptr<HeldWrite> HeldWrite::byProgram(const QString &path, int records)
{
    std::unique_ptr<HeldWrite> write(new HeldWrite);
    const QByteArray said = startCopy(write->m_process, {QString::fromLatin1(kHoldImportArgument),
                                                         path, QString::number(records)});
    write->m_held = said == "held";
    if (!write->m_held)
        write->m_failure = write->whatItSaid(said);
    return write;
}

std::unique_ptr<HeldWrite> HeldWrite::byProgramDelete(const QString &path, qint64 key,
                                                      const QString &step)
{
    std::unique_ptr<HeldWrite> write(new HeldWrite);
    const QByteArray said = startCopy(write->m_process, {QString::fromLatin1(kHoldDeleteArgument),
                                                         path, QString::number(key), step});
    write->m_held = said == "held";
    if (!write->m_held)
        write->m_failure = write->whatItSaid(said);
    return write;
}

std::unique_ptr<HeldWrite> HeldWrite::byProgramCommit(const QString &path, const QString &step)
{
    std::unique_ptr<HeldWrite> write(new HeldWrite);
    const QByteArray said =
            startCopy(write->m_process, {QString::fromLatin1(kHoldCommitArgument), path, step});
    write->m_held = said == "held";
    if (!write->m_held)
        write->m_failure = write->whatItSaid(said);
    return write;
}

std::unique_ptr<HeldWrite> HeldWrite::byShell(const QString &path, const QStringList &statements)
{
    std::unique_ptr<HeldWrite> write(new HeldWrite);
    const QString shell = QStandardPaths::findExecutable(QStringLiteral("sqlite3"));
    if (shell.isEmpty()) {
        write->m_failure = QStringLiteral("the sqlite3 shell is missing (scripts/setup.sh)");
        return write;
    }
    write->m_process.start(shell, {path});
    if (!write->m_process.waitForStarted()) {
        write->m_failure = QStringLiteral("the sqlite3 shell did not start");
        return write;
    }
    // The shell reads on while its input stays open: the transaction stays.
    const QString script = QStringLiteral("PRAGMA cache_size = 10;\nBEGIN IMMEDIATE;\n")
            + statements.join(QStringLiteral(";\n")) + QStringLiteral(";\nSELECT 'held';\n");
    write->m_process.write(script.toUtf8());
    write->m_process.waitForReadyRead(10000);
    const QByteArray said = write->m_process.readLine().trimmed();
    write->m_held = said == "held";
    if (!write->m_held)
        write->m_failure = write->whatItSaid(said);
    return write;
}

QString HeldWrite::whatItSaid(const QByteArray &line)
{
    return QString::fromLocal8Bit(line + ' ' + m_process.readAllStandardError());
}

HeldWrite::~HeldWrite()
{
    kill();
}

void HeldWrite::kill()
{
    if (m_process.state() == QProcess::NotRunning)
        return;
    m_process.kill();
    m_process.waitForFinished();
}

bool HeldWrite::commit()
{
    m_process.write("COMMIT;\nSELECT 'committed';\n");
    m_process.waitForReadyRead(10000);
    const bool committed = m_process.readLine().trimmed() == "committed";
    m_process.closeWriteChannel();
    m_process.waitForFinished();
    return committed;
}

namespace {

// Makes the trigger's event, inside the store's next write, say "held" and
// wait to be killed.
void holdAt(RecordStore &store, const QString &triggerEvent)
{
    QSqlDatabase db = QSqlDatabase::database(store.connectionName(), false);
    sqlite3 *handle = *static_cast<sqlite3 *const *>(db.driver()->handle().constData());
    sqlite3_create_function(
            handle, "orvane_hold", 0, SQLITE_UTF8, nullptr,
            [](sqlite3_context *, int, sqlite3_value **) { answerAndWaitToBeKilled(true); },
            nullptr, nullptr);
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("PRAGMA cache_size = 10"))
        || !query.exec(QStringLiteral("CREATE TEMP TRIGGER orvane_hold %1 "
                                      "BEGIN SELECT orvane_hold(); END")
                               .arg(triggerEvent)))
        answerAndWaitToBeKilled(false);
}

// The engine's file layer with a layer over it that stops the process in a
// commit: the first page of a main database file is written at a commit
// only, before any other page of it (the engine writes them in order).
// A process of its own holds one, so it lives as long as the process.
struct CommitHold
{
    struct File
    {
        sqlite3_file base;
        sqlite3_file *real;
        bool mainDatabase;
    };

    sqlite3_vfs *real = nullptr;
    sqlite3_vfs vfs{};
    sqlite3_io_methods methods{};
    bool atSync = false;
    bool firstPageWritten = false;

    static CommitHold &instance()
    {
        static CommitHold hold;
        return hold;
    }
    static sqlite3_file *realOf(sqlite3_file *file)
    {
        return reinterpret_cast<File *>(file)->real;
    }
    static bool isMainDatabase(sqlite3_file *file)
    {
        return reinterpret_cast<File *>(file)->mainDatabase;
    }

    void install(bool holdAtSync)
    {
        atSync = holdAtSync;
        real = sqlite3_vfs_find(nullptr);
        vfs = *real;
        vfs.iVersion = 1;
        vfs.szOsFile = int(sizeof(File)) + real->szOsFile;
        vfs.zName = "orvane-commit-hold";
        vfs.xOpen = [](sqlite3_vfs *, const char *name, sqlite3_file *file, int flags,
                       int *outFlags) {
            CommitHold &hold = instance();
            auto *held = reinterpret_cast<File *>(file);
            held->real = reinterpret_cast<sqlite3_file *>(held + 1);
            held->mainDatabase = flags & SQLITE_OPEN_MAIN_DB;
            const int rc = hold.real->xOpen(hold.real, name, held->real, flags, outFlags);
            held->base.pMethods = held->real->pMethods ? &hold.methods : nullptr;
            return rc;
        };
        // Version 1: no shared memory and no memory map, which a file in a
        // rollback journal's mode does without.
        methods.iVersion = 1;
        methods.xClose = [](sqlite3_file *f) { return realOf(f)->pMethods->xClose(realOf(f)); };
        methods.xRead = [](sqlite3_file *f, void *data, int size, sqlite3_int64 at) {
            return realOf(f)->pMethods->xRead(realOf(f), data, size, at);
        };
        methods.xWrite = [](sqlite3_file *f, const void *data, int size, sqlite3_int64 at) {
            const int rc = realOf(f)->pMethods->xWrite(realOf(f), data, size, at);
            if (rc == SQLITE_OK && isMainDatabase(f) && at == 0) {
                instance().firstPageWritten = true;
                if (!instance().atSync)
                    answerAndWaitToBeKilled(true);
            }
            return rc;
        };
        methods.xTruncate = [](sqlite3_file *f, sqlite3_int64 size) {
            return realOf(f)->pMethods->xTruncate(realOf(f), size);
        };
        methods.xSync = [](sqlite3_file *f, int flags) {
            const int rc = realOf(f)->pMethods->xSync(realOf(f), flags);
            if (rc == SQLITE_OK && isMainDatabase(f) && instance().firstPageWritten)
                answerAndWaitToBeKilled(true);
            return rc;
        };
        methods.xFileSize = [](sqlite3_file *f, sqlite3_int64 *size) {
            return realOf(f)->pMethods->xFileSize(realOf(f), size);
        };
        methods.xLock = [](sqlite3_file *f, int lock) {
            return realOf(f)->pMethods->xLock(realOf(f), lock);
        };
        methods.xUnlock = [](sqlite3_file *f, int lock) {
            return realOf(f)->pMethods->xUnlock(realOf(f), lock);
        };
        methods.xCheckReservedLock = [](sqlite3_file *f, int *out) {
            return realOf(f)->pMethods->xCheckReservedLock(realOf(f), out);
        };
        methods.xFileControl = [](sqlite3_file *f, int op, void *arg) {
            return realOf(f)->pMethods->xFileControl(realOf(f), op, arg);
        };
        methods.xSectorSize = [](sqlite3_file *f) {
            return realOf(f)->pMethods->xSectorSize(realOf(f));
        };
        methods.xDeviceCharacteristics = [](sqlite3_file *f) {
            return realOf(f)->pMethods->xDeviceCharacteristics(realOf(f));
        };
        sqlite3_vfs_register(&vfs, 1);
    }
};

} // namespace

void holdCommit(const QString &path, const QString &step)
{
    CommitHold::instance().install(step == QLatin1String("synced"));
    RecordStore store;
    if (store.open(path) != RecordStore::OpenResult::Opened)
        answerAndWaitToBeKilled(false);
    DowsingRecord record;
    record.Date = QDate(2026, 12, 8);
    record.Name = QStringLiteral("HELD IN ITS COMMIT");
    store.add(record);
    answerAndWaitToBeKilled(false);
}

void holdDelete(const QString &path, qint64 key, const QString &step)
{
    RecordStore store;
    if (store.open(path) != RecordStore::OpenResult::Opened)
        answerAndWaitToBeKilled(false);
    const std::optional<DowsingRecord> shown = store.find(key);
    if (!shown)
        answerAndWaitToBeKilled(false);
    holdAt(store, step == QLatin1String("copy")
                   ? QStringLiteral("AFTER INSERT ON main.DeletedRecords")
                   : QStringLiteral("AFTER DELETE ON main.Details"));
    store.remove(*shown, QDateTime(QDate(2026, 12, 8), QTime(10, 0)));
    answerAndWaitToBeKilled(false);
}

void holdImport(const QString &path, int records)
{
    RecordStore store;
    if (store.open(path) != RecordStore::OpenResult::Opened)
        answerAndWaitToBeKilled(false);
    // Called by the last record's insert, inside the import's transaction.
    holdAt(store, QStringLiteral("AFTER INSERT ON main.Details WHEN new.Name = 'HOLD'"));
    QVector<DowsingRecord> imported(records + 1);
    for (int i = 0; i <= records; ++i) {
        imported[i].Date = QDate(2026, 12, 8);
        imported[i].Name = i < records ? QStringLiteral("IMPORTED %1").arg(i)
                                       : QStringLiteral("HOLD");
        imported[i].Notes = QString(300, QLatin1Char('i'));
    }
    store.addAll(imported);
    answerAndWaitToBeKilled(false);
}

} // namespace Orvane::Testing
