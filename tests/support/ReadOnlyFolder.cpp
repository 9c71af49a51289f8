#include "ReadOnlyFolder.h"

#include <QDir>

#include <cerrno>
#include <cstring>

#include <sys/mount.h>
#include <unistd.h>

namespace Orvane::Testing {

ReadOnlyFolder::ReadOnlyFolder(const QString &folder)
    : m_folder(folder), m_permissions(QFile::permissions(folder))
{
    const QByteArray path = QFile::encodeName(folder);
    if (::geteuid() == 0) {
        m_mounted = ::mount(path.constData(), path.constData(), nullptr, MS_BIND, nullptr) == 0;
        if (!m_mounted
            || ::mount(nullptr, path.constData(), nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY,
                       nullptr)
                    != 0)
            m_failure = QStringLiteral("the folder could not be mounted read-only: ")
                    + QString::fromLocal8Bit(std::strerror(errno));
    } else {
        QFile::setPermissions(folder, m_permissions
                                      & ~(QFile::WriteOwner | QFile::WriteUser
                                          | QFile::WriteGroup | QFile::WriteOther));
    }
    QFile probe(QDir(folder).filePath(QStringLiteral("probe")));
    if (m_failure.isEmpty() && probe.open(QIODevice::WriteOnly)) {
        probe.remove();
        m_failure = QStringLiteral("this account may still write into the folder");
    }
}

ReadOnlyFolder::~ReadOnlyFolder()
{
    if (m_mounted)
        ::umount2(QFile::encodeName(m_folder).constData(), MNT_DETACH);
    else
        QFile::setPermissions(m_folder, m_permissions);
}

} // namespace Orvane::Testing
