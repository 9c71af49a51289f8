#include "DatabaseCopy.h"

#include "EngineKeys.h"
#include "StoreSql.h"
#include "StoreTexts.h"

#include <QAtomicInteger>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryFile>
#include <QUrl>

#include <cerrno>
#include <cstdio>
#include <cstring>

#ifdef Q_OS_LINUX
#include <fcntl.h>
#endif

#ifdef Q_OS_WIN
#include <io.h>
#else
#include <unistd.h>
#endif

namespace Orvane::DatabaseCopy {

namespace {

// Pages a step copies (4 MB with 4 kB pages); the source's read lock is
// held that long, and a save on another connection waits at most that.
// Pays: a million records (364 MB) copied in 784 ms, a step holding the lock
// 5.6 ms (median), 20 ms at most; saves meanwhile 14 ms against 18.5 ms
// without (orvane-store-bench 1000000).
const int kPagesPerStep = 1024;
// How long File > Back Up, whose user waits, lets a writer's lock stop
// the copy before it gives up: about two seconds. A copy on a thread of its
// own waits as long as the lock is held (a one-time build of the find index
// holds it for seconds), until progress cancels it.
const int kBusyRetries = 100;
const int kBusyWaitMs = 20;
const int kPatient = -1;

// Puts the file at from in place of the file at to in one step where the
// system can (POSIX rename replaces the target atomically); with NeverOver,
// only where no file, folder or link has that name.
bool placeFile(const QString &from, const QString &to, Target over, QString &error)
{
    const auto taken = [&] {
        error = StoreTexts::tr("Something else took the name %1 meanwhile.").arg(nativePath(to));
        return false;
    };
#ifdef Q_OS_WIN
    if (QFile::exists(to) && (over == Target::NeverOver || !QFile::remove(to))) {
        if (over == Target::NeverOver)
            return taken();
        error = StoreTexts::tr("The file %1 could not be replaced.").arg(nativePath(to));
        return false;
    }
    QFile file(from);
    if (!file.rename(to)) {
        error = file.errorString();
        return false;
    }
    return true;
#else
    const QByteArray fromName = QFile::encodeName(from);
    const QByteArray toName = QFile::encodeName(to);
#ifdef Q_OS_LINUX
    if (over == Target::NeverOver) {
        if (::renameat2(AT_FDCWD, fromName.constData(), AT_FDCWD, toName.constData(),
                        RENAME_NOREPLACE)
            == 0)
            return true;
        if (errno == EEXIST)
            return taken();
        // A file system that cannot refuse by itself: look, then rename.
        if (errno != EINVAL && errno != ENOSYS) {
            error = QString::fromLocal8Bit(std::strerror(errno));
            return false;
        }
    }
#endif
    if (over == Target::NeverOver && (QFileInfo::exists(to) || QFileInfo(to).isSymLink()))
        return taken();
    if (std::rename(fromName.constData(), toName.constData()) != 0) {
        error = QString::fromLocal8Bit(std::strerror(errno));
        return false;
    }
    return true;
#endif
}

// Puts the file's bytes on the disk, before it takes the target's name.
bool syncFile(const QString &path, QString &error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite)) {
        error = file.errorString();
        return false;
    }
#ifdef Q_OS_WIN
    const bool synced = _commit(file.handle()) == 0;
#else
    const bool synced = ::fsync(file.handle()) == 0;
#endif
    if (!synced)
        error = QString::fromLocal8Bit(std::strerror(errno));
    return synced;
}

