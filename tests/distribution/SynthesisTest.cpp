#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include "Fixtures.h"
#include "core/AppState.h"
#include "distribution/Densities.h"
#include "distribution/Synthesis.h"
#include "support/ScriptedPrompter.h"

using namespace karmo;
using karmo::test::ScriptedPrompter;
using karmo::test::SetGrid;

namespace {

const char* kTitle = "Editing Stress Spectrum";
const char* kInsufficient = "There is insufficient number of effective spectrum levels.";

std::string removed(int k) {
    return std::to_string(k) + " last spectrum levels with 0 cycles have been removed.";
}

AppState source(int16_t type, float q, float r, float maxRange, float minRange, int levels,
                int volume) {
    AppState s;
    SetGrid(s, maxRange, minRange, levels, volume);
    s.DistributionType = type;
    s.batch().SourceQ = q;
    s.batch().SourceR = r;
    return s;
}

std::vector<int> cycles(const AppState& s) {
    std::vector<int> v;
    for (int i = 1; i <= s.batch().LevelCount; ++i) v.push_back(s.batch().LevelCycles[i]);
    return v;
}

}  // namespace

TEST(SynthesizeSpectrum, Examples) {
    struct Case {
        const char* name;
        int16_t type;
        float q, r, maxRange, minRange;
        int levels, volume;
        std::vector<int> expected;
        float expectedMin;
        const char* message;  // nullptr: none
        Icon icon;
    };
    const Case cases[] = {
        // Densities at x = 0.8, 0.4, 0 round to 5, 17, 0; normalised 2, 8; the last level
        // gets 10 - 10 = 0 and is removed.
        {"Weibull example", kWeibull, 50, 2, 100, 20, 3, 10, {2, 8}, 60, "1", Icon::Information},
        // Level 1 rounds to 0 and is raised to one cycle; level 2 is cut to keep N.
        {"level-1 floor", kWeibull, 20, 2, 100, 20, 3, 10, {1, 9}, 60, "1", Icon::Information},
        // Level 3 rounds to 4 but only 3 cycles are left; level 4 gets none and goes.
        {"early exhaustion", kWeibull, 40, 3, 100, 20, 4, 5, {1, 1, 3}, 46.666668f, "1",
         Icon::Information},
        // Everything lands in level 1.
        {"insufficient levels", kWeibull, 100, 8, 100, 20, 3, 10, {}, 100, kInsufficient,
         Icon::Critical},
        // The empty level above the last takes its cycles and becomes the last level, at
        // its own range.
        {"merge above the last", kWeibull, 30, 3, 100, 20, 4, 5, {1, 4}, 73.333336f, "2",
         Icon::Information},
        // N / n = 1, Q / R = 1: level 7 (c = 1.426) is scaled by 1.1 and rounds to 2, which
        // uses up the volume before level 8.
        {"Beta 1.1 factor", kBeta, 1.8f, 1.8f, 100, 60, 8, 8, {1, 1, 1, 1, 1, 1, 2}, 65.714287f,
         "1", Icon::Information},
        // Both parameters at least 2.1: no factor although c > 1.4 from level 6 on.
        {"Beta 2.5/2.5", kBeta, 2.5f, 2.5f, 100, 60, 8, 8, {1, 0, 1, 1, 1, 1, 2, 1}, 60, nullptr,
         Icon::Information},
        // The four-level case of the 100..20 grid: no level reaches c > 1.4.
        {"Beta 1.5/1.5", kBeta, 1.5f, 1.5f, 100, 20, 4, 4, {1, 1, 1, 1}, 20, nullptr,
         Icon::Information},
    };
    for (const Case& c : cases) {
        AppState s = source(c.type, c.q, c.r, c.maxRange, c.minRange, c.levels, c.volume);
        ScriptedPrompter p;
        if (c.message) {
            const std::string text = c.icon == Icon::Critical ? std::string(c.message)
                                                              : removed(std::stoi(c.message));
            p.expect(kTitle, text, c.icon);
        }
        ASSERT_TRUE(SynthesizeSpectrum(s, p)) << c.name;
        EXPECT_EQ(cycles(s), c.expected) << c.name;
        if (c.icon != Icon::Critical) {
            EXPECT_EQ(s.batch().MinRange, c.expectedMin) << c.name;
        }
        EXPECT_EQ(s.batch().Volume, c.volume) << c.name;
    }
}

TEST(SynthesizeSpectrum, CountsAddUpToTheVolumeAndRangesFollowTheGrid) {
    AppState s = source(kWeibull, 50, 2, 100, 20, 3, 10);
    ScriptedPrompter p;
    p.expect(kTitle, removed(1));
    ASSERT_TRUE(SynthesizeSpectrum(s, p));
    EXPECT_EQ(s.batch().LevelCount, 2);
    EXPECT_EQ(s.batch().LevelRange[1], 100.0f);
    EXPECT_EQ(s.batch().LevelRange[2], 60.0f);
    EXPECT_EQ(s.batch().LevelRange[3], 20.0f);
    EXPECT_EQ(s.batch().LevelCycles[1] + s.batch().LevelCycles[2], 10);
}

