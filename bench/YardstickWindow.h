#pragma once
// What the start-up yardsticks share: a top-level window that, after its first paint,
// reports the first idle moment on the monotonic clock ("PRT_IDLE_NS <ns>" on standard
// output, as the program does under PRT_QUIT_WHEN_IDLE) and quits.
#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <ctime>

class TYardstickWindow : public QWidget {
protected:
    void paintEvent(QPaintEvent* e) override
    {
        QWidget::paintEvent(e);
        if (!FPainted)
            QTimer::singleShot(0, qApp, [] {
                timespec t{};
                clock_gettime(CLOCK_MONOTONIC, &t);
                std::printf("PRT_IDLE_NS %lld\n", static_cast<long long>(t.tv_sec) * 1000000000LL + t.tv_nsec);
                std::fflush(stdout);
                QApplication::quit();
            });
        FPainted = true;
    }

private:
    bool FPainted = false;
};
