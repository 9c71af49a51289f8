#pragma once

#include <QString>

#include <memory>

class QLockFile;

namespace Orvane {

// One running copy per user and executable. The lock lives in the user's
// runtime folder; a lock left behind by a copy that died is recognised as
// stale and taken over.
class SingleInstance
{
public:
    // lockName identifies the executable; see defaultLockName().
    explicit SingleInstance(const QString &lockName);
    ~SingleInstance();

    // False only when another live copy holds the lock. Otherwise true, and
    // the lock is held until this object is destroyed (unless the lock file
    // could not be made at all, in which case the copy runs unguarded).
    // Never waits.
    bool tryAcquire();

    // A name made of the executable's base name and a digest of its path, so
    // that copies installed in two folders do not block each other.
    static QString defaultLockName();
    QString lockFilePath() const;

private:
    QString m_path;
    std::unique_ptr<QLockFile> m_lock;
};

} // namespace Orvane
