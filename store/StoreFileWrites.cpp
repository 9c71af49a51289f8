#include "StoreFile.h"

#include "EngineKeys.h"
#include "FileCheck.h"
#include "StoreSql.h"
#include "StoreTexts.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

// What a write needs of the file once it is open: one journal that keeps
// every commit in the file alone, the file at the path still the one
// opened, and the page check's verdict in.
namespace Orvane {

// A file in write-ahead-log mode keeps new records in a file beside it
// until a checkpoint; a copy of the file alone would lack them. Leaving
// that mode needs the file to itself; while another connection keeps it,
// each write is checkpointed instead.
bool StoreFile::useRollbackJournal()
{
    QSqlQuery query(QSqlDatabase::database(m_connection, false));
    if (!query.exec(QStringLiteral("PRAGMA journal_mode")) || !query.next())
        return fail(reasonOf(query.lastError()));
    const bool wal = query.value(0).toString().compare(QLatin1String("wal"),
                                                       Qt::CaseInsensitive) == 0;
    query.finish();
    if (wal) {
        const bool left = query.exec(QStringLiteral("PRAGMA journal_mode = DELETE"))
                && query.next()
                && query.value(0).toString().compare(QLatin1String("delete"),
                                                     Qt::CaseInsensitive) == 0;
        query.finish();
        m_checkpointEachWrite = !left;
    }
    m_journalSettled = true;
    return true;
}

// Copies the write-ahead log into the file; false unless all of it went.
bool StoreFile::checkpoint()
{
    QSqlQuery query(QSqlDatabase::database(m_connection, false));
    if (!query.exec(QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)")) || !query.next())
        return fail(reasonOf(query.lastError()));
    const bool complete = query.value(0).toInt() == 0;
    query.finish();
    if (!complete)
        return fail(StoreTexts::tr("Another program is reading the file %1 and keeps its "
                                   "write-ahead log from being copied into it.")
                            .arg(nativePath(m_path)));
    return true;
}

// SQLite keeps writing the file it opened through its handle, even after
// another file was renamed over that name or the file was removed: then
// open the file that stands there now, with every check of open(). A
// removed file is never made anew.
bool StoreFile::followFileAtPath()
{
    const std::optional<FileIdentity> now = identityOf(m_path);
    if (!now)
        return fail(StoreTexts::tr("The file %1 is no longer there: it was removed or moved "
                                   "while the program ran, and it is not made anew.")
                            .arg(nativePath(m_path)));
    if (isOpen() && *now == m_identity)
        return true;
    const QString path = m_path;
    if (open(path) == OpenResult::Opened)
        return true;
    const QString reason = m_error;
    // Kept, so that the next write tries the file there again.
    m_path = path;
    return fail(StoreTexts::tr("The file %1 was replaced, and the file there now cannot be "
                               "used: %2")
                        .arg(nativePath(path), reason));
}

bool StoreFile::readyToWrite()
{
    m_error.clear();
    m_notice.clear();
    if (m_path.isEmpty())
        return fail(StoreTexts::notOpen());
    if (!followFileAtPath())
        return false;
    if (m_check) {
        // Waits for the check of a large file, which began at open.
        if (!takeVerdict(m_check->verdict()))
            return false;
        m_check.reset();
    }
    if (!m_indexDamage.isEmpty() && !m_mendingIndex)
        return fail(StoreTexts::tr("The find index inside the file %1 is damaged, so nothing "
                                   "is saved in the file until the index is built anew. Your "
                                   "records themselves are sound. (%2)")
                            .arg(nativePath(m_path), m_indexDamage));
    // Leaving the write-ahead log fails at once while another connection
    // keeps it, so try again before each write: it may have gone.
    if ((!m_journalSettled || m_checkpointEachWrite) && !useRollbackJournal())
        return false;
    // A log left by a write another program made is copied in first, so
    // that a log that cannot be copied stops the write before it is made.
    return !m_checkpointEachWrite || checkpoint();
}

bool StoreFile::writtenToFileAtPath()
{
    const std::optional<FileIdentity> now = identityOf(m_path);
    if (!now || *now != m_identity)
        return fail(StoreTexts::tr("The file %1 was replaced or removed while the change was "
                                   "being written, so the file there now does not hold it.")
                            .arg(nativePath(m_path)));
    // The change is committed: whatever happens to the log now, it is
    // saved, and saying otherwise would have the user save it twice. The
    // engine copies the log into the file once the other program's read
    // ends, at the latest when the last connection closes.
    if (m_checkpointEachWrite && !checkpoint()) {
        m_error.clear();
        m_notice = StoreTexts::tr(
                "Another program is reading the file %1 and keeps this change in the "
                "write-ahead log beside it (%2) until it stops. Until then, copy both "
                "files together to keep a copy of your records.")
                           .arg(nativePath(m_path), nativePath(m_path + QStringLiteral("-wal")));
    }
    return true;
}

bool StoreFile::compact(const std::function<bool()> &keepGoing)
{
    if (!readyToWrite())
        return false;
    QSqlDatabase db = database();
    bool stopped = false;
#ifdef ORVANE_ENGINE_KEYS
    // Asked every 100,000 of the engine's steps: a few times a second.
    struct Asking
    {
        const std::function<bool()> &keepGoing;
        bool &stopped;
    } asking{keepGoing, stopped};
    sqlite3 *handle = keepGoing ? EngineKeys::handleOf(db) : nullptr;
    if (handle)
        sqlite3_progress_handler(
                handle, 100000,
                [](void *context) {
                    auto *ask = static_cast<Asking *>(context);
                    ask->stopped = !ask->keepGoing();
                    return ask->stopped ? 1 : 0;
                },
                &asking);
#endif
    QSqlQuery query(db);
    const bool done = query.exec(QStringLiteral("VACUUM"));
    const QString reason = reasonOf(query.lastError());
    query.finish();
#ifdef ORVANE_ENGINE_KEYS
    if (handle)
        sqlite3_progress_handler(handle, 0, nullptr, nullptr);
#endif
    if (!done)
        return fail(stopped ? StoreTexts::stopped() : reason);
    return writtenToFileAtPath();
}

bool StoreFile::takeVerdict(const Damage &damage)
{
    if (!damage.isSound() && !damage.indexOnly)
        return fail(damage.reason);
    m_indexDamage = damage.reason;
    return true;
}

void StoreFile::beginIndexMend()
{
    m_mendingIndex = isIndexDamaged();
}

void StoreFile::endIndexMend(bool built)
{
    if (built && m_mendingIndex) {
        m_indexDamage.clear();
        FileCheck::markSound(m_identity.key() + m_path);
    }
    m_mendingIndex = false;
}

bool StoreFile::isIndexDamaged()
{
    if (m_check && m_check->isFinished()) {
        takeVerdict(m_check->verdict());
        m_check.reset();
    }
    return !m_indexDamage.isEmpty();
}

FileCheck *StoreFile::pendingCheck() const
{
    return m_check && !m_check->isFinished() ? m_check.get() : nullptr;
}

} // namespace Orvane
