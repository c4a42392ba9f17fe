// The yardstick of the start-up benchmark: a bare toolkit window of the main window's size,
// shown, left at the first idle moment after its first paint.
#include <QApplication>
#include <QTimer>
#include <QWidget>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    struct Window : QWidget {
        bool painted = false;
        void paintEvent(QPaintEvent* e) override
        {
            QWidget::paintEvent(e);
            if (!painted)
                QTimer::singleShot(0, qApp, &QApplication::quit);
            painted = true;
        }
    } w;
    w.resize(560, 600);
    w.show();
    return app.exec();
}
