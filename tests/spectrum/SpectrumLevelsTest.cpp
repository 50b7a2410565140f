#include <gtest/gtest.h>

#include <cmath>

#include "spectrum/SpectrumLevels.h"
#include "spectrum/SpectrumParams.h"
#include "support/ScriptedPrompter.h"

using namespace karmo;
using karmo::test::ScriptedPrompter;

namespace {

// A batch after a count of n = 2 x ranges.size() points with the given (ascending) ranges.
AppState counted(const std::vector<float>& ranges, int16_t levels, float smax, float smin) {
    AppState s;
    const auto k = static_cast<int32_t>(ranges.size());
    s.batch().PointCount = 2 * k;
    s.CountedRanges.assign(static_cast<size_t>(k) + 2, 0.0f);
    for (int32_t i = 0; i < k; ++i) s.CountedRanges[static_cast<size_t>(i) + 1] = ranges[static_cast<size_t>(i)];
    s.batch().LevelCount = levels;
    s.batch().MaxRange = smax;
    s.batch().MinRange = smin;
    return s;
}

std::vector<float> levelRanges(const AppState& s) {
    const auto& b = s.batch();
    return std::vector<float>(b.LevelRange.begin() + 1, b.LevelRange.begin() + 1 + b.LevelCount);
}

std::vector<int32_t> levelCycles(const AppState& s) {
    const auto& b = s.batch();
    return std::vector<int32_t>(b.LevelCycles.begin() + 1, b.LevelCycles.begin() + 1 + b.LevelCount);
}

}  // namespace

TEST(BuildSpectrumLevels, WorkedExamples) {
    struct Case {
        const char* what;
        std::vector<float> ranges;
        int16_t levels;
        float smax, smin;
        std::vector<float> expectRanges;
        std::vector<int32_t> expectCycles;
        int32_t volume, omitted;
        float minAfter;
    };
    const std::vector<Case> cases = {
        {"L = 3", {2, 6, 10}, 3, 10, 2, {10, 6, 2}, {1, 1, 1}, 3, 0, 2},
        {"Smin = 6, L = 2", {2, 6, 10}, 2, 10, 6, {10, 6}, {1, 1}, 2, 1, 6},
        // L = 1: the boundary is Smin - Smax/2 = -3, taken before the range becomes Smax.
        {"L = 1", {2, 6, 10}, 1, 10, 2, {10}, {3}, 3, 0, 2},
        {"L = 1 above the span", {0.5f, 9, 30}, 1, 10, 8, {10}, {2}, 2, 1, 8},
        // Ranges on the boundaries 8 and 4 belong to the levels above them.
        {"on boundaries", {0, 4, 4, 8, 8.5f, 10}, 3, 10, 2, {10, 6, 2}, {3, 2, 1}, 6, 0, 2},
        {"empty inner level stays", {2, 9, 10}, 3, 10, 2, {10, 6, 2}, {2, 0, 1}, 3, 0, 2},
        {"above Smax + dS/2 in level 1", {2, 6, 100}, 3, 10, 2, {10, 6, 2}, {1, 1, 1}, 3, 0, 2},
    };
    for (const Case& c : cases) {
        AppState s = counted(c.ranges, c.levels, c.smax, c.smin);
        s.batch().FitQ = 1;
        s.batch().FitR = 2;
        s.batch().SourceQ = 3;
        s.batch().SourceR = 4;
        ScriptedPrompter p;
        BuildSpectrumLevels(s, p);
        const auto& b = s.batch();
        EXPECT_EQ(levelRanges(s), c.expectRanges) << c.what;
        EXPECT_EQ(levelCycles(s), c.expectCycles) << c.what;
        EXPECT_EQ(b.Volume, c.volume) << c.what;
        EXPECT_EQ(s.OmittedCycles, c.omitted) << c.what;
        EXPECT_EQ(b.MinRange, c.minAfter) << c.what;
        EXPECT_EQ(b.FitQ, 0.0f);
        EXPECT_EQ(b.FitR, 0.0f);
        EXPECT_EQ(b.SourceQ, 0.0f);
        EXPECT_EQ(b.SourceR, 0.0f);
    }
}

