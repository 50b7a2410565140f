#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/AppState.h"

namespace karmo {

// An S-N curve in ranges (internal units, MPa or microstrain): N(S) = ND * (SD / S)^k for
// S >= SD and ND * (SD / S)^k2 below the knee SD; no damage below the cut-off SL, when
// there is one. k2 = k is the single slope (and "elementary" Miner), k2 = 2k - 1 Haibach's.
struct SnCurve {
    double k = 3;
    double SD = 0;
    double ND = 0;
    double k2 = 3;
    std::optional<double> SL;
};

SnCurve SingleSlopeCurve(double k, double SD, double ND);
SnCurve KneeCurve(double k, double SD, double ND, double k2, std::optional<double> SL = std::nullopt);
// The steel design form of a detail category C (the range at 2e6 cycles, slope 3): knee
// at 5e6 cycles with (2/5)^(1/3) C, slope 5 below it, cut-off at 1e8 cycles.
SnCurve DetailCategoryCurve(double C);

// Cycles to failure at range S; infinite where the curve gives no damage (S at or below
// 0, or below the cut-off).
double CyclesToFailure(const SnCurve& c, double S);

// The program's words about a damage calculation (title "Fatigue Damage").
inline constexpr const char* kDamageTitle = "Fatigue Damage";
inline constexpr const char* kNoLevelsText = "The spectrum has no levels.";
inline constexpr const char* kSnParamsText = "The S-N curve parameters must be greater than 0.";
inline constexpr const char* kNRefText = "The reference number of cycles must be greater than 0.";
inline constexpr const char* kNoRecordTimeText = "The record time is 0: the life in hours is not known.";

// Empty when the curve can be used, else why not.
std::string SnCurveRefusal(const SnCurve& c);

struct LevelDamage {
    float range = 0;
    int32_t cycles = 0;
    double damage = 0;      // this level's part of the damage of one repetition
    double share = 0;       // damage / perRepetition (0 when there is no damage at all)
};

// Palmgren-Miner over one repetition of a spectrum.
struct DamageResult {
    std::string refusal;                // empty when the result holds
    double perRepetition = 0;           // D = sum of cycles / N(S)
    double repetitions = 0;             // 1 / D; infinite without damage
    std::optional<double> hours;        // repetitions * RecordTime / 60; none without a record time
    double equivalentRange = 0;         // constant range of equal damage at nRef cycles (first slope)
    double nRef = 0;
    std::vector<LevelDamage> levels;    // level 1 first
};

// The damage of the levels 1..LevelCount of `b`; hours from its RecordTime (minutes).
DamageResult ComputeDamage(const BatchRecord& b, const SnCurve& c, double nRef = 2.0e6);

}  // namespace karmo
