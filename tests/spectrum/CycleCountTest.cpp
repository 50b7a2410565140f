#include <gtest/gtest.h>

#include "spectrum/CycleCount.h"
#include "support/ScriptedPrompter.h"
#include "SpectrumTestSupport.h"

using namespace karmo;
using karmo::test::HistoryOf;
using karmo::test::ScriptedPrompter;

// Stress: rearranged (with its message unless already at the largest magnitude), then the
// mean-stress dialog whose OK counts. Strain: counted at once without correction.
TEST(CycleCountClick, RearrangesThenOpensTheDialogOrCountsAtOnce) {
    const std::tuple<std::string, std::vector<float>, bool> cases[] = {
        {"Stress ", {0, 10, 2, 8, 4, 6}, true},
        {"Stress ", {10, 2, 8, 4, 6, 0}, false},
        {"Strain ", {0, 10, 2, 8, 4, 6}, true}};
    for (const auto& [quantity, h, rearranged] : cases) {
        AppState s;
        s.QuantityName = quantity;
        karmo::test::SetHistory(s, h);
        s.MseIncluded = true;
        s.batch().UltimateStrength = s.batch().YieldStrength = s.batch().NotchFactor = 500;
        ScriptedPrompter p;
        const std::string name = quantity + "History";
        if (rearranged) p.expect(name, "The " + name + " has been rearranged.", Icon::Information);
        const CycleCountOutcome out = CycleCountClick(s, p);
        EXPECT_EQ(std::tuple(out.ran, out.rearranged, s.HistoryPlotOutdated, out.conflict, s.ProcessedCount, s.UiMode),
                  std::tuple(true, rearranged, rearranged, false, 6, int16_t(0)));
        EXPECT_EQ(HistoryOf(s), (std::vector<float>{10, 2, 8, 4, 6, 0}));
        EXPECT_EQ(out.meanStressDialog, quantity == "Stress ");
        if (out.meanStressDialog) {
            EXPECT_EQ(s.SpectrumBackup, static_cast<const BatchRecord&>(s.batch()));
            EXPECT_EQ(out.dialog.ultimateText, "500");
            EXPECT_TRUE(s.CountedRanges.empty());  // counting waits for the dialog
            MeanStressDialog d = out.dialog;
            d.include = false;
            EXPECT_TRUE(MeanStressOk(s, p, d).counted);
        } else {
            EXPECT_TRUE(out.counting.counted);
        }
        EXPECT_EQ(std::tuple(s.MseIncluded, s.DmseLabel, s.batch().UltimateStrength, s.AfterCounting, p.busyDepth),
                  std::tuple(false, "DMSE(-)  ", 0.0f, true, 0));
        EXPECT_EQ(s.CountedRanges, (std::vector<float>{0, 2, 6, 10, 0}));
    }
}

TEST(CycleCountClick, ConflictOrBusyCountsNothing) {
    AppState s;
    karmo::test::SetHistory(s, {1, 5, 7, 2});  // rearranged to 7, 2, 1, 5: two falls in a row
    ScriptedPrompter p;
    p.expect("Stress History", "The Stress History has been rearranged.");
    p.expect("Check Stress History",
             "The Stress History has conflicting values at Stress index 3\nRemove the conflict?", Answer::No);
    p.expect("Stress History", "Please use the Correction option to correct the conflicting values.",
             Icon::Information);
    const CycleCountOutcome out = CycleCountClick(s, p);
    EXPECT_EQ(std::tuple(out.conflict, out.historyShortened, out.meanStressDialog, s.UiMode, s.CountedRanges.empty()),
              std::tuple(true, false, false, int16_t(1), true));
    karmo::test::SetHistory(s, {0, 10, 2, 8, 4, 6});
    s.UiMode = 0;  // a dialog is open: a second command stays out
    EXPECT_FALSE(CycleCountClick(s, p).ran);
    EXPECT_EQ(HistoryOf(s), (std::vector<float>{0, 10, 2, 8, 4, 6}));
    s.UiMode = 2;  // the About panel
    EXPECT_FALSE(MeanStressOk(s, p, MeanStressDialog{}).ran);
}
