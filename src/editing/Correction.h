#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/AppState.h"
#include "core/Prompter.h"
#include "editing/EditCommon.h"

namespace karmo {

// Rows the grid shows at a time, and the most value pairs it offers.
constexpr int32_t kCorrectionRows = 10;
constexpr int32_t kMaxCorrectionPairs = 16383;

// The Correction dialog's working state: every edit goes to the copy; OK writes it back.
struct CorrectionDialog {
    std::string Title;                  // txt_Corr_Title
    std::string RecordTimeText;         // txt_Corr_RecTime as last accepted
    std::string ShownRecordTime;        // as the dialog showed it when it opened
    float RecordTime = 0;               // the value of RecordTimeText
    std::string GateText = "0";         // txt_Corr_Gate as last accepted
    float Gate = 0;
    std::vector<float> CorrectionCopy;  // slots 0..CorrectionCount + 1
    int32_t CorrectionCount = 0;        // txt_Corr_NoPoints once accepted
    int32_t PairCount = 0;              // grid rows (value pairs)
    int16_t FirstIsValley = 1;          // 1: the copy starts with a valley, 2: with a peak
    int32_t ScrollMax = 1;              // vsc_UpDown: minimum 1, this maximum
    int32_t ScrollValue = 1;
    bool HistoryChangedInGrid = false;
    bool NewHistory = false;            // typed in by keyboard: the batch's points do not count
};

// QuantityName + "History Data" and QuantityName + "History Title:".
std::string CorrectionCaption(const AppState& s);
std::string CorrectionTitleLabel(const AppState& s);

// Fills the dialog from the current batch. A grid of more than 16383 pairs is cut to that
// with "Sorry, you may correct manually 32766 datapoints only. "; the copy keeps every point.
CorrectionDialog PrepareCorrection(const AppState& s, Prompter& p);
// A new history typed in by keyboard: title "???", no points, record time and gate 0.
// The batch keeps its record until OK.
CorrectionDialog PrepareKeyboardEntry(AppState& s);
// The large step of the scroll bar: 10 % of its maximum from a maximum of 11, else 1.
int32_t CorrectionLargeStep(const CorrectionDialog& d);

// An accepted new point count: the copy is resized (new points 0 at the end), the grid
// starts again at the top.
void ResizeCorrection(CorrectionDialog& d, int32_t n);
// The count left when the repeats at the end of copy(1..n) are dropped.
int32_t TrimTrailingRepeats(const std::vector<float>& copy, int32_t n);

// txt_Corr_NoPoints losing the focus. applyNow: the history was shortened after the
// question, and OK runs at once.
struct CountEntry : EntryCheck {
    bool applyNow = false;
};
CountEntry CorrectionCountEntry(const AppState& s, Prompter& p, CorrectionDialog& d, std::string_view text);
EntryCheck CorrectionRecordTimeEntry(const AppState& s, Prompter& p, CorrectionDialog& d, std::string_view text);
EntryCheck CorrectionGateEntry(const AppState& s, Prompter& p, CorrectionDialog& d, std::string_view text);
// A value cell of point `point` losing the focus (the text in display units).
EntryCheck CorrectionCellEntry(const AppState& s, Prompter& p, CorrectionDialog& d, int32_t point,
                               std::string_view text);
// Entering a value cell: false (after the message) sends the focus to the point count.
bool CorrectionCellEnter(const AppState& s, Prompter& p, const CorrectionDialog& d);

// The ten rows of the grid for the scroll value.
struct CorrectionRow {
    std::string label;                   // "i-(i+1)", empty for a row beyond the last
    std::array<std::string, 2> values;   // display units, "####0.###"
    std::array<int32_t, 2> points{};     // point numbers, 0 for an empty disabled cell
};
struct CorrectionGrid {
    std::string firstCaption, secondCaption;   // "Peak [MPa]" / "Valley [MPa]"
    std::array<CorrectionRow, kCorrectionRows> rows;
};
CorrectionGrid CorrectionGridRows(const AppState& s, const CorrectionDialog& d);

// OK (cmd_Corr_OK).
enum class CorrectionOutcome {
    StayOpen,        // a question or the conflict review keeps the dialog open
    FocusCount,      // as StayOpen, with the focus on the point count
    Abandoned,       // the user gave up a history of fewer than 4 points: close the panels
    Applied,         // the history is the copy now: close the dialog
    HistoryDeleted,  // nothing is left of the history: close the panels
};
struct CorrectionOkResult {
    CorrectionOutcome outcome = CorrectionOutcome::StayOpen;
    RedrawDecision display;
};
CorrectionOkResult CorrectionOk(AppState& s, Prompter& p, CorrectionDialog& d);

// Writes the checked copy back into the current batch's history and smooths it with the
// gate (the range gate, when 0 < gate < 100).
void ApplyCorrection(AppState& s, Prompter& p, const CorrectionDialog& d);

}  // namespace karmo
