#pragma once

#include <QString>

#include <memory>

namespace Orvane {

class SessionEnd;
class SingleInstance;

// The program's start: the single-instance rule, the update reminder and the
// frame window with the entry window inside it. While it lives, a session's
// end ends the program cleanly (SessionEnd).
class Startup
{
public:
    // lockName names the single-instance lock; by default it is made from
    // the running executable.
    explicit Startup(const QString &lockName = QString());
    ~Startup();

    // False when this copy ends at once because another copy is running; the
    // notice was shown and the end requested. True when the program runs:
    // the frame window is shown, or, when the entry window gave up, the exit
    // screen alone.
    bool run();

private:
    QString m_lockName;
    std::unique_ptr<SingleInstance> m_instance;
    std::unique_ptr<SessionEnd> m_sessionEnd;
};

} // namespace Orvane
