// The entry window's part in checking a large database file, which runs on
// a second thread so that the first window is not held up by it. Writes wait
// for it in the store; this only ends the program when the file is damaged.

#include "frmMain.h"

#include "platform/MessageBoxes.h"
#include "platform/Platform.h"
#include "shell/MDIForm1.h"
#include "store/FileCheck.h"
#include "store/RecordStore.h"

namespace Orvane {

void frmMain::watchFileCheck()
{
    if (FileCheck *check = m_entryRecords->pendingCheck())
        connect(check, &FileCheck::finished, this, &frmMain::fileCheckFinished);
}

void frmMain::fileCheckFinished(const QString &reason)
{
    if (reason.isEmpty())
        return;
    platform().messages->show(this, QStringLiteral("Required File Cannot Be Opened\r") + reason,
                              MessageBoxes::Icon::Critical);
    // As at start: the frame goes, and unloading this window shows the exit
    // screen; closing that ends the program.
    m_frame.hide();
    m_frame.unloadEntryForm();
}

} // namespace Orvane
