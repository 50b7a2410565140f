#pragma once
#include <cmath>
#include <cstdint>
#include <memory>
#include <vector>

#include "core/AppState.h"
#include "core/Prompter.h"

namespace karmo {

// Cyclic rotation of a(1..n) in place (a is 1-based, a[0] untouched): the element at
// position j moves to ((j + shift - 1) mod n) + 1. Any shift, negative or beyond n, is
// taken modulo n.
void RotateValues(std::vector<float>& a, int32_t shift, int32_t n);

// Rotates h(1..n) so that it starts at its value of largest magnitude (the first of equal
// maxima). Returns true when h(1) changed.
bool RearrangeHistory(std::vector<float>& h, int32_t n);

// Sorts a(1..k) ascending in place; a[0] and the entries above k are left alone.
void SortRanges(std::vector<float>& a, int32_t k);

// What one pass of the counter found.
struct RainflowTally {
    int32_t cycles = 0;         // cycles counted
    float maxRange = 0;         // largest range counted (after any correction)
    float minRange = 1000000;   // smallest range counted
    bool stopped = false;       // the per-cycle callback asked to stop
};

// Whether the range y between the live points a and b closes against the newest range x.
// A newest range short of y by less than half a percent still closes it (only that product
// is formed in double), except when a or b is the history's largest or smallest value: such
// a pair waits for a range at least its own, so the loop's last cycle runs through both
// extremes and the largest range counted is Smax - Smin.
inline bool ClosesCycle(float a, float b, float x, float y, float hi, float lo) {
    // Most points close nothing: the first comparison alone decides for them.
    if (1.005 * static_cast<double>(x) < static_cast<double>(y)) return false;
    return x >= y || !(a == hi || a == lo || b == hi || b == lo);
}

// The smallest and largest of h[0..n-1] (n >= 1).
void HistoryExtremes(const float* h, int32_t n, float& lo, float& hi);

// Three-point rainflow count of the closed loop h[0..n-1], h[0], in the order the cycles
// close (ClosesCycle). The live points form a stack, so the work is linear for every
// history, a decaying one included. For each cycle, onCycle(mean, range) may replace the
// range; returning false stops the count at once. Ranges are written to ranges[0..cycles-1] in the order found;
// ranges must have room for n / 2 + 1 values. A history that does not alternate ends when
// the loop's last point has been examined. work, when given, holds n + 1 floats for the
// live points.
template <class OnCycle>
RainflowTally CountClosedLoop(const float* h, int32_t n, float* ranges, OnCycle&& onCycle,
                              float* work = nullptr) {
    RainflowTally t;
    if (n < 1) return t;
    // st[0..top-1] are the live points before the newest one; the last of them (b) and the
    // range below it (y) are kept at hand, so a point that closes nothing costs no reload.
    std::unique_ptr<float[]> own;
    if (!work) {
        own.reset(new float[static_cast<size_t>(n) + 1]);
        work = own.get();
    }
    float lo, hi;
    HistoryExtremes(h, n, lo, hi);
    float* st = work;
    st[0] = h[0];
    int32_t top = 1;
    float b = h[0];
    float y = 0;  // |b - st[top-2]|, meaningful while top >= 2
    for (int32_t idx = 1; idx <= n; ++idx) {
        const float c = idx < n ? h[idx] : h[0];  // the loop closes on the first point
        float x = std::fabs(c - b);
        while (top >= 2 && ClosesCycle(st[top - 2], b, x, y, hi, lo)) {
            const float a = st[top - 2];
            float range = std::fabs(a - b);
            if (!onCycle(0.5f * (a + b), range)) {
                t.stopped = true;
                return t;
            }
            ranges[t.cycles++] = range;
            if (range > t.maxRange) t.maxRange = range;
            if (range < t.minRange) t.minRange = range;
            top -= 2;
            if (top == 0) break;
            b = st[top - 1];
            x = std::fabs(c - b);
            if (top >= 2) y = std::fabs(b - st[top - 2]);
        }
        st[top++] = c;
        b = c;
        y = x;
    }
    return t;
}

// The same count without a per-cycle callback.
RainflowTally CountClosedLoop(const float* h, int32_t n, float* ranges);

// Counts the current batch's history Values(1..PointCount) into CountedRanges (sorted,
// indices 0..CLng(n/2 + 1)), sets MaxRange of the batch, MinCountedRange and MaxLevels,
// and CountedFromHistory. With MseIncluded each cycle is corrected as it is found
// (CorrectForMeanStress). When the user stops the count (declining the notch-stress
// question, or cancelling the progress), CountingCancelled is set and every result keeps
// the value it had before. With KeepCycles, CountedCycles receives every cycle as well.
// Returns true when the count completed.
bool CountCycles(AppState& s, Prompter& p);

}  // namespace karmo
