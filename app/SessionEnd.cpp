#include "SessionEnd.h"

#include "FrameWindow.h"
#include "KeptEntry.h"
#include "ProgramEnd.h"
#include "entry/EntryWindow.h"
#include "platform/StopSignals.h"

#include <QGuiApplication>
#include <QSessionManager>

namespace Orvane {

SessionEnd::SessionEnd(QObject *parent)
    : QObject(parent)
    , m_signals(new StopSignals(this))
{
    connect(m_signals, &StopSignals::stopRequested, this, [this] { endNow(); });
    // On the application object a filter sees every event of the program;
    // it lets each by at the first comparison but the application's Quit.
    qApp->installEventFilter(this);
    // The session manager asks before it ends the session, which another
    // program may still refuse: keep the input aside now, end at its quit.
    if (auto *gui = qobject_cast<QGuiApplication *>(qApp)) {
        connect(gui, &QGuiApplication::commitDataRequest, this,
                [this](QSessionManager &) { keepEntryAside(); });
    }
}

SessionEnd::~SessionEnd()
{
    if (qApp)
        qApp->removeEventFilter(this);
    if (m_keptThisRun && !m_ended)
        KeptEntry::forget();
}

bool SessionEnd::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == qApp && event->type() == QEvent::Quit) {
        // Qt would close every window, and the frame would ask about the
        // unsaved input where no one answers.
        endNow();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

void SessionEnd::keepEntryAside()
{
    EntryWindow *entry = m_frame ? m_frame->windows().entryWindow() : nullptr;
    if (!entry)
        return;
    const QString text = entry->unsavedEntryText();
    if (text.isEmpty())
        return;
    KeptEntry::keep(text);
    m_keptThisRun = true;
}

void SessionEnd::endNow()
{
    if (m_ended)
        return;
    m_ended = true;
    keepEntryAside();
    if (m_frame) {
        if (EntryWindow *entry = m_frame->windows().entryWindow())
            entry->agreeToLeave();
    }
    ProgramEnd::unloadAllAndEnd();
}

} // namespace Orvane
