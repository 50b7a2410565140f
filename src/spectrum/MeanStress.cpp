#include "spectrum/MeanStress.h"

#include <charconv>
#include <cmath>
#include <optional>

#include "core/NumberForms.h"
#include "core/Single.h"
#include "history/HistoryChecks.h"
#include "spectrum/RainflowCounter.h"

namespace karmo {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }

// Reads a number at the start of text (after blanks); returns the characters used, 0 when
// there is no number. Locale-independent, so a decimal comma locale does not change it.
size_t readNumber(std::string_view text, double& out) {
    size_t i = 0;
    while (i < text.size() && isBlank(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    if (i >= text.size()) return 0;
    const char c = text[i];
    if (!(c >= '0' && c <= '9') && c != '.') return 0;
    double v = 0;
    auto r = std::from_chars(text.data() + i, text.data() + text.size(), v,
                             std::chars_format::general);
    if (r.ec != std::errc() || !std::isfinite(v)) return 0;
    out = negative ? -v : v;
    return static_cast<size_t>(r.ptr - text.data());
}

}  // namespace

double LeadingNumber(std::string_view text) {
    double v = 0;
    return readNumber(text, v) ? v : 0.0;
}

std::string MakeDmseLabel(float su, float sy, float kf, float stressFactor) {
    const float suShown = su * stressFactor;
    const float syShown = sy * stressFactor;
    return "DMSE(+): Su=" + FormatMask(suShown, "####") + ", Sy=" + FormatMask(syShown, "####") +
           ", Kf=" + FormatMask(kf, "##.0#");
}

void RebuildDmseLabel(AppState& s) {
    const DataBatch& b = s.batch();
    s.DmseLabel = MakeDmseLabel(b.UltimateStrength, b.YieldStrength, b.NotchFactor, s.StressFactor);
}

void CorrectForMeanStress(AppState& s, Prompter& p, float sm, float& r) {
    const DataBatch& b = s.batch();
    const float su = b.UltimateStrength;
    const float sy = b.YieldStrength;
    const float kf = s.KfInUse;
    const float sa = r / 2;
    const float notchPeak = kf * (sa + sm);
    if (notchPeak > su) {
        Prompt q{kMeanStressCorrectionTitle,
                 "Max Notch Stress exceeds Ultimate Strength\nContinue?", Icon::Question,
                 Buttons::YesNo, 0};
        if (p.ask(q) != Answer::Yes) {
            s.CountingCancelled = true;
            s.UiMode = kUiIdle;
            return;
        }
    }
    if (sm <= 0) return;
    const float kfSm = kf * sm;
    if (kfSm >= sy) return;
    const float kfR = kf * r;
    const float twoSy = 2 * sy;
    if (kfR >= twoSy) return;  // the notch yields over the whole cycle

    float k = kf;
    if (!(notchPeak <= sy)) {
        // Local yielding relaxes the mean: the local maximum Kf*Sa + K*Sm stays at Sy.
        const float kfSa = kf * sa;
        k = (sy - kfSa) / std::fabs(sm);
    }
    const float kSm = k * sm;
    const float denominator = su - kSm;
    if (!(denominator > 0)) {
        // Goodman has no finite equivalent here (only when Sy is not below Su, or Su is
        // not positive): stop rather than divide by zero or produce a negative range.
        p.tell(kMeanStressCorrectionTitle,
               "The Ultimate Strength must be greater than the Yield Strength", Icon::Exclamation);
        s.CountingCancelled = true;
        s.UiMode = kUiIdle;
        return;
    }
    const float saSu = sa * su;
    const float equivalentAmplitude = saSu / denominator;
    r = 2 * equivalentAmplitude;
}

MeanStressDialog OpenMeanStressDialog(const AppState& s) {
    MeanStressDialog d;
    d.ultimateLabel = std::string("Ultimate Strength ").append(s.StressUnitBracket).append(":");
    d.yieldLabel = std::string("Yield Strength ").append(s.StressUnitBracket).append(":");
    d.include = s.MseIncluded;
    const DataBatch& b = s.batch();
    const bool stored = b.UltimateStrength > 1.011f;
    const float su = b.UltimateStrength * s.StressFactor;
    const float sy = b.YieldStrength * s.StressFactor;
    d.ultimateText = stored ? ShortNumber(su) : std::string("500");
    d.yieldText = stored ? ShortNumber(sy) : std::string("300");
    d.notchText = stored ? ShortNumber(b.NotchFactor) : std::string("1");
    return d;
}

namespace {

bool validatePositive(const AppState& s, Prompter& p, std::string_view text, const char* message,
                      const char* name) {
    double v = 0;
    if (!ParseNumericText(text, v) || !(v > 0)) {
        p.tell(kMeanStressTitle, message, Icon::Critical);
        return false;
    }
    if (!ToSingle(v / s.StressFactor)) {
        p.tell(kMeanStressTitle, std::string("The ") + name + " is out of range", Icon::Critical);
        return false;
    }
    return true;
}

// The three values as they are stored, when each fits a Single.
struct MaterialValues {
    float su = 0, sy = 0, kf = 0;
};

std::optional<MaterialValues> materialValues(const AppState& s, const MeanStressDialog& d) {
    const std::optional<float> kf = ToSingle(LeadingNumber(d.notchText));
    const std::optional<float> sy = ToSingle(LeadingNumber(d.yieldText) / s.StressFactor);
    const std::optional<float> su = ToSingle(LeadingNumber(d.ultimateText) / s.StressFactor);
    if (!kf || !sy || !su) return std::nullopt;
    return MaterialValues{*su, *sy, *kf};
}

}  // namespace

bool ValidateUltimateStrength(const AppState& s, Prompter& p, std::string_view text) {
    return validatePositive(s, p, text, "The Ultimate Strength must be greater than 0", "Ultimate Strength");
}

bool ValidateYieldStrength(const AppState& s, Prompter& p, std::string_view text) {
    return validatePositive(s, p, text, "The Yield Strength must be greater than 0", "Yield Strength");
}

bool ValidateNotchFactor(Prompter& p, std::string_view text) {
    const double kf = LeadingNumber(text);
    if (!(kf >= 1)) {
        p.tell(kMeanStressTitle, "The Stress Concentration Factor must be greater or equal to 1",
               Icon::Critical);
        return false;
    }
    if (!ToSingle(kf)) {
        p.tell(kMeanStressTitle, "The Stress Concentration Factor is out of range", Icon::Critical);
        return false;
    }
    return true;
}

MeanStressBox NextMeanStressBox(MeanStressBox from, bool down) {
    switch (from) {
        case MeanStressBox::Ultimate: return down ? MeanStressBox::Yield : MeanStressBox::Notch;
        case MeanStressBox::Yield: return down ? MeanStressBox::Notch : MeanStressBox::Ultimate;
        case MeanStressBox::Notch: return down ? MeanStressBox::Ultimate : MeanStressBox::Yield;
    }
    return from;
}

MeanStressOkOutcome MeanStressOk(AppState& s, Prompter& p, const MeanStressDialog& d) {
    MeanStressOkOutcome out;
    if (s.UiMode >= 2) return out;  // the About panel is open
    out.ran = true;
    out.redrawHistory = s.HistoryPlotOutdated;
    DataBatch& b = s.batch();
    if (d.include) {
        // The boxes are checked as they lose the focus; one that never had it is checked here.
        const std::optional<MaterialValues> m = materialValues(s, d);
        if (!m) {
            p.tell(kMeanStressTitle, "The material values are out of range", Icon::Critical);
            out.ran = false;
            return out;
        }
        s.MseIncluded = true;
        s.UiMode = 0;
        s.KfInUse = m->kf;
        const float sy = m->sy;
        const float su = m->su;
        b.UltimateStrength = su;
        b.YieldStrength = sy;
        b.NotchFactor = s.KfInUse;
        if (su > 1.001f) s.DmseLabel = MakeDmseLabel(su, sy, s.KfInUse, s.StressFactor);
    } else {
        s.MseIncluded = false;
        b.UltimateStrength = 0;
        b.YieldStrength = 0;
        b.NotchFactor = 0;
        s.DmseLabel = kDmseIgnored;
    }
    out.counted = CountCycles(s, p);
    if (out.counted) {
        s.AfterCounting = true;
        s.UiMode = 0;
    }
    return out;
}

void MeanStressCancel(AppState& s) { s.UiMode = kUiIdle; }

}  // namespace karmo
