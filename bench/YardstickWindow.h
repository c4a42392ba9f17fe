#pragma once
// What the start-up yardsticks share: a top-level window that, after its first paint,
// reports the first idle moment on the monotonic clock ("PRT_IDLE_NS <ns>" on standard
// output, as the program does under PRT_QUIT_WHEN_IDLE) and quits.
#include "BenchSupport.h"

#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <cstdio>

class TYardstickWindow : public QWidget {
protected:
    void paintEvent(QPaintEvent* e) override
    {
        QWidget::paintEvent(e);
        if (!FPainted)
            QTimer::singleShot(0, qApp, [] {
                std::printf("PRT_IDLE_NS %lld\n", prt::bench::MonotonicNs());
                std::fflush(stdout);
                QApplication::quit();
            });
        FPainted = true;
    }

private:
    bool FPainted = false;
};
