#include "widgets/AppIcon.h"
#include "app/Startup.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    // The program ends only through the exit screen (or a refused second
    // start), never because its last window was closed.
    app.setQuitOnLastWindowClosed(false);
    QApplication::setWindowIcon(Orvane::appIcon());

    // No thread reads the font list ahead: it saved nothing (Xvfb 53.3 ms with, 51.6 ms without; build/bench/orvane-fontlist-bench 51).

    int result = 0;
    {
        Orvane::Startup startup;
        const bool started = startup.run();
        if (started)
            result = app.exec();
        // The windows unloaded at the end were handed over for deletion;
        // delete them now, while the application object still exists, so
        // each one closes its database connection in order. The
        // single-instance lock is released last.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    return result;
}
