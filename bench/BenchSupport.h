#pragma once
// What several benchmarks share: the median of a run's samples, the monotonic clock.
#include <algorithm>
#include <ctime>
#include <vector>

namespace prt::bench {

// The middle sample (0 for none): single runs on a busy machine scatter widely.
inline double Median(std::vector<double> v)
{
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// Nanoseconds on the monotonic clock, the one the start-up reports use across processes.
inline long long MonotonicNs()
{
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return static_cast<long long>(t.tv_sec) * 1000000000LL + t.tv_nsec;
}

} // namespace prt::bench
