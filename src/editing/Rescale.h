#pragma once
#include <string>
#include <string_view>

#include "core/AppState.h"
#include "core/Prompter.h"
#include "editing/EditCommon.h"

namespace karmo {

// "Rescale " + QuantityName + "History": the dialog's caption and the title of its messages.
std::string RescaleTitle(const AppState& s);

// The dialog as it opens (UiMode 0): caption, factor "1", offset "0".
struct RescaleView {
    std::string caption, factorText, offsetText;
};
RescaleView OpenRescale(AppState& s);

// txt_RsclFactor and txt_RsclOffset losing the focus.
EntryCheck RescaleFactorEntry(const AppState& s, Prompter& p, std::string_view text);
EntryCheck RescaleOffsetEntry(const AppState& s, Prompter& p, std::string_view text);

struct RescaleResult {
    bool accepted = false;     // false: refused after a message, the history as it was
    bool changed = false;      // the values changed (not for factor 1 and offset 0)
    RedrawDecision display;
};

// Every value v of the current history becomes factor·v + offset (single precision) and the
// extremes follow. A result that a Single cannot hold is refused, nothing changed.
RescaleResult ApplyRescale(AppState& s, Prompter& p, float factor, float offset);

// OK (cmd_Rscl_OK) with the two boxes' texts; the offset is in display units.
RescaleResult RescaleOk(AppState& s, Prompter& p, std::string_view factorText, std::string_view offsetText);

}  // namespace karmo
