#include "shell/Startup.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    // The program ends only through the exit screen (or a refused second
    // start), never because its last window was closed.
    app.setQuitOnLastWindowClosed(false);

    Orvane::Startup startup;
    if (!startup.run())
        return 0;
    return app.exec();
}
