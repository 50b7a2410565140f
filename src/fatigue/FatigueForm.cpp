#include "fatigue/FatigueForm.h"

#include <algorithm>
#include <cmath>

#include "core/NumberForms.h"
#include "history/HistoryChecks.h"

namespace karmo {

namespace {

constexpr const char* kRangeMask = "#####0.0##";

// The value a box stands for, in internal units.
double boxValue(const FatigueForm& f, FatigueBox b) {
    switch (b) {
    case FatigueBox::Category: return f.category;
    case FatigueBox::K: return f.curve.k;
    case FatigueBox::SD: return f.curve.SD;
    case FatigueBox::ND: return f.curve.ND;
    case FatigueBox::K2: return f.curve.k2;
    case FatigueBox::SL: return f.curve.SL.value_or(0);
    case FatigueBox::NRef: return f.nRef;
    }
    return 0;
}

void setBoxValue(FatigueForm& f, FatigueBox b, double v) {
    switch (b) {
    case FatigueBox::Category:
        f.category = v;
        f.curve = DetailCategoryCurve(v);
        break;
    case FatigueBox::K: f.curve.k = v; break;
    case FatigueBox::SD: f.curve.SD = v; break;
    case FatigueBox::ND: f.curve.ND = v; break;
    case FatigueBox::K2: f.curve.k2 = v; break;
    case FatigueBox::SL: f.curve.SL = v; break;
    case FatigueBox::NRef: f.nRef = v; break;
    }
}

}  // namespace

bool IsRangeBox(FatigueBox b) {
    return b == FatigueBox::Category || b == FatigueBox::SD || b == FatigueBox::SL;
}

SnCurve FormCurve(const FatigueForm& f) { return f.detailCategory ? DetailCategoryCurve(f.category) : f.curve; }

std::string FatigueBoxText(const FatigueForm& f, FatigueBox b, double factor) {
    if (b == FatigueBox::SL && !f.curve.SL) return "";
    const double v = boxValue(f, b);
    return IsRangeBox(b) ? FormatMask(v * factor, kRangeMask) : ShortNumber(v);
}

bool TakeFatigueBox(Prompter& p, FatigueForm& f, FatigueBox b, const std::string& text, double factor) {
    if (text == FatigueBoxText(f, b, factor)) return true;
    if (b == FatigueBox::SL && text.find_first_not_of(' ') == std::string::npos) {
        f.curve.SL.reset();
        return true;
    }
    double v = 0;
    if (!ParseNumericText(text, v) || !(v > 0) || !std::isfinite(v)) {
        p.tell(kDamageTitle, b == FatigueBox::NRef ? kNRefText : kSnParamsText, Icon::Critical);
        return false;
    }
    setBoxValue(f, b, IsRangeBox(b) ? v / factor : v);
    return true;
}

std::string DamageFigure(double v) { return v == 0 ? "0" : FormatMask(v, "0.0####e+##"); }

std::string LifeFigure(double v) {
    if (!std::isfinite(v)) return "infinite";
    if (v != 0 && (std::fabs(v) >= 1e7 || std::fabs(v) < 1e-3)) return FormatMask(v, "0.0####e+##");
    return FormatMask(v, "#######0.0##");
}

FatigueView ComputeFatigueView(const AppState& s, const FatigueForm& f) {
    FatigueView v;
    v.result = ComputeDamage(s.batch(), FormCurve(f), f.nRef);
    const DamageResult& r = v.result;
    if (!r.refusal.empty()) {
        v.damage = r.refusal;
        return v;
    }
    v.damage = "Damage per repetition: " + DamageFigure(r.perRepetition);
    v.repetitions = "Repetitions to failure: " + LifeFigure(r.repetitions);
    v.hours = r.hours ? "Life [h]: " + LifeFigure(*r.hours) : kNoRecordTimeText;
    v.equivalent = "Equivalent range " + s.QuantityUnitBracket + " at " + ShortNumber(r.nRef) +
                   " cycles: " + FormatMask(r.equivalentRange * s.QuantityFactor, kRangeMask);
    return v;
}

void DrawDamageShares(Canvas& c, const DamageResult& r, Color bars, Color background) {
    const auto levels = static_cast<double>(r.levels.size());
    double top = 0;
    for (const LevelDamage& l : r.levels) top = std::max(top, 100 * l.share);
    if (top <= 0) top = 100;
    top *= 1.15;   // room for the caption above the tallest bar
    // Below the axis: room for the level numbers.
    c.setScale(0, top, levels + 1, -0.12 * top);
    c.clear(background);
    c.setDrawMode(DrawMode::Copy);
    c.setDashStyle(DashStyle::Solid);
    c.setPenWidth(1);
    c.setFont(Font{});
    c.setColor(kBlack);
    c.text(0.1, top, "Damage share per level [%]");
    c.line(0.5, 0, levels + 0.5, 0);
    const int every = std::max(1, static_cast<int>(std::ceil(levels / 20)));
    for (size_t i = 0; i < r.levels.size(); ++i) {
        const double x = static_cast<double>(i + 1);
        const double h = 100 * r.levels[i].share;
        if (h > 0) {
            c.setColor(bars);
            c.box(x - 0.35, 0, x + 0.35, h, true);
            c.setColor(kBlack);
            c.box(x - 0.35, 0, x + 0.35, h, false);
        }
        if ((i + 1) % static_cast<size_t>(every) == 0 || i == 0) {
            const std::string n = std::to_string(i + 1);
            c.text(x - c.textWidth(n) / 2, -0.02 * top, n);
        }
    }
}

}  // namespace karmo
