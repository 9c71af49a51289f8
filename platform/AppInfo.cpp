#include "AppInfo.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace Orvane::AppInfo {

QString title()
{
    return QStringLiteral("Orvane Dowsing");
}

QString caption()
{
    return QStringLiteral("Orvane Dowsing v1.55");
}

QString executableBaseName()
{
    return QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
}

QString programFolder()
{
    return QCoreApplication::applicationDirPath();
}

} // namespace Orvane::AppInfo
