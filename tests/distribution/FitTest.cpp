#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "Fixtures.h"
#include "core/AppState.h"
#include "distribution/Densities.h"
#include "distribution/DistributionFit.h"
#include "support/ScriptedPrompter.h"

using namespace karmo;
using karmo::test::ScriptedPrompter;
using karmo::test::SetSpectrum;

namespace {

const char* kFitTitle = "Fitting Stress Distribution";

// MaxRange 100, MinRange 20, levels 100, 60, 20 with 1, 3, 6 cycles (N = 10).
AppState threeLevels(int16_t type) {
    AppState s;
    SetSpectrum(s, 100, 20, {100, 60, 20}, {1, 3, 6});
    s.DistributionType = type;
    return s;
}

}  // namespace

TEST(FitDistribution, ThreeLevelSpectrumByType) {
    struct Case { int16_t type; double q, r; };
    const Case cases[] = {
        {kBeta, 0.24444, 0.97778},
        {kLognorm, -2.12425, 1.01470},
        // Level 1 enters the Weibull line with F = 1e-12, level 2 with 0.1, level 3 with 0.4.
        {kWeibull, 0.24290, 1.91317},
    };
    for (const Case& c : cases) {
        AppState s = threeLevels(c.type);
        ScriptedPrompter p;
        ASSERT_TRUE(FitDistribution(s, p)) << c.type;
        EXPECT_NEAR(s.batch().FitQ, c.q, 5e-6) << c.type;
        EXPECT_NEAR(s.batch().FitR, c.r, 5e-6) << c.type;
        EXPECT_EQ(s.batch().LevelCycles[0], 0);
    }
}

TEST(FitDistribution, WeibullLineRunsThroughLevelOneAtFOfOneInAMillionMillion) {
    // With two levels the least-squares line passes through both points exactly: level 1
    // at (ln 1, ln(-ln 1e-12)) and level 2 at (ln y2, ln(-ln F2)), F2 the share of level 1.
    // F clamps: 0 becomes 1e-12, 1 becomes 1 - 1e-12.
    struct Case { int c1, c2; double f2; };
    const Case cases[] = {{3, 7, 0.3}, {10, 0, 1 - 1e-12}, {0, 10, 1e-12 + 1e-300}};
    for (const Case& c : cases) {
        AppState s;
        SetSpectrum(s, 100, 50, {100, 50}, {c.c1, c.c2});
        s.DistributionType = kWeibull;
        ScriptedPrompter p;
        if (c.c1 == 0) {
            // Both points on F = 1e-12: a flat line, no distribution.
            p.expect(kFitTitle, "The spectrum gives no valid distribution parameters; the fit is not stored.");
            EXPECT_FALSE(FitDistribution(s, p));
            continue;
        }
        ASSERT_TRUE(FitDistribution(s, p));
        const double top = std::log(-std::log(1e-12));
        const double r = (std::log(-std::log(c.f2)) - top) / std::log(0.5);
        EXPECT_NEAR(s.batch().FitR, r, 1e-5 * r) << c.c1;
        // At ln y = 0 the line is -R ln Q = top.
        EXPECT_NEAR(s.batch().FitQ, std::exp(-top / r), 1e-5) << c.c1;
    }
}

TEST(FitDistribution, BetaMomentsAreThoseOfTheLowerBoundaries) {
    // m1 = 0.2 and v = 0.072 from x = 0.8, 0.4, 0.0: Q = m1 (m1 - m1^2 - v) / v and
    // R = Q (1 - m1) / m1 follow from them.
    AppState s = threeLevels(kBeta);
    ScriptedPrompter p;
    ASSERT_TRUE(FitDistribution(s, p));
    EXPECT_NEAR(s.batch().FitQ, 0.2 * (0.2 - 0.04 - 0.072) / 0.072, 1e-6);
    EXPECT_NEAR(s.batch().FitR, s.batch().FitQ * 4.0, 1e-6);
}

TEST(FitDistribution, AnyOtherTypeNumberFitsBeta) {
    AppState s = threeLevels(7);
    ScriptedPrompter p;
    ASSERT_TRUE(FitDistribution(s, p));
    EXPECT_NEAR(s.batch().FitQ, 0.24444, 5e-6);
}

TEST(FitDistribution, EmptySpectrumChangesNothingSilently) {
    AppState s;
    s.batch().FitQ = 1.5f;
    s.batch().FitR = 2.5f;
    s.batch().LevelCycles[0] = 7;
    ScriptedPrompter p;
    EXPECT_FALSE(FitDistribution(s, p));
    EXPECT_EQ(s.batch().FitQ, 1.5f);
    EXPECT_EQ(s.batch().LevelCycles[0], 7);
}

