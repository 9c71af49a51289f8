// The entry window's part in checking a large database file, which runs on
// a second thread so that the first window is not held up by it. Writes wait
// for it in the store; this only tells the user when the file is damaged.

#include "EntryWindow.h"

#include "store/FileCheck.h"
#include "widgets/Refusals.h"

namespace Orvane {

void EntryWindow::watchFileCheck()
{
    if (FileCheck *check = m_records.pendingCheck())
        connect(check, &FileCheck::finished, this, &EntryWindow::fileCheckFinished);
}

void EntryWindow::fileCheckFinished(const QString &reason, bool indexOnly)
{
    if (reason.isEmpty())
        return;
    // The records are sound: the index, made from them, can be built anew.
    if (indexOnly) {
        emit findIndexDamaged();
        return;
    }
    Refusals::show(this, Refusals::fileUnusable(reason));
    emit databaseRefused();
}

} // namespace Orvane