TEST(SynthesizeSpectrum, MergedLevelKeepsTheGridOfTheLevelsAbove) {
    AppState s = source(kWeibull, 30, 3, 100, 20, 4, 5);
    ScriptedPrompter p;
    p.expect(kTitle, removed(2));
    ASSERT_TRUE(SynthesizeSpectrum(s, p));
    const DataBatch& b = s.batch();
    ASSERT_EQ(b.LevelCount, 2);
    // The new MinRange is the range the merged level had; the grid from 100 to it with
    // two levels puts the levels where they were.
    EXPECT_EQ(b.MinRange, b.LevelRange[2]);
    EXPECT_EQ(b.LevelRange[1], 100.0f);
}

TEST(SynthesizeSpectrum, InsufficientLevelsLeaveNoLevels) {
    AppState s = source(kWeibull, 100, 8, 100, 20, 3, 10);
    ScriptedPrompter p;
    p.expect(kTitle, kInsufficient, Icon::Critical);
    ASSERT_TRUE(SynthesizeSpectrum(s, p));
    EXPECT_EQ(s.batch().LevelCount, 0);
}

TEST(SynthesizeSpectrum, StrainTitle) {
    AppState s = source(kWeibull, 50, 2, 100, 20, 3, 10);
    s.QuantityName = "Strain ";
    ScriptedPrompter p;
    p.expect("Editing Strain Spectrum", removed(1));
    EXPECT_TRUE(SynthesizeSpectrum(s, p));
}

TEST(SynthesizeSpectrum, GuardsReportAndChangeNothing) {
    struct Case {
        const char* name;
        int16_t type;
        float q, r, maxRange, minRange;
        int levels, volume;
        const char* message;
    };
    const Case cases[] = {
        {"one level", kWeibull, 50, 2, 100, 20, 1, 10, "At least 2 spectrum levels are needed."},
        {"101 levels", kWeibull, 50, 2, 100, 20, 101, 10, "A spectrum has at most 100 levels."},
        {"max range 0", kWeibull, 50, 2, 0, 20, 3, 10,
         "The maximum and minimum ranges of the spectrum must be greater than 0."},
        {"min range 0", kWeibull, 50, 2, 100, 0, 3, 10,
         "The maximum and minimum ranges of the spectrum must be greater than 0."},
        {"min above max", kWeibull, 50, 2, 100, 120, 3, 10,
         "The minimum range must be smaller than the maximum range."},
        {"no volume", kWeibull, 50, 2, 100, 20, 3, 0, "The spectrum volume must be at least 1 cycle."},
        {"Beta Q 0", kBeta, 0, 2, 100, 60, 3, 10, "The value of Q must be greater than 0"},
        {"Beta R negative", kBeta, 2, -1, 100, 60, 3, 10, "The value of R must be greater than 0"},
        {"Weibull R 0", kWeibull, 50, 0, 100, 20, 3, 10, "The value of R must be greater than 0"},
        {"Log-norm R 0", kLognorm, 3, 0, 100, 60, 3, 10, "The value of R must be greater than 0"},
        {"Log-norm Q infinite", kLognorm, std::numeric_limits<float>::infinity(), 1, 100, 60, 3, 10,
         "The distribution parameters are not valid numbers."},
        // MinRange 20 on three levels: the lowest boundary is 20 - 40 / 2 = 0.
        {"Beta boundary 0", kBeta, 2, 2, 100, 20, 3, 10,
         "The lowest spectrum level reaches down to a range of 0; "
         "the minimum range must be greater than half the level width."},
        {"Log-norm boundary below 0", kLognorm, 3, 1, 100, 10, 3, 10,
         "The lowest spectrum level reaches down to a range of 0; "
         "the minimum range must be greater than half the level width."},
        // Weibull with R < 1 is infinite at x = 0.
        {"Weibull density infinite", kWeibull, 50, 0.5f, 100, 20, 3, 10,
         "The density of the distribution cannot be evaluated on this level grid."},
        // A density of 1.69 at level 2 times a volume of 2e9 does not fit 32 bits.
        {"count overflow", kWeibull, 50, 2, 100, 20, 3, 2000000000,
         "A level would receive more cycles than can be stored; check the distribution parameters."},
    };
    for (const Case& c : cases) {
        AppState s = source(c.type, c.q, c.r, c.maxRange, c.minRange, c.levels, c.volume);
        s.batch().LevelRange[1] = 123;
        s.batch().LevelCycles[1] = 45;
        const BatchRecord before = s.batch();
        ScriptedPrompter p;
        p.expect(kTitle, c.message, Icon::Critical);
        EXPECT_FALSE(SynthesizeSpectrum(s, p)) << c.name;
        EXPECT_TRUE(static_cast<const BatchRecord&>(s.batch()) == before) << c.name;
    }
}
