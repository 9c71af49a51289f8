#include "StoreFile.h"

#include "DowsingRecord.h"

#include "EngineKeys.h"
#include "FileCheck.h"
#include "HotJournal.h"
#include "StoreSql.h"
#include "StoreTexts.h"

#include <QAtomicInteger>
#include <QDir>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUrl>
#include <QVariant>

namespace Orvane {

namespace {

const char kDriver[] = "QSQLITE";
// How long a write waits for another program's lock before it gives up.
const int kBusyTimeoutMs = 2000;

// Reading every page grows with the file; past this size it would hold up
// the first window by more than ~20 ms, so it runs beside it instead.
qint64 largeFileLimit = 2 * 1024 * 1024; // quick_check, 1M records (316 MB): 0.7-1.0 s cached, 2-3 ms/MB (orvane-store-bench 1000000); 2.6 s cold

QString nextConnectionName()
{
    static QAtomicInteger<quint64> counter;
    return QStringLiteral("orvane-store-%1").arg(++counter);
}

QString readOnlyFileReason()
{
    return StoreTexts::tr("The file is read-only, so no record could be saved in it.");
}

} // namespace

StoreFile::StoreFile() = default;

StoreFile::~StoreFile()
{
    close();
}

bool StoreFile::fail(const QString &reason)
{
    m_error = reason;
    return false;
}

QSqlDatabase StoreFile::database() const
{
    return QSqlDatabase::database(m_connection, false);
}

QString StoreFile::databasePath(const QString &dataFolder)
{
    return QDir(dataFolder).filePath(QStringLiteral("Dowsing.dll"));
}

bool StoreFile::isPresent(const QString &path)
{
    const QFileInfo info(path);
    return info.exists() && info.isFile();
}

StoreFile::OpenResult StoreFile::open(const QString &path)
{
    close();
    m_error.clear();
    m_notice.clear();
    const std::optional<FileIdentity> opened = identityOf(path);
    if (!isPresent(path)) {
        m_error = StoreTexts::tr("The file %1 does not exist.").arg(QDir::toNativeSeparators(path));
        return OpenResult::Missing;
    }

    // A save needs the file and its folder (where the engine keeps its
    // journal or write-ahead log) writable. Ask before the engine opens the
    // file: on a read-only file it would open read-only without a word, and
    // would leave its log files behind.
    const QFileInfo file(path);
    if (!file.isWritable()) {
        m_error = readOnlyFileReason();
        return OpenResult::Unusable;
    }
    const QFileInfo folder(file.absolutePath());
    if (!folder.isWritable() || !folder.isExecutable()) {
        m_error = StoreTexts::tr("The folder %1 is read-only, so no record could be saved in "
                                 "the file inside it.")
                          .arg(QDir::toNativeSeparators(folder.absoluteFilePath()));
        return OpenResult::Unusable;
    }

    // SQLite plays a journal a crash left into whatever file has the name
    // at its first read: one that cannot belong to this file is set aside.
    const HotJournal::Outcome journal = HotJournal::settle(QFileInfo(path).absoluteFilePath());
    if (!journal.error.isEmpty()) {
        m_error = journal.error;
        return OpenResult::Unusable;
    }
    m_notice = journal.notice;

    m_path = QFileInfo(path).absoluteFilePath();
    m_connection = nextConnectionName();
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QLatin1String(kDriver), m_connection);
        // mode=rw: a file removed since the test above is refused, not
        // silently created empty.
        QUrl uri = QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath());
        uri.setQuery(QStringLiteral("mode=rw"));
        db.setDatabaseName(uri.toString(QUrl::FullyEncoded));
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_BUSY_TIMEOUT=%1")
                                     .arg(kBusyTimeoutMs));
        if (!db.open()) {
            m_error = reasonOf(db.lastError());
        } else if (!checkUsable()) {
            db.close();
        } else if (const auto now = identityOf(path); !opened || !now || *opened != *now) {
            m_error = StoreTexts::tr("The file %1 was replaced while it was being opened.")
                              .arg(nativePath(m_path));
        } else {
            m_identity = *now;
            // A large file is read whole beside the first window; the
            // journal changes only once the file is known sound.
            if (QFileInfo(path).size() > largeFileLimit) {
                const QString key = m_identity.key() + m_path;
                if (const std::optional<Damage> known = FileCheck::knownVerdict(key))
                    takeVerdict(*known);
                else
                    m_check = FileCheck::forFile(m_path, key);
            }
            if (m_check && m_check->isFinished()) {
                takeVerdict(m_check->verdict());
                m_check.reset();
            }
            if (m_error.isEmpty() && !m_check)
                useRollbackJournal();
        }
    }
    if (!m_error.isEmpty()) {
        const QString reason = m_error;
        close();
        m_error = reason;
        return isPresent(path) ? OpenResult::Unusable : OpenResult::Missing;
    }
    return OpenResult::Opened;
}

