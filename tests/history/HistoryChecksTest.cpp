#include "history/HistoryChecks.h"

#include <gtest/gtest.h>

#include "HistoryTestData.h"
#include "support/ScriptedPrompter.h"

namespace karmo {
namespace {

using namespace test;

std::string conflictText(const std::string& q, int i) {
    return "The " + q + "History has conflicting values at " + q + "index " + std::to_string(i) +
           "\nRemove the conflict?";
}

TEST(CheckHistoryConflicts, WorkedExamplesWithEveryAnswer) {
    const Answer Y = Answer::Yes, N = Answer::No;
    const int16_t E = kStepEqual, R = kStepRising;
    // at: the conflict's index (0: none); step: StepDirection afterwards (it was 9).
    struct Case { std::vector<float> in; int at; std::vector<Answer> answers; std::vector<float> out; int16_t flag, step; };
    const Case cases[] = {
        {{1, 5, 5, 2}, 3, {N}, {1, 5, 5, 2}, -1, E}, {{1, 5, 5, 2}, 3, {Y, Y}, {1, 5}, -1, E},
        {{1, 5, 5, 2}, 3, {Y, N}, {1, 5, 2}, 0, E},  {{1, 5, 7, 2}, 3, {N}, {1, 5, 7, 2}, -1, R},
        {{1, 5, 7, 2}, 3, {Y, Y}, {1, 7}, -1, R},    {{1, 5, 7, 2}, 3, {Y, N}, {1, 7, 2}, 0, R},
        {{3, 3, 8, 1}, 2, {N}, {3, 3, 8, 1}, -1, E}, {{3, 3, 8, 1}, 2, {Y, Y}, {3, 8}, -1, E},
        {{3, 3, 8, 1}, 2, {Y, N}, {3, 8, 1}, 0, E},
        {{0, 5, 1, 6, -2, 3}, 0, {}, {0, 5, 1, 6, -2, 3}, -1, R}, {{0, 5, 1}, 0, {}, {0, 5, 1}, -1, kStepFalling},
        {{4}, 0, {}, {4}, -1, 9}, {{}, 0, {}, {}, -1, 9},
    };
    for (const Case& c : cases) {
        AppState s = stateWith(c.in, 2);
        s.StepDirection = 9;
        ScriptedPrompter p;
        if (c.at) p.expect("Check Stress History", conflictText("Stress ", c.at), Icon::Exclamation, c.answers[0]);
        if (c.answers.size() > 1)
            p.expect("Check Stress History", "Remove all conflicts in the Stress History data?", Icon::Question,
                     c.answers[1]);
        auto count = static_cast<int32_t>(c.in.size());
        int16_t flag = -1;
        EXPECT_EQ(CheckHistoryConflicts(s, p, s.Values, count, flag), c.at != 0);
        EXPECT_EQ(historyPoints(s), c.out);
        EXPECT_EQ(std::tuple(count, flag, s.StepDirection, s.HistoryModified, p.busyDepth),
                  std::tuple(static_cast<int32_t>(c.out.size()), c.flag, c.step, c.out.size() < c.in.size(), 0));
    }
}

TEST(CheckHistoryConflicts, RemovingOnlyTheFirstLeavesTheNextForALaterCheck) {
    AppState s = stateWith({0, 5, 7, 2, 6, 6, 1, 8});
    s.QuantityName = "Strain ";
    const std::string title = "Check Strain History", all = "Remove all conflicts in the Strain History data?";
    ScriptedPrompter p;
    p.expect(title, conflictText("Strain ", 3), Answer::Yes).expect(title, all, Answer::No);
    p.expect(title, conflictText("Strain ", 5), Answer::Yes).expect(title, all, Answer::Yes);
    int32_t count = 8;
    int16_t flag = -1;
    EXPECT_TRUE(CheckHistoryConflicts(s, p, s.Values, count, flag));
    EXPECT_EQ(historyPoints(s), (std::vector<float>{0, 7, 2, 6, 6, 1, 8}));   // odd count stays
    EXPECT_TRUE(CheckHistoryConflicts(s, p, s.Values, count, flag));
    EXPECT_EQ(historyPoints(s), (std::vector<float>{0, 7, 2, 6, 1, 8}));
    EXPECT_FALSE(CheckHistoryConflicts(s, p, s.Values, count, flag));
}

TEST(RemoveNonReversals, KeepsTurningPointsUpToTheLimit) {
    struct Case { std::vector<float> in; int32_t upTo; std::vector<float> out; } cases[] = {
        {{0, 1, 2, 3, 2, 2, 2, 5}, 7, {0, 3, 2, 5}},
        {{0, 1, 2, 3, 2, 2, 2, 5}, 2, {0, 2, 3, 2, 2, 2, 5}},
        {{0, 1e-30f, 0, 1e-30f}, 3, {0, 1e-30f, 0, 1e-30f}},   // tiny reversals are still reversals
    };
    for (const Case& c : cases) {
        AppState s = stateWith(c.in);
        s.batch().PointCount = RemoveNonReversals(s.Values, c.upTo, static_cast<int32_t>(c.in.size()));
        EXPECT_EQ(historyPoints(s), c.out);
    }
}

TEST(ApplyRangeGate, RemovesSmallPairsKeepingTheExtreme) {
    struct Case { std::vector<float> in; float gate; std::vector<float> out; int left = -1; } cases[] = {
        {{0, 100, 0, 100, 95, 100, 0, 100}, 10, {0, 100, 0, 100, 0, 100}},   // the worked example
        {{100, 0, 100, 0, 5, 0, 100, 0}, 10, {100, 0, 100, 0, 100, 0}},      // a held 0 stays 0
        {{100, 0, 100, 0, 5, -2, 100, 0}, 10, {100, 0, 100, -2, 100, 0}},    // the lower valley is kept
        {{0, 5, 100, 0, 100, 0}, 10, {5, 100, 0, 100}},                       // the first pair drops a point
        {{0, 0, 0, 0}, 50, {0, 0, 0, 0}},                                     // no range: left alone
        {{0, 100, 0, 5}, 10, {}, 2},                                          // too few left: deleted
    };
    for (const Case& c : cases) {
        AppState s = stateWith(c.in);
        ScriptedPrompter p;
        if (c.left >= 0)
            p.expect("Correct Stress History",
                     std::to_string(c.left) + " data points have left only.\nThe whole history will be deleted",
                     Icon::Exclamation);
        ApplyRangeGate(s, p, c.gate);
        EXPECT_EQ(historyPoints(s), c.out);
        EXPECT_EQ(s.ProcessedCount, s.batch().PointCount);
        if (c.out.empty()) continue;
        const auto [mn, mx] = std::minmax_element(c.out.begin(), c.out.end());
        EXPECT_EQ(std::tuple(s.Values.size(), s.batch().MaxValue, s.batch().MinValue), std::tuple(c.out.size() + 2, *mx, *mn));
    }
}

TEST(HistParms, ValidateOpenConfirmCancel) {
    const char* numeric = "The Rescale factor must be numeric";
    struct Case { std::string text; const char* gateMessage; const char* scaleMessage; } cases[] = {
        {"0", nullptr, nullptr}, {" 12.5 ", nullptr, nullptr}, {"-1", "The Gate must be > 0.", nullptr},
        {"abc", "The Gate must be numeric", numeric}, {"1,5", "The Gate must be numeric", numeric},
        {"1e39", "The Gate is out of range", "The Rescale factor is out of range"},
    };
    for (const Case& c : cases) {
        AppState s;
        ScriptedPrompter p;
        if (c.gateMessage) p.expect("Stress History", c.gateMessage, Icon::Critical);
        if (c.scaleMessage) p.expect("Stress History", c.scaleMessage, Icon::Critical);
        EXPECT_EQ(ValidateHistGate(s, p, c.text), c.gateMessage == nullptr) << c.text;
        EXPECT_EQ(ValidateHistScale(s, p, c.text), c.scaleMessage == nullptr) << c.text;
    }

    AppState s = stateWith({0, 100, 0, 100, 95, 100, 0, 100});
    s.QuantityName = "Strain ";
    const HistParmsView v = OpenHistParms(s);
    EXPECT_EQ(std::tuple(v.caption, v.gateText, v.scaleText, s.UiMode),
              std::tuple("Strain -History Parameters", "0", "1", 0));
    ScriptedPrompter p;
    // A scale that takes the history, or only its largest range, beyond a Single changes nothing.
    AppState wide = stateWith({-100, 100, -100, 100});
    for (auto [state, scale] : {std::pair{&s, 4e36}, std::pair{&wide, 2e36}}) {
        const AppState before = *state;
        state->UiMode = 0;
        p.expect(state->QuantityName + "History", "The rescaled " + state->QuantityName + "History is out of range",
                 Icon::Critical);
        EXPECT_FALSE(ConfirmHistParms(*state, p, 10, scale));
        EXPECT_TRUE(state->Values == before.Values && state->Batches == before.Batches && state->UiMode == 0);
    }
    EXPECT_TRUE(ConfirmHistParms(s, p, 10, -2));   // the gate, then the scale: the extremes exchange roles
    EXPECT_EQ(historyPoints(s), (std::vector<float>{0, -200, 0, -200, 0, -200}));
    EXPECT_EQ(std::tuple(s.batch().MaxValue, s.batch().MinValue, s.UiMode, p.busyDepth), std::tuple(0.0f, -200.0f, 1, 0));
    OpenHistParms(s);
    CancelHistParms(s);
    EXPECT_EQ(s.UiMode, 1);
}

}  // namespace
}  // namespace karmo
