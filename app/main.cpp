#include "widgets/AppIcon.h"
#include "app/Startup.h"
#include "platform/AppInfo.h"
#include "platform/MemoryUse.h"

#include <QApplication>
#include <QFontDatabase>

#include <thread>

int main(int argc, char *argv[])
{
    Orvane::giveLargeBuffersBack();
    QApplication app(argc, argv);
    // The program ends only through the exit screen (or a refused second
    // start), never because its last window was closed.
    app.setQuitOnLastWindowClosed(false);
    QApplication::setWindowIcon(Orvane::appIcon());
    // The desktop matches the windows to the desktop entry by this name (the
    // X11 window class and the Wayland application id). The settings and
    // the single-instance lock are named apart from it.
    QApplication::setApplicationName(Orvane::AppInfo::applicationId());
    QGuiApplication::setDesktopFileName(Orvane::AppInfo::applicationId());

    // Reading the system's list of fonts takes about 5 ms; read it
    // on a second thread while the windows are being built. The first text
    // they measure waits for it if it is not done (the font database is
    // locked meanwhile), so the list is read once either way.
    // Pays: 1.2-1.4 ms of 45 ms to the painted frame under X (paired medians), faster in 187 of 303 pairs (build/bench/orvane-fontlist-bench 101, QT_QPA_PLATFORM=xcb).
    std::thread fontList([] { QFontDatabase::families(); });

    int result = 0;
    {
        Orvane::Startup startup;
        const bool started = startup.run();
        fontList.join();
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
