#include "DialogFolder.h"

#include "AppInfo.h"
#include "Platform.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace Orvane::DialogFolder {

namespace {

const char kSection[] = "File Dialogs";
const char kKey[] = "Last Folder";

} // namespace

QString start(SettingsStore &settings, const QString &documentsFolder)
{
    const QString last = settings.value(AppInfo::executableBaseName(), QLatin1String(kSection),
                                        QLatin1String(kKey), QString());
    if (!last.isEmpty() && QFileInfo(last).isDir())
        return last;
    if (!documentsFolder.isEmpty() && QFileInfo(documentsFolder).isDir())
        return documentsFolder;
    return QDir::homePath();
}

void remember(SettingsStore &settings, const QString &chosenFile)
{
    settings.setValue(AppInfo::executableBaseName(), QLatin1String(kSection),
                      QLatin1String(kKey), QFileInfo(chosenFile).absolutePath());
}

QString documentsFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
}

} // namespace Orvane::DialogFolder
