#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numeric>
#include <string>
#include <vector>

#include "Fixtures.h"
#include "core/NumberForms.h"
#include "distribution/Densities.h"
#include "distribution/DistributionParams.h"
#include "distribution/Synthesis.h"
#include "support/ScriptedPrompter.h"

using namespace karmo;
using karmo::test::ScriptedPrompter;

namespace {

const char* kEditing = "Editing Stress Spectrum";
const char* kParams = "Edit Beta Parameters";
const char* kInsufficient = "There is insufficient number of effective spectrum levels.";
const char* kBoundary = "The lowest spectrum level reaches down to a range of 0; "
                        "the minimum range must be greater than half the level width.";
const float kUs = 1.0f / 6.895f;
const double kLnUs = std::log(static_cast<double>(kUs));

std::string removed(int k) { return std::to_string(k) + " last spectrum levels with 0 cycles have been removed."; }

// For accepted values whose synthesis messages are tested elsewhere.
struct AcceptAll : Prompter {
    Answer ask(const Prompt&) override { return Answer::Ok; }
};

// An empty grid of n levels from maxRange down to minRange with a source parameter set; the
// parameter dialog is open over it (UiMode 0).
AppState source(int16_t type, float q, float r, float maxRange = 100, float minRange = 20, int n = 3,
                int volume = 10, float f = 1) {
    AppState s;
    karmo::test::SetSpectrum(s, maxRange, minRange, {}, {}, volume, n);
    s.DistributionType = type;
    s.batch().SourceQ = q;
    s.batch().SourceR = r;
    s.QuantityFactor = f;
    s.UiMode = 0;
    return s;
}

}  // namespace

TEST(SynthesizeSpectrum, Examples) {
    struct Case { const char* name; int16_t type; float q, r, maxRange, minRange; int levels, volume;
                  std::vector<int> expected; float expectedMin; std::string message; };
    const Case cases[] = {
        // Densities at x = 0.8, 0.4, 0 round to 5, 17, 0; normalised 2, 8; the last level
        // gets 10 - 10 = 0 and is removed.
        {"Weibull example", kWeibull, 50, 2, 100, 20, 3, 10, {2, 8}, 60, removed(1)},
        // Level 1 rounds to 0 and is raised to one cycle; level 2 is cut to keep N.
        {"level-1 floor", kWeibull, 20, 2, 100, 20, 3, 10, {1, 9}, 60, removed(1)},
        // Level 3 rounds to 4 but only 3 cycles are left; level 4 gets none and goes.
        {"early exhaustion", kWeibull, 40, 3, 100, 20, 4, 5, {1, 1, 3}, 46.666668f, removed(1)},
        // Everything lands in level 1: no levels are kept.
        {"insufficient levels", kWeibull, 100, 8, 100, 20, 3, 10, {}, 100, kInsufficient},
        // The empty level above the last takes its cycles and becomes the last level; MinRange
        // is its own range, so the grid of the levels above stays.
        {"merge above the last", kWeibull, 30, 3, 100, 20, 4, 5, {1, 4}, 73.333336f, removed(2)},
        // N / n = 1, Q / R = 1: level 7 (c = 1.426) is scaled by 1.1 and rounds to 2, which
        // uses up the volume before level 8.
        {"Beta 1.1 factor", kBeta, 1.8f, 1.8f, 100, 60, 8, 8, {1, 1, 1, 1, 1, 1, 2}, 65.714287f, removed(1)},
        // Both parameters at least 2.1: no factor although c > 1.4 from level 6 on.
        {"Beta 2.5/2.5", kBeta, 2.5f, 2.5f, 100, 60, 8, 8, {1, 0, 1, 1, 1, 1, 2, 1}, 60, ""},
        // Four levels of the 100..20 grid: no level reaches c > 1.4.
        {"Beta 1.5/1.5", kBeta, 1.5f, 1.5f, 100, 20, 4, 4, {1, 1, 1, 1}, 20, ""},
    };
    for (const Case& c : cases) {
        AppState s = source(c.type, c.q, c.r, c.maxRange, c.minRange, c.levels, c.volume);
        ScriptedPrompter p;
        const bool critical = c.message == kInsufficient;
        if (!c.message.empty()) p.expect(kEditing, c.message, critical ? Icon::Critical : Icon::Information);
        ASSERT_TRUE(SynthesizeSpectrum(s, p)) << c.name;
        const DataBatch& b = s.batch();
        const std::vector<int> got(&b.LevelCycles[1], &b.LevelCycles[1] + b.LevelCount);
        EXPECT_EQ(got, c.expected) << c.name;
        if (critical) continue;
        EXPECT_EQ(std::accumulate(got.begin(), got.end(), 0), c.volume) << c.name;
        EXPECT_EQ(b.MinRange, c.expectedMin) << c.name;
        // After a removal MinRange is the range of the new last level: the grid is unchanged.
        if (!c.message.empty()) {
            EXPECT_EQ(b.MinRange, b.LevelRange[b.LevelCount]) << c.name;
        }
    }
}

