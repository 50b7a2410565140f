#include "distribution/DistributionParams.h"

#include <cmath>

#include "core/NumberForms.h"
#include "core/Single.h"
#include "distribution/Densities.h"
#include "distribution/DistributionFit.h"
#include "distribution/Synthesis.h"

namespace karmo {

namespace {

// A number as a text box shows it: the short form with its leading zero ("0.5").
template <typename T>
std::string boxText(T v) {
    std::string t = ShortNumber(v);
    if (t.size() >= 1 && t[0] == '.') return "0" + t;
    if (t.size() >= 2 && t[0] == '-' && t[1] == '.') return "-0" + t.substr(1);
    return t;
}

void refuse(Prompter& p, const std::string& text) { p.tell(kEditParamsTitle, text, Icon::Critical); }

const char* boxName(ParamsBox box) { return box == ParamsBox::Q ? "Q" : "R"; }

// The value of a box as a Single; empty (with the message shown) when it is no number
// or beyond the range of a Single.
std::optional<float> readBox(Prompter& p, ParamsBox box, const std::string& text) {
    const std::optional<double> v = ParseListNumber(text);
    if (!v) {
        refuse(p, std::string(boxName(box)) + " must be a numeric");
        return std::nullopt;
    }
    const std::optional<float> f = ToSingle(*v);
    if (!f) refuse(p, std::string("The value of ") + boxName(box) + " is out of range");
    return f;
}

}  // namespace

DistributionParamsTexts OpenDistributionParams(const AppState& s) {
    const DataBatch& b = s.batch();
    const float f = s.QuantityFactor;
    DistributionParamsTexts t;
    switch (EffectiveType(s.DistributionType)) {
    case kWeibull: t.q = boxText(static_cast<float>(f * b.SourceQ)); break;
    case kLognorm:
        t.q = boxText(static_cast<double>(b.SourceQ) + std::log(static_cast<double>(f)));
        break;
    default:
        // A Beta shape exponent has no unit: shown as stored in both unit systems.
        t.q = boxText(static_cast<double>(b.SourceQ));
        break;
    }
    t.r = boxText(b.SourceR);
    return t;
}

std::optional<ParamsBox> DistributionParamsKeyDown(ParamsBox box, int keyCode) {
    constexpr int kUp = 38, kDown = 40, kPageDown = 34;
    if (box == ParamsBox::Q && (keyCode == kUp || keyCode == kDown)) return ParamsBox::R;
    if (box == ParamsBox::R && (keyCode == kUp || keyCode == kPageDown)) return ParamsBox::Q;
    return std::nullopt;
}

bool DistributionParamsLostFocus(Prompter& p, ParamsBox box, const std::string& text) {
    if (ParseListNumber(text)) return true;
    refuse(p, std::string(boxName(box)) + " must be a numeric");
    return false;
}

DistributionParamsOkResult DistributionParamsOk(AppState& s, Prompter& p,
                                                const DistributionParamsTexts& opened,
                                                const DistributionParamsTexts& typed) {
    DistributionParamsOkResult res;
    DataBatch& b = s.batch();
    const int16_t type = EffectiveType(s.DistributionType);
    const float f = s.QuantityFactor;

    // A box left as it was opened keeps the stored value: converting the shown text back
    // would change the last bits of many values.
    float Q = b.SourceQ;
    if (typed.q != opened.q) {
        const std::optional<float> v = readBox(p, ParamsBox::Q, typed.q);
        if (!v) return res;
        std::optional<float> q = *v;
        if (type == kWeibull) q = ToSingle(static_cast<double>(*v / f));
        else if (type == kLognorm) q = ToSingle(static_cast<double>(*v) - std::log(static_cast<double>(f)));
        if (!q || !IsFiniteSingle(*q)) {
            refuse(p, "The value of Q is out of range");
            return res;
        }
        Q = *q;
    }

    float R = b.SourceR;
    if (typed.r != opened.r) {
        const std::optional<float> v = readBox(p, ParamsBox::R, typed.r);
        if (!v) {
            res.focus = ParamsBox::R;
            return res;
        }
        R = *v;
    }
    if (type != kLognorm && !(Q > 0)) {
        refuse(p, "The value of Q must be greater than 0");
        return res;
    }
    if (type == kLognorm) {
        // The mean of ln S must lie below ln MaxRange: the normalised mean, which the
        // densities use, is then below 0 like that of every fitted spectrum.
        const double M = b.MaxRange;
        const double normalised = M > 0 ? static_cast<double>(Q) - std::log(M) : Q;
        if (!(normalised < 0)) {
            refuse(p, "The value of Q must be smaller than 0");
            return res;
        }
    }
    if (!(R > 0)) {
        refuse(p, "The value of R must be greater than 0");
        res.focus = ParamsBox::R;
        return res;
    }

    BusyScope busy(p);
    const float oldQ = b.SourceQ, oldR = b.SourceR;
    const bool oldChanged = s.SpectrumChanged;
    b.SourceR = R;
    b.SourceQ = Q;
    s.SpectrumChanged = true;
    if (!SynthesizeSpectrum(s, p)) {
        b.SourceQ = oldQ;
        b.SourceR = oldR;
        s.SpectrumChanged = oldChanged;
        return res;
    }
    s.ShowFitted = false;
    s.UiMode = kUiIdle;
    res.accepted = true;
    res.refreshCaption = "Fit &Distrib.";
    res.refreshToolTip = s.ToolTipsHidden == 1 ? "" : "Fit a new distribution to the spectrum";
    return res;
}

bool DistributionParamsCancel(AppState& s, bool correctionFlag) {
    DataBatch& b = s.batch();
    const BatchRecord& copy = s.SpectrumBackup;
    if (copy.LevelCount > 0) CopySpectrumFields(copy, b);
    s.UiMode = kUiIdle;
    if (correctionFlag) {
        s.DistributionType = SourceDistributionType(b);
        s.DistributionLabel = DistributionLabelFor(s.DistributionType);
        return false;
    }
    return true;
}

std::vector<std::string> SpectrumControlsToEnable(int16_t editChoice) {
    std::vector<std::string> names;
    if (editChoice == 2) names.push_back("frm_Spectrum_Stress");
    for (const char* n : {"frm_Spectrum_Cycles", "vsc_Spectrum", "cmd_Spectrum_Save",
                          "cmd_Spectrum_Cancel", "cmd_Spectr_Correction", "cmd_Spectr_Refresh"})
        names.push_back(n);
    return names;
}

}  // namespace karmo
