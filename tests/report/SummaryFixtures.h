#pragma once
#include <initializer_list>
#include <string>

#include "core/AppState.h"
#include "core/Units.h"

namespace karmo::test {

// The batches the summary report is checked with, one per kind and unit system. Every
// value is set by hand so that each printed number can be worked out from the fixture.
inline constexpr const char* kReportDate = "12-06-2026";

struct ReportBatch {
    AppState s;
    DataBatch& b() { return s.batch(1); }
    explicit ReportBatch(int16_t kind, UnitSystem units, const char* quantity = "Stress ") {
        s.CurrentBatch = 1;
        s.BatchCount = 1;
        s.BatchKind = kind;
        b().Quantity = quantity;
        SelectUnitSystem(s, units);
        ApplyQuantity(s, 1);
    }
    // Levels from the largest range down.
    void levels(float maxRange, float minRange, std::initializer_list<float> ranges,
                std::initializer_list<int32_t> cycles) {
        b().MaxRange = maxRange;
        b().MinRange = minRange;
        b().LevelCount = static_cast<int16_t>(ranges.size());
        size_t i = 1;
        for (float r : ranges) b().LevelRange[i++] = r;
        i = 1;
        int32_t sum = 0;
        for (int32_t c : cycles) {
            b().LevelCycles[i++] = c;
            sum += c;
        }
        b().Volume = sum;
    }
    void distribution(int16_t type, const char* label) {
        s.DistributionType = type;
        s.DistributionLabel = label;
    }
};

// Kind 1, SI, stress: mean-stress effect included, Weibull fit.
inline ReportBatch HistorySi() {
    ReportBatch r(1, UnitSystem::SI);
    r.b().Name = "Axle 3 - proving ground";
    r.b().Title = "Axle gauge 3, rough road";
    r.b().PointCount = 1250;
    r.b().MaxValue = 245.37f;
    r.b().MinValue = -118.4f;
    r.b().RecordTime = 12.5f;
    r.levels(340, 40, {340, 280, 220, 160, 100, 40}, {1, 3, 8, 20, 57, 142});
    r.s.OmittedCycles = 625 - 231;
    r.b().UltimateStrength = 520;
    r.b().YieldStrength = 355;
    r.b().NotchFactor = 1.8f;
    r.distribution(2, "(Weibull)");
    r.b().FitQ = 0.2871f;
    r.b().FitR = 1.3456f;
    return r;
}

// Kind 1, US, stress: 31 levels, Log-norm fit, no mean-stress effect.
inline ReportBatch HistoryUs31() {
    ReportBatch r(1, UnitSystem::US);
    r.b().Name = "Bracket B7, 31 levels";
    r.b().Title = "Bracket B7";
    r.b().PointCount = 4000;
    r.b().MaxValue = 310;
    r.b().MinValue = -95.25f;
    r.b().RecordTime = 60;
    r.b().MaxRange = 400;
    r.b().MinRange = 100;
    r.b().LevelCount = 31;
    int32_t sum = 0;
    for (size_t i = 1; i <= 31; ++i) {
        r.b().LevelRange[i] = 400.0f - static_cast<float>(i - 1) * 10.0f;
        r.b().LevelCycles[i] = static_cast<int32_t>(2 * i);
        sum += r.b().LevelCycles[i];
    }
    r.b().Volume = sum;
    r.s.OmittedCycles = 2000 - sum;
    r.distribution(3, "(Log-norm)");
    r.b().FitQ = -1.2345f;
    r.b().FitR = 0.4321f;
    return r;
}

// Kind 1, US, strain: the mean-stress lines use the stress unit; Beta fit.
inline ReportBatch HistoryUsStrain() {
    ReportBatch r(1, UnitSystem::US, "Strain ");
    r.b().Name = "Weld toe W2";
    r.b().Title = "Gauge W2";
    r.b().PointCount = 802;
    r.b().MaxValue = 1520.5f;
    r.b().MinValue = -640.25f;
    r.b().RecordTime = 3.75f;
    r.levels(2000, 500, {2000, 1500, 1000, 500}, {2, 9, 40, 300});
    r.s.OmittedCycles = 401 - 351;
    r.b().UltimateStrength = 520;
    r.b().YieldStrength = 355;
    r.b().NotchFactor = 2.125f;
    r.distribution(1, "(Beta)");
    r.b().FitQ = 0.8765f;
    r.b().FitR = 3.2109f;
    return r;
}

// Kind 2, SI: a spectrum typed in.
inline ReportBatch KeyboardSi() {
    ReportBatch r(2, UnitSystem::SI);
    r.b().Name = "Typed spectrum A";
    r.b().RecordTime = 10;
    r.levels(250, 50, {250, 200, 150, 100, 50}, {10, 100, 1000, 10000, 100000});
    return r;
}

// Kind 2, US.
inline ReportBatch KeyboardUs() {
    ReportBatch r(2, UnitSystem::US);
    r.b().Name = "Typed spectrum B";
    r.b().RecordTime = 1.5f;
    r.levels(180, 60, {180, 120, 60}, {5, 50, 500});
    return r;
}

// Kind 3, SI: from a Beta source, not fitted.
inline ReportBatch GeneratedSi() {
    ReportBatch r(3, UnitSystem::SI);
    r.b().Name = "Generated Beta";
    r.b().RecordTime = 0;
    r.levels(100, 30, {100, 90, 80, 70, 60, 50, 40, 30}, {3, 12, 41, 95, 160, 210, 230, 249});
    r.distribution(1, "(Beta)");
    r.b().SourceType = 0;
    r.b().SourceQ = 1.5f;
    r.b().SourceR = 2.5f;
    return r;
}

// Kind 3, US: from a Log-norm source, fitted.
inline ReportBatch GeneratedUs() {
    ReportBatch r(3, UnitSystem::US);
    r.b().Name = "Generated log-normal";
    r.b().RecordTime = 30;
    r.levels(300, 50, {300, 250, 200, 150, 100, 50}, {1, 6, 30, 120, 350, 493});
    r.distribution(3, "(Log-norm)");
    r.b().SourceType = -2;
    r.b().SourceQ = 5.2f;
    r.b().SourceR = 0.6f;
    r.b().FitQ = -0.55f;
    r.b().FitR = 0.58f;
    return r;
}

// Kind 4, SI: a stored Weibull distribution.
inline ReportBatch StoredSi() {
    ReportBatch r(4, UnitSystem::SI);
    r.b().Name = "Stored Weibull";
    r.b().RecordTime = 45.25f;
    r.levels(200, 40, {200, 160, 120, 80, 40}, {2, 25, 180, 900, 2893});
    r.distribution(2, "(Weibull)");
    r.b().SourceType = -1;
    r.b().SourceQ = 70;
    r.b().SourceR = 1.8f;
    r.b().FitQ = 0.35f;
    r.b().FitR = 1.8f;
    return r;
}

// Kind 4, US: a stored Weibull distribution, its name with a micro sign.
inline ReportBatch StoredUs() {
    ReportBatch r(4, UnitSystem::US);
    r.b().Name = "Stored \xC2\xB5 Weibull";
    r.b().RecordTime = 2;
    r.levels(250, 70, {250, 190, 130, 70}, {4, 40, 200, 756});
    r.distribution(2, "(Weibull)");
    r.b().SourceType = -1;
    r.b().FitQ = 0.41f;
    r.b().FitR = 1.35f;
    return r;
}

}  // namespace karmo::test
