#include <gtest/gtest.h>

#include "spectrum/SpectrumLevels.h"
#include "spectrum/SpectrumParams.h"
#include "support/ScriptedPrompter.h"

using namespace karmo;
using karmo::test::ScriptedPrompter;

namespace {

// A batch after a count of n = 2 x ranges.size() points with the given (ascending) ranges.
AppState counted(const std::vector<float>& ranges, int16_t levels, float smax, float smin) {
    AppState s;
    s.batch().PointCount = 2 * static_cast<int32_t>(ranges.size());
    s.CountedRanges = {0};
    s.CountedRanges.insert(s.CountedRanges.end(), ranges.begin(), ranges.end());
    s.CountedRanges.push_back(0);
    s.batch().LevelCount = levels;
    s.batch().MaxRange = smax;
    s.batch().MinRange = smin;
    return s;
}

template <class A>
std::vector<typename A::value_type> firstLevels(const A& a, int n) {
    return {a.begin() + 1, a.begin() + 1 + n};
}

std::string rowText(const SpectrumGridRow& r) { return r.level + "|" + r.stress + "|" + r.cycles; }

}  // namespace

TEST(BuildSpectrumLevels, WorkedExamplesAndEmptyLevels) {
    struct Case {
        const char* quantity;
        std::vector<float> ranges;
        int16_t levels;
        float smax, smin;
        std::vector<float> expectRanges;
        std::vector<int32_t> expectCycles;
        int32_t omitted;
        float minAfter;
        const char* message;
    };
    const Case cases[] = {
        {"Stress ", {2, 6, 10}, 3, 10, 2, {10, 6, 2}, {1, 1, 1}, 0, 2, nullptr},
        {"Stress ", {2, 6, 10}, 2, 10, 6, {10, 6}, {1, 1}, 1, 6, nullptr},
        {"Stress ", {2, 6, 10}, 1, 10, 2, {10}, {3}, 0, 2, nullptr},
        // Ranges on the boundaries 8 and 4 belong to the levels above them.
        {"Stress ", {0, 4, 4, 8, 8.5f, 10}, 3, 10, 2, {10, 6, 2}, {3, 2, 1}, 0, 2, nullptr},
        {"Stress ", {2, 9, 10}, 3, 10, 2, {10, 6, 2}, {2, 0, 1}, 0, 2, nullptr},  // an inner empty level stays
        {"Stress ", {6, 8, 10}, 5, 10, 2, {10, 8, 6}, {1, 1, 1}, 0, 6,
         "2 last spectrum levels with 0 cycles have been removed."},
        {"Strain ", {6, 8, 10}, 4, 10, 4, {10, 8, 6}, {1, 1, 1}, 0, 6,
         "1 last spectrum levels with 0 cycles have been removed."},
        {"Stress ", {8, 9, 10}, 2, 10, 2, {10}, {3}, 0, 10, nullptr},  // one level left: no message
        {"Stress ", {1, 2, 3}, 2, 10, 8, {}, {}, 3, 0, nullptr},       // none left: MinRange 0
    };
    for (const Case& c : cases) {
        AppState s = counted(c.ranges, c.levels, c.smax, c.smin);
        s.QuantityName = c.quantity;
        DataBatch& b = s.batch();
        b.FitQ = b.FitR = b.SourceQ = b.SourceR = 1;
        ScriptedPrompter p;
        if (c.message) p.expect(std::string("Editing ") + c.quantity + "Spectrum", c.message, Icon::Information);
        BuildSpectrumLevels(s, p);
        EXPECT_EQ(firstLevels(b.LevelRange, b.LevelCount), c.expectRanges) << c.levels << " levels";
        EXPECT_EQ(firstLevels(b.LevelCycles, b.LevelCount), c.expectCycles) << c.levels << " levels";
        EXPECT_EQ(std::tuple(b.Volume, s.OmittedCycles, b.MinRange, b.FitQ + b.FitR + b.SourceQ + b.SourceR),
                  std::tuple(static_cast<int32_t>(c.ranges.size()) - c.omitted, c.omitted, c.minAfter, 0.0f));
        EXPECT_EQ(SpectrumInfo(s, 1).showParamsInstead, b.LevelCount == 0);
    }
}

