#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/AppState.h"
#include "core/Prompter.h"

namespace karmo {

// The boxes of the spectrum-parameters dialog (frm_Spectrum_Params), in the order the
// arrow keys walk them.
enum class SpectrumParamsBox { Max, Min, Levels, Volume, RecordTime };

// The texts of the dialog's boxes.
struct SpectrumParamsTexts {
    std::string max, min, levels, volume, recordTime;
};

// A text the dialog wrote into the smallest-range box together with the exact value it
// stands for (internal units). The box shows it rounded; while the text is unchanged the
// exact value is what is checked and stored, so the dialog never refuses its own proposal
// or its own correction.
struct ExactMinText {
    std::string text;
    float value = 0;
};

// What a check of a box decided.
struct SpectrumBoxCheck {
    bool accepted = true;
    std::optional<std::string> newText;     // the box is set to this text (the corrected minimum)
    std::optional<std::string> levelsLabel; // the levels label is rebuilt with a new limit
};

// "# of Stress Levels (max N):"
std::string SpectrumLevelsLabel(const AppState& s, int32_t limit);

// Leaving txt_Spectr_Levels: a number from 1 to MaxLevels, stored as LevelCount at once.
SpectrumBoxCheck ValidateSpectrLevels(AppState& s, Prompter& p, std::string_view text);
// Leaving txt_Spectr_Max: a positive number above the smallest range in its box.
SpectrumBoxCheck ValidateSpectrMax(const AppState& s, Prompter& p, std::string_view text,
                                   std::string_view minText);
// Leaving txt_Spectr_Min: not below the lower limit of the counted spectrum (the box is
// then set to the limit, with a note) and below the largest range. onOk: the re-check of
// "&OK", which shows both refusals as notes.
SpectrumBoxCheck ValidateSpectrMin(const AppState& s, Prompter& p, std::string_view text,
                                   std::string_view maxText, ExactMinText& exact, bool onOk = false);
// Leaving txt_Spectr_Vol: any number but 1. It bounds the number of levels (MaxLevels)
// when it is a smaller positive count; the levels label follows.
SpectrumBoxCheck ValidateSpectrVol(AppState& s, Prompter& p, std::string_view text);
// Leaving txt_Spectr_RTime: a number not below 0.
SpectrumBoxCheck ValidateSpectrRTime(const AppState& s, Prompter& p, std::string_view text);

// Runs the check of one box by its kind (the window's lost-focus handler).
SpectrumBoxCheck ValidateSpectrumBox(AppState& s, Prompter& p, SpectrumParamsBox box,
                                     const SpectrumParamsTexts& t, ExactMinText& exact);

// The box the Up or Down arrow moves to.
SpectrumParamsBox NextSpectrumParamsBox(SpectrumParamsBox from, bool down);

// "&Cancel": the batch's spectrum and material values return to the copy taken when the
// edit began; UiMode idle.
void SpectrumParamsCancel(AppState& s);

// --- the information panel's commands on the working copy ---

enum class LevelCheck {
    Passed,         // nothing to change, or the reduction was confirmed (LevelCount lowered)
    EmptyInside,    // an empty level above a non-empty one: refused; focus to the first Cycles box
    Declined,       // the user kept the levels: back to the grid
};

// The check before storing (Refresh, Close, Save): trailing empty levels are dropped after
// the user confirms; an empty level above a non-empty one is refused, except after a count
// and for a spectrum defined by a distribution.
LevelCheck CheckSpectrumLevels(AppState& s, Prompter& p);

// No level may have a larger range than level 1: false (with the message) names the first
// that has; firstBadLevel receives its number.
bool CheckLevelOrder(const AppState& s, Prompter& p, int32_t& firstBadLevel);

enum class RefreshResult { Done, Declined, Refused };
// "&Refresh": asks before the volume follows the typed counts, checks the levels, and
// takes the working copy into the batch (Volume the total of the counts). The window then
// redraws the spectrum and the distribution and disables the button until the next change.
// badLevel receives the level that broke the order (0 when another check refused).
RefreshResult SpectrumRefresh(AppState& s, Prompter& p, int32_t* badLevel = nullptr);

// "C&orrection": Volume becomes the total of the positive counts; true when the
// spectrum-parameters dialog reopens (UiMode 0, the copy of the batch taken again).
bool SpectrumCorrection(AppState& s, Prompter& p);

enum class CloseAnswer { StayOpen, Discard, Keep, Unchanged };
// "&Close": with changes, asks whether to keep them. Keep runs the level checks (the
// window then commits the batch); StayOpen: the panel stays (Cancel or a refused check).
CloseAnswer SpectrumCloseQuestion(AppState& s, Prompter& p, int32_t* badLevel = nullptr);

// Leaving a box of the level grid (the level's number, its working range and cycles).
// Cycles: a number; a positive count needs a range above 0 (FocusStress: the focus goes to
// that row's Stress box). Stress: a number, not 0 on a row with cycles; it is taken /
// QuantityFactor. An accepted change goes into the working copy and sets SpectrumChanged.
enum class GridCellCheck { Accepted, Refused, FocusStress };
GridCellCheck EditGridCycles(AppState& s, Prompter& p, int32_t level, std::string_view text);
GridCellCheck EditGridStress(AppState& s, Prompter& p, int32_t level, std::string_view text);

// "&Save": the order and level checks before the batch is committed. badLevel receives the
// level that broke the order (0 when another check refused).
bool SpectrumSaveChecks(AppState& s, Prompter& p, int32_t* badLevel = nullptr);
// After the commit: a spectrum that does not come straight from a count is confirmed.
void TellSpectrumIncluded(const AppState& s, Prompter& p);

// The level the grid scrolls to so that `level` is its first row (within the scroll range).
int32_t GridScrollFor(const AppState& s, int32_t level);

}  // namespace karmo