#ifdef ORVANE_ENGINE_KEYS
// The engine's online back-up from handle into the empty file at partPath.
Result engineCopy(sqlite3 *handle, const QString &partPath, const Progress &progress,
                  int busyRetries, QString &error)
{
    sqlite3 *copy = nullptr;
    int rc = sqlite3_open_v2(QFile::encodeName(partPath).constData(), &copy,
                             SQLITE_OPEN_READWRITE, nullptr);
    if (rc != SQLITE_OK) {
        error = copy ? QString::fromUtf8(sqlite3_errmsg(copy))
                       : QString::fromUtf8(sqlite3_errstr(rc));
        sqlite3_close(copy);
        return Result::Failed;
    }
    // Until it is whole the copy is a file of no use: it needs no journal,
    // and no sync at the commit of the last step, which the engine makes
    // while it still holds the source's read lock (a save then waited 258 ms
    // for 364 MB). It is synced once the lock is let go.
    sqlite3_exec(copy, "PRAGMA journal_mode = OFF; PRAGMA synchronous = OFF", nullptr, nullptr,
                 nullptr);
    Result result = Result::Failed;
    if (sqlite3_backup *backup = sqlite3_backup_init(copy, "main", handle, "main")) {
        int busy = 0;
        bool cancelled = false;
        do {
            rc = sqlite3_backup_step(backup, kPagesPerStep);
            if (rc == SQLITE_BUSY || rc == SQLITE_LOCKED) {
                if (busyRetries != kPatient && ++busy > busyRetries)
                    break;
                sqlite3_sleep(kBusyWaitMs);
            }
            const qint64 total = sqlite3_backup_pagecount(backup);
            if (progress && !progress(total - sqlite3_backup_remaining(backup), total)) {
                cancelled = true;
                break;
            }
        } while (rc == SQLITE_OK || rc == SQLITE_BUSY || rc == SQLITE_LOCKED);
        sqlite3_backup_finish(backup);
        if (cancelled)
            result = Result::Cancelled;
        else if (rc == SQLITE_DONE)
            result = Result::Done;
        else
            error = QString::fromUtf8(sqlite3_errstr(rc));
    } else {
        error = QString::fromUtf8(sqlite3_errmsg(copy));
    }
    if (sqlite3_close(copy) != SQLITE_OK && result == Result::Done) {
        error = StoreTexts::tr("The copy could not be closed.");
        result = Result::Failed;
    }
    return result;
}
#endif

// VACUUM INTO, which takes an empty file as its target; it cannot stop
// midway, so progress is told only before and after. It reads every record,
// so it cannot copy a file with a damaged page.
Result vacuumCopy(const QSqlDatabase &db, const QString &partPath, const Progress &progress,
                  QString &error)
{
    if (progress && !progress(0, 1))
        return Result::Cancelled;
    QSqlQuery query(db);
    query.prepare(QStringLiteral("VACUUM INTO ?"));
    query.addBindValue(partPath);
    if (!query.exec()) {
        error = reasonOf(query.lastError());
        return Result::Failed;
    }
    if (progress)
        progress(1, 1);
    return Result::Done;
}

// Without the engine's own back-up: the file's bytes as they are, damage
// and all, copied while a read transaction holds the engine's shared lock,
// so that no write commits meanwhile. A file in write-ahead-log mode keeps
// part of itself in the log, so it goes through VACUUM INTO instead.
Result driverCopy(const QSqlDatabase &db, const QString &source, const QString &partPath,
                  const Progress &progress, QString &error)
{
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("PRAGMA journal_mode")) || !query.next()) {
        error = reasonOf(query.lastError());
        return Result::Failed;
    }
    const bool wal = query.value(0).toString().compare(QLatin1String("wal"),
                                                       Qt::CaseInsensitive) == 0;
    query.finish();
    if (wal)
        return vacuumCopy(db, partPath, progress, error);

    // The shared lock, taken by the first read, lasts until the end of the
    // transaction.
    if (!query.exec(QStringLiteral("BEGIN"))
        || !query.exec(QStringLiteral("SELECT count(*) FROM sqlite_master")) || !query.next()) {
        error = reasonOf(query.lastError());
        query.exec(QStringLiteral("ROLLBACK"));
        return Result::Failed;
    }
    query.finish();
    Result result = Result::Done;
    QFile from(source);
    QFile to(partPath);
    if (!from.open(QIODevice::ReadOnly) || !to.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        error = from.isOpen() ? to.errorString() : from.errorString();
        result = Result::Failed;
    }
    const qint64 total = from.size();
    // Asked before the first chunk as well: a small file is copied in one
    // or two chunks, and a cancel made as the copy begins must still end it.
    if (result == Result::Done && progress && !progress(0, total))
        result = Result::Cancelled;
    QByteArray chunk;
    while (result == Result::Done && !from.atEnd()) {
        chunk = from.read(qint64(kPagesPerStep) * 4096);
        if (chunk.isEmpty() && from.error() != QFile::NoError) {
            error = from.errorString();
            result = Result::Failed;
        } else if (to.write(chunk) != chunk.size()) {
            error = to.errorString();
            result = Result::Failed;
        } else if (progress && !progress(from.pos(), total)) {
            result = Result::Cancelled;
        }
    }
    to.close();
    query.exec(QStringLiteral("COMMIT"));
    return result;
}

