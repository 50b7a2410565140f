#include "core/Settings.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <optional>

#include "core/AtomicFile.h"
#include "core/NumberForms.h"
#include "core/Single.h"

namespace karmo {

ColorSet FactoryColors(int32_t displayNumColors) {
    if (displayNumColors == -1)  // more than 256 colours: the light set
        return ColorSet{0xC000C0, 0x80FFFF, 0xFFFFFF, 0x80FF80, 0xFFFF80};
    return ColorSet{0xC000C0, 0x00FFFF, 0xFFFFFF, 0x00FF00, 0xFFFF00};
}

void SetFactoryColors(AppState& s) {
    const ColorSet c = FactoryColors(s.DisplayNumColors);
    s.GraphColor = c.Graph;
    s.HistoryColor = c.History;
    s.PlotBackColor = c.PlotBack;
    s.SpectrumColor = c.Spectrum;
    s.BetaColor = c.Beta;
}

// --- the settings file ---

std::string SettingsLine(const AppState& s) {
    // Field 1 is the unit flag: the integer part of LengthFactor, 1 for SI, 0 for US.
    const double flag = std::clamp(std::floor(static_cast<double>(s.LengthFactor)),
                                   static_cast<double>(INT32_MIN), static_cast<double>(INT32_MAX));
    const auto asLong = [](Color c) { return static_cast<int32_t>(c); };
    std::string line;
    line += PrintNumber(static_cast<int32_t>(flag));
    line += PrintNumber(asLong(s.HistoryColor));
    line += PrintNumber(asLong(s.BetaColor));
    line += PrintNumber(asLong(s.PlotBackColor));
    line += PrintNumber(asLong(s.SpectrumColor));
    line += PrintNumber(asLong(s.GraphColor));
    line += PrintNumber(static_cast<int32_t>(s.ToolTipsHidden));
    line += PrintNumber(static_cast<int32_t>(0));  // reserved
    line += "\r\n";
    return line;
}

namespace {

float toSingle(double v) {
    const std::optional<float> f = ToSingle(v);
    if (!f) throw ListInputError("number out of range");
    return *f;
}

Color toColor(double v) { return static_cast<Color>(RoundHalfEven(v)); }

int16_t toToolTipChoice(double v) {
    const int16_t i = RoundHalfEven16(v);
    // Only the two menu items exist; anything else is as bad as a field that is not a number.
    if (i != 0 && i != 1) throw ListInputError("tool tip choice out of range");
    return i;
}

}  // namespace

bool ReadSettings(AppState& s, const std::string& dir) {
    try {
        std::ifstream in(JoinPath(dir, kSettingsFileName), std::ios::binary);
        if (!in) throw ListInputError("cannot open");
        ListReader reader(in);
        const auto next = [&reader]() {
            double v = 0;
            if (!reader.readNumber(v)) throw ListInputError("too few fields");
            return v;
        };
        // Each field lands in its target as soon as it is read, so a later failure
        // keeps the earlier ones.
        s.LengthFactor = toSingle(next());
        s.HistoryColor = toColor(next());
        s.BetaColor = toColor(next());
        s.PlotBackColor = toColor(next());
        s.SpectrumColor = toColor(next());
        s.GraphColor = toColor(next());
        s.ToolTipsHidden = toToolTipChoice(next());
        (void)toSingle(next());  // reserved field, read and dropped
        return true;
    } catch (const std::exception&) {
        s.LengthFactor = 1.0f;
        return false;
    }
}

bool SaveSettings(const AppState& s, const std::string& dir, Prompter& prompter) {
    const std::string error = ReplaceFileAtomically(JoinPath(dir, kSettingsFileName), SettingsLine(s));
    if (error.empty()) return true;
    prompter.tell(kSaveSettingsTitle, error, Icon::Exclamation);
    return false;
}

// --- tool tips ---

const std::array<ToolTipEntry, 8>& HistoryButtonToolTips() {
    static const std::array<ToolTipEntry, 8> table{{
        {"Cmd_Zoom_Refr", "Refresh the display"},
        {"cmd_Rescale", "Rescale the stress history"},
        {"cmd_Save", "Save the stress history to file"},
        {"cmd_Correction", "Correct or smooth the stress history"},
        {"cmd_Cycle_Count", "Perform rainflow counting"},
        {"cmd_Subtract", "Subtract some points from the stress history"},
        {"cmd_Append", "Add a stress history to the current one"},
        {"cmd_Cancel", "Close editing the stress history"},
    }};
    return table;
}

std::string ToolTipFor(std::string_view control, int16_t toolTipsHidden) {
    if (toolTipsHidden == 1) return {};
    for (const auto& e : HistoryButtonToolTips())
        if (control == e.control) return e.text;
    if (control == "Label7" || control == "Label11" || control == "Label14")
        return kQuantityToggleToolTip;
    return {};
}

void SelectToolTips(AppState& s, int item) {
    if (item == 0 || item == 1) s.ToolTipsHidden = static_cast<int16_t>(item);
}

// --- the colours dialog ---

bool OpenColorsDialog(AppState& s, ColorsBackup& backup) {
    if (s.UiMode != kUiIdle) return false;
    backup = ColorsBackup{s.GraphColor, s.HistoryColor, s.SpectrumColor, s.BetaColor};
    s.UiMode = kUiColorsDialog;
    return true;
}

namespace {

Color* sampleTarget(AppState& s, int index) {
    switch (index) {
        case 0: return &s.GraphColor;
        case 1: return &s.HistoryColor;
        case 2: return &s.SpectrumColor;
        case 3: return &s.BetaColor;
        default: return nullptr;
    }
}

}  // namespace

std::string ColorSampleCaption(int index) {
    switch (index) {
        case 0: return "Graph";
        case 1: return "History";
        case 2: return "Spectrum";
        case 3: return "Beta";
        case kRestoreFactoryColorsIndex: return "Restore Factory Colors";
        default: return {};
    }
}

std::optional<Color> ColorSampleColor(const AppState& s, int index) {
    switch (index) {
        case 0: return s.GraphColor;
        case 1: return s.HistoryColor;
        case 2: return s.SpectrumColor;
        case 3: return s.BetaColor;
        default: return std::nullopt;
    }
}

bool ColorSampleClick(AppState& s, int index, const std::function<Color(Color)>& pick) {
    if (index == kRestoreFactoryColorsIndex) {
        SetFactoryColors(s);
        return true;
    }
    Color* c = sampleTarget(s, index);
    if (c == nullptr) return false;
    *c = pick(*c);
    return true;
}

void CloseColorsDialog(AppState& s, const ColorsBackup& backup, bool ok) {
    if (!ok) {
        s.GraphColor = backup.Graph;
        s.HistoryColor = backup.History;
        s.SpectrumColor = backup.Spectrum;
        s.BetaColor = backup.Beta;
    }
    s.UiMode = kUiIdle;
}

}  // namespace karmo
