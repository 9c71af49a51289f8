// The yardstick for start-up speed: the barest Qt window there is.
//
//   orvane-bare-window             a 640 x 480 window
//   orvane-bare-window --frame     a window of the program's frame size:
//                                  1024 x 768, within 95% of the screen
#include <QApplication>
#include <QLabel>
#include <QScreen>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QLabel label(QStringLiteral("A bare Qt window"));
    QSize size(640, 480);
    if (app.arguments().contains(QStringLiteral("--frame"))) {
        size = QSize(1024, 768);
        if (QScreen *screen = QGuiApplication::primaryScreen())
            size = size.boundedTo(screen->availableGeometry().size() * 0.95);
    }
    label.resize(size);
    label.show();
    return app.exec();
}
