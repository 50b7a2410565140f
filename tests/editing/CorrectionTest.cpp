#include "editing/Correction.h"

#include <gtest/gtest.h>

#include "EditingTestData.h"
#include "support/ScriptedPrompter.h"

namespace karmo {
namespace {

using namespace test;
const std::string kTitle = "Stress History";
const Answer Y = Answer::Yes, N = Answer::No;

TEST(PrepareCorrection, GridRowsFollowThePointCountUpToItsLimit) {
    struct Case { int n; int32_t pairs, scrollMax, largeStep; bool message; };
    const Case cases[] = {{30000, 15000, 14991, 1499, false}, {40000, 16383, 16374, 1637, true}, {6, 3, 1, 1, false},
                          {40, 20, 11, 1, false}};
    for (const Case& c : cases) {
        AppState s = editedState(c.n);
        ScriptedPrompter p;
        if (c.message)
            p.expect(kTitle, "Sorry, you may correct manually 32766 datapoints only. ", Icon::Information);
        const CorrectionDialog d = PrepareCorrection(s, p);
        EXPECT_EQ(std::tuple(d.PairCount, d.ScrollMax, CorrectionLargeStep(d), d.CorrectionCount),
                  std::tuple(c.pairs, c.scrollMax, c.largeStep, c.n));
        EXPECT_EQ(std::vector<float>(d.CorrectionCopy.begin() + 1, d.CorrectionCopy.end() - 1), historyPoints(s));
    }
}

TEST(CorrectionCount, EntriesOnAThousandPointHistory) {
    struct Case { std::string text; std::string message; std::optional<Answer> answer; bool accepted, applyNow;
                  std::optional<std::string> restore; int32_t count; };
    const std::string add2 = "2 data points will be added to the history.\n Would you like to continue?";
    const Case cases[] = {
        {"1001", "Number of data points must be even.", {}, false, false, "1000", 1000},
        {"-2", "Minimum No of data points is 4", {}, false, false, "1000", 1000},
        {"12x", "Number of Points must be numeric", {}, false, false, {}, 1000},
        {"40000", "Number of Points is out of range", {}, false, false, "1000", 1000},
        {"1002", add2, Y, true, false, {}, 1002},
        {"1002.7", add2, N, false, false, "1000", 1000},
        {"996", "4 last data points will be subtracted from the History.\n Would you like to continue?", Y, true,
         true, {}, 996},
        {"1000", "", {}, true, false, {}, 1000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        AppState s = editedState(1000);
        ScriptedPrompter p;
        CorrectionDialog d = PrepareCorrection(s, p);
        if (!c.message.empty()) p.expect(kTitle, c.message, c.answer ? Icon::Question : Icon::Critical, c.answer.value_or(Answer::Ok));
        const CountEntry e = CorrectionCountEntry(s, p, d, c.text);
        EXPECT_EQ(std::tuple(e.accepted, e.applyNow, e.restore, d.CorrectionCount),
                  std::tuple(c.accepted, c.applyNow, c.restore, c.count));
        EXPECT_EQ(d.CorrectionCopy.size(), static_cast<size_t>(c.count) + 2);
    }
}

// 1002 puts two zeros at the end; 996 applies at once; a longer history keeps its own count.
TEST(CorrectionCount, ResizedCopiesAreApplied) {
    AppState s = editedState(1000);
    ScriptedPrompter p;
    CorrectionDialog d = PrepareCorrection(s, p);
    p.expect(kTitle, "2 data points will be added to the history.\n Would you like to continue?", Y);
    ASSERT_TRUE(CorrectionCountEntry(s, p, d, "1002").accepted);
    EXPECT_EQ(std::tuple(d.CorrectionCopy[1000], d.CorrectionCopy[1001], d.CorrectionCopy[1002]),
              std::tuple(alternating(1000).back(), 0.0f, 0.0f));

    s = editedState(1000);
    d = PrepareCorrection(s, p);
    p.expect(kTitle, "4 last data points will be subtracted from the History.\n Would you like to continue?", Y);
    ASSERT_TRUE(CorrectionCountEntry(s, p, d, "996").applyNow);
    EXPECT_EQ(CorrectionOk(s, p, d).outcome, CorrectionOutcome::Applied);
    std::vector<float> expected = alternating(1000);
    expected.resize(996);
    EXPECT_EQ(historyPoints(s), expected);
    EXPECT_EQ(std::tuple(s.batch().PointCount, s.ProcessedCount, s.batch().RecordTime, s.HistoryModified, s.UiMode),
              std::tuple(996, 996, 10.0f, true, kUiIdle));

    s = editedState(40000);
    p.expect(kTitle, "Sorry, you may correct manually 32766 datapoints only. ");
    d = PrepareCorrection(s, p);
    EXPECT_TRUE(CorrectionCountEntry(s, p, d, "40000").accepted);
    EXPECT_EQ(CorrectionOk(s, p, d).outcome, CorrectionOutcome::Applied);
    EXPECT_EQ(historyPoints(s), alternating(40000));
}

TEST(CorrectionOk, TrailingRepeatsAreDroppedAfterTheQuestion) {
    for (Answer a : {Y, N}) {
        AppState s = editedState(1000);
        ScriptedPrompter p;
        CorrectionDialog d = PrepareCorrection(s, p);
        d.CorrectionCopy[999] = d.CorrectionCopy[1000] = d.CorrectionCopy[998];
        p.expect(kTitle, "The number of History data points is 998", Icon::Question, a);
        const CorrectionOkResult r = CorrectionOk(s, p, d);
        EXPECT_EQ(r.outcome, a == Y ? CorrectionOutcome::Applied : CorrectionOutcome::StayOpen);
        EXPECT_EQ(s.batch().PointCount, a == Y ? 998 : 1000);
    }
    EXPECT_EQ(TrimTrailingRepeats({0, 1, 2, 2, 2}, 4), 2);
    EXPECT_EQ(TrimTrailingRepeats({0, 3, 3}, 2), 1);
}

// Cut to 500: the record time stays unless one is typed; a typed one is taken as it stands.
TEST(CorrectionOk, RecordTimeOfAShortenedHistory) {
    struct Case { std::string typed; float expected; };
    for (const Case& c : {Case{"", 10.0f}, Case{"12.5", 12.5f}}) {
        AppState s = editedState(1000);
        ScriptedPrompter p;
        CorrectionDialog d = PrepareCorrection(s, p);
        EXPECT_EQ(d.RecordTimeText, "10");
        if (!c.typed.empty()) {
            EXPECT_TRUE(CorrectionRecordTimeEntry(s, p, d, c.typed).accepted);
        }
        p.expect(kTitle, "500 last data points will be subtracted from the History.\n Would you like to continue?", Y);
        ASSERT_TRUE(CorrectionCountEntry(s, p, d, "500").applyNow);
        EXPECT_EQ(CorrectionOk(s, p, d).outcome, CorrectionOutcome::Applied);
        EXPECT_EQ(std::tuple(s.batch().PointCount, s.batch().RecordTime), std::tuple(500, c.expected));
    }
}

TEST(CorrectionBoxes, RefusedEntriesKeepThePreviousValue) {
    AppState s = editedState(8);
    ScriptedPrompter p;
    CorrectionDialog d = PrepareCorrection(s, p);
    struct Case { std::string box, text, title, message; std::optional<std::string> restore; };
    const Case cases[] = {
        {"gate", "100", "Smooth Stress History", "Gate must be smaller than 100", "0"},
        {"gate", "-0.5", "Smooth Stress History", "Gate must be greater than 0", "0"},
        {"gate", "five", "Smmoth Stress History", "Gate must be numeric", "0"},
        {"time", "-1", kTitle, "Record time must be greater than or equal to 0", "10"},
        {"time", "soon", kTitle, "The Record Time must be numeric", {}},
        {"time", "1e39", kTitle, "The Record Time is out of range", "10"},
        {"cell", "x", "Edit Stress History", "The value must be numeric", "-2."},
        {"cell", "-1e39", "Edit Stress History", "The value is out of range", "-2."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        p.expect(c.title, c.message, Icon::Critical);
        const EntryCheck e = c.box == "gate"   ? CorrectionGateEntry(s, p, d, c.text)
                             : c.box == "time" ? CorrectionRecordTimeEntry(s, p, d, c.text)
                                               : CorrectionCellEntry(s, p, d, 1, c.text);
        EXPECT_EQ(std::tuple(e.accepted, e.restore), std::tuple(false, c.restore));
    }
    EXPECT_TRUE(CorrectionGateEntry(s, p, d, "99.9").accepted);
    EXPECT_EQ(d.GateText, "99.9");
    EXPECT_EQ(historyPoints(s), alternating(8));
}

// A cell left as it shows its rounded value keeps the exact value.
TEST(CorrectionGrid, RowsAndCells) {
    AppState s = stateWith({1.23456f, 7, -2, 8, -3, 9});
    s.ViewCount = 6;
    ScriptedPrompter p;
    CorrectionDialog d = PrepareCorrection(s, p);
    const CorrectionGrid g = CorrectionGridRows(s, d);
    EXPECT_EQ(std::tuple(g.firstCaption, g.secondCaption), std::tuple("Valley [MPa]", "Peak [MPa]"));
    EXPECT_EQ(std::tuple(g.rows[0].label, g.rows[0].values[0], g.rows[2].label, g.rows[3].label),
              std::tuple("1-2", "1.235", "5-6", ""));
    EXPECT_TRUE(CorrectionCellEntry(s, p, d, 1, "1.235").accepted);
    EXPECT_FALSE(d.HistoryChangedInGrid);
    EXPECT_EQ(d.CorrectionCopy[1], 1.23456f);
    EXPECT_TRUE(CorrectionCellEntry(s, p, d, 3, "-2.5").accepted);
    EXPECT_EQ(std::tuple(d.CorrectionCopy[3], d.HistoryChangedInGrid), std::tuple(-2.5f, true));
    p.expect(kTitle, "The History has been changed.\nRefresh the display?", N);
    const CorrectionOkResult r = CorrectionOk(s, p, d);
    EXPECT_EQ(std::tuple(r.outcome, r.display.redraw, r.display.refreshPending),
              std::tuple(CorrectionOutcome::Applied, false, true));
    EXPECT_EQ(historyPoints(s), (std::vector<float>{1.23456f, 7, -2.5f, 8, -3, 9}));
    EXPECT_EQ(std::tuple(s.batch().MaxValue, s.batch().MinValue), std::tuple(9.0f, -3.0f));
}

TEST(CorrectionOk, GateZeroLeavesTheHistoryAndAGateSmoothsIt) {
    const std::vector<float> gate = {0, 100, 0, 100, 95, 100, 0, 100};
    for (const std::string text : {"0", "10"}) {
        AppState s = stateWith(gate);
        ScriptedPrompter p;
        CorrectionDialog d = PrepareCorrection(s, p);
        ASSERT_TRUE(CorrectionGateEntry(s, p, d, text).accepted);
        EXPECT_EQ(CorrectionOk(s, p, d).outcome, CorrectionOutcome::Applied);
        EXPECT_EQ(historyPoints(s), text == "0" ? gate : std::vector<float>({0, 100, 0, 100, 0, 100}));
    }
}

// The conflict review works on the copy: Cancel after it leaves the history as it was.
TEST(CorrectionOk, ConflictReviewKeepsTheDialogAndTheHistory) {
    AppState s = editedState(8);
    ScriptedPrompter p;
    CorrectionDialog d = PrepareCorrection(s, p);
    ASSERT_TRUE(CorrectionCellEntry(s, p, d, 3, "20").accepted);
    p.expect("Check Stress History", "The Stress History has conflicting values at Stress index 3\nRemove the conflict?", Y)
        .expect("Check Stress History", "Remove all conflicts in the Stress History data?", Y)
        .expect("Check Stress History", "2 data points have been removed.", Icon::Information);
    EXPECT_EQ(CorrectionOk(s, p, d).outcome, CorrectionOutcome::StayOpen);
    EXPECT_EQ(std::tuple(historyPoints(s), s.HistoryModified), std::tuple(alternating(8), false));
    EXPECT_EQ(d.CorrectionCount, 6);
    p.expect(kTitle, "The History has been changed.\nRefresh the display?", Y);
    EXPECT_EQ(CorrectionOk(s, p, d).outcome, CorrectionOutcome::Applied);
    EXPECT_EQ(historyPoints(s), (std::vector<float>{-2, 20, -1, 10, -3, 12}));
}

TEST(CorrectionOk, FewerThanFourPointsAreNeverApplied) {
    for (Answer a : {Y, N}) {
        AppState s = editedState(8);
        ScriptedPrompter p;
        CorrectionDialog d = PrepareCorrection(s, p);
        p.expect(kTitle, "6 last data points will be subtracted from the History.\n Would you like to continue?", Y);
        ASSERT_TRUE(CorrectionCountEntry(s, p, d, "2").applyNow);
        p.expect(kTitle, "Minimum No of History data points is 4!\nWould you like to delete the whole History?", a);
        EXPECT_EQ(CorrectionOk(s, p, d).outcome, a == Y ? CorrectionOutcome::Abandoned : CorrectionOutcome::StayOpen);
        EXPECT_EQ(historyPoints(s), alternating(8));
        p.expect("Edit Stress History", "Minimum No of data points is 4", Icon::Critical);
        EXPECT_FALSE(CorrectionCellEnter(s, p, d));
    }
}

}  // namespace
}  // namespace karmo
