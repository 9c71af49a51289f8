#include "AppInfo.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace Orvane::AppInfo {

namespace {

// The translation context of the program's name and caption.
struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(Orvane::AppInfo)
};

} // namespace

QString name()
{
    return QStringLiteral("Orvane Dowsing");
}

QString applicationId()
{
    return QStringLiteral(ORVANE_APP_ID);
}

QString title()
{
    return Texts::tr("Orvane Dowsing");
}

QString caption()
{
    return Texts::tr("%1 v%2", "the program's name, then its version").arg(title(),
                                                                          QStringLiteral("1.55"));
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
