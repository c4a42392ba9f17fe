#include "PrtTick.h"

#include <atomic>
#include <chrono>
#include <thread>

namespace prt {
namespace {
std::atomic<SleepHook> g_hook{nullptr};
}

uint32_t GetTickCountMs()
{
    using namespace std::chrono;
    return static_cast<uint32_t>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

void SleepMs(uint32_t ms)
{
    if (SleepHook h = g_hook.load()) {
        h(ms);
        return;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

SleepHook SetSleepHook(SleepHook hook)
{
    return g_hook.exchange(hook);
}

} // namespace prt