// The file opened, which SQLite does even for a text file: read the table's
// description, and take and release a write lock, so that a damaged,
// foreign or locked file is refused here rather than at the first save.
// Nothing is written.
bool StoreFile::checkUsable()
{
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
#ifdef ORVANE_ENGINE_KEYS
    // The engine's own word, before anything is read: it opens a file it may
    // not write read-only, and a write transaction on such a file still
    // begins, so the probe below would not tell.
    if (sqlite3 *handle = EngineKeys::handleOf(db);
        handle && sqlite3_db_readonly(handle, "main") != 0)
        return fail(readOnlyFileReason());
#endif
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("PRAGMA table_info(Details)")))
        return fail(reasonOf(query.lastError()));
    QStringList missing = DowsingRecord::fieldNames();
    bool idIsKey = false;
    int keyColumns = 0;
    bool any = false;
    while (query.next()) {
        any = true;
        const QString name = query.value(1).toString();
        missing.removeAll(name);
        if (query.value(5).toInt() > 0)
            ++keyColumns;
        if (name == QLatin1String("IdNumber"))
            idIsKey = query.value(5).toInt() == 1
                    && query.value(2).toString().compare(QLatin1String("INTEGER"),
                                                         Qt::CaseInsensitive) == 0;
    }
    if (query.lastError().isValid())
        return fail(reasonOf(query.lastError()));
    if (!any)
        return fail(StoreTexts::tr("The database has no table Details."));
    if (!missing.isEmpty())
        return fail(StoreTexts::tr("The table Details has no field %1.")
                            .arg(missing.join(QStringLiteral(", "))));
    if (!idIsKey || keyColumns != 1 || !checkKey())
        return fail(m_error.isEmpty()
                            ? StoreTexts::tr("The field IdNumber of the table Details is not its key.")
                            : m_error);

    // Reading a row proves that the pages behind the description are sound.
    if (!query.exec(QStringLiteral("SELECT %1, IdNumber FROM Details ORDER BY IdNumber LIMIT 1")
                            .arg(recordColumns())))
        return fail(reasonOf(query.lastError()));
    query.next();
    if (query.lastError().isValid())
        return fail(reasonOf(query.lastError()));
    query.finish();

    if (QFileInfo(m_path).size() <= largeFileLimit && !takeVerdict(damageOf(db)))
        return false;

    if (!query.exec(QStringLiteral("PRAGMA synchronous = FULL")))
        return fail(reasonOf(query.lastError()));
    // What a write frees (a deleted record, an index block rewritten) is
    // overwritten, so that a record deleted for good leaves no text behind
    // in the file's unused pages.
    if (!query.exec(QStringLiteral("PRAGMA secure_delete = ON")))
        return fail(reasonOf(query.lastError()));
    if (!query.exec(QStringLiteral("BEGIN IMMEDIATE")))
        return fail(reasonOf(query.lastError()));
    if (!query.exec(QStringLiteral("ROLLBACK")))
        return fail(reasonOf(query.lastError()));
    return true;
}

// IdNumber must be the table's row key itself, or the engine stores no key
// for a new record (NULL) and the list cannot tell rows apart. A single
// INTEGER PRIMARY KEY column is that key unless it is declared DESC or the
// table has no row keys (WITHOUT ROWID): then the engine keeps a separate
// index for it, listed with origin "pk".
bool StoreFile::checkKey()
{
    QSqlQuery query(QSqlDatabase::database(m_connection, false));
    query.setForwardOnly(true);
    if (!query.exec(QStringLiteral("PRAGMA index_list(Details)")))
        return fail(reasonOf(query.lastError()));
    bool separateKeyIndex = false;
    while (query.next())
        separateKeyIndex = separateKeyIndex || query.value(3).toString() == QLatin1String("pk");
    if (query.lastError().isValid())
        return fail(reasonOf(query.lastError()));
    return !separateKeyIndex;
}

qint64 StoreFile::largeFileBytes()
{
    return largeFileLimit;
}

void StoreFile::setLargeFileBytes(qint64 bytes)
{
    largeFileLimit = bytes;
}

bool StoreFile::isOpen() const
{
    return !m_connection.isEmpty() && QSqlDatabase::database(m_connection, false).isOpen();
}

void StoreFile::close()
{
    if (!m_connection.isEmpty()) {
        {
            QSqlDatabase db = QSqlDatabase::database(m_connection, false);
            if (db.isOpen())
                db.close();
        }
        QSqlDatabase::removeDatabase(m_connection);
        m_connection.clear();
    }
    m_path.clear();
    m_identity = {};
    m_check.reset();
    m_indexDamage.clear();
    m_journalSettled = false;
    m_checkpointEachWrite = false;
}

} // namespace Orvane
