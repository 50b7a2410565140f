#include <gtest/gtest.h>

#include "spectrum/MeanStress.h"
#include "spectrum/RainflowCounter.h"
#include "support/ScriptedPrompter.h"
#include "SpectrumTestSupport.h"

using namespace karmo;
using karmo::test::ScriptedPrompter;

namespace {

const char* kNotchQuestion = "Max Notch Stress exceeds Ultimate Strength\nContinue?";
const char* kGuard = "The Ultimate Strength must be greater than the Yield Strength";

AppState material(float su, float sy, float kf) {
    AppState s;
    s.batch().UltimateStrength = su;
    s.batch().YieldStrength = sy;
    s.KfInUse = kf;
    return s;
}

}  // namespace

TEST(CorrectForMeanStress, WorkedExamplesAndNoCorrectionCases) {
    struct Case {
        const char* what;
        float kf, sm, r, expected;
    };
    const Case cases[] = {
        {"K = 1, cycle 0..200", 1, 100, 200, 250},
        {"Kf = 2, cycle 20..140: K = 2", 2, 80, 120, 2.0f * ((60.0f * 500.0f) / 340.0f)},
        {"Kf = 3, cycle 20..140: K = 1.5", 3, 80, 120, 2.0f * ((60.0f * 500.0f) / 380.0f)},
        {"mean 0", 1, 0, 200, 200},
        {"compressive mean", 1, -50, 200, 200},
        {"Kf x Sm = Sy", 1, 300, 100, 100},
        {"Kf x R = 2 x Sy", 2, 10, 300, 300},
    };
    for (const Case& c : cases) {
        AppState s = material(500, 300, c.kf);
        ScriptedPrompter p;
        float r = c.r;
        CorrectForMeanStress(s, p, c.sm, r);
        EXPECT_EQ(r, c.expected) << c.what;
        EXPECT_FALSE(s.CountingCancelled) << c.what;
    }
    // The pinned decimals of the two notch cases.
    EXPECT_EQ(2.0f * ((60.0f * 500.0f) / 340.0f), 176.470581f);
    EXPECT_EQ(2.0f * ((60.0f * 500.0f) / 380.0f), 157.89473f);
}

TEST(CorrectForMeanStress, NotchStressAboveUltimateAsks) {
    {   // Yes goes on: here Kf x Sm = Sy, so the range stays.
        AppState s = material(500, 300, 3);
        ScriptedPrompter p;
        p.expect("Mean Stress Correction", kNotchQuestion, Icon::Question, Answer::Yes);
        float r = 200;
        CorrectForMeanStress(s, p, 100, r);
        EXPECT_EQ(r, 200.0f);
        EXPECT_FALSE(s.CountingCancelled);
        ASSERT_EQ(p.asked.size(), 1u);
        EXPECT_EQ(p.asked[0].buttons, Buttons::YesNo);
    }
    {   // No stops the count and leaves the range.
        AppState s = material(500, 300, 3);
        s.UiMode = 0;
        ScriptedPrompter p;
        p.expect("Mean Stress Correction", kNotchQuestion, Answer::No);
        float r = 200;
        CorrectForMeanStress(s, p, 100, r);
        EXPECT_EQ(r, 200.0f);
        EXPECT_TRUE(s.CountingCancelled);
        EXPECT_EQ(s.UiMode, 1);
    }
}

TEST(CorrectForMeanStress, NoGoodmanRangeWhenSuMinusKSmIsNotPositive) {
    struct Case {
        const char* what;
        float su, sy, kf, sm, r;
    };
    const Case cases[] = {
        {"Sy above Su", 200, 300, 1, 220, 20},
        {"Su not given (0)", 0, 300, 1, 100, 50},
    };
    for (const Case& c : cases) {
        AppState s = material(c.su, c.sy, c.kf);
        s.UiMode = 0;
        ScriptedPrompter p;
        p.expect("Mean Stress Correction", kNotchQuestion, Answer::Yes);
        p.expect("Mean Stress Correction", kGuard, Icon::Exclamation);
        float r = c.r;
        CorrectForMeanStress(s, p, c.sm, r);
        EXPECT_EQ(r, c.r) << c.what;
        EXPECT_TRUE(s.CountingCancelled) << c.what;
        EXPECT_EQ(s.UiMode, 1) << c.what;
    }
}

TEST(DmseLabel, TextFromTheMaterialInDisplayUnits) {
    EXPECT_EQ(MakeDmseLabel(500, 300, 1, 1.0f), "DMSE(+): Su=500, Sy=300, Kf=1.0");
    EXPECT_EQ(MakeDmseLabel(500, 300, 2.5f, 1.0f / 6.895f), "DMSE(+): Su=73, Sy=44, Kf=2.5");
    AppState s = material(500, 300, 0);
    s.batch().NotchFactor = 1.25f;
    s.StressFactor = 1.0f / 6.895f;
    RebuildDmseLabel(s);
    EXPECT_EQ(s.DmseLabel, "DMSE(+): Su=73, Sy=44, Kf=1.25");
}

