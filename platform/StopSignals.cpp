#include "StopSignals.h"

#include <QSocketNotifier>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>
#endif

namespace Orvane {

#ifdef Q_OS_UNIX

namespace {

const int kSignals[] = {SIGTERM, SIGHUP, SIGINT};

// The socket pair's two ends. A signal handler reaches nothing but what is
// static: these are the program's only such state, set while a StopSignals
// lives.
int g_pair[2] = {-1, -1};

void writeSignal(int number)
{
    const int saved = errno;
    const unsigned char byte = static_cast<unsigned char>(number);
    // A full pipe loses only a repeat of a request already on its way.
    [[maybe_unused]] const ssize_t written = ::write(g_pair[0], &byte, 1);
    errno = saved;
}

} // namespace

StopSignals::StopSignals(QObject *parent)
    : QObject(parent)
{
    if (g_pair[0] != -1 || ::socketpair(AF_UNIX, SOCK_STREAM, 0, g_pair) != 0)
        return;
    m_ownsPair = true;
    for (const int end : g_pair) {
        ::fcntl(end, F_SETFD, FD_CLOEXEC);
        ::fcntl(end, F_SETFL, ::fcntl(end, F_GETFL) | O_NONBLOCK);
    }
    struct sigaction action = {};
    action.sa_handler = writeSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int number : kSignals) {
        if (::sigaction(number, &action, nullptr) != 0)
            return;
    }
    m_notifier = new QSocketNotifier(g_pair[1], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &StopSignals::readSignal);
}

StopSignals::~StopSignals()
{
    if (!m_ownsPair)
        return;
    for (const int number : kSignals)
        ::signal(number, SIG_DFL);
    {
        delete m_notifier;
        ::close(g_pair[0]);
        ::close(g_pair[1]);
        g_pair[0] = g_pair[1] = -1;
    }
}

void StopSignals::readSignal()
{
    unsigned char byte = 0;
    while (::read(g_pair[1], &byte, 1) == 1)
        emit stopRequested(byte);
}

#else

// Elsewhere the system ends a program by other means (Windows sends its
// windows a close): nothing to watch.
StopSignals::StopSignals(QObject *parent) : QObject(parent) {}
StopSignals::~StopSignals() = default;
void StopSignals::readSignal() {}

#endif

} // namespace Orvane
