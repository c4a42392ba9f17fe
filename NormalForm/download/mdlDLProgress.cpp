#include "mdlDLProgress.h"

#include <algorithm>

namespace prt::dl {

int ProgressPercent(qint64 done, qint64 total)
{
    if (total <= 0)
        return 100;
    const qint64 d = std::clamp<qint64>(done, 0, total);
    // d * 100 stays far inside 64 bits for any transfer size
    return static_cast<int>(d * 100 / total);
}

void TProgressGate::Reset(qint64 total)
{
    total_ = total;
    started_ = false;
    shownStep_ = 0;
    shownDone_ = 0;
    held_ = false;
}

bool TProgressGate::Pass(qint64 done)
{
    if (started_ && done == shownDone_)
        return false;  // the same value again: nothing to show, nothing held
    const qint64 step = total_ > 0 ? ProgressPercent(done, total_) : done;
    if (started_ && step == shownStep_) {
        held_ = true;
        return false;
    }
    started_ = true;
    shownStep_ = step;
    shownDone_ = done;
    held_ = false;
    return true;
}

bool TProgressGate::TakeHeld()
{
    const bool held = held_;
    held_ = false;
    return held;
}

} // namespace prt::dl
