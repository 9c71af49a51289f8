#include "DataFolder.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace Orvane::DataFolder {

QString choose(const QString &programFolder, const QString &userDataFolder)
{
    // The system's own answer (access(), which also knows read-only mounts
    // and access lists), not the permission bits.
    const QFileInfo program(programFolder);
    return program.isDir() && program.isWritable() ? programFolder : userDataFolder;
}

QString userDataFolder()
{
    const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return base.isEmpty() ? QString() : QDir(base).filePath(QStringLiteral("orvane-dowsing"));
}

QString shippedFolder(const QString &programFolder)
{
    // The install rules put the program and the shipped files this far
    // apart; the build writes the path into ORVANE_SHIPPED_FROM_PROGRAM.
    const QString folder = QDir::cleanPath(
            QDir(programFolder).filePath(QStringLiteral(ORVANE_SHIPPED_FROM_PROGRAM)));
    return QFileInfo(folder).isDir() ? folder : QString();
}

} // namespace Orvane::DataFolder
