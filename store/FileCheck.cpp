#include "FileCheck.h"

#include "DeletedRecords.h"
#include "FileIdentity.h"
#include "StoreTexts.h"

#include <QAtomicInteger>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QMutex>
#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <QUrl>

#include <chrono>

#ifdef Q_OS_LINUX
#include <pthread.h>
#include <sched.h>
#endif

namespace Orvane {

namespace {

// Of the problems the engine lists (up to a hundred), the first few say
// enough.
const int kProblemsTold = 3;

QMutex &verdictsLock()
{
    static QMutex lock;
    return lock;
}

// The verdicts on the files checked in this run, by key.
QHash<QString, Damage> &verdicts()
{
    static QHash<QString, Damage> known;
    return known;
}

// Checks under way, shared by every store over the same file. Only the
// thread that makes stores reaches it.
QHash<QString, std::weak_ptr<FileCheck>> &runningChecks()
{
    static QHash<QString, std::weak_ptr<FileCheck>> checks;
    return checks;
}

Damage checkOnOwnConnection(const QString &path)
{
    static QAtomicInteger<quint64> counter;
    const QString name = QStringLiteral("orvane-check-%1").arg(++counter);
    Damage damage;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        QUrl uri = QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath());
        uri.setQuery(QStringLiteral("mode=ro"));
        db.setDatabaseName(uri.toString(QUrl::FullyEncoded));
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_OPEN_READONLY"));
        if (!db.open())
            damage.reason = db.lastError().text().trimmed();
        else
            damage = damageOf(db);
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return damage;
}

// The problems a check lists, less the pages no table uses and the rows
// that break a table's CHECK (another program may write past it, as with
// a date the engine does not read as one: the pages are sound and the row
// reads as it was written); a failure to run it is a problem too.
QStringList problemsOf(const QSqlDatabase &db, const QString &check)
{
    static const QRegularExpression unused(QStringLiteral("^Page \\d+ is never used$"));
    static const QRegularExpression unchecked(QStringLiteral("^CHECK constraint failed in \\S+$"));
    QSqlQuery query(db);
    query.setForwardOnly(true);
    if (!query.exec(check)) {
        const QString text = query.lastError().databaseText().trimmed();
        return {text.isEmpty() ? query.lastError().text().trimmed() : text};
    }
    QStringList problems;
    while (query.next() && problems.size() < kProblemsTold) {
        // A row may hold many problems, a line each, after a line that
        // names the database.
        const QStringList lines = query.value(0).toString().split(QLatin1Char('\n'));
        for (const QString &text : lines) {
            const QString line = text.trimmed();
            if (line.isEmpty() || line == QLatin1String("ok")
                || line.startsWith(QLatin1String("***")) || unused.match(line).hasMatch()
                || unchecked.match(line).hasMatch())
                continue;
            if (problems.size() < kProblemsTold)
                problems.append(line);
        }
    }
    if (query.lastError().isValid())
        problems.append(query.lastError().databaseText().trimmed());
    query.finish();
    return problems;
}

} // namespace

Damage damageOf(const QSqlDatabase &db)
{
    const QStringList problems = problemsOf(db, QStringLiteral("PRAGMA quick_check"));
    if (problems.isEmpty())
        return {};
    Damage damage;
    damage.reason = StoreTexts::damaged(problems.join(QLatin1Char('\n')));
    // The check of one table reads that table's pages only. The deleted
    // records are records too: damage to them is never the index's alone.
    QString unread;
    const bool keepsDeleted = DeletedRecords::exists(db, unread);
    damage.indexOnly = unread.isEmpty()
            && problemsOf(db, QStringLiteral("PRAGMA quick_check(Details)")).isEmpty()
            && (!keepsDeleted
                || problemsOf(db, QStringLiteral("PRAGMA quick_check(DeletedRecords)")).isEmpty());
    return damage;
}

FileCheck::FileCheck(const QString &path, const QString &key)
{
    auto promise = std::make_shared<std::promise<Damage>>();
    m_verdict = promise->get_future().share();
    m_thread = std::thread([this, path, key, promise] {
#ifdef Q_OS_LINUX
        // Reading every page may take seconds of a core: only time no other
        // thread wants, so that the first window paints as soon as it would
        // without the check.
        sched_param idle{};
        pthread_setschedparam(pthread_self(), SCHED_IDLE, &idle);
#endif
        const Damage damage = checkOnOwnConnection(path);
        {
            QMutexLocker locker(&verdictsLock());
            verdicts().insert(key, damage);
        }
        promise->set_value(damage);
        // Queued: whoever made the check connects to it after this starts.
        QMetaObject::invokeMethod(
                this, [this, damage] { emit finished(damage.reason, damage.indexOnly); },
                Qt::QueuedConnection);
    });
}

FileCheck::~FileCheck()
{
    if (m_thread.joinable())
        m_thread.join();
}

bool FileCheck::isFinished() const
{
    return m_verdict.wait_for(std::chrono::seconds(0)) == std::future_status::ready;
}

Damage FileCheck::verdict() const
{
    return m_verdict.get();
}

std::optional<Damage> FileCheck::knownVerdict(const QString &key)
{
    QMutexLocker locker(&verdictsLock());
    const auto found = verdicts().constFind(key);
    if (found == verdicts().constEnd())
        return std::nullopt;
    return *found;
}

void FileCheck::markSound(const QString &key)
{
    QMutexLocker locker(&verdictsLock());
    verdicts().insert(key, Damage());
}

namespace {

// The key of the file at path, as the store keys its checks.
QString keyOf(const QString &path)
{
    const std::optional<FileIdentity> identity = identityOf(path);
    return identity ? identity->key() + QFileInfo(path).absoluteFilePath() : QString();
}

} // namespace

QString FileCheck::stampOf(const QString &path)
{
    const QFileInfo file(path);
    const QFileInfo log(path + QStringLiteral("-wal"));
    const std::optional<FileIdentity> identity = identityOf(path);
    if (!identity || (log.exists() && log.size() > 0))
        return {};
    // The engine's change counter: four bytes at offset 24 of the header.
    QFile header(path);
    if (!header.open(QIODevice::ReadOnly) || !header.seek(24))
        return {};
    const QByteArray counter = header.read(4);
    if (counter.size() != 4)
        return {};
    return QStringLiteral("%1 %2 %3 %4")
            .arg(identity->key())
            .arg(file.size())
            .arg(file.lastModified().toMSecsSinceEpoch())
            .arg(QString::fromLatin1(counter.toHex()));
}

void FileCheck::trust(const QString &path)
{
    if (const QString key = keyOf(path); !key.isEmpty())
        markSound(key);
}

bool FileCheck::isKnownSound(const QString &path)
{
    const QString key = keyOf(path);
    const std::optional<Damage> verdict = key.isEmpty() ? std::nullopt : knownVerdict(key);
    return verdict && verdict->isSound();
}

void FileCheck::forgetVerdicts()
{
    QMutexLocker locker(&verdictsLock());
    verdicts().clear();
}

std::shared_ptr<FileCheck> FileCheck::forFile(const QString &path, const QString &key)
{
    if (knownVerdict(key))
        return nullptr;
    if (std::shared_ptr<FileCheck> running = runningChecks().value(key).lock())
        return running;
    auto check = std::make_shared<FileCheck>(path, key);
    runningChecks().insert(key, check);
    return check;
}

} // namespace Orvane
