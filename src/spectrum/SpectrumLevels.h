#pragma once
#include <array>
#include <string>

#include "core/AppState.h"
#include "core/Prompter.h"

namespace karmo {

// The level grid the builder lays for `levels` levels (at most kMaxLevels) from smax down
// to smin: each level's range before the first is set to smax, and its lower boundary (a
// range on it belongs to the level). Level 1 has no upper boundary.
struct LevelGrid {
    int32_t levels = 0;
    float width = 0;
    std::array<float, kMaxLevels + 1> range{};
    std::array<float, kMaxLevels + 1> boundary{};
};
LevelGrid SpectrumLevelGrid(int32_t levels, float smax, float smin);

// Turns the sorted CountedRanges of the last count into the levels of the current batch,
// from its LevelCount, MaxRange and MinRange and the history's point count: LevelRange,
// LevelCycles, Volume and OmittedCycles. A range on a level boundary belongs to the level
// above it. Empty levels at the low end are removed (LevelCount drops, MinRange becomes the
// range of the new last level, 0 when no level is left) and, when at least two levels
// remain, the user is told how many went. The batch's distribution parameters (FitQ, FitR,
// SourceQ, SourceR) are reset, as for every rebuilt spectrum.
void BuildSpectrumLevels(AppState& s, Prompter& p);

// Fills the working copy the information panel shows from the current batch's levels.
void FillWorkingLevels(AppState& s);

// The information panel of a spectrum (frm_Spectrum_Info).
struct SpectrumGridRow {
    std::string level;      // level number, empty beyond the last level
    std::string stress;     // working range x QuantityFactor, "####0.00"
    std::string cycles;     // working cycle count
};
struct SpectrumInfoView {
    std::string caption;                    // "Stress Spectrum Information"
    std::string omitted;                    // lbl_Omit_Points: "Omitted cycles: 3"
    std::array<SpectrumGridRow, 5> rows;    // the five grid rows from the scroll position
    int32_t scrollMin = 1;
    int32_t scrollMax = 1;                  // LevelCount - 4 when above 4 levels
    bool fitEnabled = false;                // cmd_Calculate_Beta
    bool showParamsInstead = false;         // no levels: the spectrum-parameters dialog opens
};
SpectrumInfoView SpectrumInfo(const AppState& s, int32_t scrollPosition);

// The caption of the omitted-cycles label: "Omitted cycles: " and the count.
std::string OmittedCyclesText(int32_t omitted);

// Distribution fitting needs cycles spread over at least two levels.
bool SpectrumFitEnabled(const BatchRecord& b);

}  // namespace karmo
