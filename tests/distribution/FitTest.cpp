#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "Fixtures.h"
#include "distribution/Densities.h"
#include "distribution/DistributionFit.h"
#include "distribution/Exceedance.h"
#include "support/ScriptedPrompter.h"

using namespace karmo;
using karmo::test::ScriptedPrompter;
using karmo::test::SetSpectrum;

namespace {

const char* kNoSpread =
    "The cycles of the spectrum have no spread (zero variance): a distribution cannot be fitted.";
const char* kNoValid = "The spectrum gives no valid distribution parameters; the fit is not stored.";

// MaxRange 100, MinRange 20, levels 100, 60, 20 with 1, 3, 6 cycles (N = 10).
AppState threeLevels(int16_t type, std::vector<int> cycles = {1, 3, 6}) {
    AppState s;
    SetSpectrum(s, 100, 20, {100, 60, 20}, cycles);
    s.DistributionType = type;
    return s;
}

}  // namespace

TEST(Densities, GammaApproximationAndExceedance) {
    // The approximation, not the exact values 1, sqrt(pi), 24.
    for (auto [x, g] : {std::pair{1.0, 0.999955}, {0.5, 1.772385}, {5.0, 23.99955}})
        EXPECT_NEAR(GammaFunction(x), g, 5e-7 * g) << x;
    EXPECT_EQ(ExceedanceProbability(kBeta, 2.0, 3.0), 0.0);
    EXPECT_DOUBLE_EQ(ExceedanceProbability(kWeibull, 0.5, 2.0), std::exp(-4.0));
    // Log-norm: one minus the trapezoid sum from 0.0001 up to 1.
    EXPECT_GT(ExceedanceProbability(kLognorm, 2.0, 0.3), 0.999);
    EXPECT_LT(ExceedanceProbability(kLognorm, -3.0, 0.3), 1e-4);
    EXPECT_NEAR(ExceedanceProbability(kLognorm, 0.0, 1.0), 0.5, 1e-3);
    EXPECT_TRUE(std::isnan(ExceedanceProbability(kLognorm, -1.0, -1.0)));
}

TEST(FitDistribution, ThreeLevelSpectrumByType) {
    struct Case { int16_t type; double q, r; std::vector<int> cycles = {1, 3, 6}; };
    const Case cases[] = {{kBeta, 0.24444, 0.97778}, {kLognorm, -2.12425, 1.01470},
                          // Level 1 enters the Weibull line with F = 1e-12, level 2 with 0.1, level 3 with 0.4.
                          {kWeibull, 0.24290, 1.91317}, {7, 0.24444, 0.97778},
                          // F of levels 2 and 3 is 1, clamped to 1 - 1e-12 (a line through
                          // (0, ln(-ln 1e-12)), (ln 0.6, ln(-ln(1 - 1e-12))), (ln 0.2, same)).
                          {kWeibull, 1.439069, 16.170323, {10, 0, 0}}};
    for (const Case& c : cases) {
        AppState s = threeLevels(c.type, c.cycles);
        s.batch().LevelCycles[0] = 5;
        ScriptedPrompter p;
        ASSERT_TRUE(CalculateDistribution(s, p)) << c.type;
        EXPECT_NEAR(s.batch().FitQ, c.q, 5e-6) << c.type;
        EXPECT_NEAR(s.batch().FitR, c.r, 5e-6) << c.type;
        EXPECT_EQ(s.batch().LevelCycles[0], 0);
        EXPECT_TRUE(s.ShowFitted);
        EXPECT_EQ(p.busyDepth, 0);
    }
}

