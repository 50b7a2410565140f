#pragma once
#include <cstddef>

namespace karmo {

// Largest and smallest of x[0..n), merged into mx and mn. Eight independent lanes, so the
// comparisons do not wait on each other: a long record is scanned at memory speed. For
// finite samples the lanes give the plain scan's values.
inline void MergeExtremes(const float* x, size_t n, float& mx, float& mn) {
    constexpr size_t kLanes = 8;
    float hi[kLanes], lo[kLanes];
    for (size_t l = 0; l < kLanes; ++l) {
        hi[l] = mx;
        lo[l] = mn;
    }
    size_t i = 0;
    for (; i + kLanes <= n; i += kLanes) {
        for (size_t l = 0; l < kLanes; ++l) {
            hi[l] = x[i + l] > hi[l] ? x[i + l] : hi[l];
            lo[l] = x[i + l] < lo[l] ? x[i + l] : lo[l];
        }
    }
    for (; i < n; ++i) {
        hi[0] = x[i] > hi[0] ? x[i] : hi[0];
        lo[0] = x[i] < lo[0] ? x[i] : lo[0];
    }
    for (size_t l = 0; l < kLanes; ++l) {
        mx = hi[l] > mx ? hi[l] : mx;
        mn = lo[l] < mn ? lo[l] : mn;
    }
}

}  // namespace karmo
