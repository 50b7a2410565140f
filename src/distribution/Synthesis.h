#pragma once
#include <string>

#include "core/AppState.h"
#include "core/Prompter.h"

namespace karmo {

// Title of the synthesis' messages: "Editing " + QuantityName + "Spectrum".
std::string EditingSpectrumTitle(const AppState& s);

// Source distribution -> level cycles of the current batch. The levels are laid on the
// grid from MaxRange down to MinRange, each gets round(N * density) cycles normalised by
// the sum of the densities, the counts are cut so that they add up to the volume N, and
// empty low levels are removed (with a message); fewer than 2 effective levels leave the
// batch with no levels (LevelCount 0) and a message.
//
// A merged empty level (an empty level just above the last one, which takes the last
// level's cycles) becomes the last level with its own range: MinRange is set to the
// range that level has on the grid, so, as for a removed trailing level, the ranges of
// all remaining levels stay where they were and the grid regenerated from MaxRange,
// MinRange and the new LevelCount is the same grid.
//
// Refused with a message under EditingSpectrumTitle and without any change: fewer than
// 2 levels, a range or the volume not positive, MinRange not below MaxRange, parameters
// no density can use (R <= 0; Q <= 0 for Beta and Weibull; not finite), a lowest level
// boundary at or below 0 for Beta and Log-norm, a density that cannot be evaluated on
// the grid, and a level count beyond the 32-bit range. False when refused; true when the
// levels were written (also when too few effective levels remained).
bool SynthesizeSpectrum(AppState& s, Prompter& p);

}  // namespace karmo
