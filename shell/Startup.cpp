#include "Startup.h"

#include "MDIForm1.h"
#include "modHelp.h"
#include "platform/MessageBoxes.h"
#include "platform/Platform.h"
#include "platform/SingleInstance.h"

namespace Orvane {

Startup::Startup() = default;
Startup::~Startup() = default;

bool Startup::run()
{
    m_instance = std::make_unique<SingleInstance>(SingleInstance::defaultLockName());
    if (!m_instance->tryAcquire()) {
        platform().messages->show(nullptr, QStringLiteral("Application is already running"),
                                  MessageBoxes::Icon::Information);
        modHelp::UnloadAllAndEnd();
        return false;
    }

    modHelp::UpdateReminder();

    // The frame is deleted by UnloadAllAndEnd with every other window.
    auto *frame = new MDIForm1;
    if (frame->MDIForm_Load())
        frame->show();
    return true;
}

} // namespace Orvane