TEST(SynthesizeSpectrum, GuardsReportAndChangeNothing) {
    struct Case { int16_t type; float q, r, maxRange, minRange; int levels, volume; const char* message; };
    const Case cases[] = {
        {kWeibull, 50, 2, 100, 20, 1, 10, "At least 2 spectrum levels are needed."},
        {kWeibull, 50, 2, 100, 20, 101, 10, "A spectrum has at most 100 levels."},
        {kWeibull, 50, 2, 0, 20, 3, 10, "The maximum and minimum ranges of the spectrum must be greater than 0."},
        {kWeibull, 50, 2, 100, 120, 3, 10, "The minimum range must be smaller than the maximum range."},
        {kWeibull, 50, 2, 100, 20, 3, 0, "The spectrum volume must be at least 1 cycle."},
        {kBeta, 0, 2, 100, 60, 3, 10, "The value of Q must be greater than 0"},
        {kWeibull, 50, 0, 100, 20, 3, 10, "The value of R must be greater than 0"},
        {kLognorm, 3, 0, 100, 60, 3, 10, "The value of R must be greater than 0"},
        {kLognorm, std::numeric_limits<float>::infinity(), 1, 100, 60, 3, 10,
         "The distribution parameters are not valid numbers."},
        {kBeta, 2, 2, 100, 20, 3, 10, kBoundary},  // lowest boundary 20 - 40 / 2 = 0
        {kLognorm, 3, 1, 100, 10, 3, 10, kBoundary},
        // Weibull with R < 1 is infinite at x = 0.
        {kWeibull, 50, 0.5f, 100, 20, 3, 10, "The density of the distribution cannot be evaluated on this level grid."},
        // A density of 1.69 at level 2 times a volume of 2e9 does not fit 32 bits.
        {kWeibull, 50, 2, 100, 20, 3, 2000000000,
         "A level would receive more cycles than can be stored; check the distribution parameters."},
    };
    for (const Case& c : cases) {
        AppState s = source(c.type, c.q, c.r, c.maxRange, c.minRange, c.levels, c.volume);
        s.QuantityName = "Strain ";
        s.batch().LevelCycles[1] = 45;
        const BatchRecord before = s.batch();
        ScriptedPrompter p;
        p.expect("Editing Strain Spectrum", c.message, Icon::Critical);
        EXPECT_FALSE(SynthesizeSpectrum(s, p)) << c.message;
        EXPECT_TRUE(static_cast<const BatchRecord&>(s.batch()) == before) << c.message;
    }
}

