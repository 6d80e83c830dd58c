#pragma once

#include <algorithm>
#include <cmath>
#include <vector>

// Small figures the benchmarks and tools that play a virtual pad share.
namespace joyvant {
namespace test {

// A stick deflection in -1..1 as the pad reports it, -32768..32767 (clamped).
inline int axisValue(double v)
{
    v = std::max(-1.0, std::min(1.0, v));
    return int(std::lround(v < 0 ? v * 32768.0 : v * 32767.0));
}

// The p-th quantile (0..1) of the samples, nearest rank; 0 for none.
inline double percentile(std::vector<double> samples, double p)
{
    if (samples.empty())
        return 0.0;
    std::sort(samples.begin(), samples.end());
    const size_t rank = size_t(std::ceil(p * double(samples.size())));
    return samples[std::min(samples.size() - 1, rank > 0 ? rank - 1 : 0)];
}

} // namespace test
} // namespace joyvant
