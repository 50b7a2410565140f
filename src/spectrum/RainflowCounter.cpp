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

void SortRanges(std::vector<float>& a, int32_t k) {
    if (k < 2 || a.size() < static_cast<size_t>(k) + 1) return;
    float* v = a.data() + 1;
    const size_t count = static_cast<size_t>(k);

    constexpr int kBits[3] = {11, 11, 10};
    constexpr int kShift[3] = {0, 11, 22};
    std::vector<uint32_t> hist(3 * 2048, 0);
    for (size_t i = 0; i < count; ++i) {
        if (needsComparisonSort(v[i])) {
            shellSort(a.data(), k);
            return;
        }
        const uint32_t key = sortKey(v[i]);
        ++hist[key & 2047u];
        ++hist[2048 + ((key >> 11) & 2047u)];
        ++hist[4096 + (key >> 22)];
    }
    std::unique_ptr<float[]> tmp(new float[count]);
    float* src = v;
    float* dst = tmp.get();
    for (int pass = 0; pass < 3; ++pass) {
        uint32_t* h = hist.data() + 2048 * pass;
        const uint32_t buckets = 1u << kBits[pass];
        // A digit shared by every value leaves the order as it is.
        bool trivial = false;
        for (uint32_t d = 0; d < buckets; ++d) {
            if (h[d] == count) trivial = true;
            if (h[d] != 0) break;
        }
        if (trivial) continue;
        uint32_t sum = 0;
        for (uint32_t d = 0; d < buckets; ++d) {
            const uint32_t c = h[d];
            h[d] = sum;
            sum += c;
        }
        const uint32_t mask = buckets - 1;
        const int shift = kShift[pass];
        for (size_t i = 0; i < count; ++i) {
            const float x = src[i];
            dst[h[(sortKey(x) >> shift) & mask]++] = x;
        }
        std::swap(src, dst);
    }
    if (src != v) std::memcpy(v, src, count * sizeof(float));
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

    RainflowTally t;
    const float* h = n > 0 ? s.Values.data() + 1 : nullptr;
    if (s.MseIncluded) {
        t = CountClosedLoop(h, n, ranges.data() + 1, [&](float mean, float& range) {
            CorrectForMeanStress(s, p, mean, range);
            if (s.CountingCancelled) return false;
            return progressed();
        });
    } else {
        t = CountClosedLoop(h, n, ranges.data() + 1,
                            [&](float, float&) { return progressed(); });
    }
    if (t.stopped) {
        s.CountingCancelled = true;
        return false;
    }

    SortRanges(ranges, t.cycles);
    s.CountedRanges = std::move(ranges);
    b.MaxRange = t.maxRange;
    s.MinCountedRange = t.minRange;
    // The limit follows the history just counted; a smaller limit left over from an
    // earlier count or volume would otherwise stay for good.
    s.MaxLevels = t.cycles < kMaxLevels ? t.cycles : kMaxLevels;
    s.CountedFromHistory = true;
    return true;
}

}  // namespace karmo
