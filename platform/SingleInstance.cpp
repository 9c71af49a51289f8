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
    if (m_lock && m_lock->isLocked())
        return true;
    auto lock = std::make_unique<QLockFile>(m_path);
    // A running copy may hold the lock for days: age never makes it stale.
    // Only a lock whose owner process is gone counts as stale, and tryLock()
    // removes such a lock itself.
    lock->setStaleLockTime(0);
    // Two attempts: the first may lose a race with another starting copy
    // that is removing the same stale lock at that moment.
    for (int attempt = 0; attempt < 2; ++attempt) {
        if (lock->tryLock(0)) {
            m_lock = std::move(lock);
            return true;
        }
        if (lock->error() != QLockFile::LockFailedError) {
            // The lock file cannot be made at all (a runtime folder that is
            // not writable): the rule cannot be checked, and saying "already
            // running" would be false, so this copy runs unguarded.
            return true;
        }
    }
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
