#include "history/HistoryChecks.h"

#include <gtest/gtest.h>

#include "support/ScriptedPrompter.h"

namespace karmo {
namespace {

using test::ScriptedPrompter;

const char* const kCheckTitle = "Check Stress History";
const char* const kRemoveAll = "Remove all conflicts in the Stress History data?";

std::string conflictText(int i) {
    return "The Stress History has conflicting values at Stress index " + std::to_string(i) +
           "\nRemove the conflict?";
}

// Values as the program holds them: 1-based, spare slots 0 and count + 1.
std::vector<float> slots(const std::vector<float>& v) {
    std::vector<float> out{0};
    out.insert(out.end(), v.begin(), v.end());
    out.push_back(0);
    return out;
}

std::vector<float> points(const std::vector<float>& slotted, int32_t count) {
    return std::vector<float>(slotted.begin() + 1, slotted.begin() + 1 + count);
}

AppState stateWith(const std::vector<float>& v) {
    AppState s;
    s.CurrentBatch = 2;
    s.Values = slots(v);
    s.batch().PointCount = static_cast<int32_t>(v.size());
    s.ProcessedCount = static_cast<int32_t>(v.size());
    float mx = v.empty() ? 0 : v[0], mn = mx;
    for (float x : v) {
        mx = std::max(mx, x);
        mn = std::min(mn, x);
    }
    s.batch().MaxValue = mx;
    s.batch().MinValue = mn;
    return s;
}

TEST(CheckHistoryConflicts, WorkedExamplesWithEveryAnswer) {
    struct Case {
        std::vector<float> in;
        int at;
        std::vector<Answer> answers;        // to the first and, if asked, the second question
        std::vector<float> out;
        int16_t flag;
    };
    const Case cases[] = {
        {{1, 5, 5, 2}, 3, {Answer::No}, {1, 5, 5, 2}, -1},
        {{1, 5, 5, 2}, 3, {Answer::Yes, Answer::Yes}, {1, 5}, -1},
        {{1, 5, 5, 2}, 3, {Answer::Yes, Answer::No}, {1, 5, 2}, 0},
        {{1, 5, 7, 2}, 3, {Answer::No}, {1, 5, 7, 2}, -1},
        {{1, 5, 7, 2}, 3, {Answer::Yes, Answer::Yes}, {1, 7}, -1},
        {{1, 5, 7, 2}, 3, {Answer::Yes, Answer::No}, {1, 7, 2}, 0},
        {{3, 3, 8, 1}, 2, {Answer::No}, {3, 3, 8, 1}, -1},
        {{3, 3, 8, 1}, 2, {Answer::Yes, Answer::Yes}, {3, 8}, -1},
        {{3, 3, 8, 1}, 2, {Answer::Yes, Answer::No}, {3, 8, 1}, 0},
    };
    for (const Case& c : cases) {
        AppState s = stateWith(c.in);
        ScriptedPrompter p;
        p.expect(kCheckTitle, conflictText(c.at), Icon::Exclamation, c.answers[0]);
        if (c.answers.size() > 1) p.expect(kCheckTitle, kRemoveAll, Icon::Question, c.answers[1]);
        int32_t count = static_cast<int32_t>(c.in.size());
        int16_t flag = -1;
        EXPECT_TRUE(CheckHistoryConflicts(s, p, s.Values, count, flag));
        EXPECT_EQ(points(s.Values, count), c.out);
        EXPECT_EQ(flag, c.flag);
        const bool removed = c.out.size() < c.in.size();
        EXPECT_EQ(s.batch().PointCount, static_cast<int32_t>(removed ? c.out.size() : c.in.size()));
        EXPECT_EQ(s.HistoryModified, removed);
        EXPECT_EQ(p.busyDepth, 0);
    }
}

TEST(CheckHistoryConflicts, AlternatingHistoryAsksNothing) {
    for (const std::vector<float>& v : {std::vector<float>{0, 5, 1, 6, -2, 3}, std::vector<float>{9, -9, 9, -9},
                                        std::vector<float>{4}, std::vector<float>{}}) {
        AppState s = stateWith(v);
        ScriptedPrompter p;
        int32_t count = static_cast<int32_t>(v.size());
        int16_t flag = -1;
        EXPECT_FALSE(CheckHistoryConflicts(s, p, s.Values, count, flag));
        EXPECT_EQ(points(s.Values, count), v);
        EXPECT_EQ(flag, -1);
        EXPECT_FALSE(s.HistoryModified);
    }
}

TEST(CheckHistoryConflicts, StepDirectionIsTheLastStepExamined) {
    struct Case { std::vector<float> v; bool conflict; int16_t step; };
    for (const Case& c : {Case{{0, 5, 1, 6}, false, kStepRising}, Case{{0, 5, 1}, false, kStepFalling},
                          Case{{0, 5, 5, 1}, true, kStepEqual}, Case{{0, 5, 7, 1}, true, kStepRising}}) {
        AppState s = stateWith(c.v);
        ScriptedPrompter p;
        if (c.conflict) p.expect(kCheckTitle, conflictText(3), Answer::No);
        int32_t count = static_cast<int32_t>(c.v.size());
        int16_t flag = -1;
        s.StepDirection = 9;
        EXPECT_EQ(CheckHistoryConflicts(s, p, s.Values, count, flag), c.conflict);
        EXPECT_EQ(s.StepDirection, c.step);
    }
}

TEST(CheckHistoryConflicts, RemovingTheFirstLeavesTheNextForALaterCheck) {
    AppState s = stateWith({0, 5, 7, 2, 6, 6, 1, 8});
    ScriptedPrompter p;
    p.expect(kCheckTitle, conflictText(3), Answer::Yes).expect(kCheckTitle, kRemoveAll, Answer::No);
    p.expect(kCheckTitle, conflictText(5), Answer::Yes).expect(kCheckTitle, kRemoveAll, Answer::Yes);
    int32_t count = 8;
    int16_t flag = -1;
    EXPECT_TRUE(CheckHistoryConflicts(s, p, s.Values, count, flag));
    EXPECT_EQ(points(s.Values, count), (std::vector<float>{0, 7, 2, 6, 6, 1, 8}));
    EXPECT_TRUE(CheckHistoryConflicts(s, p, s.Values, count, flag));
    EXPECT_EQ(points(s.Values, count), (std::vector<float>{0, 7, 2, 6, 1, 8}));
    EXPECT_EQ(s.batch().PointCount, 6);
    EXPECT_FALSE(CheckHistoryConflicts(s, p, s.Values, count, flag));
}

TEST(CheckHistoryConflicts, StrainWording) {
    AppState s = stateWith({1, 1, 2, 0});
    s.QuantityName = "Strain ";
    ScriptedPrompter p;
    p.expect("Check Strain History",
             "The Strain History has conflicting values at Strain index 2\nRemove the conflict?", Answer::Yes);
    p.expect("Check Strain History", "Remove all conflicts in the Strain History data?", Answer::Yes);
    int32_t count = 4;
    int16_t flag = -1;
    EXPECT_TRUE(CheckHistoryConflicts(s, p, s.Values, count, flag));
}

TEST(RemoveNonReversals, KeepsTurningPointsUpToTheLimit) {
    struct Case { std::vector<float> in; int32_t upTo; std::vector<float> out; };
    const Case cases[] = {
        {{0, 1, 2, 3, 2, 2, 2, 5}, 7, {0, 3, 2, 5}},
        {{0, 1, 2, 3, 2, 2, 2, 5}, 2, {0, 2, 3, 2, 2, 2, 5}},
        {{0, 1, 2, 3, 2, 2, 2, 5}, 0, {0, 1, 2, 3, 2, 2, 2, 5}},
        {{4, 4}, 1, {4, 4}},
        {{4}, 0, {4}},
        {{0, 1e-30f, 0, 1e-30f}, 3, {0, 1e-30f, 0, 1e-30f}},   // tiny reversals are still reversals
    };
    for (const Case& c : cases) {
        std::vector<float> v = slots(c.in);
        const int32_t n = RemoveNonReversals(v, c.upTo, static_cast<int32_t>(c.in.size()));
        EXPECT_EQ(points(v, n), c.out);
    }
}

TEST(ApplyRangeGate, RemovesSmallPairsKeepingTheExtreme) {
    struct Case { std::vector<float> in; float gate; std::vector<float> out; };
    const Case cases[] = {
        {{0, 100, 0, 100, 95, 100, 0, 100}, 10, {0, 100, 0, 100, 0, 100}},
        {{0, 100, 0, 100, 95, 98, 0, 100}, 10, {0, 100, 0, 100, 0, 100}},
        {{100, 0, 100, 0, 5, 0, 100, 0}, 10, {100, 0, 100, 0, 100, 0}},    // held 0 stays 0
        {{100, 0, 100, 0, 5, -2, 100, 0}, 10, {100, 0, 100, -2, 100, 0}},  // the lower valley is kept
        {{0, 5, 100, 0, 100, 0}, 10, {5, 100, 0, 100}},                     // the first pair drops a point
        {{0, 100, 0, 100, 0, 100}, 0.5f, {0, 100, 0, 100, 0, 100}},
    };
    for (const Case& c : cases) {
        AppState s = stateWith(c.in);
        ScriptedPrompter p;
        ApplyRangeGate(s, p, c.gate);
        const int32_t n = s.batch().PointCount;
        EXPECT_EQ(points(s.Values, n), c.out);
        EXPECT_EQ(s.ProcessedCount, n);
        EXPECT_EQ(s.Values.size(), static_cast<size_t>(n) + 2);
        EXPECT_EQ(s.batch().MaxValue, *std::max_element(c.out.begin(), c.out.end()));
        EXPECT_EQ(s.batch().MinValue, *std::min_element(c.out.begin(), c.out.end()));
    }
}

TEST(ApplyRangeGate, FewerThanFourPointsDeleteTheHistory) {
    AppState s = stateWith({0, 100, 0, 5});
    ScriptedPrompter p;
    p.expect("Correct Stress History", "2 data points have left only.\nThe whole history will be deleted",
             Icon::Exclamation);
    ApplyRangeGate(s, p, 10);
    EXPECT_EQ(s.batch().PointCount, 0);
    EXPECT_EQ(s.ProcessedCount, 0);
}

TEST(ApplyRangeGate, ZeroHistoryIsLeftAlone) {
    AppState s = stateWith({0, 0, 0, 0});
    ScriptedPrompter p;
    ApplyRangeGate(s, p, 50);
    EXPECT_EQ(s.batch().PointCount, 4);
}

TEST(HistParms, ValidationMessages) {
    struct Case { std::string text; bool gateOk; std::string gateMsg; bool scaleOk; };
    const Case cases[] = {
        {"0", true, "", true},
        {" 12.5 ", true, "", true},
        {"1e1", true, "", true},
        {"-1", false, "The Gate must be > 0.", true},
        {"abc", false, "The Gate must be numeric", false},
        {"", false, "The Gate must be numeric", false},
        {"1,5", false, "The Gate must be numeric", false},
    };
    for (const Case& c : cases) {
        AppState s;
        ScriptedPrompter p;
        if (!c.gateOk) p.expect("Stress History", c.gateMsg, Icon::Critical);
        if (!c.scaleOk) p.expect("Stress History", "The Rescale factor must be numeric", Icon::Critical);
        EXPECT_EQ(ValidateHistGate(s, p, c.text), c.gateOk) << c.text;
        EXPECT_EQ(ValidateHistScale(s, p, c.text), c.scaleOk) << c.text;
    }
}

TEST(HistParms, OpenOkAndCancel) {
    AppState s = stateWith({0, 100, 0, 100, 95, 100, 0, 100});
    s.QuantityName = "Strain ";
    const HistParmsView v = OpenHistParms(s);
    EXPECT_EQ(v.caption, "Strain -History Parameters");
    EXPECT_EQ(v.gateText, "0");
    EXPECT_EQ(v.scaleText, "1");
    EXPECT_EQ(s.UiMode, 0);

    ScriptedPrompter p;
    ConfirmHistParms(s, p, 10, -2);
    EXPECT_EQ(points(s.Values, s.batch().PointCount), (std::vector<float>{0, -200, 0, -200, 0, -200}));
    EXPECT_EQ(s.batch().MaxValue, 0);
    EXPECT_EQ(s.batch().MinValue, -200);
    EXPECT_EQ(s.UiMode, 1);
    EXPECT_EQ(p.busyDepth, 0);

    AppState t = stateWith({1, 3, 2, 4});
    OpenHistParms(t);
    ConfirmHistParms(t, p, 0, 1);   // no gate, no rescale
    EXPECT_EQ(points(t.Values, 4), (std::vector<float>{1, 3, 2, 4}));
    EXPECT_EQ(t.UiMode, 1);
    OpenHistParms(t);
    CancelHistParms(t);
    EXPECT_EQ(t.UiMode, 1);
}

TEST(ScaleHistoryValues, FactorAndOffset) {
    AppState s = stateWith({1, 3, 2, 4});
    ScaleHistoryValues(s, 0.5f, 10);
    EXPECT_EQ(points(s.Values, 4), (std::vector<float>{10.5f, 11.5f, 11, 12}));
    EXPECT_EQ(s.batch().MaxValue, 12);
    EXPECT_EQ(s.batch().MinValue, 10.5f);
    ScaleHistoryValues(s, -1, 0);
    EXPECT_EQ(s.batch().MaxValue, -10.5f);
    EXPECT_EQ(s.batch().MinValue, -12);
}

}  // namespace
}  // namespace karmo
