#include <gtest/gtest.h>

#include <string>

#include "core/AppState.h"
#include "core/Units.h"

using namespace karmo;

namespace {

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
    return {s.StressFactor, s.LengthFactor,      s.QuantityFactor, s.StressUnit,
            s.StressUnitBracket, s.LengthUnit,   s.LengthUnitShort, s.QuantityName,
            s.QuantityUnit,  s.QuantityUnitBracket, s.UnitsUS};
}

}  // namespace

TEST(Units, SiToUsAndBackRestoresEveryText) {
    AppState s = siState();
    s.batch().MaxValue = 412.5f;
    const UnitTexts si = textsOf(s);
    EXPECT_EQ(si, (UnitTexts{1.0f, 1.0f, 1.0f, "MPa", "[MPa]", "mm", "m", "Stress ", "MPa",
                             "[MPa]", false}));

    SelectUnitSystem(s, UnitSystem::US);
    const float ksiPerMpa = static_cast<float>(1.0 / 6.895);
    EXPECT_EQ(textsOf(s), (UnitTexts{ksiPerMpa, static_cast<float>(1.0 / 2.54), ksiPerMpa, "ksi",
                                     "[ksi]", "in", "in", "Stress ", "ksi", "[ksi]", true}));
    EXPECT_EQ(DisplayQuantityValue(s, 100.0f), "14.503");
    EXPECT_EQ(DisplayQuantityValue(s, s.batch().MaxValue), "59.826");

    SelectUnitSystem(s, UnitSystem::SI);
    EXPECT_EQ(textsOf(s), si);
    EXPECT_EQ(s.batch().MaxValue, 412.5f);  // nothing stored is converted
    EXPECT_EQ(DisplayQuantityValue(s, s.batch().MaxValue), "412.5");
}

TEST(Units, StrainBatchIgnoresTheUnitSystem) {
    AppState s = siState();
    s.batch().Quantity = "Strain ";
    ApplyQuantity(s, 0);
    for (UnitSystem u : {UnitSystem::US, UnitSystem::SI, UnitSystem::US}) {
        SelectUnitSystem(s, u);
        EXPECT_EQ(s.QuantityName, "Strain ");
        EXPECT_EQ(s.QuantityFactor, 1.0f);
        EXPECT_EQ(s.QuantityUnit, "\xC2\xB5str");
        EXPECT_EQ(s.QuantityUnitBracket, "[\xC2\xB5str]");
        EXPECT_EQ(DisplayQuantityValue(s, 1234.5f), "1234.5");
    }
    // A stress batch in the same US state shows ksi.
    s.batch(2).Quantity = "Stress ";
    ApplyQuantity(s, 2);
    EXPECT_EQ(s.QuantityUnit, "ksi");
    EXPECT_EQ(DisplayQuantityValue(s, 100.0f), "14.503");
}

TEST(Units, ApplyQuantityOfTheBatch) {
    struct Case {
        const char* stored;
        const char* storedAfter;
        const char* name;
        const char* unit;
    };
    const Case cases[] = {
        {"", "Stress ", "Stress ", "MPa"},
        {"Stress ", "Stress ", "Stress ", "MPa"},
        {"Strain ", "Strain ", "Strain ", "\xC2\xB5str"},
        {"Strain", "Strain", "Strain ", "\xC2\xB5str"},  // short text: six characters and a blank
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored);
        AppState s = siState();
        s.batch(4).Quantity = c.stored;
        ApplyQuantity(s, 4);
        EXPECT_EQ(s.batch(4).Quantity, c.storedAfter);
        EXPECT_EQ(s.QuantityName, c.name);
        EXPECT_EQ(s.QuantityUnit, c.unit);
    }
}

TEST(Units, ToggleRules) {
    struct Case {
        QuantityLabel label;
        int element;
        bool editFlag;
        bool toggles;
    };
    const Case cases[] = {
        {QuantityLabel::Label7, 0, false, true},
        {QuantityLabel::Label11, 0, false, true},
        {QuantityLabel::Label7, 3, true, true},
        {QuantityLabel::Label14, 0, true, true},
        {QuantityLabel::Label14, 0, false, false},
        {QuantityLabel::Label14, 1, true, false},
        {QuantityLabel::Label14, 2, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.label) * 100 + c.element * 10 + c.editFlag);
        AppState s = siState();
        s.CurrentBatch = 3;
        s.batch().Quantity = "Stress ";
        EXPECT_EQ(ToggleQuantity(s, c.label, c.element, c.editFlag), c.toggles);
        EXPECT_EQ(s.batch().Quantity, c.toggles ? "Strain " : "Stress ");
        EXPECT_EQ(s.QuantityName, c.toggles ? "Strain " : "Stress ");
    }
}