bool isSameFile(const QString &source, const QFileInfo &target)
{
    return target.absoluteFilePath() == QFileInfo(source).absoluteFilePath()
            || (target.exists()
                && target.canonicalFilePath() == QFileInfo(source).canonicalFilePath());
}

bool isExpectedFile(const QString &source, const std::optional<FileIdentity> &expected,
                    QString &error)
{
    if (!expected || identityOf(source) == expected)
        return true;
    error = StoreTexts::tr("The file %1 was replaced while it was being copied.")
                      .arg(nativePath(source));
    return false;
}

// The copy of db into target by way of a temporary file beside it.
Result copyVia(const QSqlDatabase &db, const QString &source, const QString &target,
               const Progress &progress, int busyRetries, QString &error,
               const std::optional<FileIdentity> &expected, Target over)
{
    const QFileInfo info(target);
    if (isSameFile(source, info)) {
        error = StoreTexts::tr("The back-up cannot be written over the open database %1 "
                                 "itself: choose another file.")
                          .arg(nativePath(source));
        return Result::Failed;
    }
    QTemporaryFile temporary(info.absoluteDir().filePath(info.fileName()
                                                         + QStringLiteral(".XXXXXX.part")));
    if (!temporary.open()) {
        error = temporary.errorString();
        return Result::Failed;
    }
    temporary.close();
    const QString partPath = temporary.fileName();

    Result result = Result::Failed;
#ifdef ORVANE_ENGINE_KEYS
    if (sqlite3 *handle = EngineKeys::handleOf(db))
        result = engineCopy(handle, partPath, progress, busyRetries, error);
    else
#else
    // The driver's copy takes the lock once and holds it to the end.
    Q_UNUSED(busyRetries)
#endif
        result = driverCopy(db, source, partPath, progress, error);
    if (result == Result::Done && !syncFile(partPath, error))
        result = Result::Failed;
    if (result == Result::Done && !isExpectedFile(source, expected, error))
        result = Result::Failed;
    // The temporary file's private permissions become those a new file of
    // the user's would have, before it takes the name: nothing is changed
    // through the name, which may be a link by then.
    if (result == Result::Done
        && !QFile::setPermissions(partPath, QFile::ReadOwner | QFile::WriteOwner
                                                    | QFile::ReadGroup | QFile::ReadOther)) {
        error = StoreTexts::tr("The copy's permissions could not be set.");
        result = Result::Failed;
    }
    if (result == Result::Done && !placeFile(partPath, info.absoluteFilePath(), over, error))
        result = Result::Failed;
    if (result != Result::Done) {
        QFile::remove(partPath);
        QFile::remove(partPath + QStringLiteral("-journal"));
        return result;
    }
    return Result::Done;
}

} // namespace

Result copy(const QSqlDatabase &db, const QString &source, const QString &target,
            const Progress &progress, QString &error)
{
    return copyVia(db, source, target, progress, kBusyRetries, error, std::nullopt,
                   Target::Replace);
}

Result copyFile(const QString &source, const QString &target, const Progress &progress,
                QString &error, const std::optional<FileIdentity> &expected, Target over)
{
    if (!isExpectedFile(source, expected, error))
        return Result::Failed;
    static QAtomicInteger<quint64> counter;
    const QString name = QStringLiteral("orvane-copy-%1").arg(++counter);
    Result result = Result::Failed;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        // Read-only, and mode=ro: a missing file is refused, never made, and
        // nothing of the source is ever written. No busy timeout: a locked
        // step returns at once, so that a cancel is seen between tries.
        QUrl uri = QUrl::fromLocalFile(QFileInfo(source).absoluteFilePath());
        uri.setQuery(QStringLiteral("mode=ro"));
        db.setDatabaseName(uri.toString(QUrl::FullyEncoded));
        db.setConnectOptions(
                QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_OPEN_READONLY;QSQLITE_BUSY_TIMEOUT=0"));
        if (db.open())
            result = copyVia(db, source, target, progress, kPatient, error, expected, over);
        else
            error = reasonOf(db.lastError());
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return result;
}

} // namespace Orvane::DatabaseCopy
