// A race planted on purpose, for the thread sanitizer to report: a worker posts a call to
// the main thread and then writes a plain int that the posted call reads, with nothing
// ordering the write and the read. The read runs under the toolkit's event delivery, as
// every result a worker posts to a window does. Built only with the thread sanitizer,
// where ctest expects this program to fail: passing means a race through a queued call
// went unreported (for example hidden by a suppression that matches the toolkit's frames).
#include <QEventLoop>
#include <QMetaObject>
#include <atomic>
#include <gtest/gtest.h>
#include <thread>

TEST(TsanQueuedRace, WorkerWriteAgainstPostedRead)
{
    int shared = 0;                  // plain and unguarded: the race
    std::atomic<bool> written{false};  // relaxed only, so it orders nothing for the sanitizer
    int seen = -1;
    QEventLoop loop;
    std::thread worker([&] {
        QMetaObject::invokeMethod(
            &loop,
            [&] {
                while (!written.load(std::memory_order_relaxed))
                    std::this_thread::yield();
                seen = shared;
                loop.quit();
            },
            Qt::QueuedConnection);
        shared = 1;
        written.store(true, std::memory_order_relaxed);
    });
    loop.exec();
    worker.join();
    EXPECT_EQ(seen, 1);
}
