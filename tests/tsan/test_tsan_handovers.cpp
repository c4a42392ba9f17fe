// The toolkit's hand-overs between threads as the thread sanitizer sees them in the test
// programs: a call posted or a signal emitted by a worker sees what the worker wrote before,
// and what a QThread wrote before it ended is seen once wait() returns. Built with the
// thread sanitizer only; a report fails the program, as a hand-over the sanitizer cannot
// see looks like a race.
#include <QCoreApplication>
#include <QMetaObject>
#include <QThread>
#include <gtest/gtest.h>
#include <thread>

namespace {

constexpr int kCalls = 2000;
constexpr long kSum = long(kCalls) * (kCalls - 1) / 2;

class TValueSender : public QObject {
    Q_OBJECT
signals:
    void value(int* v);
};

// Each value is written by the worker just before it goes; the main thread reads and
// frees it while the worker goes on posting, so deliveries and posts overlap.
TEST(TsanHandovers, PostedCallsAndQueuedSignalsSeeWhatTheWorkerWroteBefore)
{
    long sum = 0;
    int delivered = 0;
    TValueSender sender;
    QObject::connect(&sender, &TValueSender::value, qApp, [&](int* v) {
        sum += *v;
        delete v;
        ++delivered;
    }, Qt::QueuedConnection);
    std::thread worker([&] {
        for (int i = 0; i < kCalls; ++i) {
            int* v = new int(i);
            if (i % 2 == 0)
                QMetaObject::invokeMethod(qApp, [v, &sum, &delivered] {
                    sum += *v;
                    delete v;
                    ++delivered;
                }, Qt::QueuedConnection);
            else
                emit sender.value(v);
        }
    });
    while (delivered < kCalls)
        QCoreApplication::processEvents();
    worker.join();
    EXPECT_EQ(sum, kSum);
}

TEST(TsanHandovers, WhatAQThreadWroteIsSeenAfterItsWait)
{
    struct TWorker : QThread {
        int result = 0;
        void run() override { result = 42; }
    } worker;
    worker.start();
    while (!worker.isFinished())
        QThread::msleep(5);  // the thread has ended before the wait
    ASSERT_TRUE(worker.wait());
    EXPECT_EQ(worker.result, 42);
}

} // namespace

#include "test_tsan_handovers.moc"
