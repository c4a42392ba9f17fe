// The yardstick of the start-up benchmark: a bare toolkit window of the main window's size,
// shown, left at the first idle moment.
#include <QApplication>
#include <QTimer>
#include <QWidget>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QWidget w;
    w.resize(560, 600);
    w.show();
    QTimer::singleShot(0, &app, &QApplication::quit);
    return app.exec();
}
