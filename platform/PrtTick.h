#pragma once
// Millisecond tick counter (wraps at 32 bits like the system tick count) and sleeps.
#include <cstdint>

namespace prt {

uint32_t GetTickCountMs();
void SleepMs(uint32_t ms);

// Test seam: when set, SleepMs calls it instead of sleeping (tests count the sleeps).
using SleepHook = void (*)(uint32_t ms);
SleepHook SetSleepHook(SleepHook hook);

} // namespace prt