TEST(FitDistribution, GuardsReportAndChangeNothing) {
    struct Case {
        const char* name;
        int16_t type;
        void (*setup)(AppState&);
        const char* message;
    };
    const Case cases[] = {
        {"one level", kBeta, [](AppState& s) { SetSpectrum(s, 100, 100, {100}, {5}); },
         "At least 2 spectrum levels are needed to fit a distribution."},
        {"101 levels", kBeta,
         [](AppState& s) {
             SetSpectrum(s, 100, 20, {100, 20}, {1, 2});
             s.batch().LevelCount = 101;
         },
         "A spectrum has at most 100 levels."},
        {"min range 0", kBeta, [](AppState& s) { SetSpectrum(s, 100, 0, {100, 0}, {1, 2}); },
         "The maximum and minimum ranges of the spectrum must be greater than 0."},
        {"max range negative", kLognorm,
         [](AppState& s) { SetSpectrum(s, -10, 20, {100, 20}, {1, 2}); },
         "The maximum and minimum ranges of the spectrum must be greater than 0."},
        {"no volume", kWeibull, [](AppState& s) { SetSpectrum(s, 100, 20, {100, 20}, {0, 0}); },
         "The spectrum volume must be greater than 0."},
        {"all cycles in one level", kBeta,
         [](AppState& s) { SetSpectrum(s, 100, 20, {100, 60, 20}, {0, 5, 0}); },
         "The cycles of the spectrum have no spread (zero variance): a distribution cannot be fitted."},
        {"zero variance log-norm", kLognorm,
         [](AppState& s) { SetSpectrum(s, 100, 20, {100, 60, 20}, {4, 0, 0}); },
         "The cycles of the spectrum have no spread (zero variance): a distribution cannot be fitted."},
        {"Weibull level range 0", kWeibull,
         [](AppState& s) { SetSpectrum(s, 100, 20, {100, 60, 0}, {1, 2, 3}); },
         "The range of level 3 must be greater than 0 to fit a Weibull distribution."},
        {"Weibull levels on one range", kWeibull,
         [](AppState& s) { SetSpectrum(s, 100, 20, {100, 100, 100}, {1, 2, 3}); },
         "All spectrum levels have the same range: the Weibull line cannot be fitted."},
        // Every cycle in the lowest level: all points of the line share F = 1e-12, the
        // slope is 0 and Q would be infinite.
        {"Weibull flat line", kWeibull,
         [](AppState& s) { SetSpectrum(s, 100, 20, {100, 60, 20}, {0, 0, 9}); },
         "The spectrum gives no valid distribution parameters; the fit is not stored."},
    };
    for (const Case& c : cases) {
        AppState s;
        c.setup(s);
        s.DistributionType = c.type;
        s.batch().FitQ = 0.25f;
        s.batch().FitR = 0.75f;
        const BatchRecord before = s.batch();
        ScriptedPrompter p;
        p.expect(kFitTitle, c.message, Icon::Critical);
        EXPECT_FALSE(FitDistribution(s, p)) << c.name;
        EXPECT_TRUE(static_cast<const BatchRecord&>(s.batch()) == before) << c.name;
    }
}

TEST(FitDistribution, TitleFollowsTheQuantity) {
    AppState s;
    s.QuantityName = "Strain ";
    SetSpectrum(s, 100, 20, {100}, {3});
    ScriptedPrompter p;
    p.expect("Fitting Strain Distribution", "At least 2 spectrum levels are needed to fit a distribution.");
    EXPECT_FALSE(FitDistribution(s, p));
}

TEST(FitDistribution, CalculateShowsTheFittedSetOnlyAfterAFit) {
    AppState s = threeLevels(kWeibull);
    ScriptedPrompter p;
    EXPECT_TRUE(CalculateDistribution(s, p));
    EXPECT_TRUE(s.ShowFitted);
    EXPECT_EQ(p.busyDepth, 0);

    AppState t;
    SetSpectrum(t, 100, 20, {100}, {3});
    ScriptedPrompter q;
    q.expect(kFitTitle, "At least 2 spectrum levels are needed to fit a distribution.");
    EXPECT_FALSE(CalculateDistribution(t, q));
    EXPECT_FALSE(t.ShowFitted);
    EXPECT_EQ(q.busyDepth, 0);
}

