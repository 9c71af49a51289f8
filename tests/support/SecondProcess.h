#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

class QProcess;

namespace Orvane::Testing {

// Tests that need another program beside them run a copy of their own
// executable with an argument that tells it what to do.

// A lock name of this test's own, a new one at each call.
QString uniqueLockName();
// In the copy: says "held" or "refused" on its output and waits to be killed.
[[noreturn]] void answerAndWaitToBeKilled(bool held);
// Starts a copy of this test's executable with the arguments and returns the
// first line it says, trimmed; "<did not start>" or "<no answer>" when it
// does not start or says nothing within ten seconds.
QByteArray startCopy(QProcess &copy, const QStringList &arguments);

} // namespace Orvane::Testing
