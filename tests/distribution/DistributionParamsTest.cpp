#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "Fixtures.h"
#include "core/AppState.h"
#include "core/NumberForms.h"
#include "distribution/Densities.h"
#include "distribution/DistributionFit.h"
#include "distribution/DistributionParams.h"
#include "support/ScriptedPrompter.h"

using namespace karmo;
using karmo::test::ScriptedPrompter;
using karmo::test::SetGrid;
using karmo::test::SetSpectrum;

namespace {

const char* kTitle = "Edit Beta Parameters";
const float kUs = 1.0f / 6.895f;

// For the flows whose synthesis messages are tested elsewhere.
struct AcceptAll : Prompter {
    Answer ask(const Prompt&) override { return Answer::Ok; }
};

// The dialog open over the 100..20 grid of three levels, volume 10.
AppState dialog(int16_t type, float q, float r, float f = 1.0f) {
    AppState s;
    SetGrid(s, 100, 20, 3, 10);
    s.DistributionType = type;
    s.QuantityFactor = f;
    s.batch().SourceQ = q;
    s.batch().SourceR = r;
    s.UiMode = 0;
    return s;
}

}  // namespace

TEST(DistributionParams, OpeningTexts) {
    struct Case { int16_t type; float q, r, f; const char* qText; const char* rText; };
    const Case cases[] = {
        {kWeibull, 100.0f, 2.0f, 1.0f, "100", "2"},
        {kWeibull, 100.0f, 2.5f, kUs, "14.50326", "2.5"},
        {kLognorm, 3.5f, 0.5f, 1.0f, "3.5", "0.5"},
        {kBeta, 0.5f, 1.25f, 1.0f, "0.5", "1.25"},
        // The Beta shape has no unit: shown as stored in US units too.
        {kBeta, 0.5f, 1.25f, kUs, "0.5", "1.25"},
        // The Log-norm mean goes through a double: all its digits show.
        {kLognorm, 0.1f, 1.0f, 1.0f, "0.100000001490116", "1"},
    };
    for (const Case& c : cases) {
        AppState s = dialog(c.type, c.q, c.r, c.f);
        const DistributionParamsTexts t = OpenDistributionParams(s);
        EXPECT_EQ(t.q, c.qText) << c.type;
        EXPECT_EQ(t.r, c.rText) << c.type;
    }
    AppState s = dialog(kLognorm, 3.5f, 0.5f, kUs);
    EXPECT_NEAR(*ParseListNumber(OpenDistributionParams(s).q), 3.5 + std::log(static_cast<double>(kUs)), 1e-14);
}

TEST(DistributionParams, KeysMoveTheFocus) {
    struct Case { ParamsBox box; int key; std::optional<ParamsBox> to; };
    const Case cases[] = {
        {ParamsBox::Q, 38, ParamsBox::R}, {ParamsBox::Q, 40, ParamsBox::R},
        {ParamsBox::Q, 34, std::nullopt}, {ParamsBox::Q, 13, std::nullopt},
        {ParamsBox::R, 38, ParamsBox::Q}, {ParamsBox::R, 34, ParamsBox::Q},
        {ParamsBox::R, 40, std::nullopt}, {ParamsBox::R, 13, std::nullopt},
    };
    for (const Case& c : cases) EXPECT_EQ(DistributionParamsKeyDown(c.box, c.key), c.to) << c.key;
}

TEST(DistributionParams, LeavingABoxWithTextThatIsNoNumber) {
    ScriptedPrompter p;
    p.expect(kTitle, "Q must be a numeric", Icon::Critical);
    p.expect(kTitle, "R must be a numeric", Icon::Critical);
    EXPECT_FALSE(DistributionParamsLostFocus(p, ParamsBox::Q, "abc"));
    EXPECT_FALSE(DistributionParamsLostFocus(p, ParamsBox::R, ""));
    EXPECT_TRUE(DistributionParamsLostFocus(p, ParamsBox::Q, " 1.5e2 "));
    EXPECT_TRUE(DistributionParamsLostFocus(p, ParamsBox::R, "-3"));
}

