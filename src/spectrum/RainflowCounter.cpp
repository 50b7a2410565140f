#include "spectrum/RainflowCounter.h"

#include <algorithm>
#include <cstring>

#include "core/NumberForms.h"
#include "spectrum/MeanStress.h"

namespace karmo {

void RotateValues(std::vector<float>& a, int32_t shift, int32_t n) {
    if (n < 2 || a.size() < static_cast<size_t>(n) + 1) return;
    int32_t s = shift % n;
    if (s < 0) s += n;
    if (s == 0) return;
    // Moving every element s places towards the end is a right rotation of a(1..n).
    auto first = a.begin() + 1;
    auto last = first + n;
    std::rotate(first, last - s, last);
}

bool RearrangeHistory(std::vector<float>& h, int32_t n) {
    if (n < 1 || h.size() < static_cast<size_t>(n) + 1) return false;
    int32_t imax = 1;
    float best = std::fabs(h[1]);
    for (int32_t i = 2; i <= n; ++i) {
        const float m = std::fabs(h[static_cast<size_t>(i)]);
        if (m > best) {
            best = m;
            imax = i;
        }
    }
    const float old = h[1];
    if (imax >= 2) RotateValues(h, n - imax + 1, n);
    return h[1] != old;
}

namespace {

// The ordering the ranges get is fully determined (ascending), so any sort gives the same
// array; a radix sort on the bit patterns keeps it linear. NaN has no place in an
// ascending order and -0 equals +0 while its bits differ: with either present the
// comparison sort below decides, exactly as it would on its own.
void shellSort(float* a, int32_t k) {  // a is 1-based
    int32_t gap = k / 2;
    while (gap > 0) {
        int32_t limit = k - gap;
        int32_t last;
        do {
            last = 0;
            for (int32_t j = 1; j <= limit; ++j) {
                if (a[j] > a[j + gap]) {
                    std::swap(a[j], a[j + gap]);
                    last = j;
                }
            }
            limit = last - gap;
        } while (last != 0);
        gap /= 2;
    }
}

inline uint32_t sortKey(float v) {
    uint32_t u;
    std::memcpy(&u, &v, sizeof u);
    return (u & 0x80000000u) ? ~u : (u | 0x80000000u);
}

inline bool needsComparisonSort(float v) {
    uint32_t u;
    std::memcpy(&u, &v, sizeof u);
    return u == 0x80000000u || std::isnan(v);
}

}  // namespace

namespace {

// Ascending order of v[0..count) through scratch (count floats). First by the top 16 bits
// of the key (sign, exponent and the top mantissa bits: few distinct values, so the
// scatter writes few streams), then each bucket, small enough now to stay in cache, by its
// low 16 bits in two passes.
void radixSort(float* v, size_t count, float* scratch) {
    constexpr size_t kBuckets = size_t{1} << 16;
    std::vector<uint32_t> start(kBuckets + 1, 0);
    for (size_t i = 0; i < count; ++i) ++start[(sortKey(v[i]) >> 16) + 1];
    for (size_t b = 1; b <= kBuckets; ++b) start[b] += start[b - 1];
    std::vector<uint32_t> next(start.begin(), start.end() - 1);
    for (size_t i = 0; i < count; ++i) {
        const float x = v[i];
        scratch[next[sortKey(x) >> 16]++] = x;
    }
    uint32_t low[256], high[256];
    for (size_t b = 0; b < kBuckets; ++b) {
        const size_t first = start[b];
        const size_t m = start[b + 1] - first;
        if (m == 0) continue;
        float* src = scratch + first;
        float* dst = v + first;
        if (m <= 16) {
            for (size_t i = 0; i < m; ++i) {
                const float x = src[i];
                const uint32_t kx = sortKey(x);
                size_t j = i;
                for (; j > 0 && sortKey(dst[j - 1]) > kx; --j) dst[j] = dst[j - 1];
                dst[j] = x;
            }
            continue;
        }
        std::memset(low, 0, sizeof low);
        std::memset(high, 0, sizeof high);
        for (size_t i = 0; i < m; ++i) {
            const uint32_t key = sortKey(src[i]);
            ++low[key & 255u];
            ++high[(key >> 8) & 255u];
        }
        uint32_t sumLow = 0, sumHigh = 0;
        for (size_t d = 0; d < 256; ++d) {
            const uint32_t cl = low[d], ch = high[d];
            low[d] = sumLow;
            high[d] = sumHigh;
            sumLow += cl;
            sumHigh += ch;
        }
        for (size_t i = 0; i < m; ++i) {
            const float x = src[i];
            dst[low[sortKey(x) & 255u]++] = x;
        }
        for (size_t i = 0; i < m; ++i) {
            const float x = dst[i];
            src[high[(sortKey(x) >> 8) & 255u]++] = x;
        }
        std::memcpy(dst, src, m * sizeof(float));
    }
}

// a(1..k) ascending; scratch holds k floats (only used for long arrays).
void sortRanges(std::vector<float>& a, int32_t k, float* scratch) {
    if (k < 2 || a.size() < static_cast<size_t>(k) + 1) return;
    float* v = a.data() + 1;
    const size_t count = static_cast<size_t>(k);
    for (size_t i = 0; i < count; ++i) {
        if (needsComparisonSort(v[i])) {
            shellSort(a.data(), k);
            return;
        }
    }
    // Without NaN and -0, equal values have equal bits, so every ascending sort gives
    // the very array the Shell sort gives.
    if (count < 4096) {
        std::sort(v, v + count);
        return;
    }
    if (scratch) {
        radixSort(v, count, scratch);
    } else {
        std::unique_ptr<float[]> tmp(new float[count]);
        radixSort(v, count, tmp.get());
    }
}

}  // namespace

void SortRanges(std::vector<float>& a, int32_t k) { sortRanges(a, k, nullptr); }

void HistoryExtremes(const float* h, int32_t n, float& lo, float& hi) {
    // Eight independent lanes, so the scan is not held up by one chain of comparisons.
    constexpr int32_t kLanes = 8;
    float l[kLanes], u[kLanes];
    for (int32_t j = 0; j < kLanes; ++j) l[j] = u[j] = h[0];
    int32_t i = 0;
    for (; i + kLanes <= n; i += kLanes) {
        for (int32_t j = 0; j < kLanes; ++j) {
            const float v = h[i + j];
            l[j] = v < l[j] ? v : l[j];
            u[j] = v > u[j] ? v : u[j];
        }
    }
    for (; i < n; ++i) {
        l[0] = h[i] < l[0] ? h[i] : l[0];
        u[0] = h[i] > u[0] ? h[i] : u[0];
    }
    lo = l[0];
    hi = u[0];
    for (int32_t j = 1; j < kLanes; ++j) {
        if (l[j] < lo) lo = l[j];
        if (u[j] > hi) hi = u[j];
    }
}

RainflowTally CountClosedLoop(const float* h, int32_t n, float* ranges) {
    return CountClosedLoop(h, n, ranges, [](float, float&) { return true; });
}

bool CountCycles(AppState& s, Prompter& p) {
    BusyScope busy(p);
    s.CountingCancelled = false;
    DataBatch& b = s.batch();
    int32_t n = b.PointCount;
    if (n < 0) n = 0;
    // Never read beyond the history actually held.
    if (!s.Values.empty() && static_cast<size_t>(n) > s.Values.size() - 1)
        n = static_cast<int32_t>(s.Values.size() - 1);
    if (s.Values.empty()) n = 0;

    // Everything is computed aside and committed only when the count completes, so a
    // cancelled count leaves the previous results as they were.
    const int32_t slots = RoundHalfEven(n / 2.0 + 1);
    std::vector<float> ranges(static_cast<size_t>(slots) + 1, 0.0f);
    const double expected = n / 2 > 0 ? n / 2 : 1;
    int64_t found = 0;
    auto progressed = [&]() {
        if ((++found & 0xFFFFF) != 0) return true;
        if (p.progress(static_cast<double>(found) / expected)) return true;
        s.CountingCancelled = true;
        s.UiMode = kUiIdle;
        return false;
    };

    // The matrix needs every cycle's range as corrected and its mean, in the order found.
    std::vector<CountedCycle> cycles;
    const bool keep = s.KeepCycles;
    if (keep) cycles.reserve(static_cast<size_t>(n / 2) + 1);
    auto kept = [&](float mean, float range) {
        if (keep) cycles.push_back({range, mean});
        return progressed();
    };

    RainflowTally t;
    const float* h = n > 0 ? s.Values.data() + 1 : nullptr;
    // One work area serves as the counter's stack and then as the sort's scratch.
    std::unique_ptr<float[]> work(new float[static_cast<size_t>(n) + 1]);
    if (s.MseIncluded) {
        t = CountClosedLoop(
            h, n, ranges.data() + 1,
            [&](float mean, float& range) {
                CorrectForMeanStress(s, p, mean, range);
                if (s.CountingCancelled) return false;
                return kept(mean, range);
            },
            work.get());
    } else {
        t = CountClosedLoop(
            h, n, ranges.data() + 1, [&](float mean, float& range) { return kept(mean, range); }, work.get());
    }
    if (t.stopped) {
        s.CountingCancelled = true;
        return false;
    }

    // The previous results are replaced now; their memory is already mapped, which makes
    // it a cheaper scratch for the sort than fresh pages.
    float* scratch = work.get();
    if (s.CountedRanges.size() >= static_cast<size_t>(t.cycles)) scratch = s.CountedRanges.data();
    sortRanges(ranges, t.cycles, scratch);
    s.CountedRanges = std::move(ranges);
    s.CountedCycles = std::move(cycles);
    b.MaxRange = t.maxRange;
    s.MinCountedRange = t.minRange;
    // The limit follows the history just counted; a smaller limit left over from an
    // earlier count or volume would otherwise stay for good.
    s.MaxLevels = t.cycles < kMaxLevels ? t.cycles : kMaxLevels;
    s.CountedFromHistory = true;
    return true;
}

}  // namespace karmo
