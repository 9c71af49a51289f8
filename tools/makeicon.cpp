// Build tool: writes the program's icon as a PNG for the installed program
// folder and the desktop entry.
//
//   orvane-makeicon SIZE TARGET.png

#include "widgets/AppIcon.h"

#include <QGuiApplication>

#include <cstdio>

int main(int argc, char **argv)
{
    // A build machine may have no display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: orvane-makeicon SIZE TARGET.png\n");
        return 2;
    }
    const int size = QString::fromLocal8Bit(argv[1]).toInt();
    if (size <= 0 || !Orvane::appIconPixmap(size).save(QString::fromLocal8Bit(argv[2]), "PNG")) {
        std::fprintf(stderr, "orvane-makeicon: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
