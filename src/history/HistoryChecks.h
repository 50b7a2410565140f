#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/AppState.h"
#include "core/Prompter.h"

namespace karmo {

// Step direction between neighbouring points (StepDirection holds the last one examined).
constexpr int16_t kStepEqual = 0;
constexpr int16_t kStepRising = 1;
constexpr int16_t kStepFalling = 2;

// Title of the conflict check's questions: "Check " + QuantityName + "History".
std::string CheckHistoryTitle(const AppState& s);

// Looks for the first point of values(1..count) (1-based) where the history stops
// alternating: two equal neighbours, or two steps in the same direction in a row; equal
// first two values are a conflict at index 2. StepDirection follows the steps examined.
// Asks whether to remove the conflict and, on Yes, whether to remove all conflicts
// (everything is filtered, and an odd result loses its last point) or only the first one
// (the points up to the conflict are filtered, removeAllFlag becomes 0, the count may
// stay odd). When points were removed, count is the new count, the current batch's
// PointCount follows it and HistoryModified is set; callers compare count with the one
// they passed to know that the display needs a refresh.
// Returns true when a conflict was found, whether or not it was removed.
bool CheckHistoryConflicts(AppState& s, Prompter& p, std::vector<float>& values, int32_t& count,
                           int16_t& removeAllFlag);

// Compacts values(1..count) in place and returns the new count: values(1) and values(count)
// stay; a point i in 2..count-1 stays when i > upTo or when it turns the direction
// between the last point kept and the next raw point. Plateau points and points inside a
// monotonic run are dropped.
int32_t RemoveNonReversals(std::vector<float>& values, int32_t upTo, int32_t count);

// Removes the reversal pairs of the current history whose range is below gatePercent %
// of the history's range, keeping the more extreme of the two points of the same kind
// around each; the count is made even. Fewer than 4 points left: the message
// "<n> data points have left only.\nThe whole history will be deleted" and PointCount 0.
// MaxValue and MinValue are recomputed.
void ApplyRangeGate(AppState& s, Prompter& p, float gatePercent);

// The arithmetic of a rescale: every value v of points 1..PointCount becomes
// factor·v + offset, and the extremes follow (they exchange roles for factor <= 0).
void ScaleHistoryValues(AppState& s, float factor, float offset);

// A text the way the program takes numbers from text boxes: blanks around it allowed, an
// optional sign, decimal digits with an optional point and exponent. False when the text
// is not numeric.
bool ParseNumericText(std::string_view text, double& value);

// --- History parameters dialog (frm_Hist_Parms) ---

struct HistParmsView {
    std::string caption;       // QuantityName + "-History Parameters"
    std::string gateText;      // "0"
    std::string scaleText;     // "1"
};
// Opens the dialog after a time series has been read: UiMode becomes 0.
HistParmsView OpenHistParms(AppState& s);
// txt_Hist_Gate losing the focus: false (after the message) keeps the focus in the box.
bool ValidateHistGate(const AppState& s, Prompter& p, std::string_view text);
// txt_Hist_Scale losing the focus: false (after the message) keeps the focus in the box.
bool ValidateHistScale(const AppState& s, Prompter& p, std::string_view text);
// OK: a gate above 0 applies the range gate, a factor other than 1 rescales the history;
// the dialog closes (UiMode 1). The window then redraws the history from its first point.
// A gate or a rescaled history that no Single holds is refused with a message (false):
// nothing changes and the dialog stays open.
bool ConfirmHistParms(AppState& s, Prompter& p, double gatePercent, double scaleFactor);
// Cancel: the dialog closes, the history stays.
void CancelHistParms(AppState& s);

}  // namespace karmo
