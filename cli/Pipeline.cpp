#include "Pipeline.h"

#include <cctype>
#include <cmath>
#include <filesystem>

#include "Args.h"
#include "core/NumberForms.h"
#include "core/Single.h"
#include "core/Units.h"
#include "distribution/DistributionFit.h"
#include "distribution/DistributionParams.h"
#include "history/HistoryChecks.h"
#include "history/HistoryFile.h"
#include "history/SeriesReaders.h"
#include "spectrum/CycleCount.h"
#include "spectrum/MeanStress.h"
#include "spectrum/RainflowCounter.h"
#include "spectrum/SpectrumLevels.h"
#include "spectrum/SpectrumParams.h"
#include "spectrum/SpectrumParamsEdit.h"

namespace karmo::cli {

void FailInput(const CliPrompter& p, size_t messagesBefore, const std::string& line) {
    throw CliFailure(1, line, p.messages().size() == messagesBefore && !line.empty());
}

void FailUsage(const std::string& line) { throw CliFailure(2, line, true); }

void NeedPositional(const ParsedArgs& a, size_t n, const std::string& what) {
    if (a.positional.size() < n) FailUsage("missing " + what);
    if (a.positional.size() > n) FailUsage("unexpected argument " + a.positional[n]);
}

namespace {

std::string lower(std::string t) {
    for (char& c : t) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return t;
}

// --- the spectrum-parameters dialog's checks of its boxes ---

// txt_Spectr_Levels: a whole number from 1 to MaxLevels.
int16_t checkLevels(AppState& s, CliPrompter& p, const std::string& text) {
    const size_t before = p.messages().size();
    if (!ValidateSpectrLevels(s, p, text).accepted) FailInput(p, before, "");
    const int16_t levels = s.batch().LevelCount;
    if (levels < 1) {   // a fraction below one half: OK refuses the set
        p.tell(s.QuantityName + "Spectrum", "Check the spectrum parameters!", Icon::Critical);
        FailInput(p, before, "");
    }
    return levels;
}

// txt_Spectr_Min on OK: below the lower limit it is corrected to the limit (with the
// dialog's note) and confirmed again; not below the largest range it is refused.
float checkMinRange(AppState& s, CliPrompter& p, std::string text, ExactMinText& exact) {
    const size_t before = p.messages().size();
    const std::string maxText = FormatMask(s.batch().MaxRange * s.QuantityFactor, "####0.0##");
    SpectrumBoxCheck c = ValidateSpectrMin(s, p, text, maxText, exact, true);
    if (!c.accepted && c.newText) {
        text = *c.newText;
        c = ValidateSpectrMin(s, p, text, maxText, exact, true);
    }
    if (!c.accepted) FailInput(p, before, "");
    if (text == exact.text) return exact.value;
    double v = 0;
    ParseNumericText(text, v);
    return ToSingle(v / s.QuantityFactor).value_or(0.0f);   // checked above
}

}  // namespace

int16_t DistributionTypeFromName(const std::string& name) {
    const std::string n = lower(name);
    if (n == "beta") return 1;
    if (n == "weibull") return 2;
    if (n == "lognorm") return 3;
    return 0;
}

const char* DistributionName(int16_t type) {
    switch (type) {
    case 2: return "weibull";
    case 3: return "lognorm";
    default: return "beta";
    }
}

std::string FormatFromName(const std::string& path) {
    const std::string name = lower(std::filesystem::path(path).filename().string());
    if (name.rfind("karhs.", 0) == 0) return "karmo";
    auto ends = [&](const char* ext) {
        const std::string e(ext);
        return name.size() > e.size() && name.compare(name.size() - e.size(), e.size(), e) == 0;
    };
    if (ends(".txt")) return "text";
    if (ends(".asc")) return "asc";
    if (ends(".bin") || ends(".dac")) return "bin";
    return "";
}

void PrepareState(AppState& s, bool us, bool strain) {
    std::error_code ec;
    std::string cwd = std::filesystem::current_path(ec).string();
    InitAppState(s, cwd, "", -1);
    if (us) SelectUnitSystem(s, UnitSystem::US, RebuildDmseLabel);
    SetQuantity(s, strain);
}

void SetQuantity(AppState& s, bool strain) {
    s.batch().Quantity = strain ? "Strain " : "Stress ";
    ApplyQuantity(s, s.CurrentBatch);
}

void LoadHistory(AppState& s, CliPrompter& p, const std::string& path, const InputOptions& o) {
    const size_t before = p.messages().size();
    std::string format = o.format.empty() ? FormatFromName(path) : lower(o.format);
    DataBatch& b = s.batch();
    if (format == "karmo" || format == "text" || format == "text-noheader") {
        s.TextHasHeader = format == "text-noheader" ? 0 : -1;
        s.HistoryPath = path;
        s.HistoryModified = true;
        const OpenHistoryResult r = OpenChkHFile(s, p);
        if (r.read != HistoryRead::Loaded || b.PointCount < 1)
            FailInput(p, before, "karmo-cli: " + path + ": no history was read");
    } else if (format == "asc" || format == "bin") {
        s.HistoryModified = true;
        const SeriesRead r = format == "asc" ? ReadAsciiSeries(s, p, path, s.CurrentBatch)
                                             : ReadBinarySeries(s, p, path, s.CurrentBatch);
        if (r != SeriesRead::Loaded || b.PointCount < 1)
            FailInput(p, before, "karmo-cli: " + path + ": no history was read");
        s.HistoryShown = true;
        s.ViewStart = 1;
    } else if (o.format.empty()) {
        FailUsage("cannot tell the format of " + path + " from its name: give --format");
    } else {
        FailUsage("unknown --format " + o.format);
    }

    // The history-parameters dialog, for every source.
    OpenHistParms(s);
    if (!ValidateHistGate(s, p, o.gate) || !ValidateHistScale(s, p, o.scale))
        FailInput(p, before, "");
    double gate = 0, scale = 1;
    ParseNumericText(o.gate, gate);
    ParseNumericText(o.scale, scale);
    if (!ConfirmHistParms(s, p, gate, scale)) FailInput(p, before, "");
    if (b.PointCount < 1) FailInput(p, before, "karmo-cli: " + path + ": the range gate left no history");
    s.ProcessedCount = b.PointCount - b.PointCount % 2;
}

void RemoveConflicts(AppState& s, CliPrompter& p) {
    DataBatch& b = s.batch();
    int32_t count = b.PointCount;
    if (count < 0) count = 0;
    if (!s.Values.empty() && static_cast<size_t>(count) > s.Values.size() - 1)
        count = static_cast<int32_t>(s.Values.size() - 1);
    int16_t removeAll = 1;
    CheckHistoryConflicts(s, p, s.Values, count, removeAll);
    s.ProcessedCount = b.PointCount - b.PointCount % 2;
}

void WriteHistoryOut(AppState& s, CliPrompter& p, const std::string& target) {
    const std::filesystem::path path(target);
    s.DatabaseDir = path.parent_path().string();
    s.SaveFileName = path.filename().string();
    const size_t before = p.messages().size();
    int16_t ok = 0;
    WriteHistoryFile(s, p, s.CurrentBatch, ok);
    if (ok != 1) FailInput(p, before, "karmo-cli: " + target + " could not be written");
}

CountSummary CountSpectrum(AppState& s, CliPrompter& p, const SpectrumOptions& o) {
    const size_t before = p.messages().size();
    DataBatch& b = s.batch();
    const bool stress = s.QuantityName == "Stress ";
    int16_t fitType = 0;
    if (o.fit) {
        fitType = DistributionTypeFromName(*o.fit);
        if (fitType == 0) FailUsage("unknown --fit " + *o.fit + " (beta, weibull or lognorm)");
    }
    std::string mse[3];
    if (o.mse) {
        if (!stress) FailUsage("--mse applies to stress histories only");
        const std::string& t = *o.mse;
        const size_t c1 = t.find(',');
        const size_t c2 = c1 == std::string::npos ? c1 : t.find(',', c1 + 1);
        if (c2 == std::string::npos || t.find(',', c2 + 1) != std::string::npos)
            FailUsage("--mse takes three values: SU,SY,KF");
        mse[0] = t.substr(0, c1);
        mse[1] = t.substr(c1 + 1, c2 - c1 - 1);
        mse[2] = t.substr(c2 + 1);
    }

    CountSummary sum;
    CycleCountOutcome out = CycleCountClick(s, p);
    sum.rearranged = out.rearranged;
    // Rotating may bring the first and last points together as equal neighbours; with the
    // conflicts removed, "C&ycle" is simply pressed again, as in the window.
    if (out.conflict && out.historyShortened) {
        out = CycleCountClick(s, p);
        sum.rearranged = sum.rearranged || out.rearranged;
    }
    if (!out.ran || out.conflict)
        FailInput(p, before, "karmo-cli: the history does not alternate between peaks and valleys");
    if (out.meanStressDialog) {
        MeanStressDialog d = out.dialog;
        d.include = o.mse.has_value();
        if (d.include) {
            d.ultimateText = mse[0];
            d.yieldText = mse[1];
            d.notchText = mse[2];
            if (!ValidateUltimateStrength(s, p, d.ultimateText) || !ValidateYieldStrength(s, p, d.yieldText) ||
                !ValidateNotchFactor(p, d.notchText))
                FailInput(p, before, "");
        }
        out.counting = MeanStressOk(s, p, d);
        if (!out.counting.ran) FailInput(p, before, "");
    }
    if (!out.counting.counted) FailInput(p, before, "karmo-cli: the count was stopped");
    sum.cycles = RoundHalfEven(b.PointCount / 2.0);
    sum.maxRange = b.MaxRange;
    sum.minCountedRange = s.MinCountedRange;

    // The spectrum-parameters dialog after a count: its proposals unless told otherwise.
    SpectrumParamsProposal proposal = ProposeSpectrumParams(s, true);
    if (o.levels) {
        b.LevelCount = checkLevels(s, p, *o.levels);
        proposal = ProposeSpectrumParams(s, true);   // the smallest range for that many levels
    }
    ExactMinText exact{proposal.minText, proposal.minValue};
    if (!o.minRange && !(proposal.minValue < b.MaxRange)) {
        // One level: the proposal is the largest range itself, which the dialog refuses; its
        // lower limit is the smallest range it accepts.
        const float limit = MinRangeLowerLimit(s);
        exact = ExactMinText{FormatMask(limit * s.QuantityFactor, "##0.0##"), limit};
    }
    b.MinRange = checkMinRange(s, p, o.minRange ? *o.minRange : exact.text, exact);
    if (fitType != 0) s.DistributionType = fitType;
    ConfirmDistributionType(s);
    sum.grid = SpectrumLevelGrid(b.LevelCount, b.MaxRange, b.MinRange);
    BuildSpectrumLevels(s, p);
    FillWorkingLevels(s);
    s.SpectrumChanged = true;
    s.AfterCounting = false;
    s.BatchKind = 1;
    s.UiMode = kUiIdle;
    if (b.LevelCount < 1) FailInput(p, before, "karmo-cli: no spectrum level holds a cycle");

    if (fitType != 0) {
        const size_t fitBefore = p.messages().size();
        if (b.LevelCount > 0 && !CalculateDistribution(s, p))
            FailInput(p, fitBefore, "karmo-cli: the distribution could not be fitted");
    }
    return sum;
}

void SynthesizeFromOptions(AppState& s, CliPrompter& p, const SynthOptions& o) {
    const size_t before = p.messages().size();
    DataBatch& b = s.batch();
    const int16_t type = DistributionTypeFromName(o.type);
    if (type == 0) FailUsage("unknown --type " + o.type + " (beta, weibull or lognorm)");
    const float f = s.QuantityFactor;
    s.DistributionType = type;
    s.EditChoice = 2;
    s.BatchKind = 3;

    // The boxes in the order of the dialog: volume (which bounds the levels), levels, span.
    const size_t checks = p.messages().size();
    if (!ValidateSpectrVol(s, p, o.volume).accepted) FailInput(p, checks, "");
    double volume = 0;
    ParseNumericText(o.volume, volume);
    if (!(std::fabs(volume) <= 2147483647.0))
        FailInput(p, before, "karmo-cli: --volume " + o.volume + " is out of range");
    b.Volume = RoundHalfEven(volume);
    b.LevelCount = checkLevels(s, p, o.levels);

    if (!ValidateSpectrMax(s, p, o.max, o.min).accepted) FailInput(p, checks, "");
    ExactMinText typedMin;
    if (!ValidateSpectrMin(s, p, o.min, o.max, typedMin).accepted) FailInput(p, checks, "");
    double maxShown = 0, minShown = 0;
    ParseNumericText(o.max, maxShown);
    ParseNumericText(o.min, minShown);
    b.MaxRange = ToSingle(maxShown / f).value_or(0.0f);   // both checked above
    // The lower limit of the smallest range belongs to a counted spectrum (it keeps the levels
    // above the smallest counted range); a grid for a distribution may reach lower.
    b.MinRange = ToSingle(minShown / f).value_or(0.0f);
    b.RecordTime = 0;

    // The parameter dialog of the source distribution: its OK converts Q from the display
    // form, checks both values and synthesises the levels.
    ConfirmDistributionType(s);
    s.SourceParamsType = type;
    const DistributionParamsTexts opened = OpenDistributionParams(s);
    const DistributionParamsOkResult r = DistributionParamsOk(s, p, opened, DistributionParamsTexts{o.q, o.r});
    if (!r.accepted) FailInput(p, before, "karmo-cli: the distribution parameters were refused");
    if (b.LevelCount < 1) FailInput(p, before, "karmo-cli: the distribution gave no spectrum");
    FillWorkingLevels(s);
}

}  // namespace karmo::cli
