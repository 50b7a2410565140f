#pragma once
#include <cstdint>
#include <string>

#include "core/AppState.h"
#include "core/Prompter.h"

namespace karmo {

// Width of a level of the grid from MaxRange down to MinRange: (M - m) / (n - 1), kept in
// single precision. n must be at least 2.
float LevelWidth(float maxRange, float minRange, int n);

// Title of the fit's messages: "Fitting " + QuantityName + "Distribution".
std::string FitTitle(const AppState& s);

// Fits the distribution of type DistributionType to the spectrum of the current batch
// (moments for Beta and Log-norm, least squares on the Weibull plot for Weibull) and
// stores FitQ and FitR (normalised form). An empty spectrum (LevelCount 0) is left as it
// is without a word. A spectrum the fit cannot work on (fewer than 2 levels, ranges or
// volume not positive, zero variance, a Weibull level with a range of 0 or less, all
// levels on one range) or a result that is no valid distribution is reported under
// FitTitle and changes nothing. True when a fit was stored.
bool FitDistribution(AppState& s, Prompter& p);

// "Fit &Distrib.": fits the current batch and, when that succeeds, makes the plot show the
// fitted set (ShowFitted). The hourglass is shown meanwhile.
bool CalculateDistribution(AppState& s, Prompter& p);

// Q as shown to the user (display units, f = QuantityFactor, M = MaxRange):
// fitted: Beta Q, Weibull f*M*Q, Log-norm Q + ln(f*M);
// source: Beta Q, Weibull f*Q, Log-norm Q + ln f.
double DisplayedFitQ(int16_t type, float fitQ, float f, float maxRange);
double DisplayedSourceQ(int16_t type, float sourceQ, float f);

// "(Beta)", "(Weibull)", "(Log-norm)".
std::string DistributionLabelFor(int16_t type);
// "Edit Beta Parameters", "Edit Weibull Parameters", "Edit Log-norm Parameters".
std::string DistributionParamsCaption(int16_t type);

// The distribution type a batch's source parameters belong to: 1 - SourceType (1 Beta,
// 2 Weibull, 3 Log-norm); a value outside them counts as Beta. DistributionType takes it
// when a batch is shown in the database panel and when the parameter dialog is cancelled.
int16_t SourceDistributionType(const BatchRecord& b);

// On every accepted confirmation of the spectrum parameters: DistributionLabel and the
// batch's SourceType follow DistributionType. Returns the caption of the parameter dialog.
std::string ConfirmDistributionType(AppState& s);

// Spectrum defined from a distribution, before the parameter dialog opens: source
// parameters of another type are replaced by a fit of the current spectrum converted to
// the source form (Weibull scale in the internal unit, Log-norm mean of ln S), and
// SourceParamsType follows DistributionType. The dialog is then filled from SourceQ and
// SourceR (see DistributionParams.h); afterwards call ClearFit.
void SeedSourceParameters(AppState& s, Prompter& p);
// FitQ := 0, FitR := 0 for the current batch (after the dialog has been filled).
void ClearFit(AppState& s);

}  // namespace karmo
