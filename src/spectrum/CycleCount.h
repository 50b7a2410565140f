#pragma once
#include "core/AppState.h"
#include "core/Prompter.h"
#include "spectrum/MeanStress.h"

namespace karmo {

struct CycleCountOutcome {
    bool ran = false;               // false unless the window was idle
    bool rearranged = false;        // the history now starts elsewhere: redraw its plot in full
    bool conflict = false;          // a conflict was found: nothing is counted
    bool historyShortened = false;  // the conflict check removed points
    bool meanStressDialog = false;  // stress: the mean-stress dialog opens with `dialog`
    MeanStressDialog dialog;
    MeanStressOkOutcome counting;   // strain: counted at once, without correction
};

// "C&ycle" (cmd_Cycle_Count_Click) while the window is idle: rotates the current history to
// its value of largest magnitude (with a message when its first value changes), refuses a
// history that still holds a conflicting value, keeps a copy of the batch's spectrum and
// material values, and then opens the mean-stress dialog (stress; UiMode 0) or counts at
// once without correction (strain). The zoom selection is the window's to clear.
CycleCountOutcome CycleCountClick(AppState& s, Prompter& p);

}  // namespace karmo
