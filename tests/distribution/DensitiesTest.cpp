#include <gtest/gtest.h>

#include <cmath>

#include "distribution/Densities.h"
#include "distribution/Exceedance.h"

using namespace karmo;

TEST(GammaFunction, GivesTheApproximationNotTheExactValues) {
    struct Case { double x, expected; };
    const Case cases[] = {{1.0, 0.999955}, {0.5, 1.772385}, {5.0, 23.99955}};
    for (const Case& c : cases) {
        EXPECT_NEAR(GammaFunction(c.x), c.expected, 5e-7 * c.expected) << c.x;
    }
    // Below the exact values, which the approximation does not reach.
    EXPECT_LT(GammaFunction(1.0), 1.0);
    EXPECT_LT(GammaFunction(5.0), 24.0);
}

TEST(GammaFunction, BetaFunctionIsKeptInSinglePrecision) {
    const float b = BetaFunction(2.0f, 3.0f);
    const double exact = GammaFunction(2.0) * GammaFunction(3.0) / GammaFunction(5.0);
    EXPECT_EQ(b, static_cast<float>(exact));
    EXPECT_NEAR(b, 1.0 / 12.0, 1e-4);
}

TEST(Densities, ValuesOfTheNormalisedRange) {
    // Weibull Q = 0.5, R = 2 at x = 0.8 and 0.4 (the synthesis example's densities).
    EXPECT_NEAR(WeibullDensity(0.8, 0.5, 2.0), 6.4 * std::exp(-2.56), 1e-12);
    EXPECT_NEAR(WeibullDensity(0.4, 0.5, 2.0), 3.2 * std::exp(-0.64), 1e-12);
    EXPECT_EQ(WeibullDensity(0.0, 0.5, 2.0), 0.0);
    // Beta Q = R = 2: 6 x (1 - x) up to the approximated B(2, 2).
    EXPECT_NEAR(BetaDensity(0.5, 2.0, 2.0), 0.25 / BetaFunction(2.0f, 2.0f), 1e-12);
    EXPECT_EQ(Density(kBeta, 0.5, 2.0, 2.0, false), 0.25);
    // Log-norm at its median e^Q.
    EXPECT_NEAR(LognormDensity(std::exp(-1.0), -1.0, 0.5),
                1.0 / (std::exp(-1.0) * 0.5 * std::sqrt(2 * kPi)), 1e-12);
    // Types other than 2 and 3 are Beta.
    EXPECT_EQ(Density(0, 0.3, 2.0, 3.0), BetaDensity(0.3, 2.0, 3.0));
}

TEST(Densities, SourceParametersAreNormalisedByTheLargestRange) {
    EXPECT_EQ(NormalisedSourceQ(kWeibull, 100.0, 200.0), 0.5);
    EXPECT_DOUBLE_EQ(NormalisedSourceQ(kLognorm, 3.0, 100.0), 3.0 - std::log(100.0));
    EXPECT_EQ(NormalisedSourceQ(kBeta, 1.5, 200.0), 1.5);
}

TEST(Exceedance, ByType) {
    EXPECT_EQ(ExceedanceProbability(kBeta, 2.0, 3.0), 0.0);
    EXPECT_DOUBLE_EQ(ExceedanceProbability(kWeibull, 0.5, 2.0), std::exp(-4.0));
    // Log-norm: one minus the trapezoid sum from 0.0001; a distribution lying mostly
    // above x = 1 gives nearly 1, one far below gives nearly 0.
    EXPECT_GT(ExceedanceProbability(kLognorm, 2.0, 0.3), 0.999);
    // Far below: only the error of the stepped sum is left.
    EXPECT_LT(ExceedanceProbability(kLognorm, -3.0, 0.3), 1e-4);
    // Median at x = 1: about one half, less the mass below 0.0001 and the trapezoid error.
    EXPECT_NEAR(ExceedanceProbability(kLognorm, 0.0, 1.0), 0.5, 1e-3);
    // Parameters that describe no density give no probability.
    EXPECT_TRUE(std::isnan(ExceedanceProbability(kWeibull, 0.5, 0.0)));
    EXPECT_TRUE(std::isnan(ExceedanceProbability(kLognorm, -1.0, -1.0)));
}
