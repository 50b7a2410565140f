#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "spectrum/MeanStress.h"
#include "support/ScriptedPrompter.h"
#include "SpectrumTestSupport.h"

using namespace karmo;
using karmo::test::ScriptedPrompter;

namespace {
const char* kQuestion = "Max Notch Stress exceeds Ultimate Strength\nContinue?";
}  // namespace

TEST(CorrectForMeanStress, ExamplesQuestionAndGuard) {
    enum Asks { None, Yes, No, YesThenGuard };
    const std::tuple<const char*, float, float, float, float, float, Asks> cases[] = {
        // what, Su (Sy = 300), Kf, Sm, R, corrected R, questions
        {"K = 1, cycle 0..200", 500, 1, 100, 200, 250, None},
        {"Kf = 2, cycle 20..140: K = 2", 500, 2, 80, 120, 176.470581f, None},
        {"Kf = 3, cycle 20..140: K = 1.5", 500, 3, 80, 120, 157.89473f, None},
        {"compressive mean", 500, 1, -50, 200, 200, None},
        {"Kf x Sm = Sy", 500, 1, 300, 100, 100, None},
        {"Kf x R = 2 x Sy", 500, 2, 10, 300, 300, None},
        {"notch stress above Su, go on", 500, 3, 100, 200, 200, Yes},
        {"notch stress above Su, stop", 500, 3, 100, 200, 200, No},
        // Su - K x Sm <= 0 would divide by zero or turn the range negative: stopped instead.
        {"Sy above Su", 200, 1, 220, 20, 20, YesThenGuard},
        {"Su 0 (not a number)", 0, 1, 100, 50, 50, YesThenGuard},
    };
    for (const auto& [what, su, kf, sm, range, expected, asks] : cases) {
        AppState s;
        s.batch().UltimateStrength = su;
        s.batch().YieldStrength = 300;
        s.KfInUse = kf;
        s.UiMode = 0;
        ScriptedPrompter p;
        const Answer answer = asks == No ? Answer::No : Answer::Yes;
        if (asks != None) p.expect("Mean Stress Correction", kQuestion, Icon::Question, answer);
        if (asks == YesThenGuard)
            p.expect("Mean Stress Correction", "The Ultimate Strength must be greater than the Yield Strength",
                     Icon::Exclamation);
        float r = range;
        CorrectForMeanStress(s, p, sm, r);
        const bool stopped = asks == No || asks == YesThenGuard;
        EXPECT_EQ(std::tuple(r, s.CountingCancelled, s.UiMode), std::tuple(expected, stopped, int16_t(stopped ? 1 : 0)))
            << what;
        EXPECT_TRUE(p.asked.empty() || p.asked[0].buttons == Buttons::YesNo);
    }
    EXPECT_EQ(2.0f * ((60.0f * 500.0f) / 340.0f), 176.470581f);  // the pinned decimals
    EXPECT_EQ(2.0f * ((60.0f * 500.0f) / 380.0f), 157.89473f);
}

