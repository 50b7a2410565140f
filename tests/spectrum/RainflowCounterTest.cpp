#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <random>

#include "spectrum/RainflowCounter.h"
#include "support/ScriptedPrompter.h"
#include "SpectrumTestSupport.h"

using namespace karmo;
using karmo::test::ScriptedPrompter;

namespace {

struct Cycles {
    std::vector<float> ranges, means;
};

// The counting procedure written out on the array W(0..n+1), W(n+1) = h(1): the live part is
// W(r+1..i), and when a cycle closes every live point below it moves up by two. A pair
// holding the history's largest or smallest value closes without the 0.5 % tolerance.
Cycles arrayCount(const std::vector<float>& h) {
    Cycles out;
    const int n = static_cast<int>(h.size());
    std::vector<float> W(h.size() + 2, 0.0f);
    std::copy(h.begin(), h.end(), W.begin() + 1);
    W[n + 1] = n > 0 ? h[0] : 0;
    const auto range = n > 0 ? std::ranges::minmax(h) : std::ranges::minmax_result<float>{0, 0};
    const float lo = range.min, hi = range.max;
    const auto extreme = [lo, hi](float v) { return v == lo || v == hi; };
    // A history breaking the precondition would run past W(n+1): it ends there.
    for (int r = 0, i = 2; (n + 1) - r >= 3 && (i = std::max(i, r + 3)) <= n + 1;) {
        const float x = std::fabs(W[i] - W[i - 1]), y = std::fabs(W[i - 1] - W[i - 2]);
        if (extreme(W[i - 2]) || extreme(W[i - 1]) ? x < y : 1.005 * x < y) {
            ++i;
            continue;
        }
        out.ranges.push_back(std::fabs(W[i - 2] - W[i - 1]));
        out.means.push_back(0.5f * (W[i - 2] + W[i - 1]));
        r += 2;
        for (int j = 1; j <= i - r; ++j) W[i - j] = W[i - j - 2];
    }
    return out;
}

// The Shell sort with its early-exit bound, on a(1..k).
void shellSort(std::vector<float>& a, int k) {
    for (int gap = k / 2; gap > 0; gap /= 2) {
        for (int limit = k - gap, last = 1; last != 0; limit = last - gap) {
            last = 0;
            for (int j = 1; j <= limit; ++j) {
                if (a[j] > a[j + gap]) std::swap(a[j], a[j + gap]), last = j;
            }
        }
    }
}

// The stack counter finds the cycles of the array procedure in its order, with the same means
// (so the same mean-stress calls); an alternating history closes n/2 of them.
void expectSameAsArrayCount(const std::vector<float>& h, bool alternating) {
    const Cycles want = arrayCount(h);
    Cycles got;
    std::vector<float> ranges(h.size() / 2 + 2);
    const auto onCycle = [&](float mean, float& range) {
        return got.means.push_back(mean), got.ranges.push_back(range), true;
    };
    const RainflowTally t = CountClosedLoop(h.data(), static_cast<int32_t>(h.size()), ranges.data(), onCycle);
    ASSERT_EQ(got.ranges, want.ranges) << h.size() << " points";
    ASSERT_EQ(got.means, want.means) << h.size() << " points";
    EXPECT_EQ(static_cast<size_t>(t.cycles), alternating ? h.size() / 2 : want.ranges.size());
    // A closed, rearranged history always counts its largest range, Smax - Smin.
    if (alternating && !h.empty()) {
        const auto [lo, hi] = std::ranges::minmax(h);
        ASSERT_EQ(std::ranges::max(got.ranges), hi - lo) << h.size() << " points";
    }
}

// Alternating random steps, also across the loop's closing step (n even); quantum > 0 makes
// them its multiples (ties at the 1.005 factor).
std::vector<float> randomAlternating(std::mt19937& rng, int32_t n, float quantum = 0) {
    std::uniform_real_distribution<float> step(0.5f, 100.0f);
    std::vector<float> h;
    for (float v = 0; static_cast<int32_t>(h.size()) < n;) {
        const float d = quantum > 0 ? std::max(quantum, std::round(step(rng) / quantum) * quantum) : step(rng);
        if (static_cast<int32_t>(h.size()) == n - 1) v = std::max(v, h[0]);  // a peak above both neighbours
        h.push_back(v += h.size() % 2 ? d : -d);
    }
    return h;
}

// Free vibrations: bursts whose amplitude falls more than 0.5 % per reversal, so nothing closes
// inside a burst until a larger range comes.
std::vector<float> decaying(int32_t n, int32_t burst) {
    std::vector<float> h;
    for (double a = 1000; static_cast<int32_t>(h.size()) < n; a *= 0.992) {
        const auto i = static_cast<int32_t>(h.size());
        if (burst > 0 && i % burst == 0) a = 1000 * (1 - 1e-4 * ((i / burst) % 7));
        h.push_back(static_cast<float>(i % 2 ? -a : a));
    }
    return h;
}

std::vector<float> rearranged(const std::vector<float>& h) {
    std::vector<float> a(1, 0.0f);
    a.insert(a.end(), h.begin(), h.end());
    RearrangeHistory(a, static_cast<int32_t>(h.size()));
    return {a.begin() + 1, a.end()};
}

}  // namespace

