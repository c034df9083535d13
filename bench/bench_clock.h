// Milliseconds from the performance counter, and the median and percentiles
// of the runs.
#pragma once

#include <windows.h>

#include <algorithm>
#include <vector>

namespace Bench {

inline double NowMs() {
    LARGE_INTEGER frequency;
    LARGE_INTEGER now;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&now);
    return 1000.0 * static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

template <typename Value>
Value Median(std::vector<Value> values) {
    if (values.empty()) return Value();
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// The nearest-rank percentile: the least value that at least `percent` in a
// hundred of the values do not exceed.
template <typename Value>
Value Percentile(std::vector<Value> values, int percent) {
    if (values.empty()) return Value();
    std::sort(values.begin(), values.end());
    std::size_t rank = (values.size() * static_cast<std::size_t>(percent) + 99) / 100;
    return values[std::max<std::size_t>(rank, 1) - 1];
}

}  // namespace Bench
