#pragma once
#include <functional>
#include <string>

#include "core/AppState.h"

namespace karmo {

enum class UnitSystem { SI, US };

// Quantity words, each with its trailing blank.
inline constexpr const char* kStressWord = "Stress ";
inline constexpr const char* kStrainWord = "Strain ";
// Microstrain units, held in UTF-8 like every text in memory.
inline constexpr const char* kMicrostrainUnit = "\xC2\xB5str";
inline constexpr const char* kMicrostrainUnitBracket = "[\xC2\xB5str]";

// Sets the unit texts and factors of the system ("S&I" or "U&S"; the chosen item is
// checked: UnitsUS), then re-derives the quantity state from QuantityName. Nothing stored
// is converted. When the current batch has mean-stress parameters (ultimate strength
// above 0), rebuildMeanStressLabel is called so that the label shows them in the new
// stress unit; the mean-stress code supplies it.
void SelectUnitSystem(AppState& s, UnitSystem system,
                      const std::function<void(AppState&)>& rebuildMeanStressLabel = {});

// Start-up choice: LengthFactor exactly 1 is SI, anything else US.
UnitSystem UnitSystemFromLengthFactor(float lengthFactor);

// Quantity factor and unit texts from QuantityName: "Stress " takes the stress unit,
// anything else is strain (factor 1, microstrain).
void DeriveQuantityFromName(AppState& s);

// Applies the quantity of batch b: an empty Quantity becomes "Stress "; QuantityName is
// its first six characters and a blank; factor and units follow.
void ApplyQuantity(AppState& s, int b);

// The clickable quantity labels of the batch information panel.
enum class QuantityLabel { Label7, Label11, Label14 };

// A click on a quantity label toggles the current batch between "Stress " and "Strain "
// and applies it. Label14 reacts only for element 0 and only while the database panel is
// in its edit mode. Returns true when the quantity changed (the batch display must then
// be refreshed).
bool ToggleQuantity(AppState& s, QuantityLabel label, int element, bool databaseEditFlag);

// Captions built from the quantity word and unit, for the panels refreshed after a change
// of units or quantity.
struct QuantityCaptions {
    std::string History;             // "Stress History"
    std::string Spectrum;            // "Stress Spectrum"
    std::string Distribution;        // "Stress Distribution"
    std::string Maximum;             // "Maximum Stress :"
    std::string Minimum;             // "Minimum Stress :"
    std::string MaximumRange;        // "Maximum Stress Range:"
    std::string MinimumRange;        // "Minimum Stress Range:"
    std::string MaxWithUnit;         // "Max Stress [MPa]:"
    std::string MinWithUnit;         // "Min Stress [MPa]:"
    std::string HistoryInformation;  // "Stress History Information"
    std::string HistoryOf;           // "Stress History of:"
    std::string CutHistory;          // "Cut the Stress History"
};
QuantityCaptions CaptionsForQuantity(const AppState& s);

// A stored value of the current quantity as the information boxes show it
// (value x QuantityFactor, mask "#####0.0##").
std::string DisplayQuantityValue(const AppState& s, float value);

}  // namespace karmo
