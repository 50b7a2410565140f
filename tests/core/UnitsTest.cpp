#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "core/AppState.h"
#include "core/Units.h"

using namespace karmo;

namespace {

const char* const kMicrostrain = "\xC2\xB5str";

AppState siState() {
    AppState s;
    InitAppState(s, "/x", "/", -1);
    SelectUnitSystem(s, UnitSystem::SI);
    return s;
}

// Every unit and quantity text and factor, for comparing states as a whole.
struct UnitTexts {
    float stressFactor, lengthFactor, quantityFactor;
    std::string stressUnit, stressBracket, lengthUnit, lengthShort, quantityName, quantityUnit,
        quantityBracket;
    bool us;
    bool operator==(const UnitTexts&) const = default;
};

UnitTexts textsOf(const AppState& s) {
    return {s.StressFactor, s.LengthFactor, s.QuantityFactor, s.StressUnit, s.StressUnitBracket,
            s.LengthUnit, s.LengthUnitShort, s.QuantityName, s.QuantityUnit, s.QuantityUnitBracket,
            s.UnitsUS};
}

}  // namespace

TEST(Units, SiToUsAndBackRestoresEveryText) {
    AppState s = siState();
    s.batch().MaxValue = 412.5f;
    s.batch(2).Quantity = "Strain ";
    const UnitTexts si = textsOf(s);
    EXPECT_EQ(si, (UnitTexts{1.0f, 1.0f, 1.0f, "MPa", "[MPa]", "mm", "m", "Stress ", "MPa", "[MPa]",
                             false}));

    SelectUnitSystem(s, UnitSystem::US);
    const float ksiPerMpa = static_cast<float>(1.0 / 6.895);
    EXPECT_EQ(textsOf(s), (UnitTexts{ksiPerMpa, static_cast<float>(1.0 / 2.54), ksiPerMpa, "ksi",
                                     "[ksi]", "in", "in", "Stress ", "ksi", "[ksi]", true}));
    EXPECT_EQ(DisplayQuantityValue(s, s.batch().MaxValue), "59.826");
    EXPECT_EQ(CaptionsForQuantity(s).MaxWithUnit, "Max Stress [ksi]:");
    // A strain batch has no US form.
    ApplyQuantity(s, 2);
    EXPECT_EQ(s.QuantityFactor, 1.0f);
    EXPECT_EQ(s.QuantityUnitBracket, std::string("[") + kMicrostrain + "]");
    EXPECT_EQ(DisplayQuantityValue(s, 1234.5f), "1234.5");
    const QuantityCaptions c = CaptionsForQuantity(s);
    EXPECT_EQ(c.Maximum + c.MinimumRange + c.HistoryOf + c.CutHistory,
              "Maximum Strain :Minimum Strain Range:Strain History of:Cut the Strain History");
    EXPECT_EQ(c.MinWithUnit, std::string("Min Strain [") + kMicrostrain + "]:");
    s.batch(0).Quantity = "";
    ApplyQuantity(s, 0);
    EXPECT_EQ(s.batch(0).Quantity, "Stress ");  // an empty quantity is a stress one

    SelectUnitSystem(s, UnitSystem::SI);
    EXPECT_EQ(textsOf(s), si);
    EXPECT_EQ(DisplayQuantityValue(s, s.batch().MaxValue), "412.5");  // nothing stored drifts
}

// Label14 reacts only for element 0 with the edit flag; an empty quantity counts as
// stress (and becomes "Stress "); a short text gives its six characters and a blank.
TEST(Units, ToggleAndApplyQuantity) {
    const std::tuple<QuantityLabel, int, bool, const char*, const char*, bool> cases[] = {
        // label, element, edit flag, stored quantity, quantity after the click, toggled
        {QuantityLabel::Label7, 0, false, "Stress ", "Strain ", true},
        {QuantityLabel::Label11, 3, false, "Strain ", "Stress ", true},
        {QuantityLabel::Label14, 0, true, "", "Strain ", true},
        {QuantityLabel::Label14, 0, false, "Stress ", "Stress ", false},
        {QuantityLabel::Label14, 1, true, "Strain", "Strain", false},
    };
    for (const auto& [label, element, editFlag, stored, after, toggles] : cases) {
        SCOPED_TRACE(std::string(stored) + std::to_string(element) + std::to_string(editFlag));
        AppState s = siState();
        s.CurrentBatch = 3;
        s.batch().Quantity = stored;
        if (*stored != '\0') ApplyQuantity(s, 3);
        const UnitTexts before = textsOf(s);
        EXPECT_EQ(ToggleQuantity(s, label, element, editFlag), toggles);
        EXPECT_EQ(s.batch().Quantity, after);
        EXPECT_EQ(s.QuantityName, std::string(after).substr(0, 6) + " ");
        EXPECT_EQ(s.QuantityUnit, after[3] == 'a' ? kMicrostrain : "MPa");
        if (toggles) {  // a second click returns to the quantity before
            ASSERT_TRUE(ToggleQuantity(s, QuantityLabel::Label7, 0, false));
            EXPECT_EQ(textsOf(s), before);
        }
    }
}

TEST(Units, MeanStressLabelIsRebuiltOnlyWhenSet) {
    AppState s = siState();
    std::vector<std::string> unitsSeen;
    const auto rebuild = [&](AppState& st) { unitsSeen.push_back(st.StressUnit); };
    SelectUnitSystem(s, UnitSystem::US, rebuild);
    s.batch().UltimateStrength = 500.0f;
    SelectUnitSystem(s, UnitSystem::US, rebuild);
    SelectUnitSystem(s, UnitSystem::SI, rebuild);
    EXPECT_EQ(unitsSeen, (std::vector<std::string>{"ksi", "MPa"}));  // after the new units are set
}