TEST(MeanStressDialog, LabelDefaultsAndBoxChecks) {
    EXPECT_EQ(MakeDmseLabel(500, 300, 1, 1.0f), "DMSE(+): Su=500, Sy=300, Kf=1.0");
    EXPECT_EQ(MakeDmseLabel(500, 300, 1.25f, 1.0f / 6.895f), "DMSE(+): Su=73, Sy=44, Kf=1.25");
    const std::tuple<float, bool, const char*, const char*> defaults[] = {
        {1.011f, true, "[MPa]", "500|300|1"}, {689.5f, false, "[ksi]", "100|60|2"}};  // not above 1.011: proposals
    for (const auto& [su, included, bracket, texts] : defaults) {
        AppState s;
        s.MseIncluded = included;
        s.StressFactor = bracket[1] == 'k' ? 1.0f / 6.895f : 1.0f;
        s.StressUnitBracket = bracket;
        s.batch().UltimateStrength = su;
        s.batch().YieldStrength = su * 0.6f;
        s.batch().NotchFactor = 2;
        const MeanStressDialog d = OpenMeanStressDialog(s);
        EXPECT_EQ(d.include, included);
        EXPECT_EQ(d.ultimateText + "|" + d.yieldText + "|" + d.notchText, texts);
        EXPECT_EQ(d.ultimateLabel + d.yieldLabel,
                  std::string("Ultimate Strength ") + bracket + ":Yield Strength " + bracket + ":");
    }
    // Texts that are not numbers are refused like values <= 0; the factor keeps its leading number.
    const char* su = "The Ultimate Strength must be greater than 0";
    const char* kf = "The Stress Concentration Factor must be greater or equal to 1";
    const std::tuple<int, const char*, const char*> boxes[] = {
        {0, " 72.5 ", nullptr}, {0, "12abc", su}, {0, "", su}, {1, "x", "The Yield Strength must be greater than 0"},
        {2, "1.5abc", nullptr}, {2, "0.99", kf}, {2, "abc", kf},
        // Values no Single holds would be stored as infinities.
        {0, "1e39", "The Ultimate Strength is out of range"}, {1, "3.4e38", nullptr},
        {1, "1e39", "The Yield Strength is out of range"}, {2, "1e39", "The Stress Concentration Factor is out of range"}};
    const AppState s;
    for (const auto& [box, text, message] : boxes) {
        ScriptedPrompter p;
        if (message) p.expect("Mean Stress Effect", message, Icon::Critical);
        const bool ok = box == 0 ? ValidateUltimateStrength(s, p, text)
                                 : (box == 1 ? ValidateYieldStrength(s, p, text) : ValidateNotchFactor(p, text));
        EXPECT_EQ(ok, message == nullptr) << box << " '" << text << "'";
    }
    EXPECT_EQ(NextMeanStressBox(MeanStressBox::Notch, true), MeanStressBox::Ultimate);  // arrow keys wrap
    EXPECT_EQ(NextMeanStressBox(MeanStressBox::Ultimate, false), MeanStressBox::Notch);
}

TEST(MeanStressOk, IncludeStoresTheMaterialAndCountsCorrected) {
    AppState s;
    karmo::test::SetHistory(s, {140, 20});
    s.UiMode = 0;
    ScriptedPrompter p;
    EXPECT_TRUE(MeanStressOk(s, p, {true, "500", "300", "2", "", ""}).counted);
    EXPECT_EQ(std::tuple(s.MseIncluded, s.DmseLabel, s.KfInUse, s.AfterCounting, s.UiMode),
              std::tuple(true, "DMSE(+): Su=500, Sy=300, Kf=2.0", 2.0f, true, int16_t(0)));
    EXPECT_EQ(std::tuple(s.batch().UltimateStrength, s.batch().YieldStrength, s.batch().NotchFactor),
              std::tuple(500.0f, 300.0f, 2.0f));
    EXPECT_EQ(s.CountedRanges, (std::vector<float>{0, 176.470581f, 0}));  // the Kf = 2 example
}

TEST(MeanStressOk, DecliningTheNotchQuestionLeavesEveryResult) {
    // Two cycles whose notch stress exceeds Su = 500 with Kf = 3: the first accepted, the
    // second declined.
    AppState s;
    karmo::test::SetHistory(s, {300, -10, 200, 0});
    DataBatch& b = s.batch();
    b.LevelCount = 2;
    b.LevelRange = {0, 40, 20};
    b.LevelCycles = {0, 3, 4};
    b.MaxRange = 40;
    b.MinRange = 20;
    b.Volume = 7;
    s.MinCountedRange = 5;
    s.MaxLevels = 9;
    s.CountedRanges = {0, 5, 40, 0};
    s.UiMode = 0;
    BatchRecord expected = b;  // the spectrum stays; the material just confirmed is stored
    expected.UltimateStrength = 500;
    expected.YieldStrength = 300;
    expected.NotchFactor = 3;
    ScriptedPrompter p;
    p.expect("Mean Stress Correction", kQuestion, Answer::Yes);
    p.expect("Mean Stress Correction", kQuestion, Answer::No);
    const MeanStressOkOutcome out = MeanStressOk(s, p, {true, "500", "300", "3", "", ""});
    EXPECT_EQ(std::tuple(out.ran, out.counted, s.CountingCancelled, s.UiMode, s.AfterCounting, s.CountedFromHistory),
              std::tuple(true, false, true, int16_t(1), false, false));
    EXPECT_EQ(std::tuple(s.MinCountedRange, s.MaxLevels), std::tuple(5.0f, 9));
    EXPECT_EQ(s.CountedRanges, (std::vector<float>{0, 5, 40, 0}));
    EXPECT_EQ(static_cast<const BatchRecord&>(s.batch()), expected);
}