TEST(RearrangeHistory, RotationAndWorkedExamples) {
    const std::pair<int32_t, std::vector<float>> rotations[] = {
        {2, {99, 5, 6, 1, 2, 3, 4, 77}}, {6, {99, 1, 2, 3, 4, 5, 6, 77}}, {-13, {99, 2, 3, 4, 5, 6, 1, 77}}};
    for (const auto& [shift, expected] : rotations) {
        std::vector<float> a = {99, 1, 2, 3, 4, 5, 6, 77};
        RotateValues(a, shift, 6);
        EXPECT_EQ(a, expected) << shift;
    }
    const std::tuple<std::vector<float>, std::vector<float>, bool> cases[] = {
        {{0, 10, 2, 8, 4, 6}, {10, 2, 8, 4, 6, 0}, true},
        {{10, 2, 8, 4, 6, 0}, {10, 2, 8, 4, 6, 0}, false},         // already at the largest
        {{3, -12, 5, -1, 12, -4}, {-12, 5, -1, 12, -4, 3}, true},  // the first of two
    };
    for (const auto& [h, expected, changed] : cases) {
        std::vector<float> a = {0};
        a.insert(a.end(), h.begin(), h.end());
        EXPECT_EQ(RearrangeHistory(a, static_cast<int32_t>(h.size())), changed);
        EXPECT_EQ(std::vector<float>(a.begin() + 1, a.end()), expected);
    }
}

TEST(CountClosedLoop, WorkedExamples) {
    // 100 followed by 99.6 closes at once (within 0.5 %); 99.4 does not. A pair holding the
    // largest or smallest value waits for a range at least its own.
    const std::vector<float> cases[][3] = {
        {{10, 2, 8, 4, 6, 0}, {2, 6, 10}, {5, 5, 5}},
        {{150, 0, 110, 10, 109.6f, 5}, {100, 109.6f - 5, 150}, {60, 0.5f * (109.6f + 5), 75}},
        {{150, 0, 110, 10, 109.4f, 5}, {109.4f - 10, 105, 150}, {0.5f * (10 + 109.4f), 57.5f, 75}},
        {{150, 0, 100, 0.4f}, {100 - 0.4f, 150}, {0.5f * (100 + 0.4f), 75}},
        {{-400, 380, -397, 399.9f}, {777, 399.9f + 400}, {-8.5f, 0.5f * (-400 + 399.9f)}},
        {{400, -400, 300, -398, 350, 0}, {698, 350, 800}, {-49, 175, 0}},
    };
    for (const auto& [h, ranges, means] : cases) {
        EXPECT_EQ(arrayCount(h).ranges, ranges);
        EXPECT_EQ(arrayCount(h).means, means);
        expectSameAsArrayCount(h, true);
    }
}

TEST(CountClosedLoop, SameCyclesAsTheArrayProcedure) {
    std::mt19937 rng(20261206);
    for (int round = 0; round < 3000; ++round) {
        const float quantum = round % 3 == 0 ? 0.0f : (round % 3 == 1 ? 5.0f : 0.25f);
        const std::vector<float> h = randomAlternating(rng, 2 * static_cast<int32_t>(1 + rng() % 60), quantum);
        expectSameAsArrayCount(rearranged(h), true);
        expectSameAsArrayCount(h, false);  // as read
    }
    for (int32_t n : {2, 1000, 4000}) expectSameAsArrayCount(rearranged(randomAlternating(rng, n)), true);
    for (int32_t n : {4, 300, 6000}) {
        for (int32_t burst : {0, 50, 1000}) {
            const std::vector<float> h = decaying(n, burst);
            expectSameAsArrayCount(rearranged(h), true);
            expectSameAsArrayCount(rearranged({h.rbegin(), h.rend()}), true);  // rising
        }
    }
    // Equal neighbours, two rises in a row, odd counts: no read beyond the closing point.
    for (const std::vector<float>& h : {std::vector<float>{5, 5, 5, 5}, {1, 5, 7, 2}, {10, -2, 3}, {7}, {}})
        expectSameAsArrayCount(h, false);
    for (int round = 0; round < 500; ++round) {
        std::vector<float> h(1 + rng() % 40);
        for (float& v : h) v = static_cast<float>(static_cast<int>(rng() % 9) - 4);
        expectSameAsArrayCount(h, false);
    }
}

