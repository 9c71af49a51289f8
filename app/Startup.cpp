#include "Startup.h"

#include "EnterPressesButtons.h"
#include "FileTrust.h"
#include "FramePlacement.h"
#include "FrameWindow.h"
#include "UpdateReminder.h"
#include "ProgramEnd.h"
#include "SessionEnd.h"
#include "platform/MessageBoxes.h"
#include "platform/Platform.h"
#include "platform/SingleInstance.h"
#include "store/RecordStore.h"
#include "store/ShippedCopy.h"

#include <QCoreApplication>

namespace Orvane {

Startup::Startup(const QString &lockName)
    : m_lockName(lockName.isEmpty() ? SingleInstance::defaultLockName() : lockName)
{
}

Startup::~Startup() = default;

bool Startup::run()
{
    // The running copy is left exactly as it is; this one touches no
    // settings and no database.
    m_instance = std::make_unique<SingleInstance>(m_lockName);
    if (!m_instance->tryAcquire()) {
        platform().messages->show(nullptr,
                                  QCoreApplication::translate("Orvane::Startup",
                                                              "Application is already running"),
                                  MessageBoxes::Icon::Information);
        ProgramEnd::unloadAllAndEnd();
        return false;
    }

    m_sessionEnd = std::make_unique<SessionEnd>();
    EnterPressesButtons::install();
    UpdateReminder::run();
    // A user's first start of an installed program: the empty database it
    // ships goes into the user's data folder. Without one there, the entry
    // window says the file is missing.
    QString copyFailure;
    const ShippedCopy::Result copy =
            ShippedCopy::provide(platform().shippedFolder, platform().dataFolder, copyFailure);
    if (copy == ShippedCopy::Result::Failed || copy == ShippedCopy::Result::Gone) {
        platform().messages->show(nullptr, copyFailure, MessageBoxes::Icon::Critical);
        ProgramEnd::showExitScreen();
        return true;
    }
    FileTrust::atStart(RecordStore::databasePath(platform().dataFolder));

    // The frame is deleted by ProgramEnd::unloadAllAndEnd() with every other window.
    auto *frame = new FrameWindow;
    m_sessionEnd->watch(frame);
    const bool maximized = FramePlacement::restore(*frame);
    if (frame->loadEntryWindow()) {
        if (maximized)
            frame->showMaximized();
        else
            frame->show();
    } else {
        // The entry window gave up (its database is missing or unusable) and
        // its unload brought up the exit screen; the frame stays hidden. Make
        // sure the exit screen is there, or nothing would end the program.
        ProgramEnd::showExitScreen();
    }
    return true;
}

} // namespace Orvane
