#pragma once
// Progress that a transfer worker reports per packet or chunk reaches the window only when
// what the window shows changes at a step it can see: the percent of the total. Every
// report is a queued event the window's thread must handle; thousands of them per transfer
// (and per printer in the bulk update) would keep that thread busy while the workers wait
// on it. The first report and the one that reaches the total always pass; a report held
// back is handed over when the run ends (TakeHeld), so the value shown last is the last
// one reached. A worker owns its gate; nothing here is shared between threads.
#include <QtGlobal>

#include <functional>
#include <tuple>
#include <utility>

namespace prt::dl {

// floor(done * 100 / total), 0..100; 100 for a total of 0 or less.
int ProgressPercent(qint64 done, qint64 total);

class TProgressGate {
public:
    explicit TProgressGate(qint64 total = 0) { Reset(total); }
    // A new run towards `total` (0 or less: no scale, every change of the value passes).
    void Reset(qint64 total);
    // True when the report of `done` is to be posted now; otherwise it is held back (a
    // repeat of the value last posted is dropped, not held).
    bool Pass(qint64 done);
    // True (once) when a report was held back since the last one that passed.
    bool TakeHeld();

private:
    qint64 total_ = 0;
    bool started_ = false;
    qint64 shownStep_ = 0;  // the percent (or the value) of the last report that passed
    qint64 shownDone_ = 0;  // its value
    bool held_ = false;
};

// A worker's report through a gate: `post` (which emits the worker's signal) runs for the
// reports that pass; Flush() posts the last report held back, if any.
template <class... Args>
class TProgressPost {
public:
    explicit TProgressPost(qint64 total, std::function<void(Args...)> post)
        : gate_(total), post_(std::move(post))
    {
    }
    // A new run towards `total` (nothing held from the last one).
    void Restart(qint64 total) { gate_.Reset(total); }
    void Report(qint64 done, Args... args)
    {
        last_ = std::make_tuple(args...);
        if (gate_.Pass(done))
            std::apply(post_, last_);
    }
    void Flush()
    {
        if (gate_.TakeHeld())
            std::apply(post_, last_);
    }

private:
    TProgressGate gate_;
    std::function<void(Args...)> post_;
    std::tuple<Args...> last_{};
};

} // namespace prt::dl