TEST(FitDistribution, GuardsReportAndChangeNothing) {
    struct Case { int16_t type; float maxRange, minRange; std::vector<float> ranges; std::vector<int> cycles;
                  int levels; const char* message; };
    const Case cases[] = {
        {kBeta, 100, 20, {}, {}, 0, nullptr},  // empty: silently nothing
        {kBeta, 100, 100, {100}, {5}, 0, "At least 2 spectrum levels are needed to fit a distribution."},
        {kBeta, 100, 20, {100, 20}, {1, 2}, 101, "A spectrum has at most 100 levels."},
        {kLognorm, -10, 20, {100, 20}, {1, 2}, 0, "The maximum and minimum ranges of the spectrum must be greater than 0."},
        {kWeibull, 100, 20, {100, 20}, {0, 0}, 0, "The spectrum volume must be greater than 0."},
        {kBeta, 100, 20, {100, 60, 20}, {0, 5, 0}, 0, kNoSpread},  // whatever rounding leaves of v
        {kWeibull, 100, 20, {100, 60, 0}, {1, 2, 3}, 0, "The range of level 3 must be greater than 0 to fit a Weibull distribution."},
        {kWeibull, 100, 20, {100, 100, 100}, {1, 2, 3}, 0, "All spectrum levels have the same range: the Weibull line cannot be fitted."},
        // Every cycle in the lowest level: all points at F = 1e-12, slope 0, Q infinite.
        {kWeibull, 100, 20, {100, 60, 20}, {0, 0, 9}, 0, kNoValid},
    };
    for (const Case& c : cases) {
        AppState s;
        s.QuantityName = "Strain ";
        SetSpectrum(s, c.maxRange, c.minRange, c.ranges, c.cycles, -1, c.levels);
        s.DistributionType = c.type;
        s.batch().FitQ = 0.25f;
        s.batch().LevelCycles[0] = 7;
        const BatchRecord before = s.batch();
        ScriptedPrompter p;
        if (c.message) p.expect("Fitting Strain Distribution", c.message, Icon::Critical);
        EXPECT_FALSE(CalculateDistribution(s, p)) << c.message;
        EXPECT_TRUE(static_cast<const BatchRecord&>(s.batch()) == before) << c.message;
        EXPECT_FALSE(s.ShowFitted);
    }
}

TEST(SourceSeeding, ConfirmationSetsLabelTypeAndCaption) {
    const char* names[] = {"", "Beta", "Weibull", "Log-norm"};
    for (int16_t type : {kBeta, kWeibull, kLognorm}) {
        AppState s;
        s.DistributionType = type;
        EXPECT_EQ(ConfirmDistributionType(s), std::string("Edit ") + names[type] + " Parameters");
        EXPECT_EQ(s.DistributionLabel, std::string("(") + names[type] + ")");
        EXPECT_EQ(s.batch().SourceType, 1 - type);
        EXPECT_EQ(SourceDistributionType(s.batch()), type);
    }
    // Values no program writes, read from a damaged file, count as Beta.
    BatchRecord b;
    for (float t : {-3.0f, 1.0f, 1e9f, std::nanf("")}) {
        b.SourceType = t;
        EXPECT_EQ(SourceDistributionType(b), kBeta) << t;
    }
}

TEST(SourceSeeding, ParametersOfAnotherTypeAreReplacedByTheConvertedFit) {
    struct Case {
        int16_t type, paramsType;
        float sourceQ;
        double q, r;
        std::vector<int> cycles = {1, 3, 6};
        bool storedEdit = false;    // a stored distribution edit whose span was just retyped
    };
    const Case cases[] = {
        {kBeta, kWeibull, 7, 0.24444, 0.97778},
        {kWeibull, kBeta, 7, 24.290, 1.91317},                       // FitQ * M
        {kLognorm, kBeta, 7, -2.12425 + std::log(100.0), 1.01470},  // FitQ + ln M
        {kWeibull, kWeibull, 7, 7, 8},  // same type: kept
        {kLognorm, kBeta, 0, 0, 8},     // no source parameters: kept
        {kBeta, kWeibull, 7, 7, 8, {0, 5, 0}},  // a fit that fails: kept
        // a batch with only a fit starts from it, fitted on the levels the edit began with
        {kWeibull, kWeibull, 0, 24.290, 1.91317, {1, 3, 6}, true},
        {kLognorm, kLognorm, 0, -2.12425 + std::log(100.0), 1.01470, {1, 3, 6}, true},
    };
    for (const Case& c : cases) {
        AppState s = threeLevels(c.type, c.cycles);
        s.SourceParamsType = c.paramsType;
        s.batch().SourceQ = c.sourceQ;
        s.batch().SourceR = 8.0f;
        ScriptedPrompter p;
        if (c.cycles[0] == 0) p.expect("Fitting Stress Distribution", kNoSpread);
        if (c.storedEdit) {
            s.EditingStoredDistribution = true;
            s.SpectrumBackup = s.batch();
            s.batch().MaxRange = 150;   // the new span is not the fitted spectrum's
            s.batch().LevelCount = 2;
        }
        SeedSourceParameters(s, p);
        EXPECT_NEAR(s.batch().SourceQ, c.q, 2e-4) << c.type;
        EXPECT_NEAR(s.batch().SourceR, c.r, 5e-6) << c.type;
        EXPECT_EQ(s.SourceParamsType, c.type);
        if (c.storedEdit) {
            EXPECT_EQ(std::pair(s.batch().MaxRange, s.batch().LevelCount), std::pair(150.0f, int16_t{2}));
        }
    }
}
