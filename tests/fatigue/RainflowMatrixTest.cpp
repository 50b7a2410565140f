#include <gtest/gtest.h>

#include <numeric>
#include <random>

#include "fatigue/RainflowMatrix.h"
#include "spectrum/RainflowCounter.h"

namespace karmo {
namespace {

struct YesPrompter : Prompter {
    Answer ask(const Prompt&) override { return Answer::Yes; }
};

// Counts h (rotated to its largest magnitude) with the cycles kept.
void countKeeping(AppState& s, const std::vector<float>& h) {
    s.Values.assign(h.size() + 2, 0.0f);
    std::copy(h.begin(), h.end(), s.Values.begin() + 1);
    s.batch().PointCount = static_cast<int32_t>(h.size());
    RearrangeHistory(s.Values, s.batch().PointCount);
    s.KeepCycles = true;
    YesPrompter p;
    ASSERT_TRUE(CountCycles(s, p));
}

// Builds the levels as the dialog's OK does and returns the matrix of the same grid.
RainflowMatrix buildBoth(AppState& s, int16_t levels, float minRange, int32_t meanBins) {
    DataBatch& b = s.batch();
    b.LevelCount = levels;
    b.MinRange = minRange;
    const LevelGrid grid = SpectrumLevelGrid(levels, b.MaxRange, minRange);
    YesPrompter p;
    BuildSpectrumLevels(s, p);
    double low, high;
    HistorySpan(s, low, high);
    return BuildRainflowMatrix(s.CountedCycles, grid, b.LevelCount, low, high, meanBins);
}

TEST(RainflowMatrix, RowsSumToTheSpectrumLevels) {
    std::mt19937 rng(3);
    std::uniform_real_distribution<float> mag(1.0f, 1000.0f);
    std::vector<float> h(40000);
    for (size_t i = 0; i < h.size(); ++i) h[i] = i % 2 ? -mag(rng) : mag(rng);
    const struct {
        bool mse;
        int16_t levels;
        float minFraction;   // of the largest range
        int32_t meanBins;
    } cases[] = {{false, 1, 0.5f, 1}, {false, 7, 0.1f, 8}, {false, 20, 0.6f, 33},
                 {false, 100, 0.01f, 5}, {true, 10, 0.2f, 12}};
    for (const auto& c : cases) {
        AppState s;
        s.MseIncluded = c.mse;
        s.batch().UltimateStrength = 5000;
        s.batch().YieldStrength = 3000;
        s.KfInUse = 1.5f;
        countKeeping(s, h);
        const RainflowMatrix m = buildBoth(s, c.levels, c.minFraction * s.batch().MaxRange, c.meanBins);
        const DataBatch& b = s.batch();
        ASSERT_EQ(m.counts.size(), static_cast<size_t>(b.LevelCount));
        EXPECT_EQ(m.rangeEdges.size(), m.counts.size() + 1);
        EXPECT_EQ(m.meanEdges.size(), static_cast<size_t>(c.meanBins) + 1);
        for (int i = 1; i <= b.LevelCount; ++i) {
            const auto& row = m.counts[static_cast<size_t>(i - 1)];
            EXPECT_EQ(std::accumulate(row.begin(), row.end(), 0), b.LevelCycles[static_cast<size_t>(i)])
                << c.levels << " levels, level " << i;
        }
    }
}

TEST(RainflowMatrix, IdenticalCyclesFillOneCell) {
    AppState s;
    countKeeping(s, {100, 0, 100, 0, 100, 0, 100, 0});
    const RainflowMatrix m = buildBoth(s, 3, 40, 4);
    ASSERT_EQ(m.counts.size(), 1u);   // the two empty lower levels are removed
    EXPECT_EQ(m.counts[0], (std::vector<int32_t>{0, 0, 4, 0}));   // mean 50 opens the third bin
    EXPECT_EQ(m.meanEdges, (std::vector<double>{0, 25, 50, 75, 100}));
    EXPECT_EQ(m.rangeEdges, (std::vector<float>{115, 85}));
}

}  // namespace
}  // namespace karmo
