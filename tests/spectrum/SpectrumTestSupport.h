#pragma once
#include <algorithm>
#include <cstdint>
#include <vector>

#include "core/AppState.h"

namespace karmo::test {

// Makes h the current history (1-based Values, PointCount).
inline void SetHistory(AppState& s, const std::vector<float>& h) {
    s.Values.assign(h.size() + 2, 0.0f);
    std::copy(h.begin(), h.end(), s.Values.begin() + 1);
    s.batch().PointCount = static_cast<int32_t>(h.size());
    s.batch().HasHistory = !h.empty();
}

inline std::vector<float> HistoryOf(const AppState& s) {
    return {s.Values.begin() + 1, s.Values.begin() + 1 + s.batch().PointCount};
}

}  // namespace karmo::test
