#include "RecordStore.h"

#include "EngineKeys.h"
#include "FindIndex.h"
#include "RecordRow.h"
#include "FileCheck.h"

#include <QAtomicInteger>
#include <QDir>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QFile>
#include <QTemporaryFile>
#include <QThread>
#include <QUrl>
#include <QVariant>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iterator>

namespace Orvane {

namespace {

const char kDriver[] = "QSQLITE";
// How long a write waits for another program's lock before it gives up.
const int kBusyTimeoutMs = 2000;

// Reading every page grows with the file; past this size it would hold up
// the first window by more than ~20 ms, so it runs beside it instead.
qint64 largeFileLimit = 2 * 1024 * 1024; // quick_check, 1M records (316 MB): 0.7-1.0 s cached, 2-3 ms/MB (orvane-store-bench 1000000); 2.6 s cold

const QString kColumns = QStringLiteral(
        "Date, Name, Address, City, State, Pin, Phone_No, Email, Time_Dowsing_Occured, "
        "Dowsing_Tool, Item_Dowsing_For, Location_Dowsing_Occured, Notes");

QString nextConnectionName()
{
    static QAtomicInteger<quint64> counter;
    return QStringLiteral("orvane-store-%1").arg(++counter);
}

QString reasonOf(const QSqlError &error)
{
    const QString text = error.databaseText().trimmed();
    const QString reason = text.isEmpty() ? error.text().trimmed() : text;
    // The engine's word for a damaged page, whichever read met it first.
    if (error.nativeErrorCode() == QLatin1String("11"))
        return QStringLiteral("The file is damaged: %1").arg(reason);
    return reason;
}

// Text fields are written as "" rather than NULL.
QVariant textValue(const QString &text)
{
    return text.isNull() ? QString(QLatin1String("")) : text;
}

// The same as bindFields(), by position, for a query executed many times.
void bindFieldsAt(QSqlQuery &query, const DowsingRecord &r)
{
    const QVariant values[] = {
        r.Date.toString(Qt::ISODate), textValue(r.Name), textValue(r.Address),
        textValue(r.City), textValue(r.State), textValue(r.Pin), textValue(r.Phone_No),
        textValue(r.Email), textValue(r.Time_Dowsing_Occured), textValue(r.Dowsing_Tool),
        textValue(r.Item_Dowsing_For), textValue(r.Location_Dowsing_Occured), textValue(r.Notes),
    };
    for (int i = 0; i < int(std::size(values)); ++i)
        query.bindValue(i, values[i]);
}

// Puts the file at from in place of the file at to in one step where the
// system can (POSIX rename replaces the target atomically).
bool replaceFile(const QString &from, const QString &to, QString *reason)
{
#ifdef Q_OS_WIN
    if (QFile::exists(to) && !QFile::remove(to)) {
        *reason = QStringLiteral("The file %1 could not be replaced.").arg(QDir::toNativeSeparators(to));
        return false;
    }
    QFile file(from);
    if (!file.rename(to)) {
        *reason = file.errorString();
        return false;
    }
    return true;
#else
    if (std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) != 0) {
        *reason = QString::fromLocal8Bit(std::strerror(errno));
        return false;
    }
    return true;
#endif
}

void bindFields(QSqlQuery &query, const DowsingRecord &r)
{
    query.addBindValue(r.Date.toString(Qt::ISODate));
    query.addBindValue(textValue(r.Name));
    query.addBindValue(textValue(r.Address));
    query.addBindValue(textValue(r.City));
    query.addBindValue(textValue(r.State));
    query.addBindValue(textValue(r.Pin));
    query.addBindValue(textValue(r.Phone_No));
    query.addBindValue(textValue(r.Email));
    query.addBindValue(textValue(r.Time_Dowsing_Occured));
    query.addBindValue(textValue(r.Dowsing_Tool));
    query.addBindValue(textValue(r.Item_Dowsing_For));
    query.addBindValue(textValue(r.Location_Dowsing_Occured));
    query.addBindValue(textValue(r.Notes));
}

QString nativePath(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

QString readOnlyFileReason()
{
    return QStringLiteral("The file is read-only, so no record could be saved in it.");
}



} // namespace

RecordStore::RecordStore() = default;

RecordStore::~RecordStore()
{
    close();
}

QString RecordStore::databasePath(const QString &programFolder)
{
    return QDir(programFolder).filePath(QStringLiteral("Dowsing.dll"));
}

bool RecordStore::isPresent(const QString &path)
{
    const QFileInfo info(path);
    return info.exists() && info.isFile();
}

RecordStore::OpenResult RecordStore::open(const QString &path)
{
    close();
    m_error.clear();
    const std::optional<FileIdentity> opened = identityOf(path);
    if (!isPresent(path)) {
        m_error = QStringLiteral("The file %1 does not exist.").arg(QDir::toNativeSeparators(path));
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
        m_error = QStringLiteral("The folder %1 is read-only, so no record could be saved in "
                                 "the file inside it.")
                          .arg(QDir::toNativeSeparators(folder.absoluteFilePath()));
        return OpenResult::Unusable;
    }

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
            m_error = QStringLiteral("The file %1 was replaced while it was being opened.")
                              .arg(nativePath(m_path));
        } else {
            m_identity = *now;
            // A large file is read whole beside the first window; the
            // journal changes only once the file is known sound.
            if (QFileInfo(path).size() > largeFileLimit)
                m_check = FileCheck::forFile(m_path, m_identity.key() + m_path);
            if (m_check && m_check->isFinished()) {
                m_error = m_check->verdict();
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
bool RecordStore::checkUsable()
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
        return fail(QStringLiteral("The database has no table Details."));
    if (!missing.isEmpty())
        return fail(QStringLiteral("The table Details has no field %1.")
                            .arg(missing.join(QStringLiteral(", "))));
    if (!idIsKey || keyColumns != 1 || !checkKey())
        return fail(m_error.isEmpty()
                            ? QStringLiteral("The field IdNumber of the table Details is not its key.")
                            : m_error);

    // Reading a row proves that the pages behind the description are sound.
    if (!query.exec(QStringLiteral("SELECT %1, IdNumber FROM Details ORDER BY IdNumber LIMIT 1")
                            .arg(kColumns)))
        return fail(reasonOf(query.lastError()));
    query.next();
    if (query.lastError().isValid())
        return fail(reasonOf(query.lastError()));
    query.finish();

    if (QFileInfo(m_path).size() <= largeFileLimit) {
        if (const QString damage = damageOf(db); !damage.isEmpty())
            return fail(damage);
    }

    if (!query.exec(QStringLiteral("PRAGMA synchronous = FULL")))
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
bool RecordStore::checkKey()
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

// A file in write-ahead-log mode keeps new records in a file beside it
// until a checkpoint; a copy of the file alone would lack them. Leaving
// that mode needs the file to itself; while another connection keeps it,
// each write is checkpointed instead.
bool RecordStore::useRollbackJournal()
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
bool RecordStore::checkpoint()
{
    QSqlQuery query(QSqlDatabase::database(m_connection, false));
    if (!query.exec(QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)")) || !query.next())
        return fail(reasonOf(query.lastError()));
    const bool complete = query.value(0).toInt() == 0;
    query.finish();
    if (!complete)
        return fail(QStringLiteral("Another program is reading the file %1 and keeps its "
                                   "write-ahead log from being copied into it.")
                            .arg(nativePath(m_path)));
    return true;
}

// SQLite keeps writing the file it opened through its handle, even after
// another file was renamed over that name or the file was removed: then
// open the file that stands there now, with every check of open(). A
// removed file is never made anew.
bool RecordStore::followFileAtPath()
{
    const std::optional<FileIdentity> now = identityOf(m_path);
    if (!now)
        return fail(QStringLiteral("The file %1 is no longer there: it was removed or moved "
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
    return fail(QStringLiteral("The file %1 was replaced, and the file there now cannot be "
                               "used: %2")
                        .arg(nativePath(path), reason));
}

bool RecordStore::readyToWrite()
{
    if (m_path.isEmpty())
        return fail(QStringLiteral("The database is not open."));
    if (!followFileAtPath())
        return false;
    if (m_check) {
        // Waits for the check of a large file, which began at open.
        if (const QString damage = m_check->verdict(); !damage.isEmpty())
            return fail(damage);
        m_check.reset();
    }
    // Leaving the write-ahead log fails at once while another connection
    // keeps it, so try again before each write: it may have gone.
    if ((!m_journalSettled || m_checkpointEachWrite) && !useRollbackJournal())
        return false;
    // A log left by a write another program made is copied in first, so
    // that a log that cannot be copied stops the write before it is made.
    return !m_checkpointEachWrite || checkpoint();
}

bool RecordStore::writtenToFileAtPath()
{
    if (m_checkpointEachWrite && !checkpoint())
        return fail(QStringLiteral("The change is in the write-ahead log beside the file, not "
                                   "yet in the file itself: ")
                    + m_error);
    const std::optional<FileIdentity> now = identityOf(m_path);
    if (!now || *now != m_identity)
        return fail(QStringLiteral("The file %1 was replaced or removed while the change was "
                                   "being written, so the file there now does not hold it.")
                            .arg(nativePath(m_path)));
    return true;
}

FileCheck *RecordStore::pendingCheck() const
{
    return m_check && !m_check->isFinished() ? m_check.get() : nullptr;
}

qint64 RecordStore::largeFileBytes()
{
    return largeFileLimit;
}

void RecordStore::setLargeFileBytes(qint64 bytes)
{
    largeFileLimit = bytes;
}

bool RecordStore::isOpen() const
{
    return !m_connection.isEmpty() && QSqlDatabase::database(m_connection, false).isOpen();
}

void RecordStore::close()
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
    m_journalSettled = false;
    m_checkpointEachWrite = false;
}

bool RecordStore::fail(const QString &reason)
{
    m_error = reason;
    return false;
}

bool RecordStore::add(DowsingRecord &record)
{
    m_error.clear();
    if (m_path.isEmpty())
        return fail(QStringLiteral("The database is not open."));
    if (!record.Date.isValid())
        return fail(QStringLiteral("The Date Is Not A Valid Calendar Date"));
    if (!readyToWrite())
        return false;
    qint64 key = -1;
    const bool written = writeInTransaction([&] {
        QSqlQuery query(QSqlDatabase::database(m_connection, false));
        query.prepare(QStringLiteral("INSERT INTO Details (%1) VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?)")
                              .arg(kColumns));
        bindFields(query, record);
        if (!query.exec())
            return fail(reasonOf(query.lastError()));
        // A trigger may drop the row without an error.
        if (query.numRowsAffected() != 1)
            return fail(QStringLiteral("The file did not take the record."));
        key = query.lastInsertId().toLongLong();
        return true;
    });
    if (!written || !writtenToFileAtPath())
        return false;
    record.IdNumber = key;
    return true;
}

bool RecordStore::addAll(QVector<DowsingRecord> &records)
{
    m_error.clear();
    if (m_path.isEmpty())
        return fail(QStringLiteral("The database is not open."));
    for (const DowsingRecord &record : records) {
        if (!record.Date.isValid())
            return fail(QStringLiteral("The Date Is Not A Valid Calendar Date"));
    }
    if (!readyToWrite())
        return false;
    QVector<qint64> keys;
    keys.reserve(records.size());
    const bool written = writeInTransaction([&] {
        QSqlQuery insert(QSqlDatabase::database(m_connection, false));
        if (!insert.prepare(QStringLiteral(
                    "INSERT INTO Details (%1) VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?)")
                                    .arg(kColumns)))
            return fail(reasonOf(insert.lastError()));
        for (const DowsingRecord &record : records) {
            bindFieldsAt(insert, record);
            if (!insert.exec())
                return fail(reasonOf(insert.lastError()));
            if (insert.numRowsAffected() != 1)
                return fail(QStringLiteral("The file did not take the record."));
            keys.append(insert.lastInsertId().toLongLong());
        }
        return true;
    });
    if (!written || !writtenToFileAtPath())
        return false;
    for (int i = 0; i < records.size(); ++i)
        records[i].IdNumber = keys.at(i);
    return true;
}

namespace {

#ifdef ORVANE_ENGINE_KEYS
// Fills a row's views from the current row of a statement whose columns are
// kColumns then IdNumber.
void rowFromStatement(sqlite3_stmt *statement, RecordStore::StoredRow &row)
{
    for (int i = 0; i < RecordStore::StoredRow::kFields; ++i) {
        const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(statement, i));
        row.fields[i] = QByteArrayView(text, text ? sqlite3_column_bytes(statement, i) : 0);
    }
    row.idNumber = sqlite3_column_int64(statement, RecordStore::StoredRow::kFields);
}
#endif

// The same through the driver: the texts are kept in texts for the visit.
void rowFromQuery(const QSqlQuery &query, QByteArray (&texts)[RecordStore::StoredRow::kFields],
                  RecordStore::StoredRow &row)
{
    for (int i = 0; i < RecordStore::StoredRow::kFields; ++i) {
        texts[i] = query.value(i).toString().toUtf8();
        row.fields[i] = texts[i];
    }
    row.idNumber = query.value(RecordStore::StoredRow::kFields).toLongLong();
}

} // namespace

// Pays: 1M records exported in 972 ms against 2099 ms for sqlite3 -csv -header, medians of 3 (build/bench/orvane-export-bench 1000000 3).
// A forward-only statement straight on the engine's handle hands out
// the engine's own UTF-8 text, with no QVariant or QString per field.
bool RecordStore::readRows(qint64 afterKey, int limit, const RowVisitor &visit, int *rowsRead,
                           qint64 *lastKey)
{
    m_error.clear();
    int read = 0;
    if (rowsRead)
        *rowsRead = 0;
    if (!isOpen())
        return fail(QStringLiteral("The database is not open."));
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    const QString sql = QStringLiteral("SELECT %1, IdNumber FROM Details WHERE IdNumber > ? "
                                       "ORDER BY IdNumber LIMIT ?")
                                .arg(kColumns);
    StoredRow row;
#ifdef ORVANE_ENGINE_KEYS
    if (sqlite3 *handle = EngineKeys::handleOf(db)) {
        sqlite3_stmt *statement = nullptr;
        const QByteArray text = sql.toUtf8();
        if (sqlite3_prepare_v2(handle, text.constData(), int(text.size()), &statement, nullptr)
            != SQLITE_OK)
            return fail(QString::fromUtf8(sqlite3_errmsg(handle)));
        sqlite3_bind_int64(statement, 1, afterKey);
        sqlite3_bind_int(statement, 2, limit);
        int rc;
        while ((rc = sqlite3_step(statement)) == SQLITE_ROW) {
            rowFromStatement(statement, row);
            visit(row);
            ++read;
            if (lastKey)
                *lastKey = row.idNumber;
        }
        sqlite3_finalize(statement);
        if (rowsRead)
            *rowsRead = read;
        if (rc != SQLITE_DONE)
            return fail(QString::fromUtf8(sqlite3_errstr(rc)));
        return true;
    }
#endif
    QSqlQuery query(db);
    query.setForwardOnly(true);
    query.prepare(sql);
    query.addBindValue(afterKey);
    query.addBindValue(limit);
    if (!query.exec())
        return fail(reasonOf(query.lastError()));
    QByteArray texts[StoredRow::kFields];
    while (query.next()) {
        rowFromQuery(query, texts, row);
        visit(row);
        ++read;
        if (lastKey)
            *lastKey = row.idNumber;
    }
    if (rowsRead)
        *rowsRead = read;
    if (query.lastError().isValid())
        return fail(reasonOf(query.lastError()));
    return true;
}

bool RecordStore::readRows(const QVector<qint64> &keys, const RowVisitor &visit)
{
    m_error.clear();
    if (!isOpen())
        return fail(QStringLiteral("The database is not open."));
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    const QString sql = QStringLiteral("SELECT %1, IdNumber FROM Details WHERE IdNumber = ?")
                                .arg(kColumns);
    StoredRow row;
#ifdef ORVANE_ENGINE_KEYS
    if (sqlite3 *handle = EngineKeys::handleOf(db)) {
        sqlite3_stmt *statement = nullptr;
        const QByteArray text = sql.toUtf8();
        if (sqlite3_prepare_v2(handle, text.constData(), int(text.size()), &statement, nullptr)
            != SQLITE_OK)
            return fail(QString::fromUtf8(sqlite3_errmsg(handle)));
        int rc = SQLITE_DONE;
        for (const qint64 key : keys) {
            sqlite3_reset(statement);
            sqlite3_bind_int64(statement, 1, key);
            rc = sqlite3_step(statement);
            if (rc == SQLITE_ROW) {
                rowFromStatement(statement, row);
                visit(row);
                rc = SQLITE_DONE;
            } else if (rc != SQLITE_DONE) {
                break;
            }
        }
        sqlite3_finalize(statement);
        if (rc != SQLITE_DONE)
            return fail(QString::fromUtf8(sqlite3_errstr(rc)));
        return true;
    }
#endif
    QSqlQuery query(db);
    query.setForwardOnly(true);
    query.prepare(sql);
    QByteArray texts[StoredRow::kFields];
    for (const qint64 key : keys) {
        query.bindValue(0, key);
        if (!query.exec())
            return fail(reasonOf(query.lastError()));
        if (query.next()) {
            rowFromQuery(query, texts, row);
            visit(row);
        }
        if (query.lastError().isValid())
            return fail(reasonOf(query.lastError()));
        query.finish();
    }
    return true;
}

RecordStore::BackUpResult RecordStore::backUpTo(
        const QString &path, const std::function<bool(qint64, qint64)> &progress)
{
    m_error.clear();
    if (!isOpen()) {
        fail(QStringLiteral("The database is not open."));
        return BackUpResult::Failed;
    }
    const QFileInfo target(path);
    const QString ownCanonical = QFileInfo(m_path).canonicalFilePath();
    if (target.absoluteFilePath() == QFileInfo(m_path).absoluteFilePath()
        || (target.exists() && target.canonicalFilePath() == ownCanonical)) {
        fail(QStringLiteral("The back-up cannot be written over the open database %1 itself: "
                            "choose another file.")
                     .arg(nativePath(m_path)));
        return BackUpResult::Failed;
    }

    // The copy grows in a file of its own beside the target.
    QTemporaryFile temporary(target.absoluteDir().filePath(target.fileName()
                                                           + QStringLiteral(".XXXXXX.part")));
    if (!temporary.open()) {
        fail(temporary.errorString());
        return BackUpResult::Failed;
    }
    temporary.close();
    const QString partPath = temporary.fileName();
    const auto removePart = [&] {
        QFile::remove(partPath);
        QFile::remove(partPath + QStringLiteral("-journal"));
    };

    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    bool cancelled = false;
    bool copied = false;
#ifdef ORVANE_ENGINE_KEYS
    if (sqlite3 *handle = EngineKeys::handleOf(db)) {
        sqlite3 *copy = nullptr;
        int rc = sqlite3_open_v2(QFile::encodeName(partPath).constData(), &copy,
                                 SQLITE_OPEN_READWRITE, nullptr);
        if (rc == SQLITE_OK) {
            sqlite3_backup *backup = sqlite3_backup_init(copy, "main", handle, "main");
            if (!backup) {
                rc = sqlite3_errcode(copy);
                fail(QString::fromUtf8(sqlite3_errmsg(copy)));
            } else {
                // Chunks of 1024 pages (4 MB with 4 kB pages): a step holds
                // the source's read lock only that long, and progress moves.
                int busy = 0;
                do {
                    rc = sqlite3_backup_step(backup, 1024);
                    if (rc == SQLITE_BUSY || rc == SQLITE_LOCKED) {
                        if (++busy > 100)
                            break;
                        sqlite3_sleep(20);
                    }
                    const qint64 total = sqlite3_backup_pagecount(backup);
                    if (progress && !progress(total - sqlite3_backup_remaining(backup), total)) {
                        cancelled = true;
                        break;
                    }
                } while (rc == SQLITE_OK || rc == SQLITE_BUSY || rc == SQLITE_LOCKED);
                sqlite3_backup_finish(backup);
                if (!cancelled && rc != SQLITE_DONE)
                    fail(QString::fromUtf8(sqlite3_errstr(rc)));
                copied = !cancelled && rc == SQLITE_DONE;
            }
        } else {
            fail(copy ? QString::fromUtf8(sqlite3_errmsg(copy))
                      : QString::fromUtf8(sqlite3_errstr(rc)));
        }
        if (copy && sqlite3_close(copy) != SQLITE_OK && copied) {
            copied = false;
            fail(QStringLiteral("The copy could not be closed."));
        }
    } else
#endif
    {
        // VACUUM INTO takes an empty file as its target.
        if (progress && !progress(0, 1)) {
            cancelled = true;
        } else {
            QSqlQuery query(db);
            query.prepare(QStringLiteral("VACUUM INTO ?"));
            query.addBindValue(partPath);
            copied = query.exec();
            if (!copied)
                fail(reasonOf(query.lastError()));
            else if (progress)
                progress(1, 1);
        }
    }
    if (!copied) {
        removePart();
        return cancelled ? BackUpResult::Cancelled : BackUpResult::Failed;
    }
    QString reason;
    if (!replaceFile(partPath, target.absoluteFilePath(), &reason)) {
        removePart();
        fail(reason);
        return BackUpResult::Failed;
    }
    // The renamed copy keeps the temporary file's private permissions;
    // give it those a new file of the user's would have.
    QFile::setPermissions(target.absoluteFilePath(),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup
                                  | QFile::ReadOther);
    return BackUpResult::Done;
}

bool RecordStore::update(const DowsingRecord &record)
{
    m_error.clear();
    if (m_path.isEmpty())
        return fail(QStringLiteral("The database is not open."));
    if (!record.IdNumber)
        return fail(QStringLiteral("The record has no IdNumber."));
    if (!record.Date.isValid())
        return fail(QStringLiteral("The Date Is Not A Valid Calendar Date"));
    if (!readyToWrite())
        return false;
    const bool written = writeInTransaction([&] {
        QSqlQuery query(QSqlDatabase::database(m_connection, false));
        query.prepare(QStringLiteral(
                "UPDATE Details SET Date=?, Name=?, Address=?, City=?, State=?, Pin=?, "
                "Phone_No=?, Email=?, Time_Dowsing_Occured=?, Dowsing_Tool=?, "
                "Item_Dowsing_For=?, Location_Dowsing_Occured=?, Notes=? WHERE IdNumber=?"));
        bindFields(query, record);
        query.addBindValue(*record.IdNumber);
        if (!query.exec())
            return fail(reasonOf(query.lastError()));
        if (query.numRowsAffected() != 1)
            return fail(QStringLiteral("The record no longer exists in the database."));
        return true;
    });
    return written && writtenToFileAtPath();
}

bool RecordStore::remove(qint64 idNumber)
{
    m_error.clear();
    if (m_path.isEmpty())
        return fail(QStringLiteral("The database is not open."));
    if (!readyToWrite())
        return false;
    const bool written = writeInTransaction([&] {
        QSqlQuery query(QSqlDatabase::database(m_connection, false));
        query.prepare(QStringLiteral("DELETE FROM Details WHERE IdNumber=?"));
        query.addBindValue(idNumber);
        if (!query.exec())
            return fail(reasonOf(query.lastError()));
        if (query.numRowsAffected() != 1)
            return fail(QStringLiteral("The record no longer exists in the database."));
        return true;
    });
    return written && writtenToFileAtPath();
}

bool RecordStore::writeInTransaction(const std::function<bool()> &change)
{
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("BEGIN IMMEDIATE")))
        return fail(reasonOf(query.lastError()));
    QString indexError;
    const bool done = change()
            && (FindIndex::refreshStale(db, indexError)
                || fail(QStringLiteral("The find index could not be kept in step: ")
                        + indexError))
            && (query.exec(QStringLiteral("COMMIT")) || fail(reasonOf(query.lastError())));
    if (!done) {
        // Nothing of a failed change stays: neither the record nor its index.
        query.exec(QStringLiteral("ROLLBACK"));
    }
    return done;
}

bool RecordStore::hasFindIndex()
{
    m_error.clear();
    QString error;
    const bool found = FindIndex::exists(QSqlDatabase::database(m_connection, false), error);
    if (!error.isEmpty())
        fail(error);
    return found;
}

bool RecordStore::addFindIndex(const std::function<bool(qint64, qint64)> &progress)
{
    m_error.clear();
    if (!readyToWrite())
        return false;
    bool stopped = false;
    const bool written = writeInTransaction([&] {
        QString error;
        if (FindIndex::create(QSqlDatabase::database(m_connection, false), progress, error))
            return true;
        stopped = error.isEmpty();
        return fail(stopped ? QStringLiteral("Stopped before it was done.") : error);
    });
    return written && writtenToFileAtPath();
}

std::optional<DowsingRecord> RecordStore::find(qint64 idNumber)
{
    m_error.clear();
    if (!isOpen()) {
        fail(QStringLiteral("The database is not open."));
        return std::nullopt;
    }
    QSqlQuery query(QSqlDatabase::database(m_connection, false));
    query.setForwardOnly(true);
    query.prepare(QStringLiteral("SELECT %1, IdNumber FROM Details WHERE IdNumber=?")
                          .arg(kColumns));
    query.addBindValue(idNumber);
    if (!query.exec()) {
        fail(reasonOf(query.lastError()));
        return std::nullopt;
    }
    if (!query.next()) {
        if (query.lastError().isValid())
            fail(reasonOf(query.lastError()));
        return std::nullopt;
    }
    return recordFrom(query);
}

qint64 RecordStore::count()
{
    m_error.clear();
    if (!isOpen()) {
        fail(QStringLiteral("The database is not open."));
        return -1;
    }
    QSqlQuery query(QSqlDatabase::database(m_connection, false));
    if (!query.exec(QStringLiteral("SELECT count(*) FROM Details")) || !query.next()) {
        fail(reasonOf(query.lastError()));
        return -1;
    }
    return query.value(0).toLongLong();
}

QVector<qint64> RecordStore::idNumbers()
{
    m_error.clear();
    QVector<qint64> ids;
    if (!isOpen()) {
        fail(QStringLiteral("The database is not open."));
        return ids;
    }
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
#ifdef ORVANE_ENGINE_KEYS
    if (sqlite3 *handle = EngineKeys::handleOf(db)) {
        if (!EngineKeys::readKeys(handle, ids)) {
            fail(QString::fromUtf8(sqlite3_errmsg(handle)));
            ids.clear();
        }
        return ids;
    }
#endif
    QSqlQuery query(db);
    query.setForwardOnly(true);
    if (!query.exec(QStringLiteral("SELECT IdNumber FROM Details ORDER BY IdNumber"))) {
        fail(reasonOf(query.lastError()));
        return ids;
    }
    while (query.next())
        ids.append(query.value(0).toLongLong());
    if (query.lastError().isValid()) {
        fail(reasonOf(query.lastError()));
        ids.clear();
    }
    return ids;
}

KeyIndex RecordStore::keyIndex()
{
    m_error.clear();
    KeyIndex index;
    if (!isOpen()) {
        fail(QStringLiteral("The database is not open."));
        return index;
    }
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
#ifdef ORVANE_ENGINE_KEYS
    if (sqlite3 *handle = EngineKeys::handleOf(db)) {
        if (const QString reason = EngineKeys::readKeyIndex(handle, index); !reason.isEmpty()) {
            fail(reason);
            index.clear();
        }
        index.squeeze();
        return index;
    }
#endif
    QSqlQuery query(db);
    query.setForwardOnly(true);
    if (!query.exec(QStringLiteral("SELECT IdNumber FROM Details ORDER BY IdNumber"))) {
        fail(reasonOf(query.lastError()));
        return index;
    }
    bool ordered = true;
    while (ordered && query.next())
        ordered = index.append(query.value(0).toLongLong());
    if (!ordered || query.lastError().isValid()) {
        fail(ordered ? reasonOf(query.lastError()) : EngineKeys::outOfOrderReason());
        index.clear();
    }
    index.squeeze();
    return index;
}

QString RecordStore::errorText() const
{
    return m_error;
}

QString RecordStore::connectionName() const
{
    return m_connection;
}

} // namespace Orvane
