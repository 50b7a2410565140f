#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "core/AppState.h"
#include "core/Prompter.h"
#include "editing/EditCommon.h"

namespace karmo {

// The kind of the mark drawn in the history plot: a stretch of points over the full
// height, or a rectangle of points and values (its band is BandLow..BandHigh).
enum class MarkKind : int16_t { Stretch = 1, Rectangle = 2 };

// "Subtract " + QuantityName + "History".
std::string SubtractTitle(const AppState& s);
// The hint shown when the dialog opens on a freshly drawn history.
void ShowSubtractHint(const AppState& s, Prompter& p);

// txt_Subtract_From and txt_Subtract_To losing the focus: a value below 1 is refused.
EntryCheck SubtractFromEntry(const AppState& s, Prompter& p, std::string_view text);
EntryCheck SubtractToEntry(const AppState& s, Prompter& p, std::string_view text);

enum class SubtractOutcome {
    Reopen,          // refused or declined: the dialog opens again
    Done,            // applied (possibly nothing removed)
    HistoryDeleted,  // nothing is left of the history: close the panels
};
struct SubtractResult {
    SubtractOutcome outcome = SubtractOutcome::Reopen;
    bool focusTo = false;          // Reopen: the focus goes to To (else to From)
    int32_t RemovedCount = 0;
    RedrawDecision display;
};

// OK (cmd_Subtract_OK) with the texts of From and To and the kind of the last mark.
SubtractResult SubtractOk(AppState& s, Prompter& p, std::string_view fromText, std::string_view toText,
                          MarkKind kind);

// Removes points from..to (1 <= from <= to <= PointCount) of the current history: all of
// them for a stretch, those whose value lies in BandLow..BandHigh for a rectangle. The
// conflict check and the even rule keep the history alternating; the user is asked about
// the record time.
SubtractResult ApplySubtract(AppState& s, Prompter& p, int32_t from, int32_t to, MarkKind kind);

}  // namespace karmo
