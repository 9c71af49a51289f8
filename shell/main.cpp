#include "shell/AppIcon.h"
#include "shell/Startup.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    // The program ends only through the exit screen (or a refused second
    // start), never because its last window was closed.
    app.setQuitOnLastWindowClosed(false);
    QApplication::setWindowIcon(Orvane::appIcon());

    int result = 0;
    {
        Orvane::Startup startup;
        if (startup.run())
            result = app.exec();
        // The windows unloaded at the end were handed over for deletion;
        // delete them now, while the application object still exists, so
        // each one closes its database connection in order. The
        // single-instance lock is released last.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    return result;
}
