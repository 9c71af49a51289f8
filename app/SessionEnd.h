#pragma once

#include <QObject>
#include <QPointer>

class QSessionManager;

namespace Orvane {

class FrameWindow;
class StopSignals;

// The end of a session: a logout (the session manager's quit, or SIGTERM),
// a shutdown, a closed terminal (SIGHUP), Ctrl+C (SIGINT). The program ends
// as File > Exit ends it (every window unloaded, the day's back-up stopped,
// the record file left to be trusted at the next start), but asks nothing
// and shows no exit screen: no one is there to answer. Input typed into the
// entry window and not saved is kept aside first (KeptEntry), and the next
// start offers it back.
class SessionEnd : public QObject
{
    Q_OBJECT

public:
    explicit SessionEnd(QObject *parent = nullptr);
    // What was kept aside for a logout that did not happen (the session
    // manager asked, then the session went on) is forgotten once the user
    // ends the program another way.
    ~SessionEnd() override;

    // The frame whose entry window's input is kept aside.
    void watch(FrameWindow *frame) { m_frame = frame; }
    void endNow();

protected:
    // A Quit sent to the application: the session manager's, as the
    // program's own end never sends one (ApplicationQuit::end()).
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void keepEntryAside();

    QPointer<FrameWindow> m_frame;
    StopSignals *m_signals = nullptr;
    bool m_keptThisRun = false;
    bool m_ended = false;
};

} // namespace Orvane
