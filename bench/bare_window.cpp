// The yardstick for start-up speed: the barest Qt window there is.
#include <QApplication>
#include <QLabel>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QLabel label(QStringLiteral("A bare Qt window"));
    label.resize(640, 480);
    label.show();
    return app.exec();
}
