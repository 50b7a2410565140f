#include "core/Units.h"

#include "core/NumberForms.h"

namespace karmo {

void SelectUnitSystem(AppState& s, UnitSystem system,
                      const std::function<void(AppState&)>& rebuildMeanStressLabel) {
    const bool us = system == UnitSystem::US;
    s.UnitsUS = us;
    // The factors are formed in double and held in single precision.
    s.StressUnitBracket = us ? "[ksi]" : "[MPa]";
    s.StressUnit = us ? "ksi" : "MPa";
    s.StressFactor = us ? static_cast<float>(1.0 / 6.895) : 1.0f;
    s.LengthFactor = us ? static_cast<float>(1.0 / 2.54) : 1.0f;
    s.LengthUnitShort = us ? "in" : "m";
    s.LengthUnit = us ? "in" : "mm";
    DeriveQuantityFromName(s);
    if (s.batch().UltimateStrength > 0 && rebuildMeanStressLabel) rebuildMeanStressLabel(s);
}

UnitSystem UnitSystemFromLengthFactor(float lengthFactor) {
    return lengthFactor == 1.0f ? UnitSystem::SI : UnitSystem::US;
}

void DeriveQuantityFromName(AppState& s) {
    if (s.QuantityName == kStressWord) {
        s.QuantityFactor = s.StressFactor;
        s.QuantityUnitBracket = s.StressUnitBracket;
        s.QuantityUnit = s.StressUnit;
    } else {
        // Strain has no US form: microstrain in both systems.
        s.QuantityFactor = 1.0f;
        s.QuantityUnitBracket = kMicrostrainUnitBracket;
        s.QuantityUnit = kMicrostrainUnit;
    }
}

void ApplyQuantity(AppState& s, int b) {
    DataBatch& batch = s.batch(b);
    if (batch.Quantity.empty()) batch.Quantity = kStressWord;
    s.QuantityName = batch.Quantity.substr(0, 6) + " ";
    DeriveQuantityFromName(s);
}

bool ToggleQuantity(AppState& s, QuantityLabel label, int element, bool databaseEditFlag) {
    if (label == QuantityLabel::Label14 && (element != 0 || !databaseEditFlag)) return false;
    DataBatch& batch = s.batch();
    // An empty quantity counts as stress, so the click must give strain.
    if (batch.Quantity.empty()) batch.Quantity = kStressWord;
    batch.Quantity = batch.Quantity == kStressWord ? kStrainWord : kStressWord;
    ApplyQuantity(s, s.CurrentBatch);
    return true;
}

QuantityCaptions CaptionsForQuantity(const AppState& s) {
    const std::string& q = s.QuantityName;
    const std::string& unit = s.QuantityUnitBracket;
    QuantityCaptions c;
    c.History = q + "History";
    c.Spectrum = q + "Spectrum";
    c.Distribution = q + "Distribution";
    c.Maximum = "Maximum " + q + ":";
    c.Minimum = "Minimum " + q + ":";
    c.MaximumRange = "Maximum " + q + "Range:";
    c.MinimumRange = "Minimum " + q + "Range:";
    c.MaxWithUnit = "Max " + q + unit + ":";
    c.MinWithUnit = "Min " + q + unit + ":";
    c.HistoryInformation = q + "History Information";
    c.HistoryOf = q + "History of:";
    c.CutHistory = "Cut the " + q + "History";
    return c;
}

std::string DisplayQuantityValue(const AppState& s, float value) {
    const float shown = s.QuantityFactor * value;  // a product of two singles stays single
    return FormatMask(shown, "#####0.0##");
}

}  // namespace karmo
