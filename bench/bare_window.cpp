// The yardstick of the start-up benchmark: a bare toolkit window of the main window's size,
// shown, left at the first idle moment after its first paint (reported on standard output
// as the program does).
#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <ctime>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    struct Window : QWidget {
        bool painted = false;
        void paintEvent(QPaintEvent* e) override
        {
            QWidget::paintEvent(e);
            if (!painted)
                QTimer::singleShot(0, qApp, [] {
                    timespec t{};
                    clock_gettime(CLOCK_MONOTONIC, &t);
                    std::printf("PRT_IDLE_NS %lld\n", static_cast<long long>(t.tv_sec) * 1000000000LL + t.tv_nsec);
                    std::fflush(stdout);
                    QApplication::quit();
                });
            painted = true;
        }
    } w;
    w.resize(560, 600);
    w.show();
    return app.exec();
}