TEST(BuildSpectrumLevels, TrailingEmptyLevelsAreRemovedWithAMessage) {
    // Five levels 10, 8, 6, 4, 2 (boundaries 9, 7, 5, 3, 1): the two lowest stay empty.
    AppState s = counted({6, 8, 10}, 5, 10, 2);
    ScriptedPrompter p;
    p.expect("Editing Stress Spectrum", "2 last spectrum levels with 0 cycles have been removed.",
             Icon::Information);
    BuildSpectrumLevels(s, p);
    EXPECT_EQ(s.batch().LevelCount, 3);
    EXPECT_EQ(levelRanges(s), (std::vector<float>{10, 8, 6}));
    EXPECT_EQ(levelCycles(s), (std::vector<int32_t>{1, 1, 1}));
    EXPECT_EQ(s.batch().MinRange, 6.0f);
    EXPECT_EQ(s.batch().Volume, 3);
}

TEST(BuildSpectrumLevels, MessageNamesTheQuantity) {
    AppState s = counted({6, 8, 10}, 4, 10, 4);
    s.QuantityName = "Strain ";
    ScriptedPrompter p;
    p.expect("Editing Strain Spectrum", "1 last spectrum levels with 0 cycles have been removed.");
    BuildSpectrumLevels(s, p);
    EXPECT_EQ(s.batch().LevelCount, 3);
}

TEST(BuildSpectrumLevels, NoMessageWhenOneLevelOrNoneRemains) {
    {   // One level left: removed silently, MinRange the range of level 1.
        AppState s = counted({8, 9, 10}, 2, 10, 2);
        ScriptedPrompter p;
        BuildSpectrumLevels(s, p);
        EXPECT_EQ(s.batch().LevelCount, 1);
        EXPECT_EQ(s.batch().MinRange, 10.0f);
    }
    {   // Every level empty: no level, MinRange 0, every cycle omitted.
        AppState s = counted({1, 2, 3}, 2, 10, 8);
        ScriptedPrompter p;
        BuildSpectrumLevels(s, p);
        EXPECT_EQ(s.batch().LevelCount, 0);
        EXPECT_EQ(s.batch().MinRange, 0.0f);
        EXPECT_EQ(s.batch().Volume, 0);
        EXPECT_EQ(s.OmittedCycles, 3);
        EXPECT_TRUE(SpectrumInfo(s, 1).showParamsInstead);
    }
}

TEST(BuildSpectrumLevels, LevelGridInSinglePrecision) {
    // Smin + (L - j) x dS with every step rounded to single precision.
    AppState s = counted({0.3f, 0.7f, 1.1f, 2.9f}, 7, 3.1f, 0.2f);
    ScriptedPrompter p;
    p.disarm();
    BuildSpectrumLevels(s, p);
    const float dS = std::fabs(3.1f - 0.2f) / 6.0f;
    const auto& b = s.batch();
    EXPECT_EQ(b.LevelRange[1], 3.1f);
    for (int j = 2; j <= 7; ++j) {
        const float offset = static_cast<float>(7 - j) * dS;
        EXPECT_EQ(b.LevelRange[static_cast<size_t>(j)], 0.2f + offset) << j;
    }
}

TEST(SpectrumInfo, PanelTexts) {
    AppState s = counted({2, 6, 10, 10, 10, 11, 12}, 6, 12, 2);
    ScriptedPrompter p;
    p.disarm();
    BuildSpectrumLevels(s, p);
    FillWorkingLevels(s);
    SpectrumInfoView panel = SpectrumInfo(s, 1);
    EXPECT_EQ(panel.caption, "Stress Spectrum Information");
    EXPECT_EQ(panel.omitted, "Omitted cycles: 0");
    EXPECT_EQ(panel.scrollMin, 1);
    EXPECT_EQ(panel.scrollMax, 2);
    EXPECT_TRUE(panel.fitEnabled);
    EXPECT_EQ(panel.rows[0].level, "1");
    EXPECT_EQ(panel.rows[0].stress, "12.00");
    EXPECT_EQ(panel.rows[0].cycles, "2");
    EXPECT_EQ(panel.rows[1].stress, "10.00");
    EXPECT_EQ(panel.rows[1].cycles, "3");
    panel = SpectrumInfo(s, 2);
    EXPECT_EQ(panel.rows[0].level, "2");
    EXPECT_EQ(panel.rows[4].level, "6");
    EXPECT_EQ(panel.rows[4].stress, "2.00");
    // Display units: x QuantityFactor.
    s.QuantityFactor = 0.5f;
    EXPECT_EQ(SpectrumInfo(s, 1).rows[0].stress, "6.00");
    // Rows beyond the last level are blank.
    AppState small = counted({2, 6, 10}, 3, 10, 2);
    BuildSpectrumLevels(small, p);
    FillWorkingLevels(small);
    panel = SpectrumInfo(small, 1);
    EXPECT_EQ(panel.scrollMax, 1);
    EXPECT_EQ(panel.rows[2].level, "3");
    EXPECT_EQ(panel.rows[3].level, "");
    EXPECT_EQ(panel.rows[3].stress, "");
    EXPECT_EQ(panel.rows[4].cycles, "");
}

