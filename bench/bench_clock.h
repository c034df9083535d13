// Milliseconds from the performance counter, and the median of the runs.
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

}  // namespace Bench
