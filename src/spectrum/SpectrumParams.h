#pragma once
#include <cstdint>
#include <string>

#include "core/AppState.h"

namespace karmo {

// What the spectrum-parameters dialog (frm_Spectrum_Params) shows when it opens.
struct SpectrumParamsProposal {
    std::string caption;            // "Edit Stress Spectrum Parameters"
    std::string maxLabel;           // "Max Stress Range [MPa]:"
    std::string minLabel;           // "Min Stress Range [MPa]:"
    std::string levelsLabel;        // "# of Stress Levels (max 7):"
    std::string volumeLabel;        // "Spectrum Volume [cyc]:"
    std::string recordTimeLabel;    // "Record Time [min]:"
    std::string maxText;            // MaxRange x QuantityFactor, "####0.0##"
    std::string minText;            // "##0.00#" ("##0.0##" for 0)
    std::string levelsText;
    std::string volumeText;
    std::string recordTimeText;
    int32_t levelsLimit = 0;        // N of the levels label
    bool maxEditable = true;        // after a count the largest range stays the counted one
    // The smallest range proposed, in internal units, before the box's rounding: while the
    // box still shows minText this is the value meant (the rounding may go below the
    // lower limit the box is checked against).
    float minValue = 0;
};

// The proposals of the dialog for the current batch. When the batch has a history but no
// levels yet it gets 7 levels (at most n/2) and the volume n/2. afterCounting: the dialog
// opens after a count (volume n/2, largest range not editable).
SpectrumParamsProposal ProposeSpectrumParams(AppState& s, bool afterCounting);

// The lowest smallest range the dialog accepts after a count: MaxRange / LevelCount - 0.0005
// when that quotient exceeds MinCountedRange, else MinCountedRange (internal units).
float MinRangeLowerLimit(const AppState& s);

}  // namespace karmo
