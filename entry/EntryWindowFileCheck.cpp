// The entry window's part in checking a large database file, which runs on
// a second thread so that the first window is not held up by it. Writes wait
// for it in the store; this only tells the user when the file is damaged.

#include "EntryWindow.h"

#include "platform/MessageBoxes.h"
#include "platform/Platform.h"
#include "store/FileCheck.h"
#include "store/RecordStore.h"

namespace Orvane {

void EntryWindow::watchFileCheck()
{
    if (FileCheck *check = m_entryRecords->pendingCheck())
        connect(check, &FileCheck::finished, this, &EntryWindow::fileCheckFinished);
}

void EntryWindow::fileCheckFinished(const QString &reason)
{
    if (reason.isEmpty())
        return;
    platform().messages->show(this, QStringLiteral("Required File Cannot Be Opened\r") + reason,
                              MessageBoxes::Icon::Critical);
    emit databaseRefused();
}

} // namespace Orvane
