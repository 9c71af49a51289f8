#include "SingleInstance.h"

#include "AppInfo.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QStandardPaths>

namespace Orvane {

namespace {
QString runtimeFolder()
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath();
    QDir().mkpath(folder);
    return folder;
}
} // namespace

SingleInstance::SingleInstance(const QString &lockName)
    : m_path(QDir(runtimeFolder()).filePath(lockName + QStringLiteral(".lock")))
{
}

SingleInstance::~SingleInstance() = default;

bool SingleInstance::tryAcquire()
{
    m_lock = std::make_unique<QLockFile>(m_path);
    // A lock whose owner process is gone counts as stale at once.
    m_lock->setStaleLockTime(0);
    if (m_lock->tryLock(0))
        return true;
    if (m_lock->error() == QLockFile::LockFailedError) {
        // tryLock() has already removed a lock of a dead process; one more
        // attempt covers the race with that clean-up.
        if (m_lock->removeStaleLockFile() && m_lock->tryLock(0))
            return true;
    }
    m_lock.reset();
    return false;
}

QString SingleInstance::defaultLockName()
{
    const QString exe = QFileInfo(QCoreApplication::applicationFilePath()).canonicalFilePath();
    const QByteArray digest =
            QCryptographicHash::hash(exe.toUtf8(), QCryptographicHash::Sha1).toHex().left(12);
    return AppInfo::executableBaseName() + QLatin1Char('-') + QString::fromLatin1(digest);
}

QString SingleInstance::lockFilePath() const
{
    return m_path;
}

} // namespace Orvane
