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

// The counting procedure written out with the array W(0..n+1), its live part W(r+1..),
// the index i and the shifting of the live points on every closed cycle, step by step.
// The counter must find exactly these cycles in this order.
struct Reference {
    std::vector<float> ranges;
    std::vector<float> means;
    float rmax = 0;
    float rmin = 1000000;
};

Reference referenceCount(const std::vector<float>& h) {
    Reference out;
    const int n = static_cast<int>(h.size());
    if (n < 1) return out;
    std::vector<float> W(static_cast<size_t>(n) + 2, 0.0f);
    for (int j = 1; j <= n; ++j) W[j] = h[j - 1];
    W[n + 1] = h[0];
    int r = 0, i = 2;
    for (;;) {
        if ((n + 1) - r < 3) break;
        while (i - r < 3) ++i;
        if (i > n + 1) break;  // the scan ran off the end (history breaks the precondition)
        const float X = std::fabs(W[i] - W[i - 1]);
        const float Y = std::fabs(W[i - 1] - W[i - 2]);
        if (1.005 * static_cast<double>(X) >= static_cast<double>(Y)) {
            const float range = std::fabs(W[i - 2] - W[i - 1]);
            out.ranges.push_back(range);
            out.means.push_back(0.5f * (W[i - 2] + W[i - 1]));
            if (range > out.rmax) out.rmax = range;
            if (range < out.rmin) out.rmin = range;
            r += 2;
            for (int j = 1; j <= i - r; ++j) W[i - j] = W[i - j - 2];
        } else {
            ++i;
        }
    }
    return out;
}

