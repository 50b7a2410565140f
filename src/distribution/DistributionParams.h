#pragma once
#include <optional>
#include <string>
#include <vector>

#include "core/AppState.h"
#include "core/Prompter.h"

namespace karmo {

// The parameter dialog of the source distribution ("Edit ... Parameters"): the rules of
// its two boxes, OK and Cancel. The window shows the texts and moves the focus.
enum class ParamsBox { Q, R };

struct DistributionParamsTexts {
    std::string q;
    std::string r;
};

// Title of every message of the dialog.
inline constexpr const char* kEditParamsTitle = "Edit Beta Parameters";

// The texts the boxes get when the dialog opens: Q in display units (Weibull scale
// f * SourceQ, Log-norm mean SourceQ + ln f, Beta shape as stored), R as stored.
DistributionParamsTexts OpenDistributionParams(const AppState& s);

// Where the focus goes for a key pressed in a box (Up/Down in Q go to R; Up/Page Down in
// R go to Q); nothing for any other key.
std::optional<ParamsBox> DistributionParamsKeyDown(ParamsBox box, int keyCode);

// Leaving a box: text that is not a number is refused with "Q must be a numeric" (or
// "R must be a numeric"); false then, and the focus goes back to the box.
bool DistributionParamsLostFocus(Prompter& p, ParamsBox box, const std::string& text);

struct DistributionParamsOkResult {
    bool accepted = false;           // the dialog closes; refused: it stays open
    ParamsBox focus = ParamsBox::Q;  // the box that takes the focus when refused
    std::string refreshCaption;      // new caption and tool tip of cmd_Spectr_Refresh
    std::string refreshToolTip;
};

// OK: reads both boxes (a box whose text is still the text it was opened with keeps the
// stored value exactly), converts Q to the stored form, checks, stores SourceQ and
// SourceR and synthesises the spectrum. Log-norm means are accepted when they lie below
// the logarithm of MaxRange (a normalised mean below 0, which is what every fit gives);
// others are refused with "The value of Q must be smaller than 0". R must be greater
// than 0 for every type. A synthesis that refuses the parameters keeps the dialog open
// with nothing stored.
DistributionParamsOkResult DistributionParamsOk(AppState& s, Prompter& p,
                                                const DistributionParamsTexts& opened,
                                                const DistributionParamsTexts& typed);

// Cancel: restores the batch's spectrum and distribution fields from the copy taken
// when the edit began (SpectrumBackup; nothing when it has no levels). With the correction
// flag set the distribution type returns to the batch's SourceType and false is returned;
// otherwise true: the window resets its panels and shows the Loading Database panel.
bool DistributionParamsCancel(AppState& s, bool correctionFlag);

// The spectrum panel controls that OK and Cancel enable again: both level frames when the
// spectrum comes from a distribution (EditChoice 2), only the cycles frame when it is keyed
// in, then the scroll bar and the four buttons.
std::vector<std::string> SpectrumControlsToEnable(int16_t editChoice);

}  // namespace karmo
