#include "TestDatabase.h"

#include "store/RecordStore.h"

#include <QFile>
#include <QRandomGenerator>
#include <QSqlError>
#include <QSqlQuery>

namespace Orvane::Testing {

RawDatabase::RawDatabase(const QString &path)
{
    static int connections = 0;
    m_name = QStringLiteral("orvane-test-raw-%1").arg(++connections);
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
    db.setDatabaseName(path);
    if (!db.open())
        m_error = db.lastError().text();
}

RawDatabase::~RawDatabase()
{
    { QSqlDatabase::database(m_name, false).close(); }
    QSqlDatabase::removeDatabase(m_name);
}

bool RawDatabase::exec(const QString &sql)
{
    QSqlQuery q(db());
    const bool done = q.exec(sql);
    m_error = done ? QString() : q.lastError().text();
    return done;
}

bool runSql(const QString &path, const QStringList &statements)
{
    RawDatabase raw(path);
    if (!raw.isOpen()) {
        qWarning("%s does not open: %s", qPrintable(path), qPrintable(raw.lastError()));
        return false;
    }
    for (const QString &statement : statements) {
        if (!raw.exec(statement)) {
            qWarning("%s: %s", qPrintable(statement), qPrintable(raw.lastError()));
            return false;
        }
    }
    return true;
}

QString integrityOf(const QString &path)
{
    RawDatabase raw(path);
    if (!raw.isOpen())
        return QStringLiteral("the file does not open");
    QSqlQuery q(raw.db());
    return q.exec(QStringLiteral("PRAGMA integrity_check")) && q.next()
            ? q.value(0).toString()
            : QStringLiteral("the check did not run");
}

bool setJournalMode(const QString &path, const QString &mode)
{
    RawDatabase raw(path);
    QSqlQuery q(raw.db());
    return raw.isOpen() && q.exec(QStringLiteral("PRAGMA journal_mode = %1").arg(mode))
            && q.next() && q.value(0).toString() == mode.toLower();
}

QString wrongShapeTable(const QString &kind)
{
    if (kind == QLatin1String("notable"))
        return QStringLiteral("CREATE TABLE Other (x)");
    if (kind == QLatin1String("otherfields"))
        return QStringLiteral("CREATE TABLE Details (Date, Name, IdNumber INTEGER PRIMARY KEY)");
    const QString fields = QStringLiteral(
            "CREATE TABLE Details (Date, Name, Address, City, State, Pin, Phone_No, Email, "
            "Time_Dowsing_Occured, Dowsing_Tool, Item_Dowsing_For, Location_Dowsing_Occured, "
            "Notes, ");
    if (kind == QLatin1String("nokey"))
        return fields + QStringLiteral("IdNumber)");
    if (kind == QLatin1String("compositekey"))
        return fields + QStringLiteral("IdNumber INTEGER, PRIMARY KEY (IdNumber, Name))");
    if (kind == QLatin1String("desckey"))
        return fields + QStringLiteral("IdNumber INTEGER PRIMARY KEY DESC)");
    if (kind == QLatin1String("withoutrowid"))
        return fields + QStringLiteral("IdNumber INTEGER PRIMARY KEY) WITHOUT ROWID");
    qFatal("no table of the kind %s", qPrintable(kind));
}

bool dropDateCheck(const QString &path)
{
    RawDatabase raw(path);
    QSqlQuery query(raw.db());
    const bool done = query.exec(QStringLiteral("PRAGMA writable_schema = ON"))
            && query.exec(QStringLiteral("UPDATE sqlite_master SET sql = replace(sql, "
                                         "'CHECK (Date IS date(Date))', '') "
                                         "WHERE name = 'Details'"))
            && query.numRowsAffected() == 1
            && query.exec(QStringLiteral("PRAGMA writable_schema = RESET"));
    query.exec(QStringLiteral("PRAGMA writable_schema = OFF"));
    return done;
}

bool storeWithDateText(const QString &path, const QString &name, const QString &date)
{
    RawDatabase raw(path);
    QSqlQuery query(raw.db());
    if (!query.exec(QStringLiteral("PRAGMA ignore_check_constraints = ON")))
        return false;
    query.prepare(QStringLiteral("INSERT INTO Details (Date, Name) VALUES (?, ?)"));
    query.addBindValue(date);
    query.addBindValue(name);
    return query.exec() && query.numRowsAffected() == 1;
}

QString manyRecords(int count)
{
    return QStringLiteral("WITH RECURSIVE n(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM n "
                          "WHERE x < %1) INSERT INTO Details (Date, Name, Notes) "
                          "SELECT '2010-05-01', 'CUSTOMER ' || x, printf('%.300c', 'n') FROM n")
            .arg(count);
}

bool spoilDatabase(const QString &path)
{
    QFile::remove(path);
    QFile garbage(path);
    return garbage.open(QIODevice::WriteOnly) && garbage.write(QByteArray(4096, 'x')) == 4096;
}

namespace {

const qint64 kPageSize = 4096;

// Random bytes, the same each run, over the page at this offset.
bool overwritePage(QFile &file, qint64 at)
{
    QByteArray noise(kPageSize, Qt::Uninitialized);
    QRandomGenerator random(11);
    for (char &byte : noise)
        byte = char(random.bounded(256));
    return file.seek(at) && file.write(noise) == kPageSize;
}

} // namespace

bool spoilMiddlePage(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadWrite) && file.size() >= 4 * kPageSize
            && overwritePage(file, file.size() / kPageSize / 2 * kPageSize);
}

