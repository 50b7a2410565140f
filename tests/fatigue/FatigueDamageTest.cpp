#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <limits>
#include <utility>

#include "fatigue/FatigueDamage.h"

namespace karmo {
namespace {

BatchRecord spectrumOf(std::initializer_list<std::pair<float, int32_t>> levels, float recordTime = 30) {
    BatchRecord b;
    b.RecordTime = recordTime;
    for (const auto& [range, cycles] : levels) {
        ++b.LevelCount;
        b.LevelRange[static_cast<size_t>(b.LevelCount)] = range;
        b.LevelCycles[static_cast<size_t>(b.LevelCount)] = cycles;
    }
    return b;
}

void expectRelative(double actual, double expected) {
    EXPECT_NEAR(actual, expected, 1e-12 * std::fabs(expected)) << expected;
}

// Four levels on both sides of the knee (80), one below the cut-off of the last curve.
TEST(FatigueDamage, MinerSumsForEachCurveForm) {
    const BatchRecord b = spectrumOf({{200, 10}, {120, 300}, {60, 5000}, {30, 80000}});
    struct Case {
        SnCurve curve;
        double k, k2, cutOff;   // the same curve, for the sum written out here
    };
    const Case cases[] = {
        {SingleSlopeCurve(3, 80, 2e6), 3, 3, 0},
        {KneeCurve(4, 80, 2e6, 7), 4, 7, 0},          // Haibach: 2k - 1
        {KneeCurve(5, 80, 2e6, 5), 5, 5, 0},          // elementary
        {KneeCurve(3, 80, 2e6, 5, 40.0), 3, 5, 40},   // the last level is cut off
    };
    for (const Case& c : cases) {
        double d = 0;
        double part[4];
        for (int i = 1; i <= 4; ++i) {
            const double s = b.LevelRange[static_cast<size_t>(i)];
            const double slope = s >= 80 ? c.k : c.k2;
            part[i - 1] = s < c.cutOff ? 0 : b.LevelCycles[static_cast<size_t>(i)] / (2e6 * std::pow(80 / s, slope));
            d += part[i - 1];
        }
        const DamageResult r = ComputeDamage(b, c.curve);
        ASSERT_EQ(r.refusal, "");
        expectRelative(r.perRepetition, d);
        expectRelative(r.repetitions, 1 / d);
        expectRelative(*r.hours, 30 / d / 60);
        expectRelative(r.equivalentRange, 80 * std::pow(d * 2e6 / 2e6, 1 / c.k));
        ASSERT_EQ(r.levels.size(), 4u);
        for (int i = 0; i < 4; ++i) expectRelative(r.levels[static_cast<size_t>(i)].share, part[i] / d);
    }
}

TEST(FatigueDamage, KneeCutOffAndEquivalentRange) {
    const SnCurve c = KneeCurve(3, 80, 5e6, 5, 40.0);
    // One cycle at the knee: the knee's cycles to failure.
    expectRelative(ComputeDamage(spectrumOf({{80, 1}}), c).repetitions, 5e6);
    const DamageResult below = ComputeDamage(spectrumOf({{39.5f, 1000000}}), c);
    EXPECT_EQ(below.perRepetition, 0);
    EXPECT_EQ(below.equivalentRange, 0);
    EXPECT_EQ(below.repetitions, std::numeric_limits<double>::infinity());
    // A single level is its own equivalent range at its own number of cycles.
    expectRelative(ComputeDamage(spectrumOf({{123.5f, 2000000}}), c).equivalentRange, 123.5);
    expectRelative(ComputeDamage(spectrumOf({{97.25f, 4321}}), c, 4321).equivalentRange, 97.25);
}

TEST(FatigueDamage, DetailCategoryPreset) {
    const SnCurve c = DetailCategoryCurve(71);
    EXPECT_EQ(c.k, 3);
    EXPECT_EQ(c.k2, 5);
    EXPECT_EQ(c.ND, 5e6);
    expectRelative(CyclesToFailure(c, 71), 2e6);
    EXPECT_NEAR(c.SD, 52.3, 0.05);   // as design tables print them
    EXPECT_NEAR(*c.SL, 28.7, 0.05);
    expectRelative(CyclesToFailure(c, *c.SL), 1e8);
    EXPECT_EQ(CyclesToFailure(c, *c.SL * 0.999), std::numeric_limits<double>::infinity());
}

TEST(FatigueDamage, Refusals) {
    const BatchRecord b = spectrumOf({{100, 10}});
    const struct {
        BatchRecord spectrum;
        SnCurve curve;
        double nRef;
        const char* refusal;
    } cases[] = {
        {BatchRecord{}, SingleSlopeCurve(3, 80, 2e6), 2e6, kNoLevelsText},
        {b, SingleSlopeCurve(0, 80, 2e6), 2e6, kSnParamsText},
        {b, SingleSlopeCurve(3, -80, 2e6), 2e6, kSnParamsText},
        {b, SingleSlopeCurve(3, 80, 0), 2e6, kSnParamsText},
        {b, KneeCurve(3, 80, 2e6, 0), 2e6, kSnParamsText},
        {b, KneeCurve(3, 80, 2e6, 5, 0.0), 2e6, kSnParamsText},
        {b, DetailCategoryCurve(0), 2e6, kSnParamsText},
        {b, SingleSlopeCurve(3, 80, 2e6), 0, kNRefText},
    };
    for (const auto& c : cases) EXPECT_EQ(ComputeDamage(c.spectrum, c.curve, c.nRef).refusal, c.refusal);
    // Without a record time there is a life in repetitions but none in hours.
    const DamageResult r = ComputeDamage(spectrumOf({{100, 10}}, 0), SingleSlopeCurve(3, 80, 2e6));
    EXPECT_EQ(r.refusal, "");
    EXPECT_FALSE(r.hours.has_value());
}

}  // namespace
}  // namespace karmo