TEST(DistributionParams, OkRefusesAndKeepsEverything) {
    struct Case {
        const char* name;
        int16_t type;
        const char* q;
        const char* r;
        const char* message;
        ParamsBox focus;
    };
    const Case cases[] = {
        {"Beta Q 0", kBeta, "0", "2", "The value of Q must be greater than 0", ParamsBox::Q},
        {"Weibull Q negative", kWeibull, "-5", "2", "The value of Q must be greater than 0", ParamsBox::Q},
        // ln 100 = 4.605: means at or above it are refused.
        {"Log-norm mean above ln M", kLognorm, "4.7", "1", "The value of Q must be smaller than 0",
         ParamsBox::Q},
        {"Beta R 0", kBeta, "2", "0", "The value of R must be greater than 0", ParamsBox::R},
        {"Weibull R negative", kWeibull, "50", "-1", "The value of R must be greater than 0", ParamsBox::R},
        {"Log-norm R 0", kLognorm, "3", "0", "The value of R must be greater than 0", ParamsBox::R},
        {"Q no number", kWeibull, "x", "2", "Q must be a numeric", ParamsBox::Q},
        {"R no number", kWeibull, "50", "", "R must be a numeric", ParamsBox::R},
        {"Q beyond a Single", kWeibull, "1e39", "2", "The value of Q is out of range", ParamsBox::Q},
    };
    for (const Case& c : cases) {
        AppState s = dialog(c.type, 1.0f, 1.0f);
        const BatchRecord before = s.batch();
        ScriptedPrompter p;
        p.expect(kTitle, c.message, Icon::Critical);
        const DistributionParamsTexts opened = OpenDistributionParams(s);
        const DistributionParamsOkResult res = DistributionParamsOk(s, p, opened, {c.q, c.r});
        EXPECT_FALSE(res.accepted) << c.name;
        EXPECT_EQ(res.focus, c.focus) << c.name;
        EXPECT_TRUE(static_cast<const BatchRecord&>(s.batch()) == before) << c.name;
        EXPECT_EQ(s.UiMode, 0) << c.name;  // the dialog stays open
        EXPECT_FALSE(s.SpectrumChanged);
    }
}

TEST(DistributionParams, OkStoresAndSynthesises) {
    AppState s = dialog(kWeibull, 0.0f, 0.0f);
    s.ShowFitted = true;
    const DistributionParamsTexts opened = OpenDistributionParams(s);
    ScriptedPrompter p;
    p.expect("Editing Stress Spectrum", "1 last spectrum levels with 0 cycles have been removed.",
             Icon::Information);
    const DistributionParamsOkResult res = DistributionParamsOk(s, p, opened, {"50", "2"});
    ASSERT_TRUE(res.accepted);
    EXPECT_EQ(s.batch().SourceQ, 50.0f);
    EXPECT_EQ(s.batch().SourceR, 2.0f);
    EXPECT_EQ(s.batch().LevelCount, 2);
    EXPECT_EQ(s.batch().LevelCycles[1], 2);
    EXPECT_EQ(s.batch().LevelCycles[2], 8);
    EXPECT_TRUE(s.SpectrumChanged);
    EXPECT_FALSE(s.ShowFitted);
    EXPECT_EQ(s.UiMode, kUiIdle);
    EXPECT_EQ(res.refreshCaption, "Fit &Distrib.");
    EXPECT_EQ(res.refreshToolTip, "Fit a new distribution to the spectrum");
    EXPECT_EQ(p.busyDepth, 0);

    AppState hidden = dialog(kWeibull, 0.0f, 0.0f);
    hidden.ToolTipsHidden = 1;
    ScriptedPrompter q;
    q.expect("Editing Stress Spectrum", "1 last spectrum levels with 0 cycles have been removed.");
    EXPECT_EQ(DistributionParamsOk(hidden, q, OpenDistributionParams(hidden), {"50", "2"}).refreshToolTip, "");
}

TEST(DistributionParams, TypedValuesAreConvertedFromDisplayUnits) {
    // US units: a Weibull scale of 10 ksi is 10 / f MPa; a Log-norm mean of ln S in ksi
    // is the mean in MPa + ln f; a Beta shape stays as typed.
    struct Case { int16_t type; const char* q; float expected; };
    const Case cases[] = {
        {kWeibull, "10", 10.0f / kUs},
        {kLognorm, "2", static_cast<float>(2.0 - std::log(static_cast<double>(kUs)))},
        {kBeta, "1.5", 1.5f},
    };
    for (const Case& c : cases) {
        AppState s = dialog(c.type, 1.0f, 1.0f, kUs);
        s.batch().MinRange = 60;  // a grid every density can use
        AcceptAll p;
        const DistributionParamsOkResult res = DistributionParamsOk(s, p, OpenDistributionParams(s), {c.q, "1.5"});
        EXPECT_TRUE(res.accepted) << c.type;
        EXPECT_EQ(s.batch().SourceQ, c.expected) << c.type;
    }
}

