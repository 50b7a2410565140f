#include "editing/Rescale.h"

#include <algorithm>

#include "core/Single.h"
#include "history/Extremes.h"
#include "history/HistoryChecks.h"

namespace karmo {

namespace {

EntryCheck numberEntry(const AppState& s, Prompter& p, std::string_view text, const char* name) {
    EntryCheck r;
    double v = 0;
    if (!ParseNumericText(text, v)) {
        p.ask(Prompt{RescaleTitle(s), std::string("The Rescale ") + name + " must be numeric", Icon::Critical,
                     Buttons::Ok, 0});
        return r;
    }
    r.accepted = true;
    return r;
}

void outOfRange(const AppState& s, Prompter& p, const std::string& what) {
    p.ask(Prompt{RescaleTitle(s), what + " is out of range", Icon::Critical, Buttons::Ok, 0});
}

}  // namespace

std::string RescaleTitle(const AppState& s) { return "Rescale " + s.QuantityName + "History"; }

RescaleView OpenRescale(AppState& s) {
    s.UiMode = 0;
    return RescaleView{RescaleTitle(s), "1", "0"};
}

EntryCheck RescaleFactorEntry(const AppState& s, Prompter& p, std::string_view text) {
    return numberEntry(s, p, text, "factor");
}

EntryCheck RescaleOffsetEntry(const AppState& s, Prompter& p, std::string_view text) {
    return numberEntry(s, p, text, "Offset");
}

RescaleResult ApplyRescale(AppState& s, Prompter& p, float factor, float offset) {
    RescaleResult r;
    DataBatch& b = s.batch();
    if (factor == 1.0f && offset == 0.0f) {
        r.accepted = true;
        return r;
    }
    const int32_t n = std::clamp<int32_t>(b.PointCount, 0, static_cast<int32_t>(s.Values.size()) - 1);
    float* v = s.Values.data();
    // Single-precision products and sums are monotonic, so the images of the values'
    // extremes bound every value: when they fit, all do.
    float mx = b.MaxValue, mn = b.MinValue;
    MergeExtremes(v + 1, static_cast<size_t>(n), mx, mn);
    if (!IsFiniteSingle(factor * mx + offset) || !IsFiniteSingle(factor * mn + offset)) {
        outOfRange(s, p, "The rescaled " + s.QuantityName + "History");
        return r;
    }
    ScaleHistoryValues(s, factor, offset);
    s.HistoryModified = true;
    r.accepted = r.changed = true;
    r.display = AskRefresh(s, p, b.PointCount, "The History has been changed.");
    return r;
}

RescaleResult RescaleOk(AppState& s, Prompter& p, std::string_view factorText, std::string_view offsetText) {
    RescaleResult r;
    if (!RescaleFactorEntry(s, p, factorText).accepted || !RescaleOffsetEntry(s, p, offsetText).accepted) return r;
    double f = 0, o = 0;
    ParseNumericText(factorText, f);
    ParseNumericText(offsetText, o);
    const auto factor = ToSingle(f);
    if (!factor) {
        outOfRange(s, p, "The Rescale factor");
        return r;
    }
    const auto offset = ToSingle(o / s.QuantityFactor);
    if (!offset) {
        outOfRange(s, p, "The Rescale Offset");
        return r;
    }
    s.SpectrumRebuilt = false;
    r = ApplyRescale(s, p, *factor, *offset);
    if (r.accepted) s.UiMode = kUiIdle;
    return r;
}

}  // namespace karmo
