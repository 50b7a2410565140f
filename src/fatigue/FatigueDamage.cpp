#include "fatigue/FatigueDamage.h"

#include <cmath>
#include <limits>

namespace karmo {

namespace {

constexpr double kInfinite = std::numeric_limits<double>::infinity();

bool positive(double v) { return std::isfinite(v) && v > 0; }

}  // namespace

SnCurve SingleSlopeCurve(double k, double SD, double ND) { return SnCurve{k, SD, ND, k, std::nullopt}; }

SnCurve KneeCurve(double k, double SD, double ND, double k2, std::optional<double> SL) {
    return SnCurve{k, SD, ND, k2, SL};
}

SnCurve DetailCategoryCurve(double C) {
    const double knee = std::cbrt(2.0 / 5.0) * C;
    const double cutOff = std::pow(5.0 / 100.0, 1.0 / 5.0) * knee;
    return SnCurve{3, knee, 5.0e6, 5, cutOff};
}

double CyclesToFailure(const SnCurve& c, double S) {
    if (!(S > 0)) return kInfinite;
    if (c.SL && S < *c.SL) return kInfinite;
    return c.ND * std::pow(c.SD / S, S >= c.SD ? c.k : c.k2);
}

std::string SnCurveRefusal(const SnCurve& c) {
    if (!positive(c.k) || !positive(c.SD) || !positive(c.ND) || !positive(c.k2) || (c.SL && !positive(*c.SL)))
        return kSnParamsText;
    return "";
}

DamageResult ComputeDamage(const BatchRecord& b, const SnCurve& c, double nRef) {
    DamageResult r;
    r.nRef = nRef;
    if (b.LevelCount < 1) {
        r.refusal = kNoLevelsText;
        return r;
    }
    r.refusal = SnCurveRefusal(c);
    if (r.refusal.empty() && !positive(nRef)) r.refusal = kNRefText;
    if (!r.refusal.empty()) return r;

    const int32_t count = b.LevelCount < kMaxLevels ? b.LevelCount : kMaxLevels;
    for (int32_t i = 1; i <= count; ++i) {
        const auto k = static_cast<size_t>(i);
        LevelDamage l;
        l.range = b.LevelRange[k];
        l.cycles = b.LevelCycles[k];
        // A level without cycles adds nothing, whatever its range.
        if (l.cycles > 0) l.damage = l.cycles / CyclesToFailure(c, l.range);
        r.perRepetition += l.damage;
        r.levels.push_back(l);
    }
    if (r.perRepetition > 0)
        for (LevelDamage& l : r.levels) l.share = l.damage / r.perRepetition;
    r.repetitions = r.perRepetition > 0 ? 1.0 / r.perRepetition : kInfinite;
    if (b.RecordTime > 0) r.hours = r.repetitions * static_cast<double>(b.RecordTime) / 60.0;
    r.equivalentRange = c.SD * std::pow(r.perRepetition * c.ND / nRef, 1.0 / c.k);
    return r;
}

}  // namespace karmo
