#include "Refusals.h"

#include "platform/MessageBoxes.h"
#include "platform/Platform.h"

#include <QCoreApplication>

namespace Orvane::Refusals {

namespace {

// The translation context of the refusals.
struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(Orvane::Refusals)
};

} // namespace

QString fileMissing()
{
    return Texts::tr("Required File Is Missing\rPlease Reinstall Software");
}

QString fileUnusable(const QString &reason)
{
    return Texts::tr("Required File Cannot Be Opened\r%1").arg(reason);
}

QString recordNotSaved(const QString &reason)
{
    return Texts::tr("Record Not Saved !\r%1").arg(reason);
}

QString recordNotDeleted(const QString &reason)
{
    return Texts::tr("The Record Could Not Be Deleted\r%1").arg(reason);
}

QString recordNotRestored(const QString &reason)
{
    return Texts::tr("The Deleted Record Could Not Be Put Back\r%1").arg(reason);
}

QString recordNotDeletedForGood(const QString &reason)
{
    return Texts::tr("The Deleted Record Could Not Be Removed For Good\r%1").arg(reason);
}

QString recordsNotOpened(const QString &reason)
{
    return Texts::tr("The Dowsing Records Could Not Be Opened\r%1").arg(reason);
}

QString recordsNotRead(const QString &reason)
{
    return Texts::tr("The Dowsing Records Could Not Be Read\r%1").arg(reason);
}

QString recordNotRead(const QString &reason)
{
    return Texts::tr("The Dowsing Record Could Not Be Read\r%1").arg(reason);
}

QString listedRecordNotRead(const QString &reason)
{
    return Texts::tr("This Record Could Not Be Read\r%1")
            .arg(reason.isEmpty() ? Texts::tr("It is no longer in the database.") : reason);
}

void show(QWidget *parent, const QString &text)
{
    platform().messages->show(parent, text, MessageBoxes::Icon::Critical);
}

} // namespace Orvane::Refusals