// The Shell sort with its early-exit bound, on a(1..k).
void referenceSort(std::vector<float>& a, int k) {
    int gap = k / 2;
    while (gap > 0) {
        int limit = k - gap;
        int last;
        do {
            last = 0;
            for (int j = 1; j <= limit; ++j) {
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

struct Found {
    std::vector<float> ranges, means;
    RainflowTally tally;
};

Found stackCount(const std::vector<float>& h) {
    Found f;
    std::vector<float> ranges(h.size() / 2 + 2, -1.0f);
    f.tally = CountClosedLoop(h.data(), static_cast<int32_t>(h.size()), ranges.data(),
                              [&](float mean, float& range) {
                                  f.means.push_back(mean);
                                  f.ranges.push_back(range);
                                  return true;
                              });
    return f;
}

std::vector<float> rearranged(std::vector<float> h) {
    std::vector<float> a(h.size() + 1, 0.0f);
    std::copy(h.begin(), h.end(), a.begin() + 1);
    RearrangeHistory(a, static_cast<int32_t>(h.size()));
    return std::vector<float>(a.begin() + 1, a.end());
}

void expectSameAsReference(const std::vector<float>& h, const char* what, bool fullCount) {
    const Reference ref = referenceCount(h);
    const Found got = stackCount(h);
    ASSERT_EQ(ref.ranges.size(), got.ranges.size()) << what;
    for (size_t c = 0; c < ref.ranges.size(); ++c) {
        ASSERT_EQ(ref.ranges[c], got.ranges[c]) << what << " cycle " << c;
        ASSERT_EQ(ref.means[c], got.means[c]) << what << " cycle " << c;
    }
    EXPECT_EQ(got.tally.cycles, static_cast<int32_t>(ref.ranges.size())) << what;
    EXPECT_EQ(ref.rmax, got.tally.maxRange) << what;
    EXPECT_EQ(ref.rmin, got.tally.minRange) << what;
    if (fullCount) {
        EXPECT_EQ(ref.ranges.size(), h.size() / 2) << what;
    }
}

}  // namespace

TEST(RotateValues, MovesEveryElementByTheShift) {
    struct Case {
        int32_t shift;
        std::vector<float> expected;
    };
    const std::vector<Case> cases = {
        {0, {1, 2, 3, 4, 5, 6}},  {1, {6, 1, 2, 3, 4, 5}},  {2, {5, 6, 1, 2, 3, 4}},
        {4, {3, 4, 5, 6, 1, 2}},  {6, {1, 2, 3, 4, 5, 6}},  {-1, {2, 3, 4, 5, 6, 1}},
        {-2, {3, 4, 5, 6, 1, 2}}, {8, {5, 6, 1, 2, 3, 4}},  {-13, {2, 3, 4, 5, 6, 1}},
    };
    for (const Case& c : cases) {
        std::vector<float> a = {99, 1, 2, 3, 4, 5, 6, 77};
        RotateValues(a, c.shift, 6);
        EXPECT_EQ(a[0], 99) << c.shift;
        EXPECT_EQ(a[7], 77) << c.shift;
        EXPECT_EQ(std::vector<float>(a.begin() + 1, a.begin() + 7), c.expected) << c.shift;
    }
}

TEST(RearrangeHistory, StartsAtTheFirstLargestMagnitude) {
    struct Case {
        std::vector<float> h, expected;
        bool changed;
    };
    const std::vector<Case> cases = {
        {{0, 10, 2, 8, 4, 6}, {10, 2, 8, 4, 6, 0}, true},
        {{10, 2, 8, 4, 6, 0}, {10, 2, 8, 4, 6, 0}, false},      // already at the largest
        {{3, -12, 5, -1, 12, -4}, {-12, 5, -1, 12, -4, 3}, true},  // magnitude, first of two
        {{-12, 5, -1, 12, -4, 3}, {-12, 5, -1, 12, -4, 3}, false},
        {{1, -2, 3, -4}, {-4, 1, -2, 3}, true},
    };
    for (const Case& c : cases) {
        std::vector<float> a = {0};
        a.insert(a.end(), c.h.begin(), c.h.end());
        EXPECT_EQ(RearrangeHistory(a, static_cast<int32_t>(c.h.size())), c.changed);
        EXPECT_EQ(std::vector<float>(a.begin() + 1, a.end()), c.expected);
    }
}

TEST(CountClosedLoop, WorkedExampleGivesRanges2_6_10) {
    const Found f = stackCount({10, 2, 8, 4, 6, 0});
    EXPECT_EQ(f.ranges, (std::vector<float>{2, 6, 10}));
    EXPECT_EQ(f.means, (std::vector<float>{5, 5, 5}));
    EXPECT_EQ(f.tally.maxRange, 10.0f);
    EXPECT_EQ(f.tally.minRange, 2.0f);
}

TEST(CountClosedLoop, HalfAPercentShortStillCloses) {
    // 100 followed by 99.6 closes the cycle of range 100 at once; 99.4 does not, and the
    // smaller cycle closes first when the loop returns.
    EXPECT_EQ(stackCount({150, 0, 100, 0.4f}).ranges, (std::vector<float>{100, 149.6f}));
    EXPECT_EQ(stackCount({150, 0, 100, 0.6f}).ranges, (std::vector<float>{99.4f, 150}));
}

TEST(CountClosedLoop, StackCountEqualsTheArrayProcedure) {
    std::mt19937 rng(20261206);
    int histories = 0;
    for (int round = 0; round < 3000; ++round) {
        const int32_t n = 2 * static_cast<int32_t>(1 + rng() % 60);
        const float quantum = (round % 3 == 0) ? 0.0f : (round % 3 == 1 ? 5.0f : 0.25f);
        const std::vector<float> h = karmo::test::RandomAlternating(rng, n, quantum);
        expectSameAsReference(rearranged(h), "rearranged random", true);
        expectSameAsReference(h, "random as read", false);
        ++histories;
    }
    for (int32_t n : {2, 4, 6, 100, 1000, 4000}) {
        expectSameAsReference(rearranged(karmo::test::RandomAlternating(rng, n)), "long random", true);
    }
    for (int32_t n : {4, 10, 300, 2000, 6000}) {
        for (int32_t burst : {0, 50, 333, 1000}) {
            const std::vector<float> h = karmo::test::Decaying(n, burst);
            expectSameAsReference(rearranged(h), "decaying", true);
            std::vector<float> rising(h.rbegin(), h.rend());
            expectSameAsReference(rearranged(rising), "rising", true);
            ++histories;
        }
    }
    EXPECT_GT(histories, 3000);
}

TEST(CountClosedLoop, HistoriesBreakingThePreconditionStopAtTheLoopEnd) {
    // Equal neighbours, two rises in a row, an odd count: the same cycles as the array
    // procedure, and no read beyond the closing point.
    const std::vector<std::vector<float>> cases = {
        {5, 5, 5, 5}, {1, 5, 7, 2}, {10, 1, 2, 3, 4, 5, 6}, {10, -2, 3}, {7}, {0, 1, 2, 3, 4, 5},
    };
    for (const auto& h : cases) expectSameAsReference(h, "broken", false);
    std::mt19937 rng(7);
    for (int round = 0; round < 500; ++round) {
        std::vector<float> h(1 + rng() % 40);
        for (float& v : h) v = static_cast<float>(static_cast<int>(rng() % 9) - 4);
        expectSameAsReference(h, "arbitrary", false);
    }
}

TEST(CountClosedLoop, CallbackStopsAtOnce) {
    int calls = 0;
    std::vector<float> ranges(8, -1.0f);
    const std::vector<float> h = {10, 2, 8, 4, 6, 0};
    const RainflowTally t = CountClosedLoop(h.data(), 6, ranges.data(), [&](float, float&) {
        return ++calls < 2;
    });
    EXPECT_TRUE(t.stopped);
    EXPECT_EQ(calls, 2);
    EXPECT_EQ(t.cycles, 1);
}

TEST(SortRanges, AscendingLikeTheShellSort) {
    std::mt19937 rng(99);
    for (int round = 0; round < 300; ++round) {
        const int k = static_cast<int>(rng() % 3000);
        std::vector<float> a(static_cast<size_t>(k) + 3);
        for (float& v : a) {
            switch (rng() % 4) {
                case 0: v = static_cast<float>(rng() % 10); break;          // many ties
                case 1: v = std::ldexp(static_cast<float>(rng() % 1000), -(int)(rng() % 140)); break;
                case 2: v = static_cast<float>(rng()) / 1000.0f; break;
                default: v = -static_cast<float>(rng() % 100) / 7.0f; break;  // negative too
            }
        }
        std::vector<float> b = a;
        SortRanges(a, k);
        referenceSort(b, k);
        ASSERT_EQ(a, b) << "k = " << k;
    }
}

TEST(SortRanges, LongArraysLikeTheShellSort) {
    std::mt19937 rng(41);
    for (int k : {4096, 5000, 20000, 70001}) {
        for (int kind = 0; kind < 5; ++kind) {
            std::vector<float> a(static_cast<size_t>(k) + 2, 0.0f);
            for (size_t i = 1; i <= static_cast<size_t>(k); ++i) {
                float& v = a[i];
                switch (kind) {
                    case 0: v = std::fabs(static_cast<float>(rng() % 20000) / 9.0f - 1111.0f); break;
                    case 1: v = static_cast<float>(rng() % 50); break;  // long runs of equal values
                    case 2: v = std::ldexp(1.0f + static_cast<float>(rng() % 8) / 8.0f, -(int)(rng() % 150)); break;
                    case 3: v = static_cast<float>(static_cast<int>(rng() % 2001) - 1000) / 3.0f; break;
                    default: v = 1000.0f * std::pow(0.994f, static_cast<float>(i % 777)); break;
                }
            }
            a.back() = 12345;  // beyond k: untouched
            std::vector<float> b = a;
            SortRanges(a, k);
            referenceSort(b, k);
            ASSERT_EQ(a, b) << "k = " << k << ", kind " << kind;
        }
    }
}

TEST(SortRanges, NotANumberAndNegativeZeroSortAsTheShellSortDoes) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    std::vector<float> a = {0, 3, -0.0f, 2, 0.0f, 1, -0.0f, 5, 0};
    std::vector<float> b = a;
    SortRanges(a, 7);
    referenceSort(b, 7);
    for (size_t i = 0; i < a.size(); ++i) {
        EXPECT_EQ(a[i], b[i]);
        EXPECT_EQ(std::signbit(a[i]), std::signbit(b[i])) << i;
    }
    std::vector<float> c = {0, 3, nan, 1, 2};
    std::vector<float> d = c;
    SortRanges(c, 4);
    referenceSort(d, 4);
    for (size_t i = 0; i < c.size(); ++i) EXPECT_EQ(std::isnan(c[i]), std::isnan(d[i])) << i;
}

class CountCyclesTest : public ::testing::Test {
protected:
    AppState s;
    ScriptedPrompter p;
};

TEST_F(CountCyclesTest, WorkedExampleFillsTheResults) {
    karmo::test::SetHistory(s, {10, 2, 8, 4, 6, 0});
    s.MaxLevels = 100;
    ASSERT_TRUE(CountCycles(s, p));
    EXPECT_EQ(s.CountedRanges, (std::vector<float>{0, 2, 6, 10, 0}));  // 0 .. CLng(n/2 + 1)
    EXPECT_EQ(s.batch().MaxRange, 10.0f);
    EXPECT_EQ(s.MinCountedRange, 2.0f);
    EXPECT_EQ(s.MaxLevels, 3);
    EXPECT_TRUE(s.CountedFromHistory);
    EXPECT_FALSE(s.CountingCancelled);
    EXPECT_EQ(p.busyDepth, 0);
}

TEST_F(CountCyclesTest, MaxLevelsFollowsTheCount) {
    std::mt19937 rng(3);
    karmo::test::SetHistory(s, rearranged(karmo::test::RandomAlternating(rng, 400)));
    s.MaxLevels = 12;  // left from an earlier, smaller count
    ASSERT_TRUE(CountCycles(s, p));
    EXPECT_EQ(s.MaxLevels, 100);
    karmo::test::SetHistory(s, rearranged(karmo::test::RandomAlternating(rng, 80)));
    ASSERT_TRUE(CountCycles(s, p));
    EXPECT_EQ(s.MaxLevels, 40);
    EXPECT_EQ(s.CountedRanges.size(), 42u);
    EXPECT_TRUE(std::is_sorted(s.CountedRanges.begin() + 1, s.CountedRanges.begin() + 41));
    EXPECT_EQ(s.CountedRanges[41], 0.0f);
}

TEST_F(CountCyclesTest, LongHistoriesGiveTheArrayProcedureSorted) {
    std::mt19937 rng(11);
    const std::vector<std::vector<float>> histories = {
        rearranged(karmo::test::RandomAlternating(rng, 200000)),
        rearranged(karmo::test::RandomAlternating(rng, 60000, 0.5f)),
        rearranged(karmo::test::Decaying(40000)),
    };
    for (const auto& h : histories) {
        karmo::test::SetHistory(s, h);
        ASSERT_TRUE(CountCycles(s, p));
        const Reference ref = referenceCount(h);
        std::vector<float> expected(h.size() / 2 + 2, 0.0f);
        std::copy(ref.ranges.begin(), ref.ranges.end(), expected.begin() + 1);
        referenceSort(expected, static_cast<int>(ref.ranges.size()));
        EXPECT_EQ(s.CountedRanges, expected);
        EXPECT_EQ(s.batch().MaxRange, ref.rmax);
        EXPECT_EQ(s.MinCountedRange, ref.rmin);
    }
}

TEST_F(CountCyclesTest, OddCountDimensionsByRoundingHalfToEven) {
    // n = 5 breaks the precondition; CLng(5/2 + 1) = 4 (3.5 rounds to 4), so slots 0..4.
    karmo::test::SetHistory(s, {10, 2, 8, 4, 6});
    ASSERT_TRUE(CountCycles(s, p));
    EXPECT_EQ(s.CountedRanges.size(), 5u);
}

TEST_F(CountCyclesTest, EmptyHistoryCountsNothing) {
    karmo::test::SetHistory(s, {});
    ASSERT_TRUE(CountCycles(s, p));
    EXPECT_EQ(s.batch().MaxRange, 0.0f);
    EXPECT_EQ(s.MinCountedRange, 1000000.0f);
    EXPECT_EQ(s.MaxLevels, 0);
}

TEST_F(CountCyclesTest, CancelledProgressLeavesEveryResult) {
    // More than 2^20 cycles: the count reports progress once and the answer cancels it.
    std::mt19937 rng(5);
    karmo::test::SetHistory(s, rearranged(karmo::test::RandomAlternating(rng, (1 << 21) + 8)));
    s.CountedRanges = {0, 1, 2};
    s.batch().MaxRange = 2;
    s.MinCountedRange = 1;
    s.MaxLevels = 2;
    s.CountedFromHistory = false;
    p.cancelAfterProgressCalls = 0;
    EXPECT_FALSE(CountCycles(s, p));
    EXPECT_TRUE(s.CountingCancelled);
    EXPECT_EQ(p.progressCalls, 1);
    EXPECT_EQ(s.CountedRanges, (std::vector<float>{0, 1, 2}));
    EXPECT_EQ(s.batch().MaxRange, 2.0f);
    EXPECT_EQ(s.MinCountedRange, 1.0f);
    EXPECT_EQ(s.MaxLevels, 2);
    EXPECT_FALSE(s.CountedFromHistory);
    EXPECT_EQ(p.busyDepth, 0);
}
