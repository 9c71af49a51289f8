#include "SecondProcess.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QThread>

namespace Orvane::Testing {

QString uniqueLockName()
{
    static int n = 0;
    return QStringLiteral("%1-%2-%3")
            .arg(QCoreApplication::applicationName())
            .arg(QCoreApplication::applicationPid())
            .arg(++n);
}

void answerAndWaitToBeKilled(bool held)
{
    QFile out;
    out.open(stdout, QIODevice::WriteOnly);
    out.write(held ? "held\n" : "refused\n");
    out.flush();
    for (;;)
        QThread::sleep(60);
}

QByteArray startCopy(QProcess &copy, const QStringList &arguments)
{
    copy.start(QCoreApplication::applicationFilePath(), arguments);
    if (!copy.waitForStarted())
        return "<did not start>";
    if (!copy.waitForReadyRead(10000))
        return "<no answer>";
    return copy.readLine().trimmed();
}

} // namespace Orvane::Testing