TEST(MeanStressDialog, Defaults) {
    struct Case {
        const char* what;
        float su;
        bool included;
        float stressFactor;
        const char* bracket;
        const char *ultimate, *yield, *notch;
    };
    const Case cases[] = {
        {"nothing stored", 0, false, 1, "[MPa]", "500", "300", "1"},
        {"Su exactly 1.011", 1.011f, true, 1, "[MPa]", "500", "300", "1"},
        {"stored", 600, true, 1, "[MPa]", "600", "360", "2"},
        {"stored, ksi", 689.5f, false, 1.0f / 6.895f, "[ksi]", "100", "60", "2"},
    };
    for (const Case& c : cases) {
        AppState s;
        s.MseIncluded = c.included;
        s.StressFactor = c.stressFactor;
        s.StressUnitBracket = c.bracket;
        s.batch().UltimateStrength = c.su;
        s.batch().YieldStrength = c.su * 0.6f;
        s.batch().NotchFactor = 2;
        const MeanStressDialog d = OpenMeanStressDialog(s);
        EXPECT_EQ(d.include, c.included) << c.what;
        EXPECT_EQ(d.ultimateText, c.ultimate) << c.what;
        EXPECT_EQ(d.yieldText, c.yield) << c.what;
        EXPECT_EQ(d.notchText, c.notch) << c.what;
        EXPECT_EQ(d.ultimateLabel, std::string("Ultimate Strength ") + c.bracket + ":");
        EXPECT_EQ(d.yieldLabel, std::string("Yield Strength ") + c.bracket + ":");
    }
}

TEST(MeanStressDialog, FieldValidation) {
    struct Case {
        int box;  // 0 ultimate, 1 yield, 2 notch
        const char* text;
        const char* message;  // nullptr: accepted
    };
    const char* su = "The Ultimate Strength must be greater than 0";
    const char* sy = "The Yield Strength must be greater than 0";
    const char* kf = "The Stress Concentration Factor must be greater or equal to 1";
    const Case cases[] = {
        {0, "500", nullptr}, {0, " 72.5 ", nullptr}, {0, "1e3", nullptr}, {0, "0", su},
        {0, "-5", su},       {0, "abc", su},         {0, "12abc", su},    {0, "", su},
        {1, "300", nullptr}, {1, "0", sy},           {1, "x", sy},        {1, "-0.1", sy},
        {2, "1", nullptr},   {2, "1.5abc", nullptr}, {2, "2", nullptr},   {2, "0.99", kf},
        {2, "abc", kf},      {2, "", kf},
    };
    for (const Case& c : cases) {
        ScriptedPrompter p;
        if (c.message) p.expect("Mean Stress Effect", c.message, Icon::Critical);
        bool ok = false;
        switch (c.box) {
            case 0: ok = ValidateUltimateStrength(p, c.text); break;
            case 1: ok = ValidateYieldStrength(p, c.text); break;
            default: ok = ValidateNotchFactor(p, c.text); break;
        }
        EXPECT_EQ(ok, c.message == nullptr) << c.box << " '" << c.text << "'";
    }
}

TEST(MeanStressDialog, ArrowKeysCycleThroughTheBoxes) {
    using B = MeanStressBox;
    EXPECT_EQ(NextMeanStressBox(B::Ultimate, true), B::Yield);
    EXPECT_EQ(NextMeanStressBox(B::Yield, true), B::Notch);
    EXPECT_EQ(NextMeanStressBox(B::Notch, true), B::Ultimate);
    EXPECT_EQ(NextMeanStressBox(B::Ultimate, false), B::Notch);
    EXPECT_EQ(NextMeanStressBox(B::Notch, false), B::Yield);
    EXPECT_EQ(NextMeanStressBox(B::Yield, false), B::Ultimate);
}

