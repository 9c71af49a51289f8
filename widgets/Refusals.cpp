#include "Refusals.h"

#include "platform/MessageBoxes.h"
#include "platform/Platform.h"

namespace Orvane::Refusals {

namespace {
QString withReason(const char *heading, const QString &reason)
{
    return QLatin1String(heading) + QLatin1Char('\r') + reason;
}
} // namespace

QString fileMissing()
{
    return QStringLiteral("Required File Is Missing\rPlease Reinstall Software");
}

QString fileUnusable(const QString &reason)
{
    return withReason("Required File Cannot Be Opened", reason);
}

QString recordNotSaved(const QString &reason)
{
    return withReason("Record Not Saved !", reason);
}

QString recordNotDeleted(const QString &reason)
{
    return withReason("The Record Could Not Be Deleted", reason);
}

QString recordNotRestored(const QString &reason)
{
    return withReason("The Deleted Record Could Not Be Put Back", reason);
}

QString recordNotDeletedForGood(const QString &reason)
{
    return withReason("The Deleted Record Could Not Be Removed For Good", reason);
}

QString recordsNotOpened(const QString &reason)
{
    return withReason("The Dowsing Records Could Not Be Opened", reason);
}

QString recordsNotRead(const QString &reason)
{
    return withReason("The Dowsing Records Could Not Be Read", reason);
}

QString recordNotRead(const QString &reason)
{
    return withReason("The Dowsing Record Could Not Be Read", reason);
}

QString listedRecordNotRead(const QString &reason)
{
    return withReason("This Record Could Not Be Read",
                      reason.isEmpty() ? QStringLiteral("It is no longer in the database.")
                                       : reason);
}

void show(QWidget *parent, const QString &text)
{
    platform().messages->show(parent, text, MessageBoxes::Icon::Critical);
}

} // namespace Orvane::Refusals
