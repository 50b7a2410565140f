#include "distribution/DistributionFit.h"

#include <cmath>
#include <string>

#include "core/NumberForms.h"
#include "distribution/Densities.h"

namespace karmo {

float LevelWidth(float maxRange, float minRange, int n) {
    return static_cast<float>((static_cast<double>(maxRange) - minRange) / (n - 1));
}

std::string FitTitle(const AppState& s) { return "Fitting " + s.QuantityName + "Distribution"; }

namespace {

bool refuse(const AppState& s, Prompter& p, const std::string& text) {
    p.tell(FitTitle(s), text, Icon::Critical);
    return false;
}

}  // namespace

bool FitDistribution(AppState& s, Prompter& p) {
    DataBatch& b = s.batch();
    const int n = b.LevelCount;
    if (n == 0) return false;
    if (n < 2) return refuse(s, p, "At least 2 spectrum levels are needed to fit a distribution.");
    if (n > kMaxLevels) return refuse(s, p, "A spectrum has at most 100 levels.");
    const float M = b.MaxRange;
    if (!(M > 0) || !(b.MinRange > 0))
        return refuse(s, p, "The maximum and minimum ranges of the spectrum must be greater than 0.");
    if (b.Volume <= 0) return refuse(s, p, "The spectrum volume must be greater than 0.");
    const int16_t type = EffectiveType(s.DistributionType);

    const float dS = LevelWidth(M, b.MinRange, n);
    const double N = b.Volume;
    double m1 = 0;
    float m2 = 0;
    double F = 0, SX = 0, SXX = 0, SY = 0, SXY = 0;
    int32_t above = 0;  // LevelCycles of the level above; level 1 has none
    int occupied = 0;   // levels holding cycles
    for (int i = 1; i <= n; ++i) {
        const double x = (static_cast<double>(b.LevelRange[i]) - static_cast<double>(dS) / 2) / M;
        const float y = b.LevelRange[i] / M;
        const double pi = b.LevelCycles[i] / N;
        F = F + above / N;
        if (F >= 1) F = 1 - 1e-12;
        if (F <= 0) F = 1e-12;
        m1 = m1 + pi * x;
        m2 = static_cast<float>(m2 + pi * (x * x));
        const double lnF = std::log(-std::log(F));
        if (y > 0) {
            const double ly = std::log(static_cast<double>(y));
            SX = SX + ly;
            SXX = SXX + ly * ly;
            SXY = SXY + ly * lnF;
        } else if (type == kWeibull) {
            return refuse(s, p, "The range of level " + std::to_string(i) +
                                    " must be greater than 0 to fit a Weibull distribution.");
        }
        SY = SY + lnF;
        above = b.LevelCycles[i];
        if (b.LevelCycles[i] != 0) ++occupied;
    }
    const float v = static_cast<float>(m2 - m1 * m1);
    const double Sxx = SXX - SX * SX / n;
    const double Sxy = SXY - SX * SY / n;

    double Q = 0, R = 0;
    if (type == kWeibull) {
        if (!(Sxx != 0) || !std::isfinite(Sxx))
            return refuse(s, p,
                          "All spectrum levels have the same range: the Weibull line cannot be fitted.");
        R = Sxy / Sxx;
        const double a = SY / n - R * SX / n;
        Q = std::exp(-a / R);
    } else {
        // One occupied level has no spread, whatever the rounding of v leaves.
        if (!(v > 0) || occupied < 2)
            return refuse(s, p, "The cycles of the spectrum have no spread (zero variance): "
                                "a distribution cannot be fitted.");
        if (type == kLognorm) {
            const double s2 = std::log(1 + v / (m1 * m1));
            R = std::sqrt(s2);
            Q = std::log(m1) - s2 / 2;
        } else {
            Q = m1 * (m1 - m1 * m1 - v) / v;
            R = Q * (1 - m1) / m1;
        }
    }
    const float fq = static_cast<float>(Q);
    const float fr = static_cast<float>(R);
    if (!ValidParameters(type, fq, fr))
        return refuse(s, p, "The spectrum gives no valid distribution parameters; the fit is not stored.");
    b.LevelCycles[0] = 0;
    b.FitQ = fq;
    b.FitR = fr;
    return true;
}

bool CalculateDistribution(AppState& s, Prompter& p) {
    BusyScope busy(p);
    if (!FitDistribution(s, p)) return false;
    s.ShowFitted = true;
    return true;
}

double DisplayedFitQ(int16_t type, float fitQ, float f, float maxRange) {
    switch (EffectiveType(type)) {
    case kWeibull: {
        const float fm = f * maxRange;
        return fm * fitQ;
    }
    case kLognorm: {
        const float fm = f * maxRange;
        return static_cast<double>(fitQ) + std::log(static_cast<double>(fm));
    }
    default: return fitQ;
    }
}

double DisplayedSourceQ(int16_t type, float sourceQ, float f) {
    switch (EffectiveType(type)) {
    case kWeibull: return static_cast<float>(f * sourceQ);
    case kLognorm: return static_cast<double>(sourceQ) + std::log(static_cast<double>(f));
    default: return sourceQ;
    }
}

std::string DistributionLabelFor(int16_t type) {
    return std::string("(") + DistributionTypeName(type) + ")";
}

std::string DistributionParamsCaption(int16_t type) {
    return std::string("Edit ") + DistributionTypeName(type) + " Parameters";
}

int16_t SourceDistributionType(const BatchRecord& b) {
    const double t = 1.0 - static_cast<double>(b.SourceType);
    // Only 0, -1 and -2 are ever stored; anything else read from a file counts as Beta.
    if (!(t >= 1 && t <= 3)) return kBeta;
    return RoundHalfEven16(t);
}

std::string ConfirmDistributionType(AppState& s) {
    s.DistributionLabel = DistributionLabelFor(s.DistributionType);
    s.batch().SourceType = static_cast<float>(1 - s.DistributionType);
    return DistributionParamsCaption(s.DistributionType);
}

void SeedSourceParameters(AppState& s, Prompter& p) {
    DataBatch& b = s.batch();
    // A stored distribution edit of a batch that has only a fit starts from that fit.
    const bool fromFit = s.EditingStoredDistribution && b.SourceQ == 0 && b.LevelCount > 1;
    if ((b.SourceQ > 0 && s.SourceParamsType != s.DistributionType) || fromFit) {
        // The fit is of the spectrum as it stood when the edit began: the new span and
        // level count just stored do not belong to its levels yet.
        const BatchRecord now = b;
        if (s.SpectrumBackup.LevelCount > 1) CopySpectrumFields(s.SpectrumBackup, b);
        const bool fitted = FitDistribution(s, p);
        const float fitQ = b.FitQ, fitR = b.FitR, M = b.MaxRange;
        static_cast<BatchRecord&>(b) = now;
        if (fitted) {
            float q = fitQ;
            switch (EffectiveType(s.DistributionType)) {
            case kWeibull: q = fitQ * M; break;
            case kLognorm:
                q = static_cast<float>(static_cast<double>(fitQ) + std::log(static_cast<double>(M)));
                break;
            default: break;
            }
            // Never propose a value beyond the range of a Single.
            if (std::isfinite(q)) {
                b.SourceQ = q;
                b.SourceR = fitR;
            }
        }
    }
    s.SourceParamsType = s.DistributionType;
}

void ClearFit(AppState& s) {
    s.batch().FitQ = 0;
    s.batch().FitR = 0;
}

}  // namespace karmo