bool spoilPageOf(const QString &path, const QString &table)
{
    qint64 page = 0;
    {
        RawDatabase raw(path);
        QSqlQuery query(raw.db());
        query.prepare(QStringLiteral("SELECT rootpage FROM sqlite_master WHERE name = ?"));
        query.addBindValue(table);
        if (!query.exec() || !query.next())
            return false;
        page = query.value(0).toLongLong();
    }
    QFile file(path);
    return page > 0 && file.open(QIODevice::ReadWrite) && overwritePage(file, (page - 1) * kPageSize);
}

QVector<qint64> addRecords(const QString &path, const QList<DowsingRecord> &records)
{
    RecordStore store;
    if (store.open(path) != RecordStore::OpenResult::Opened)
        qFatal("cannot open the test database: %s", qPrintable(store.errorText()));
    QVector<qint64> keys;
    for (DowsingRecord r : records) {
        if (!store.add(r))
            qFatal("cannot add a record: %s", qPrintable(store.errorText()));
        keys.append(*r.IdNumber);
    }
    return keys;
}

QList<DowsingRecord> storedRecords(const QString &path)
{
    RecordStore store;
    if (store.open(path) != RecordStore::OpenResult::Opened)
        return {};
    QList<DowsingRecord> records;
    const QVector<qint64> ids = store.keyIndex().toList();
    for (qint64 id : ids)
        records.append(*store.find(id));
    return records;
}

QVector<qint64> keysIn(const QString &path)
{
    RecordStore store;
    store.open(path);
    return store.keyIndex().toList();
}

bool spoilFindIndexPage(const QString &path)
{
    int root = 0;
    {
        RawDatabase raw(path);
        QSqlQuery query(raw.db());
        query.exec(QStringLiteral("SELECT rootpage FROM sqlite_master WHERE name = 'FindText'"));
        root = query.next() ? query.value(0).toInt() : 0;
    }
    QFile file(path);
    return root >= 2 && file.open(QIODevice::ReadWrite)
            && overwritePage(file, (root - 1) * kPageSize);
}

DowsingRecord customerRecord(const QString &name, int day)
{
    DowsingRecord r;
    r.Date = QDate(2011, 6, day);
    r.Name = name;
    r.Address = QStringLiteral("12 Mill Lane\nUpper Ward");
    r.City = QStringLiteral("YORK");
    r.Time_Dowsing_Occured = QStringLiteral("14:30");
    r.Dowsing_Tool = QStringLiteral("Rods");
    r.Item_Dowsing_For = QStringLiteral("water");
    r.Notes = QStringLiteral("notes of ") + name;
    return r;
}

bool removeRecord(const QString &path, qint64 key)
{
    RecordStore store;
    store.open(path);
    return removeStored(store, key);
}

bool updateStored(RecordStore &store, const DowsingRecord &changed)
{
    const auto now = changed.IdNumber ? store.find(*changed.IdNumber) : std::nullopt;
    return now && store.update(*now, changed) == RecordStore::ChangeResult::Done;
}

bool removeStored(RecordStore &store, qint64 key)
{
    const auto now = store.find(key);
    return now && store.remove(*now, QDateTime(QDate(2026, 12, 8), QTime(10, 0))) == RecordStore::ChangeResult::Done;
}

} // namespace Orvane::Testing