TEST(Units, ToggleTwiceReturnsToTheQuantity) {
    for (const char* start : {"Stress ", "Strain "}) {
        AppState s = siState();
        SelectUnitSystem(s, UnitSystem::US);
        s.CurrentBatch = 1;
        s.batch().Quantity = start;
        ApplyQuantity(s, 1);
        const UnitTexts before = textsOf(s);
        ASSERT_TRUE(ToggleQuantity(s, QuantityLabel::Label7, 0, false));
        EXPECT_NE(s.batch().Quantity, start);
        ASSERT_TRUE(ToggleQuantity(s, QuantityLabel::Label11, 0, false));
        EXPECT_EQ(s.batch().Quantity, start);
        EXPECT_EQ(textsOf(s), before);
    }
    // An empty quantity counts as stress, so its first toggle gives strain.
    AppState s = siState();
    ToggleQuantity(s, QuantityLabel::Label7, 0, false);
    EXPECT_EQ(s.batch().Quantity, "Strain ");
}

TEST(Units, Captions) {
    AppState s = siState();
    QuantityCaptions c = CaptionsForQuantity(s);
    EXPECT_EQ(c.History, "Stress History");
    EXPECT_EQ(c.Spectrum, "Stress Spectrum");
    EXPECT_EQ(c.Distribution, "Stress Distribution");
    EXPECT_EQ(c.Maximum, "Maximum Stress :");
    EXPECT_EQ(c.Minimum, "Minimum Stress :");
    EXPECT_EQ(c.MaximumRange, "Maximum Stress Range:");
    EXPECT_EQ(c.MinimumRange, "Minimum Stress Range:");
    EXPECT_EQ(c.MaxWithUnit, "Max Stress [MPa]:");
    EXPECT_EQ(c.MinWithUnit, "Min Stress [MPa]:");
    EXPECT_EQ(c.HistoryInformation, "Stress History Information");
    EXPECT_EQ(c.HistoryOf, "Stress History of:");
    EXPECT_EQ(c.CutHistory, "Cut the Stress History");

    SelectUnitSystem(s, UnitSystem::US);
    EXPECT_EQ(CaptionsForQuantity(s).MaxWithUnit, "Max Stress [ksi]:");

    s.batch().Quantity = "Strain ";
    ApplyQuantity(s, 0);
    c = CaptionsForQuantity(s);
    EXPECT_EQ(c.History, "Strain History");
    EXPECT_EQ(c.MaxWithUnit, "Max Strain [\xC2\xB5str]:");
    EXPECT_EQ(c.MinWithUnit, "Min Strain [\xC2\xB5str]:");
    EXPECT_EQ(c.MaximumRange, "Maximum Strain Range:");
}

TEST(Units, MeanStressLabelIsRebuiltOnlyWhenSet) {
    AppState s = siState();
    int calls = 0;
    std::string unitSeen;
    const auto rebuild = [&](AppState& st) {
        ++calls;
        unitSeen = st.StressUnit;
    };
    SelectUnitSystem(s, UnitSystem::US, rebuild);
    EXPECT_EQ(calls, 0);
    s.batch().UltimateStrength = 500.0f;
    SelectUnitSystem(s, UnitSystem::US, rebuild);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(unitSeen, "ksi");  // called after the new units are in place
    SelectUnitSystem(s, UnitSystem::SI);  // no hook given: nothing to call
    EXPECT_EQ(s.batch().UltimateStrength, 500.0f);
}

TEST(Units, UnitSystemFromLengthFactor) {
    EXPECT_EQ(UnitSystemFromLengthFactor(1.0f), UnitSystem::SI);
    for (float f : {0.0f, 2.0f, 0.5f, static_cast<float>(1.0 / 2.54), -1.0f})
        EXPECT_EQ(UnitSystemFromLengthFactor(f), UnitSystem::US) << f;
}