TEST(SpectrumInfo, GridRowsScrollAndFitting) {
    AppState s = counted({2, 6, 10, 10, 10, 11, 12}, 6, 12, 2);
    ScriptedPrompter p;
    BuildSpectrumLevels(s, p);
    FillWorkingLevels(s);
    const SpectrumInfoView v = SpectrumInfo(s, 2);
    EXPECT_EQ(std::tuple(v.caption, v.omitted, v.scrollMax, v.fitEnabled, rowText(v.rows[0]), rowText(v.rows[4])),
              std::tuple("Stress Spectrum Information", "Omitted cycles: 0", 2, true, "2|10.00|3", "6|2.00|1"));
    s.QuantityFactor = 0.5f;  // display units
    EXPECT_EQ(rowText(SpectrumInfo(s, 1).rows[0]), "1|6.00|2");
    s.batch().LevelCount = 3;  // rows beyond the last level are blank
    EXPECT_EQ(std::tuple(SpectrumInfo(s, 1).scrollMax, rowText(SpectrumInfo(s, 1).rows[3])), std::tuple(1, "||"));
    BatchRecord b;  // fitting needs cycles in two levels
    b.LevelCount = 3;
    b.LevelCycles[1] = b.Volume = 5;
    EXPECT_FALSE(SpectrumFitEnabled(b));
    b.Volume = 6;
    EXPECT_TRUE(SpectrumFitEnabled(b));
}

TEST(SpectrumParams, ProposalsAfterACount) {
    AppState s = counted({2, 6, 10}, 0, 10, 0);
    s.MinCountedRange = 2;
    s.MaxLevels = 3;
    s.batch().RecordTime = 12.5f;
    SpectrumParamsProposal d = ProposeSpectrumParams(s, true);
    EXPECT_EQ(d.caption + "|" + d.maxLabel + "|" + d.minLabel + "|" + d.levelsLabel + "|" + d.volumeLabel + "|" +
                  d.recordTimeLabel,
              "Edit Stress Spectrum Parameters|Max Stress Range [MPa]:|Min Stress Range [MPa]:|"
              "# of Stress Levels (max 3):|Spectrum Volume [cyc]:|Record Time [min]:");
    // 7 levels lowered to n/2; 10 / 3 lies above MinCountedRange; the largest range stays.
    EXPECT_EQ(d.levelsText + "|" + d.volumeText + "|" + d.maxText + "|" + d.minText + "|" + d.recordTimeText,
              "3|3|10.0|3.333|12.5");
    EXPECT_EQ(std::tuple(s.batch().LevelCount, s.batch().Volume, d.maxEditable, d.minValue, MinRangeLowerLimit(s)),
              std::tuple(int16_t(3), 3, false, 10.0f / 3.0f, 10.0f / 3.0f - 0.0005f));
    s = AppState();  // a long history: 7 levels, limit MaxLevels; a stored MinRange as it is
    s.batch().PointCount = 1000;
    s.batch().MaxRange = 123.456f;
    s.batch().MinRange = 20;
    s.MinCountedRange = 1.5f;
    d = ProposeSpectrumParams(s, true);
    EXPECT_EQ(d.levelsText + "|" + d.volumeText + "|" + d.maxText + "|" + d.minText + "|" + d.levelsLabel,
              "7|500|123.456|20.00|# of Stress Levels (max 100):");
    s.batch().MinRange = 0;  // MinCountedRange above MaxRange / LevelCount
    s.MinCountedRange = 30;
    d = ProposeSpectrumParams(s, true);
    EXPECT_EQ(std::tuple(d.minText, MinRangeLowerLimit(s)), std::tuple("30.00", 30.0f));
    // A short new history in a batch that kept an earlier spectrum: its 12 levels and its
    // smallest range of 25.4 lie outside what the new count allows.
    s = AppState();
    s.batch().PointCount = 4;
    s.batch().MaxRange = 7;
    s.batch().MinRange = 25.4f;
    s.batch().LevelCount = 12;
    s.MinCountedRange = 1;
    s.MaxLevels = 2;
    d = ProposeSpectrumParams(s, true);
    EXPECT_EQ(d.levelsText + "|" + d.minText + "|" + d.levelsLabel, "2|3.50|# of Stress Levels (max 2):");
}
