#pragma once
#include <cmath>
#include <cstdint>
#include <random>
#include <utility>
#include <vector>

#include "core/AppState.h"

namespace karmo::test {

// Makes h the current history (1-based Values, PointCount).
inline void SetHistory(AppState& s, const std::vector<float>& h) {
    s.Values.assign(h.size() + 2, 0.0f);
    for (size_t i = 0; i < h.size(); ++i) s.Values[i + 1] = h[i];
    s.batch().PointCount = static_cast<int32_t>(h.size());
    s.batch().HasHistory = !h.empty();
}

inline std::vector<float> HistoryOf(const AppState& s) {
    const auto n = static_cast<size_t>(s.batch().PointCount);
    return std::vector<float>(s.Values.begin() + 1, s.Values.begin() + 1 + static_cast<long>(n));
}

// An alternating history of n points: each step turns and has a random size. quantum > 0
// rounds the values to multiples of it (ties and near-ties between ranges).
inline std::vector<float> RandomAlternating(std::mt19937& rng, int32_t n, float quantum = 0) {
    std::uniform_real_distribution<float> step(0.5f, 100.0f);
    std::vector<float> h(static_cast<size_t>(n));
    float v = std::uniform_real_distribution<float>(-50.0f, 50.0f)(rng);
    bool up = rng() & 1u;
    for (int32_t i = 0; i < n; ++i) {
        float next = v + (up ? step(rng) : -step(rng));
        if (quantum > 0) {
            next = std::round(next / quantum) * quantum;
            if (up && next <= v) next = v + quantum;
            if (!up && next >= v) next = v - quantum;
        }
        h[static_cast<size_t>(i)] = next;
        v = next;
        up = !up;
    }
    return h;
}

// Free vibrations: bursts of burst points whose amplitude falls by more than half a percent
// at every reversal, so within a burst no cycle closes until a larger range comes (the next
// burst, or the loop's return to its first point). Signs alternate throughout.
inline std::vector<float> Decaying(int32_t n, int32_t burst = 4000, double decay = 0.992,
                                   float amplitude = 1000.0f) {
    std::vector<float> h(static_cast<size_t>(n));
    double a = amplitude;
    for (int32_t i = 0; i < n; ++i) {
        if (burst > 0 && i % burst == 0) a = amplitude * (1.0 - 1e-4 * ((i / burst) % 7));
        h[static_cast<size_t>(i)] = static_cast<float>((i % 2 == 0) ? a : -a);
        a *= decay;
    }
    return h;
}

}  // namespace karmo::test