TEST(MeanStressOk, IncludeStoresTheMaterialAndCountsCorrected) {
    AppState s;
    karmo::test::SetHistory(s, {140, 20});
    s.UiMode = 0;
    ScriptedPrompter p;
    MeanStressDialog d;
    d.include = true;
    d.ultimateText = "500";
    d.yieldText = "300";
    d.notchText = "2";
    const MeanStressOkOutcome out = MeanStressOk(s, p, d);
    EXPECT_TRUE(out.ran);
    EXPECT_TRUE(out.counted);
    EXPECT_TRUE(s.MseIncluded);
    EXPECT_EQ(s.batch().UltimateStrength, 500.0f);
    EXPECT_EQ(s.batch().YieldStrength, 300.0f);
    EXPECT_EQ(s.batch().NotchFactor, 2.0f);
    EXPECT_EQ(s.KfInUse, 2.0f);
    EXPECT_EQ(s.DmseLabel, "DMSE(+): Su=500, Sy=300, Kf=2.0");
    EXPECT_EQ(s.CountedRanges, (std::vector<float>{0, 2.0f * ((60.0f * 500.0f) / 340.0f), 0}));
    EXPECT_EQ(s.batch().MaxRange, s.CountedRanges[1]);
    EXPECT_TRUE(s.AfterCounting);
    EXPECT_EQ(s.UiMode, 0);
}

TEST(MeanStressOk, IgnoreClearsTheMaterialAndCountsAsIs) {
    AppState s;
    karmo::test::SetHistory(s, {10, 2, 8, 4, 6, 0});
    s.MseIncluded = true;
    s.DmseLabel = "DMSE(+): Su=500, Sy=300, Kf=1.0";
    s.batch().UltimateStrength = 500;
    s.batch().YieldStrength = 300;
    s.batch().NotchFactor = 1;
    ScriptedPrompter p;
    MeanStressDialog d;
    d.include = false;
    const MeanStressOkOutcome out = MeanStressOk(s, p, d);
    EXPECT_TRUE(out.counted);
    EXPECT_FALSE(s.MseIncluded);
    EXPECT_EQ(s.batch().UltimateStrength, 0.0f);
    EXPECT_EQ(s.batch().YieldStrength, 0.0f);
    EXPECT_EQ(s.batch().NotchFactor, 0.0f);
    EXPECT_EQ(s.DmseLabel, "DMSE(-)  ");
    EXPECT_EQ(s.CountedRanges, (std::vector<float>{0, 2, 6, 10, 0}));
}

TEST(MeanStressOk, DoesNothingWhileTheAboutPanelIsOpen) {
    AppState s;
    karmo::test::SetHistory(s, {10, 2, 8, 4, 6, 0});
    s.UiMode = 2;
    ScriptedPrompter p;
    const MeanStressOkOutcome out = MeanStressOk(s, p, MeanStressDialog{});
    EXPECT_FALSE(out.ran);
    EXPECT_TRUE(s.CountedRanges.empty());
}

TEST(MeanStressOk, DecliningTheNotchQuestionLeavesEveryResult) {
    AppState s;
    // Two cycles whose notch stress exceeds Su = 500 with Kf = 3: the first is accepted,
    // the second declined.
    karmo::test::SetHistory(s, {300, -10, 200, 0});
    DataBatch& b = s.batch();
    b.LevelCount = 2;
    b.LevelRange[1] = 40;
    b.LevelRange[2] = 20;
    b.LevelCycles[1] = 3;
    b.LevelCycles[2] = 4;
    b.MaxRange = 40;
    b.MinRange = 20;
    b.Volume = 7;
    s.MinCountedRange = 5;
    s.MaxLevels = 9;
    s.CountedRanges = {0, 5, 40, 0};
    s.CountedFromHistory = false;
    s.UiMode = 0;
    const BatchRecord spectrumBefore = b;
    ScriptedPrompter p;
    p.expect("Mean Stress Correction", kNotchQuestion, Answer::Yes);
    p.expect("Mean Stress Correction", kNotchQuestion, Answer::No);
    MeanStressDialog d;
    d.include = true;
    d.ultimateText = "500";
    d.yieldText = "300";
    d.notchText = "3";
    const MeanStressOkOutcome out = MeanStressOk(s, p, d);
    EXPECT_TRUE(out.ran);
    EXPECT_FALSE(out.counted);
    EXPECT_TRUE(s.CountingCancelled);
    EXPECT_EQ(s.UiMode, 1);
    EXPECT_FALSE(s.AfterCounting);
    EXPECT_EQ(s.MinCountedRange, 5.0f);
    EXPECT_EQ(s.MaxLevels, 9);
    EXPECT_EQ(s.CountedRanges, (std::vector<float>{0, 5, 40, 0}));
    EXPECT_FALSE(s.CountedFromHistory);
    // The spectrum stays; the material values just confirmed stay stored.
    BatchRecord expected = spectrumBefore;
    expected.UltimateStrength = 500;
    expected.YieldStrength = 300;
    expected.NotchFactor = 3;
    EXPECT_EQ(static_cast<const BatchRecord&>(s.batch()), expected);
}

TEST(MeanStressCancel, ReturnsToIdle) {
    AppState s;
    s.UiMode = 0;
    MeanStressCancel(s);
    EXPECT_EQ(s.UiMode, 1);
}