TEST(SortRanges, SameOrderAsTheShellSort) {
    // Ties, negatives, tiny values; -0 and NaN, where bits and comparisons disagree.
    std::mt19937 rng(99);
    const float nan = std::numeric_limits<float>::quiet_NaN();
    std::vector<std::vector<float>> arrays = {{0, 3, -0.0f, 2, 0.0f, 1, -0.0f, 5, 0}, {0, 3, nan, 1, 2, 0}};
    for (size_t k : {0, 1, 7, 3000, 4096, 20000, 70001}) {
        std::vector<float> a(k + 2, 12345.0f);  // the slot after k stays
        for (size_t i = 1; i <= k; ++i)
            a[i] = std::ldexp(static_cast<float>(rng() % 50) - 10, -static_cast<int>(rng() % 140));
        arrays.push_back(a);
    }
    for (std::vector<float>& a : arrays) {
        std::vector<float> b = a;
        SortRanges(a, static_cast<int32_t>(a.size()) - 2);
        shellSort(b, static_cast<int>(b.size()) - 2);
        for (size_t i = 0; i < a.size(); ++i) {
            ASSERT_EQ(std::isnan(a[i]) ? -1.0f : a[i], std::isnan(b[i]) ? -1.0f : b[i]) << a.size() << ": " << i;
            ASSERT_EQ(std::signbit(a[i]), std::signbit(b[i])) << a.size() << ": " << i;
        }
    }
}

TEST(CountCycles, SortedResultsAndMaxLevels) {
    struct Case {
        std::vector<float> h, counted;  // CountedRanges: slots 0 .. CLng(n/2 + 1)
        float minCounted;
        int16_t maxLevels;
    };
    std::vector<Case> cases = {
        {{10, 2, 8, 4, 6, 0}, {0, 2, 6, 10, 0}, 2, 3},
        {{10, 2, 8, 4, 6}, {0, 2, 0, 0, 0}, 2, 1},  // odd: CLng(3.5) = 4; ends at the loop's end
        {{}, {0, 0}, 1000000, 0},
    };
    std::mt19937 rng(11);
    for (const auto& h : {rearranged(randomAlternating(rng, 200000)), rearranged(randomAlternating(rng, 60000, 0.5f)),
                          rearranged(decaying(40000, 4000))}) {
        std::vector<float> counted(h.size() / 2 + 2, 0.0f);
        const std::vector<float> ranges = arrayCount(h).ranges;
        std::copy(ranges.begin(), ranges.end(), counted.begin() + 1);
        shellSort(counted, static_cast<int>(ranges.size()));
        EXPECT_EQ(counted[ranges.size()], std::ranges::max(h) - std::ranges::min(h));  // MaxRange, below
        cases.push_back({h, counted, counted[1], 100});
    }
    for (const Case& c : cases) {
        AppState s;
        ScriptedPrompter p;
        karmo::test::SetHistory(s, c.h);
        s.MaxLevels = 12;  // left from an earlier, smaller count: raised again
        ASSERT_TRUE(CountCycles(s, p));
        EXPECT_EQ(s.CountedRanges, c.counted);
        EXPECT_EQ(s.batch().MaxRange, *std::max_element(c.counted.begin(), c.counted.end()));
        EXPECT_EQ(std::tuple(s.MinCountedRange, s.MaxLevels, s.CountedFromHistory, s.CountingCancelled, p.busyDepth),
                  std::tuple(c.minCounted, c.maxLevels, true, false, 0));
    }
}

TEST(CountCycles, CancelledProgressLeavesEveryResult) {
    // More than 2^20 cycles: the count reports progress once and the answer cancels it.
    std::mt19937 rng(5);
    AppState s;
    karmo::test::SetHistory(s, rearranged(randomAlternating(rng, (1 << 21) + 8)));
    s.CountedRanges = {0, 1, 2};
    s.batch().MaxRange = s.MinCountedRange = s.MaxLevels = 2;
    s.CountedFromHistory = false;
    ScriptedPrompter p;
    p.cancelAfterProgressCalls = 0;
    EXPECT_FALSE(CountCycles(s, p));
    EXPECT_EQ(std::tuple(s.CountedRanges, s.batch().MaxRange, s.MinCountedRange, s.MaxLevels, s.CountedFromHistory),
              std::tuple(std::vector<float>{0, 1, 2}, 2.0f, 2.0f, 2, false));
    EXPECT_EQ(std::tuple(s.CountingCancelled, p.progressCalls, p.busyDepth), std::tuple(true, 1, 0));
}
