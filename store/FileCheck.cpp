#include "FileCheck.h"

#include <QAtomicInteger>
#include <QFileInfo>
#include <QHash>
#include <QMutex>
#include <QSet>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <QUrl>

#include <chrono>

namespace Orvane {

namespace {

// Of the problems the engine lists (up to a hundred), the first few say
// enough.
const int kProblemsTold = 3;

QMutex &soundFilesLock()
{
    static QMutex lock;
    return lock;
}

// Keys of the files found sound in this run.
QSet<QString> &soundFiles()
{
    static QSet<QString> files;
    return files;
}

// Checks under way, shared by every store over the same file. Only the
// thread that makes stores reaches it.
QHash<QString, std::weak_ptr<FileCheck>> &runningChecks()
{
    static QHash<QString, std::weak_ptr<FileCheck>> checks;
    return checks;
}

QString checkOnOwnConnection(const QString &path)
{
    static QAtomicInteger<quint64> counter;
    const QString name = QStringLiteral("orvane-check-%1").arg(++counter);
    QString reason;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        QUrl uri = QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath());
        uri.setQuery(QStringLiteral("mode=ro"));
        db.setDatabaseName(uri.toString(QUrl::FullyEncoded));
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_OPEN_READONLY"));
        if (!db.open())
            reason = db.lastError().text().trimmed();
        else
            reason = damageOf(db);
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return reason;
}

} // namespace

QString damageOf(const QSqlDatabase &db)
{
    QSqlQuery query(db);
    query.setForwardOnly(true);
    if (!query.exec(QStringLiteral("PRAGMA quick_check"))) {
        const QString text = query.lastError().databaseText().trimmed();
        return text.isEmpty() ? query.lastError().text().trimmed() : text;
    }
    QStringList problems;
    while (query.next() && problems.size() < kProblemsTold) {
        const QString row = query.value(0).toString().trimmed();
        if (row != QLatin1String("ok"))
            problems.append(row);
    }
    if (query.lastError().isValid())
        problems.append(query.lastError().databaseText().trimmed());
    query.finish();
    if (problems.isEmpty())
        return {};
    return QStringLiteral("The file is damaged: %1").arg(problems.join(QLatin1Char('\n')));
}

FileCheck::FileCheck(const QString &path, const QString &key)
{
    auto promise = std::make_shared<std::promise<QString>>();
    m_verdict = promise->get_future().share();
    m_thread = std::thread([this, path, key, promise] {
        const QString reason = checkOnOwnConnection(path);
        if (reason.isEmpty()) {
            QMutexLocker locker(&soundFilesLock());
            soundFiles().insert(key);
        }
        promise->set_value(reason);
        // Queued: whoever made the check connects to it after this starts.
        QMetaObject::invokeMethod(
                this, [this, reason] { emit finished(reason); }, Qt::QueuedConnection);
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

QString FileCheck::verdict() const
{
    return m_verdict.get();
}

std::shared_ptr<FileCheck> FileCheck::forFile(const QString &path, const QString &key)
{
    {
        QMutexLocker locker(&soundFilesLock());
        if (soundFiles().contains(key))
            return nullptr;
    }
    if (std::shared_ptr<FileCheck> running = runningChecks().value(key).lock())
        return running;
    auto check = std::make_shared<FileCheck>(path, key);
    runningChecks().insert(key, check);
    return check;
}

} // namespace Orvane