TEST(DistributionParams, OpeningTextsKeysAndLostFocus) {
    struct Case { int16_t type; float q, r, f; const char* qText; const char* rText; };
    const Case cases[] = {{kWeibull, 100.0f, 2.5f, kUs, "14.50326", "2.5"},
                          {kBeta, 0.5f, 1.25f, kUs, "0.5", "1.25"},  // a shape has no unit
                          {kLognorm, 0.1f, 1.0f, 1.0f, "0.100000001490116", "1"}};  // through a double
    for (const Case& c : cases) {
        const DistributionParamsTexts t = OpenDistributionParams(source(c.type, c.q, c.r, 100, 20, 3, 10, c.f));
        EXPECT_EQ(std::vector<std::string>({t.q, t.r}), std::vector<std::string>({c.qText, c.rText}));
    }

    using B = ParamsBox;
    struct Key { B box; int key; std::optional<B> to; };
    const Key keys[] = {{B::Q, 38, B::R}, {B::Q, 40, B::R}, {B::Q, 34, {}}, {B::Q, 13, {}},
                        {B::R, 38, B::Q}, {B::R, 34, B::Q}, {B::R, 40, {}}, {B::R, 13, {}}};
    for (const Key& k : keys) EXPECT_EQ(DistributionParamsKeyDown(k.box, k.key), k.to) << k.key;

    ScriptedPrompter p;
    p.expect(kParams, "Q must be a numeric", Icon::Critical).expect(kParams, "R must be a numeric", Icon::Critical);
    EXPECT_FALSE(DistributionParamsLostFocus(p, B::Q, "abc"));
    EXPECT_FALSE(DistributionParamsLostFocus(p, B::R, ""));
    EXPECT_TRUE(DistributionParamsLostFocus(p, B::Q, " 1.5e2 "));
}

TEST(DistributionParams, OkChecksAndConvertsTheTypedValues) {
    using B = ParamsBox;
    struct Case { int16_t type; float f, minRange; const char* q; const char* r; const char* message; B focus; float stored; };
    const Case cases[] = {
        {kBeta, 1, 20, "0", "2", "The value of Q must be greater than 0", B::Q, 1},
        // ln 100 = 4.605: means at or above it are refused.
        {kLognorm, 1, 20, "4.7", "1", "The value of Q must be smaller than 0", B::Q, 1},
        {kWeibull, 1, 20, "50", "-1", "The value of R must be greater than 0", B::R, 1},
        {kLognorm, 1, 20, "3", "0", "The value of R must be greater than 0", B::R, 1},
        {kWeibull, 1, 20, "x", "2", "Q must be a numeric", B::Q, 1},
        {kWeibull, 1, 20, "50", "", "R must be a numeric", B::R, 1},
        {kWeibull, 1, 20, "1e39", "2", "The value of Q is out of range", B::Q, 1},
        {kBeta, 1, 20, "2", "2", kBoundary, B::Q, 1},  // the synthesis refuses
        // US units: Weibull scale / f, Log-norm mean - ln f; a Beta shape stays as typed.
        {kWeibull, kUs, 60, "10", "1.5", nullptr, B::Q, 10.0f / kUs},
        {kLognorm, kUs, 60, "2", "1.5", nullptr, B::Q, static_cast<float>(2.0 - kLnUs)},
        {kBeta, kUs, 60, "1.5", "1.5", nullptr, B::Q, 1.5f},
    };
    for (const Case& c : cases) {
        AppState s = source(c.type, 1, 1, 100, c.minRange, 3, 10, c.f);
        const BatchRecord before = s.batch();
        ScriptedPrompter scripted;
        AcceptAll any;
        if (c.message) scripted.expect(c.message == kBoundary ? kEditing : kParams, c.message, Icon::Critical);
        Prompter& p = c.message ? static_cast<Prompter&>(scripted) : any;
        const DistributionParamsOkResult res = DistributionParamsOk(s, p, OpenDistributionParams(s), {c.q, c.r});
        EXPECT_EQ(res.accepted, !c.message) << c.q;
        EXPECT_EQ(s.batch().SourceQ, c.stored) << c.q;
        if (!c.message) continue;
        // Refused: nothing stored, the dialog stays open.
        EXPECT_EQ(res.focus, c.focus) << c.message;
        EXPECT_TRUE(static_cast<const BatchRecord&>(s.batch()) == before) << c.message;
        EXPECT_TRUE(s.UiMode == 0 && !s.SpectrumChanged && scripted.busyDepth == 0) << c.message;
    }
}

