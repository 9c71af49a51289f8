#pragma once

#include <QObject>

class QSocketNotifier;

namespace Orvane {

// SIGTERM (a logout or shutdown, kill), SIGHUP (the terminal closed) and
// SIGINT (Ctrl+C) end a Qt program on the spot, none of its own end run.
// While an object of this class lives, they reach the event loop instead, as
// stopRequested(): the handler only writes the signal's number into a socket
// pair, the one thing a signal handler may safely do, and a QSocketNotifier
// reads it there. At most one may live at a time.
class StopSignals : public QObject
{
    Q_OBJECT

public:
    explicit StopSignals(QObject *parent = nullptr);
    // The signals end the program on the spot again.
    ~StopSignals() override;

    // False when the socket pair or a handler could not be set up; the
    // signals then keep their default action.
    bool isWatching() const { return m_notifier != nullptr; }

signals:
    void stopRequested(int signalNumber);

private:
    void readSignal();

    QSocketNotifier *m_notifier = nullptr;
    bool m_ownsPair = false;
};

} // namespace Orvane
