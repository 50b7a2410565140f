#include <gtest/gtest.h>

#include "spectrum/CycleCount.h"
#include "support/ScriptedPrompter.h"
#include "SpectrumTestSupport.h"

using namespace karmo;
using karmo::test::ScriptedPrompter;

TEST(CycleCountClick, StressHistoryIsRearrangedThenTheMeanStressDialogOpens) {
    AppState s;
    karmo::test::SetHistory(s, {0, 10, 2, 8, 4, 6});
    s.batch().LevelCount = 2;
    s.batch().Volume = 9;
    ScriptedPrompter p;
    p.expect("Stress History", "The Stress History has been rearranged.", Icon::Information);
    const CycleCountOutcome out = CycleCountClick(s, p);
    EXPECT_TRUE(out.ran);
    EXPECT_TRUE(out.rearranged);
    EXPECT_TRUE(s.HistoryPlotOutdated);
    EXPECT_FALSE(out.conflict);
    EXPECT_TRUE(out.meanStressDialog);
    EXPECT_EQ(out.dialog.ultimateText, "500");
    EXPECT_EQ(s.UiMode, 0);
    EXPECT_EQ(karmo::test::HistoryOf(s), (std::vector<float>{10, 2, 8, 4, 6, 0}));
    EXPECT_EQ(s.ProcessedCount, 6);
    EXPECT_EQ(s.SpectrumBackup, static_cast<const BatchRecord&>(s.batch()));
    EXPECT_TRUE(s.CountedRanges.empty());   // counting waits for the dialog
    EXPECT_EQ(p.busyDepth, 0);

    const MeanStressOkOutcome counted = MeanStressOk(s, p, out.dialog);   // "Ignore"
    EXPECT_TRUE(counted.redrawHistory);
    EXPECT_TRUE(counted.counted);
    EXPECT_EQ(s.CountedRanges, (std::vector<float>{0, 2, 6, 10, 0}));
}

TEST(CycleCountClick, NoMessageWhenTheHistoryStartsAtItsLargestMagnitude) {
    AppState s;
    karmo::test::SetHistory(s, {-12, 5, -1, 12, -4, 3});
    ScriptedPrompter p;
    const CycleCountOutcome out = CycleCountClick(s, p);
    EXPECT_FALSE(out.rearranged);
    EXPECT_TRUE(out.meanStressDialog);
    EXPECT_EQ(karmo::test::HistoryOf(s), (std::vector<float>{-12, 5, -1, 12, -4, 3}));
}

TEST(CycleCountClick, StrainHistoryCountsAtOnceWithoutCorrection) {
    AppState s;
    s.QuantityName = "Strain ";
    karmo::test::SetHistory(s, {0, 10, 2, 8, 4, 6});
    s.MseIncluded = true;
    s.DmseLabel = "DMSE(+): Su=500, Sy=300, Kf=1.0";
    s.batch().UltimateStrength = 500;
    s.batch().YieldStrength = 300;
    s.batch().NotchFactor = 1;
    ScriptedPrompter p;
    p.expect("Strain History", "The Strain History has been rearranged.");
    const CycleCountOutcome out = CycleCountClick(s, p);
    EXPECT_FALSE(out.meanStressDialog);
    EXPECT_TRUE(out.counting.counted);
    EXPECT_FALSE(s.MseIncluded);
    EXPECT_EQ(s.DmseLabel, "DMSE(-)  ");
    EXPECT_EQ(s.batch().UltimateStrength, 0.0f);
    EXPECT_EQ(s.batch().YieldStrength, 0.0f);
    EXPECT_EQ(s.batch().NotchFactor, 0.0f);
    EXPECT_EQ(s.CountedRanges, (std::vector<float>{0, 2, 6, 10, 0}));
    EXPECT_TRUE(s.AfterCounting);
    EXPECT_EQ(s.UiMode, 0);   // the spectrum-parameters dialog follows
}

TEST(CycleCountClick, ConflictingHistoryIsNotCounted) {
    AppState s;
    karmo::test::SetHistory(s, {1, 5, 7, 2});   // rearranged to 7, 2, 1, 5: two falls in a row
    ScriptedPrompter p;
    p.expect("Stress History", "The Stress History has been rearranged.");
    p.expect("Check Stress History",
             "The Stress History has conflicting values at Stress index 3\nRemove the conflict?",
             Answer::No);
    p.expect("Stress History", "Please use the Correction option to correct the conflicting values.",
             Icon::Information);
    const CycleCountOutcome out = CycleCountClick(s, p);
    EXPECT_TRUE(out.conflict);
    EXPECT_FALSE(out.historyShortened);
    EXPECT_FALSE(out.meanStressDialog);
    EXPECT_EQ(s.UiMode, 1);
    EXPECT_TRUE(s.CountedRanges.empty());
    EXPECT_EQ(p.busyDepth, 0);
}

TEST(CycleCountClick, NothingUnlessIdle) {
    AppState s;
    karmo::test::SetHistory(s, {0, 10, 2, 8, 4, 6});
    s.UiMode = 0;
    ScriptedPrompter p;
    EXPECT_FALSE(CycleCountClick(s, p).ran);
    EXPECT_EQ(karmo::test::HistoryOf(s), (std::vector<float>{0, 10, 2, 8, 4, 6}));
}
