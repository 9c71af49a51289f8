#include "KeptEntry.h"

#include "platform/AppInfo.h"
#include "platform/Platform.h"

namespace Orvane::KeptEntry {

namespace {

const char kSection[] = "Kept Entry";
const char kKey[] = "Form";

} // namespace

void keep(const QString &text)
{
    platform().settings->setValue(AppInfo::executableBaseName(), QLatin1String(kSection),
                                  QLatin1String(kKey), text);
}

QString kept()
{
    return platform().settings->value(AppInfo::executableBaseName(), QLatin1String(kSection),
                                      QLatin1String(kKey), QString());
}

void forget()
{
    if (!kept().isEmpty())
        keep(QString());
}

} // namespace Orvane::KeptEntry
