#pragma once
#include <optional>
#include <string>

#include "core/AppState.h"
#include "core/Prompter.h"
#include "spectrum/SpectrumParamsEdit.h"

namespace karmo {

enum class SpectrumParamsNext {
    StayOpen,       // refused: the focus goes to `focus`
    LevelsBuilt,    // after a count: the levels are built; draw the spectrum, open the panel
    NoLevels,       // after a count no level kept a cycle: the dialog is offered again
    Stored,         // the values are stored for keyboard or distribution entry
};

struct SpectrumParamsOkResult {
    SpectrumParamsNext next = SpectrumParamsNext::StayOpen;
    SpectrumParamsBox focus = SpectrumParamsBox::Levels;
    std::optional<std::string> minText;     // the smallest-range box was corrected
    std::string distributionCaption;        // "Edit Weibull Parameters" etc.
};

// "&OK" (cmd_Spectr_EditOK_Click): the whole set is checked again, then the values are
// stored (after a count only LevelCount and MinRange: MaxRange stays the counted largest
// range), DistributionLabel and SourceType follow DistributionType and, after a count,
// the levels are built from the counted ranges, SpectrumChanged is set, the working copy
// is filled and UiMode returns to idle.
SpectrumParamsOkResult SpectrumParamsOk(AppState& s, Prompter& p, const SpectrumParamsTexts& t,
                                        ExactMinText& exact);

}  // namespace karmo
