#include <gtest/gtest.h>

#include <tuple>

#include "fatigue/FatigueForm.h"
#include "support/RecordingCanvas.h"
#include "support/ScriptedPrompter.h"

namespace karmo {
namespace {

using test::RecordingCanvas;
using test::ScriptedPrompter;

constexpr double kKsi = 1 / 6.895;

// Boxes as typed and left: accepted values in internal units, refusals with their words.
TEST(FatigueForm, BoxesTakeTheirValues) {
    const struct {
        FatigueBox box;
        const char* text;
        double factor;
        bool accepted;
        const char* refusal;
    } cases[] = {
        {FatigueBox::SD, "10", kKsi, true, ""},
        {FatigueBox::K, "5", kKsi, true, ""},
        {FatigueBox::SL, "  ", 1, true, ""},
        {FatigueBox::SD, "0", 1, false, kSnParamsText},
        {FatigueBox::K2, "-5", 1, false, kSnParamsText},
        {FatigueBox::Category, "abc", 1, false, kSnParamsText},
        {FatigueBox::NRef, "0", 1, false, kNRefText},
    };
    for (const auto& c : cases) {
        FatigueForm f;
        const FatigueForm before = f;
        ScriptedPrompter p;
        if (!c.accepted) p.expect(kDamageTitle, c.refusal, Icon::Critical);
        EXPECT_EQ(TakeFatigueBox(p, f, c.box, c.text, c.factor), c.accepted) << c.text;
        if (!c.accepted) {
            EXPECT_EQ(std::tuple(f.category, f.curve.SD, f.curve.k2, f.nRef),
                      std::tuple(before.category, before.curve.SD, before.curve.k2, before.nRef));
        }
    }
    FatigueForm f;
    ScriptedPrompter p;
    ASSERT_TRUE(TakeFatigueBox(p, f, FatigueBox::SD, "10", kKsi));
    EXPECT_DOUBLE_EQ(f.curve.SD, 68.95);
    ASSERT_TRUE(TakeFatigueBox(p, f, FatigueBox::SL, "", 1));
    EXPECT_FALSE(f.curve.SL.has_value());
}

// The preset shown in ksi and taken back unchanged keeps its exact values, so the life in
// either unit system is the same.
TEST(FatigueForm, UnitsLeaveTheLifeAlone) {
    AppState s;
    s.batch().LevelCount = 2;
    s.batch().LevelRange[1] = 120;
    s.batch().LevelCycles[1] = 10;
    s.batch().LevelRange[2] = 40;
    s.batch().LevelCycles[2] = 500;
    s.batch().RecordTime = 6;
    FatigueForm f;
    const FatigueView si = ComputeFatigueView(s, f);
    ScriptedPrompter p;
    for (FatigueBox b : {FatigueBox::Category, FatigueBox::SD, FatigueBox::SL})
        ASSERT_TRUE(TakeFatigueBox(p, f, b, FatigueBoxText(f, b, kKsi), kKsi));
    EXPECT_EQ(FatigueBoxText(f, FatigueBox::Category, kKsi), "10.297");
    s.QuantityFactor = static_cast<float>(kKsi);
    s.QuantityUnitBracket = "[ksi]";
    const FatigueView us = ComputeFatigueView(s, f);
    EXPECT_EQ(us.repetitions, si.repetitions);
    EXPECT_EQ(us.hours, si.hours);
    EXPECT_EQ(si.hours.rfind("Life [h]: ", 0), 0u);
    EXPECT_EQ(us.equivalent.rfind("Equivalent range [ksi] at 2000000 cycles: ", 0), 0u);
    s.batch().LevelCount = 0;
    EXPECT_EQ(ComputeFatigueView(s, f).damage, kNoLevelsText);
}

TEST(FatigueForm, OneBarPerDamagingLevel) {
    DamageResult r;
    for (double share : {0.25, 0.0, 0.75}) r.levels.push_back(LevelDamage{100, 1, share, share});
    RecordingCanvas c;
    DrawDamageShares(c, r, 0x00FF00, kWhite);
    std::vector<double> heights;
    for (const auto* op : c.of(RecordingCanvas::Kind::Box))
        if (op->filled) heights.push_back(op->y2);
    EXPECT_EQ(heights, (std::vector<double>{25, 75}));
    EXPECT_TRUE(c.hasText("Damage share per level [%]"));
    EXPECT_TRUE(c.hasText("3"));
    EXPECT_EQ(c.top, 75 * 1.15);
}

}  // namespace
}  // namespace karmo
