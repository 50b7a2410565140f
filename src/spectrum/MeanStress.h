#pragma once
#include <string>
#include <string_view>

#include "core/AppState.h"
#include "core/Prompter.h"

namespace karmo {

inline constexpr const char* kMeanStressTitle = "Mean Stress Effect";
inline constexpr const char* kMeanStressCorrectionTitle = "Mean Stress Correction";
inline constexpr const char* kDmseIgnored = "DMSE(-)  ";

// "DMSE(+): Su=500, Sy=300, Kf=1.0": strengths (internal units) shown x stressFactor.
std::string MakeDmseLabel(float su, float sy, float kf, float stressFactor);

// Rebuilds DmseLabel from the current batch's material values in the current stress unit;
// called after a change of the unit system when the batch has mean-stress parameters.
void RebuildDmseLabel(AppState& s);

// Replaces the range r of one counted cycle with mean sm by the range of the fully reversed
// cycle of equal damage (notch yielding, then Goodman with Su). Uses the current batch's
// UltimateStrength and YieldStrength and KfInUse. Asks whether to go on when the notch
// stress exceeds Su; declining sets CountingCancelled (and UiMode idle) and leaves r as it
// was. A material with which Su - K*Sm is not positive cannot be corrected: that is told
// and the count is stopped the same way.
void CorrectForMeanStress(AppState& s, Prompter& p, float sm, float& r);

// The contents of the mean-stress dialog ("Mean Stress Effect ").
struct MeanStressDialog {
    bool include = false;           // chk_MSE(1) "Include"; the three boxes are enabled with it
    std::string ultimateText;       // txt_Ultimate_Strength, display units
    std::string yieldText;          // txt_Yield_Strength, display units
    std::string notchText;          // txt_Concent_Factor
    std::string ultimateLabel;      // "Ultimate Strength [MPa]:"
    std::string yieldLabel;         // "Yield Strength [MPa]:"
};

// The dialog as it opens: the choice of the last confirmation, and the batch's stored
// material values when it has them (Su above 1.011), else 500, 300 and 1.
MeanStressDialog OpenMeanStressDialog(const AppState& s);

// Validation of the boxes when they lose the focus. Each returns false after showing its
// message (the focus then stays in the box). A strength text that is not a number is
// refused like a value of 0 or less; a value no Single holds (in internal units) is "out of
// range".
bool ValidateUltimateStrength(const AppState& s, Prompter& p, std::string_view text);
bool ValidateYieldStrength(const AppState& s, Prompter& p, std::string_view text);
bool ValidateNotchFactor(Prompter& p, std::string_view text);

// The Down arrow moves Ultimate -> Yield -> Notch factor -> Ultimate, Up the other way.
enum class MeanStressBox { Ultimate, Yield, Notch };
MeanStressBox NextMeanStressBox(MeanStressBox from, bool down);

struct MeanStressOkOutcome {
    bool ran = false;               // false while the About panel is open
    bool redrawHistory = false;     // the history plot is out of date and is redrawn first
    bool counted = false;           // the count completed: the spectrum-parameters dialog opens
};

// "&OK": stores the choice and the material values in the batch, builds DmseLabel, counts
// the current history and, when the count completes, sets AfterCounting (the
// spectrum-parameters dialog opens with UiMode 0).
MeanStressOkOutcome MeanStressOk(AppState& s, Prompter& p, const MeanStressDialog& d);

// "&Cancel": nothing is counted.
void MeanStressCancel(AppState& s);

// The number at the start of a text, the way the boxes are converted on confirmation
// (0 when the text does not start with one).
double LeadingNumber(std::string_view text);

}  // namespace karmo
