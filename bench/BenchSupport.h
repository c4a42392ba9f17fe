#pragma once
// What several benchmarks share: the median of a run's samples.
#include <algorithm>
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

} // namespace prt::bench
