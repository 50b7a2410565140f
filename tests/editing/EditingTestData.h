#pragma once
#include <vector>

#include "history/HistoryTestData.h"

namespace karmo::test {

// n alternating points starting with a valley, no two values the same at the end:
// valleys -1..-5, peaks 10..12.
inline std::vector<float> alternating(int n) {
    std::vector<float> v(static_cast<size_t>(n));
    for (int i = 1; i <= n; ++i) v[static_cast<size_t>(i - 1)] = i % 2 ? -1.0f - i % 5 : 10.0f + i % 3;
    return v;
}

// The current batch with an alternating history of n points, shown whole, record time 10.
inline AppState editedState(int n) {
    AppState s = stateWith(alternating(n));
    s.ViewStart = 1;
    s.ViewCount = n;
    s.batch().RecordTime = 10;
    s.batch().Title = "run";
    return s;
}

}  // namespace karmo::test
