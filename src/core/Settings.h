#pragma once
#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "core/AppState.h"
#include "core/Prompter.h"

namespace karmo {

inline constexpr const char* kSettingsFileName = "Karmo.cfg";
inline constexpr const char* kSaveSettingsTitle = "Save Settings";

// --- factory colours ---

struct ColorSet {
    Color Graph, History, PlotBack, Spectrum, Beta;
};
// The light set for displays of more than 256 colours, the full set for palettes.
ColorSet FactoryColors(int32_t displayNumColors);
// Sets all five colours to the factory set of the display in s.DisplayNumColors.
void SetFactoryColors(AppState& s);

// --- the settings file ---

// The one line of Karmo.cfg for the current state, CR LF included.
std::string SettingsLine(const AppState& s);

// Reads dir/Karmo.cfg into LengthFactor, the colours and ToolTipsHidden. Whatever goes
// wrong (missing, unreadable, too few fields, a field that is not a number) sets
// LengthFactor to 1 and keeps what was read before; the rest keeps its value. Nothing is
// shown. Returns true when all eight fields were read.
bool ReadSettings(AppState& s, const std::string& dir);

// "&Save Settings": replaces dir/Karmo.cfg with the current settings. A failure is
// shown under "Save Settings" and leaves the old file as it was. Returns true on success.
bool SaveSettings(const AppState& s, const std::string& dir, Prompter& prompter);

// --- tool tips ---

struct ToolTipEntry {
    const char* control;
    const char* text;
};
// The eight buttons of the history panel and their tool tips, in panel order.
const std::array<ToolTipEntry, 8>& HistoryButtonToolTips();
inline constexpr const char* kQuantityToggleToolTip = "Click here for Stress/Strain change";

// The tool tip of a control by its name: the history buttons and the quantity labels
// (Label7, Label11, Label14) have one; every tool tip is empty while hidden is 1.
std::string ToolTipFor(std::string_view control, int16_t toolTipsHidden);

// "&Show" (item 0) or "&Hide" (item 1) of "&Tip Text". Other items are ignored.
void SelectToolTips(AppState& s, int item);

// --- the colours dialog ---

// The four colours the dialog can change, backed up when it opens.
struct ColorsBackup {
    Color Graph = 0, History = 0, Spectrum = 0, Beta = 0;
};

inline constexpr int16_t kUiColorsDialog = 9;
inline constexpr int kRestoreFactoryColorsIndex = 5;

// "&Colors...": acts only while idle; backs up the four colours and sets UiMode to 9.
// Returns false (and changes nothing) when the window is busy.
bool OpenColorsDialog(AppState& s, ColorsBackup& backup);

// A sample label of the dialog (indexes 0..3 "Graph", "History", "Spectrum", "Beta",
// 5 "Restore Factory Colors"). The caption of an index, empty for one that does not exist.
std::string ColorSampleCaption(int index);
// The colour a sample label shows (0: its text colour, 1..3: its background);
// none for the other indexes.
std::optional<Color> ColorSampleColor(const AppState& s, int index);

// A click on sample label index: 0..3 store the colour the picker returns (the picker is
// preset with the current colour), 5 restores all five factory colours, others do
// nothing. Returns true when a colour may have changed and the samples need repainting.
bool ColorSampleClick(AppState& s, int index, const std::function<Color(Color)>& pick);

// OK keeps the colours; Cancel brings back the four backed-up ones (PlotBackColor is not
// one of them). Either way the window becomes idle.
void CloseColorsDialog(AppState& s, const ColorsBackup& backup, bool ok);

}  // namespace karmo