TEST(DisplayConversion, FittedAndSourceQ) {
    const float f = 1.0f / 6.895f;
    // Weibull fitted Q 0.5 of MaxRange 200 in SI: 100.
    EXPECT_EQ(DisplayedFitQ(kWeibull, 0.5f, 1.0f, 200.0f), 100.0);
    EXPECT_EQ(DisplayedSourceQ(kWeibull, 100.0f, 1.0f), 100.0);
    EXPECT_EQ(DisplayedSourceQ(kWeibull, 100.0f, f), static_cast<double>(f * 100.0f));
    EXPECT_DOUBLE_EQ(DisplayedFitQ(kLognorm, -2.0f, 1.0f, 200.0f), -2.0 + std::log(200.0));
    EXPECT_DOUBLE_EQ(DisplayedSourceQ(kLognorm, 3.0f, f), 3.0 + std::log(static_cast<double>(f)));
    EXPECT_EQ(DisplayedFitQ(kBeta, 0.75f, f, 200.0f), 0.75);
    EXPECT_EQ(DisplayedSourceQ(kBeta, 0.75f, f), 0.75);
}

TEST(SourceSeeding, ConfirmationSetsLabelTypeAndCaption) {
    struct Case { int16_t type; const char* label; float sourceType; const char* caption; };
    const Case cases[] = {{kBeta, "(Beta)", 0.0f, "Edit Beta Parameters"},
                          {kWeibull, "(Weibull)", -1.0f, "Edit Weibull Parameters"},
                          {kLognorm, "(Log-norm)", -2.0f, "Edit Log-norm Parameters"}};
    for (const Case& c : cases) {
        AppState s;
        s.DistributionType = c.type;
        EXPECT_EQ(ConfirmDistributionType(s), c.caption);
        EXPECT_EQ(s.DistributionLabel, c.label);
        EXPECT_EQ(s.batch().SourceType, c.sourceType);
    }
}

TEST(SourceSeeding, ParametersOfAnotherTypeAreReplacedByAConvertedFit) {
    struct Case { int16_t type; double q; };
    // Fitted Q of the three-level spectrum turned into the source form (M = 100).
    const Case cases[] = {{kBeta, 0.24444}, {kWeibull, 24.290}, {kLognorm, -2.12425 + std::log(100.0)}};
    for (const Case& c : cases) {
        AppState s = threeLevels(c.type);
        s.SourceParamsType = c.type == kBeta ? kWeibull : kBeta;
        s.batch().SourceQ = 7.0f;
        s.batch().SourceR = 8.0f;
        ScriptedPrompter p;
        SeedSourceParameters(s, p);
        EXPECT_NEAR(s.batch().SourceQ, c.q, 2e-4) << c.type;
        EXPECT_EQ(s.batch().SourceR, s.batch().FitR);
        EXPECT_EQ(s.SourceParamsType, c.type);
        ClearFit(s);
        EXPECT_EQ(s.batch().FitQ, 0.0f);
        EXPECT_EQ(s.batch().FitR, 0.0f);
    }
}

TEST(SourceSeeding, AFitThatFailsKeepsTheParameters) {
    AppState s;
    SetSpectrum(s, 100, 20, {100, 60, 20}, {0, 5, 0});
    s.DistributionType = kBeta;
    s.SourceParamsType = kWeibull;
    s.batch().SourceQ = 70.0f;
    s.batch().SourceR = 2.0f;
    ScriptedPrompter p;
    p.expect(kFitTitle, "The cycles of the spectrum have no spread (zero variance): a distribution cannot be fitted.");
    SeedSourceParameters(s, p);
    EXPECT_EQ(s.batch().SourceQ, 70.0f);
    EXPECT_EQ(s.batch().SourceR, 2.0f);
    EXPECT_EQ(s.SourceParamsType, kBeta);

}

TEST(SourceSeeding, SameTypeOrNoSourceKeepsTheParameters) {
    AppState s = threeLevels(kWeibull);
    s.SourceParamsType = kWeibull;
    s.batch().SourceQ = 70.0f;
    s.batch().SourceR = 2.0f;
    ScriptedPrompter p;
    SeedSourceParameters(s, p);
    EXPECT_EQ(s.batch().SourceQ, 70.0f);
    EXPECT_EQ(s.batch().FitQ, 0.0f);  // no fit was made

    AppState t = threeLevels(kLognorm);
    t.SourceParamsType = kBeta;
    SeedSourceParameters(t, p);
    EXPECT_EQ(t.batch().SourceQ, 0.0f);
    EXPECT_EQ(t.SourceParamsType, kLognorm);
}

TEST(SourceSeeding, TypeOfTheSourceParameters) {
    struct Case { float sourceType; int16_t type; };
    const Case cases[] = {{0.0f, kBeta}, {-1.0f, kWeibull}, {-2.0f, kLognorm},
                          // Values no program writes, read from a damaged file.
                          {-3.0f, kBeta}, {1.0f, kBeta}, {1e9f, kBeta},
                          {std::nanf(""), kBeta}, {-0.9999f, kWeibull}};
    for (const Case& c : cases) {
        BatchRecord b;
        b.SourceType = c.sourceType;
        EXPECT_EQ(SourceDistributionType(b), c.type) << c.sourceType;
    }
}
