#include "FileTrust.h"

#include "platform/AppInfo.h"
#include "platform/Platform.h"
#include "store/FileCheck.h"

namespace Orvane::FileTrust {

namespace {

QString stored()
{
    return platform().settings->value(AppInfo::executableBaseName(), QStringLiteral("File Check"),
                                      QStringLiteral("Sound At Clean End"), QString());
}

void store(const QString &stamp)
{
    // Written only when it changes: most runs neither trust nor keep one.
    if (stamp != stored())
        platform().settings->setValue(AppInfo::executableBaseName(),
                                      QStringLiteral("File Check"),
                                      QStringLiteral("Sound At Clean End"), stamp);
}

} // namespace

void atStart(const QString &databasePath)
{
    const QString last = stored();
    if (last.isEmpty())
        return;
    if (last == FileCheck::stampOf(databasePath))
        FileCheck::trust(databasePath);
    store(QString());
}

void atCleanEnd(const QString &databasePath)
{
    store(FileCheck::isKnownSound(databasePath) ? FileCheck::stampOf(databasePath) : QString());
}

} // namespace Orvane::FileTrust
