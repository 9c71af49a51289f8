#include "FileIdentity.h"

#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

namespace Orvane {

QString FileIdentity::key() const
{
    return QStringLiteral("%1:%2").arg(device).arg(inode);
}

std::optional<FileIdentity> identityOf(const QString &path)
{
#ifdef Q_OS_UNIX
    struct stat status {};
    if (::stat(QFile::encodeName(path).constData(), &status) != 0 || !S_ISREG(status.st_mode))
        return std::nullopt;
    return FileIdentity{quint64(status.st_dev), quint64(status.st_ino)};
#else
    const QFileInfo info(path);
    if (!info.exists() || !info.isFile())
        return std::nullopt;
    return FileIdentity{};
#endif
}

} // namespace Orvane