TEST(DistributionParams, OkStoresAndSynthesises) {
    for (int16_t hidden : {0, 1}) {
        AppState s = source(kWeibull, 0, 0);
        s.ShowFitted = true;
        s.ToolTipsHidden = hidden;
        ScriptedPrompter p;
        p.expect(kEditing, removed(1), Icon::Information);
        const DistributionParamsOkResult res = DistributionParamsOk(s, p, OpenDistributionParams(s), {"50", "2"});
        ASSERT_TRUE(res.accepted);
        const DataBatch& b = s.batch();
        EXPECT_EQ(std::vector<double>({b.SourceQ, b.SourceR, double(b.LevelCount), double(b.LevelCycles[2])}),
                  std::vector<double>({50, 2, 2, 8}));
        EXPECT_TRUE(s.SpectrumChanged && !s.ShowFitted && s.UiMode == kUiIdle && p.busyDepth == 0);
        EXPECT_EQ(res.refreshCaption, "Fit &Distrib.");
        EXPECT_EQ(res.refreshToolTip, hidden ? "" : "Fit a new distribution to the spectrum");
    }
}

TEST(DistributionParams, UsRoundTripWithoutTypingKeepsSourceQ) {
    // Converting the shown text back would move some values by their last bits; a box
    // whose text is the one shown keeps the stored value. The Log-norm means are positive,
    // like a seeded fitted mean + ln MaxRange: below ln MaxRange they are accepted.
    int wouldChange = 0;
    AcceptAll p;
    for (int16_t type : {kWeibull, kLognorm}) {
        for (int k = 1; k <= 20; ++k) {
            const float q = type == kWeibull ? 7.3f * k : 1.0f + 0.0813f * k;
            AppState s = source(type, q, 1.7f, 100, 60, 3, 10, kUs);
            const DistributionParamsTexts opened = OpenDistributionParams(s);
            const double shown = *ParseListNumber(opened.q);
            wouldChange += (type == kWeibull ? static_cast<float>(shown) / kUs
                                             : static_cast<float>(static_cast<float>(shown) - kLnUs)) != q;
            ASSERT_TRUE(DistributionParamsOk(s, p, opened, opened).accepted) << q;
            EXPECT_TRUE(s.batch().SourceQ == q && s.batch().SourceR == 1.7f) << type << " " << q;
        }
    }
    EXPECT_GT(wouldChange, 0);
}

TEST(DistributionParams, CancelRestoresFromTheCopy) {
    AppState s = source(kWeibull, 50, 2);
    const BatchRecord opened = s.batch();
    // A copy without levels restores nothing; without the correction flag the panels are reset.
    EXPECT_TRUE(DistributionParamsCancel(s, false));
    EXPECT_TRUE(static_cast<const BatchRecord&>(s.batch()) == opened && s.UiMode == kUiIdle);
    karmo::test::SetSpectrum(s, 200, 50, {200, 100, 50}, {1, 2, 3});
    s.SpectrumBackup = s.batch();
    s.SpectrumBackup.SourceType = -2;
    s.SpectrumBackup.UltimateStrength = 500;
    static_cast<BatchRecord&>(s.batch()) = opened;
    s.UiMode = 0;
    // With the correction flag the type returns to that of the restored batch.
    EXPECT_FALSE(DistributionParamsCancel(s, true));
    EXPECT_TRUE(static_cast<const BatchRecord&>(s.batch()) == s.SpectrumBackup && s.UiMode == kUiIdle);
    EXPECT_TRUE(s.DistributionType == kLognorm && s.DistributionLabel == "(Log-norm)");
}