TEST(DistributionParams, UsRoundTripWithoutTypingKeepsSourceQ) {
    // Converting the shown text back would move many values by their last bits; the
    // dialog keeps the stored value when the text is the one it showed.
    int wouldChange = 0;
    for (int16_t type : {kWeibull, kLognorm}) {
        for (int k = 1; k <= 40; ++k) {
            const float q = type == kWeibull ? 7.3f * k : 1.0f + 0.0813f * k;
            AppState s = dialog(type, q, 1.7f, kUs);
            s.batch().MinRange = 60;
            const DistributionParamsTexts opened = OpenDistributionParams(s);
            const double shown = *ParseListNumber(opened.q);
            const float back = type == kWeibull
                                   ? static_cast<float>(shown) / kUs
                                   : static_cast<float>(static_cast<float>(shown) -
                                                        std::log(static_cast<double>(kUs)));
            if (back != q) ++wouldChange;
            AcceptAll p;
            const DistributionParamsOkResult res = DistributionParamsOk(s, p, opened, opened);
            ASSERT_TRUE(res.accepted) << q;
            EXPECT_EQ(s.batch().SourceQ, q) << type << " " << q;
            EXPECT_EQ(s.batch().SourceR, 1.7f);
        }
    }
    EXPECT_GT(wouldChange, 0);
}

TEST(DistributionParams, FittedLognormMeanIsAcceptedUnchanged) {
    // The seeding stores the fitted mean + ln MaxRange (positive for M = 100); confirming
    // it unchanged must pass.
    AppState s;
    SetSpectrum(s, 100, 40, {100, 70, 40}, {1, 3, 6});
    s.DistributionType = kLognorm;
    s.SourceParamsType = kBeta;
    s.batch().SourceQ = 1.0f;
    s.batch().SourceR = 1.0f;
    s.UiMode = 0;
    ScriptedPrompter p;
    SeedSourceParameters(s, p);
    const float seeded = s.batch().SourceQ;
    EXPECT_GT(seeded, 0.0f);
    const DistributionParamsTexts opened = OpenDistributionParams(s);
    ClearFit(s);
    AcceptAll any;
    const DistributionParamsOkResult res = DistributionParamsOk(s, any, opened, opened);
    EXPECT_TRUE(res.accepted);
    EXPECT_EQ(s.batch().SourceQ, seeded);
}

TEST(DistributionParams, SynthesisRefusalKeepsTheDialogOpen) {
    // Beta on a grid whose lowest boundary is 0: the synthesis refuses; nothing is stored.
    AppState s = dialog(kBeta, 1.0f, 1.0f);
    const BatchRecord before = s.batch();
    ScriptedPrompter p;
    p.expect("Editing Stress Spectrum",
             "The lowest spectrum level reaches down to a range of 0; "
             "the minimum range must be greater than half the level width.",
             Icon::Critical);
    const DistributionParamsOkResult res = DistributionParamsOk(s, p, OpenDistributionParams(s), {"2", "2"});
    EXPECT_FALSE(res.accepted);
    EXPECT_TRUE(static_cast<const BatchRecord&>(s.batch()) == before);
    EXPECT_FALSE(s.SpectrumChanged);
    EXPECT_EQ(s.UiMode, 0);
}

TEST(DistributionParams, CancelRestoresFromTheCopy) {
    AppState s = dialog(kWeibull, 50.0f, 2.0f);
    SetSpectrum(s, 200, 50, {200, 100, 50}, {1, 2, 3});
    BatchRecord& copy = s.SpectrumBackup;
    copy = s.batch();
    copy.SourceType = -2;
    copy.FitQ = 0.3f;
    copy.UltimateStrength = 500;
    SetGrid(s, 100, 20, 3, 10);
    s.batch().LevelCycles[1] = 99;

    // With the correction flag: the type returns to that of the restored batch.
    const bool reset = DistributionParamsCancel(s, true);
    EXPECT_FALSE(reset);
    EXPECT_TRUE(static_cast<const BatchRecord&>(s.batch()) == copy);
    EXPECT_EQ(s.DistributionType, kLognorm);
    EXPECT_EQ(s.DistributionLabel, "(Log-norm)");
    EXPECT_EQ(s.UiMode, kUiIdle);

    // Without it the panels are reset; a copy without levels restores nothing.
    AppState t = dialog(kWeibull, 50.0f, 2.0f);
    const BatchRecord before = t.batch();
    EXPECT_TRUE(DistributionParamsCancel(t, false));
    EXPECT_TRUE(static_cast<const BatchRecord&>(t.batch()) == before);
    EXPECT_EQ(t.DistributionType, kWeibull);
    EXPECT_EQ(t.UiMode, kUiIdle);
}

TEST(DistributionParams, ControlsEnabledAgain) {
    const std::vector<std::string> keyed = {"frm_Spectrum_Cycles", "vsc_Spectrum", "cmd_Spectrum_Save",
                                            "cmd_Spectrum_Cancel", "cmd_Spectr_Correction",
                                            "cmd_Spectr_Refresh"};
    EXPECT_EQ(SpectrumControlsToEnable(1), keyed);
    std::vector<std::string> distribution = keyed;
    distribution.insert(distribution.begin(), "frm_Spectrum_Stress");
    EXPECT_EQ(SpectrumControlsToEnable(2), distribution);
}