TEST(SpectrumInfo, FittingNeedsCyclesInTwoLevels) {
    BatchRecord b;
    b.LevelCount = 3;
    b.LevelCycles[1] = 5;
    b.Volume = 5;
    EXPECT_FALSE(SpectrumFitEnabled(b));   // all cycles in the top level
    b.Volume = 6;
    EXPECT_TRUE(SpectrumFitEnabled(b));
    b.LevelCount = 1;
    EXPECT_FALSE(SpectrumFitEnabled(b));
}

TEST(SpectrumParams, ProposalsAfterACount) {
    AppState s = counted({2, 6, 10}, 0, 10, 0);
    s.MinCountedRange = 2;
    s.MaxLevels = 3;
    s.batch().RecordTime = 12.5f;
    const SpectrumParamsProposal d = ProposeSpectrumParams(s, true);
    EXPECT_EQ(d.caption, "Edit Stress Spectrum Parameters");
    EXPECT_EQ(d.maxLabel, "Max Stress Range [MPa]:");
    EXPECT_EQ(d.minLabel, "Min Stress Range [MPa]:");
    EXPECT_EQ(d.levelsLabel, "# of Stress Levels (max 3):");
    EXPECT_EQ(d.volumeLabel, "Spectrum Volume [cyc]:");
    EXPECT_EQ(d.recordTimeLabel, "Record Time [min]:");
    EXPECT_EQ(s.batch().LevelCount, 3);   // 7, lowered to n/2
    EXPECT_EQ(s.batch().Volume, 3);
    EXPECT_EQ(d.levelsText, "3");
    EXPECT_EQ(d.volumeText, "3");
    EXPECT_EQ(d.maxText, "10.0");
    EXPECT_FALSE(d.maxEditable);
    EXPECT_EQ(d.minText, "3.333");          // 10 / 3 above MinCountedRange
    EXPECT_EQ(d.minValue, 10.0f / 3.0f);
    EXPECT_EQ(d.recordTimeText, "12.5");
    EXPECT_EQ(MinRangeLowerLimit(s), 10.0f / 3.0f - 0.0005f);
}

TEST(SpectrumParams, ProposalCases) {
    {   // A long history: 7 levels, limit MaxLevels; a stored MinRange is proposed as it is.
        AppState s;
        s.batch().PointCount = 1000;
        s.batch().MaxRange = 123.456f;
        s.batch().MinRange = 20;
        s.MaxLevels = 100;
        s.MinCountedRange = 1.5f;
        const SpectrumParamsProposal d = ProposeSpectrumParams(s, true);
        EXPECT_EQ(d.levelsText, "7");
        EXPECT_EQ(d.volumeText, "500");
        EXPECT_EQ(d.levelsLimit, 100);
        EXPECT_EQ(d.maxText, "123.456");
        EXPECT_EQ(d.minText, "20.00");
    }
    {   // MinCountedRange above MaxRange / LevelCount; strain units.
        AppState s;
        s.QuantityName = "Strain ";
        s.QuantityUnitBracket = "[\xC2\xB5str]";
        s.batch().PointCount = 40;
        s.batch().LevelCount = 4;
        s.batch().MaxRange = 100;
        s.MinCountedRange = 30;
        s.MaxLevels = 20;
        const SpectrumParamsProposal d = ProposeSpectrumParams(s, true);
        EXPECT_EQ(d.levelsLabel, "# of Strain Levels (max 20):");
        EXPECT_EQ(d.maxLabel, "Max Strain Range [\xC2\xB5str]:");
        EXPECT_EQ(d.minText, "30.00");
        EXPECT_EQ(MinRangeLowerLimit(s), 30.0f);
    }
    {   // No history: the stored volume, limit from it; no levels gives the minimum 0.
        AppState s;
        s.batch().Volume = 50;
        s.MaxLevels = 100;
        SpectrumParamsProposal d = ProposeSpectrumParams(s, false);
        EXPECT_EQ(d.levelsLimit, 50);
        EXPECT_EQ(d.volumeText, "50");
        EXPECT_EQ(d.minText, "0.0");
        EXPECT_TRUE(d.maxEditable);
        s.batch().Volume = 0;
        d = ProposeSpectrumParams(s, false);
        EXPECT_EQ(d.levelsLimit, 100);
    }
}
