#pragma once
#include <string>

#include "core/AppState.h"
#include "core/Canvas.h"
#include "core/Prompter.h"
#include "fatigue/FatigueDamage.h"

namespace karmo {

// The inputs of the fatigue damage panel, held in internal units (MPa or microstrain), so
// that a change of units shows them again without a rounding of their own.
struct FatigueForm {
    bool detailCategory = true;             // the preset; else the curve as typed
    double category = 71;                   // detail category, MPa at 2e6 cycles
    SnCurve curve = DetailCategoryCurve(71);
    double nRef = 2.0e6;
};

// The panel's text boxes; Category, SD and SL are ranges and follow the units.
enum class FatigueBox { Category, K, SD, ND, K2, SL, NRef };
bool IsRangeBox(FatigueBox b);

// The curve in use: the preset of the category, or the typed one.
SnCurve FormCurve(const FatigueForm& f);

// A box's text: ranges times `factor` (the display factor of the quantity), in "#####0.0##";
// the other values in their short form; SL empty when the curve has no cut-off.
std::string FatigueBoxText(const FatigueForm& f, FatigueBox b, double factor);

// A box that loses the focus: its text as the new value (ranges divided by `factor`; an
// empty SL removes the cut-off). The text the box was given keeps the value it showed.
// A value that is not a number above 0 is refused with its message ("Fatigue Damage",
// critical icon) and false; the form is then unchanged.
bool TakeFatigueBox(Prompter& p, FatigueForm& f, FatigueBox b, const std::string& text, double factor);

// Number forms of the results: damage in powers of ten; lives plain up to ten million.
std::string DamageFigure(double v);
std::string LifeFigure(double v);

// The panel's results for the current batch, in display units.
struct FatigueView {
    DamageResult result;
    std::string damage;         // "Damage per repetition: 3.773e-4"
    std::string repetitions;    // "Repetitions to failure: 2650.414"
    std::string hours;          // "Life [h]: 132.521", or why it is not known
    std::string equivalent;     // "Equivalent range [MPa] at 2000000 cycles: 5.13"
};
FatigueView ComputeFatigueView(const AppState& s, const FatigueForm& f);

// The damage share of each level as a bar chart: one filled bar per level that takes part
// in the damage, level 1 on the left, heights in percent of the damage of one repetition.
void DrawDamageShares(Canvas& c, const DamageResult& r, Color bars, Color background);

}  // namespace karmo
