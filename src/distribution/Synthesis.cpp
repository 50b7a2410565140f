#include "distribution/Synthesis.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

#include "core/NumberForms.h"
#include "distribution/Densities.h"
#include "distribution/DistributionFit.h"

namespace karmo {

std::string EditingSpectrumTitle(const AppState& s) {
    return "Editing " + s.QuantityName + "Spectrum";
}

namespace {

bool refuse(const AppState& s, Prompter& p, const std::string& text) {
    p.tell(EditingSpectrumTitle(s), text, Icon::Critical);
    return false;
}

bool fitsLong(double v) {
    // RoundHalfEven's own range test, made before the call so that no exception is
    // needed: values within half a unit of the limits still round inside them.
    return std::isfinite(v) && v < 2147483647.5 && v >= -2147483648.5;
}

constexpr const char* kOverflow =
    "A level would receive more cycles than can be stored; check the distribution parameters.";

}  // namespace

bool SynthesizeSpectrum(AppState& s, Prompter& p) {
    DataBatch& b = s.batch();
    const int n0 = b.LevelCount;
    if (n0 < 2) return refuse(s, p, "At least 2 spectrum levels are needed.");
    if (n0 > kMaxLevels) return refuse(s, p, "A spectrum has at most 100 levels.");
    const float M = b.MaxRange;
    const float m = b.MinRange;
    if (!(M > 0) || !(m > 0))
        return refuse(s, p, "The maximum and minimum ranges of the spectrum must be greater than 0.");
    if (!(m < M)) return refuse(s, p, "The minimum range must be smaller than the maximum range.");
    const int32_t N = b.Volume;
    if (N < 1) return refuse(s, p, "The spectrum volume must be at least 1 cycle.");

    const int16_t type = EffectiveType(s.DistributionType);
    const float Q = b.SourceQ;
    const float R = b.SourceR;
    if (!std::isfinite(Q) || !std::isfinite(R))
        return refuse(s, p, "The distribution parameters are not valid numbers.");
    if (type != kLognorm && !(Q > 0)) return refuse(s, p, "The value of Q must be greater than 0");
    if (!(R > 0)) return refuse(s, p, "The value of R must be greater than 0");
    const double q = NormalisedSourceQ(type, Q, M);
    const double r = R;

    const float dS = LevelWidth(M, m, n0);
    std::array<float, kMaxLevels + 1> range{};
    std::array<int32_t, kMaxLevels + 1> cycles{};
    std::array<double, kMaxLevels + 1> x{};
    for (int i = 1; i <= n0; ++i) {
        range[i] = static_cast<float>(static_cast<double>(M) - static_cast<double>(dS) * (i - 1));
        x[i] = (static_cast<double>(range[i]) - static_cast<double>(dS) / 2) / M;
    }
    // The Beta and Log-norm densities take fractional powers and logarithms of x.
    if (type != kWeibull && !(x[n0] > 0))
        return refuse(s, p, "The lowest spectrum level reaches down to a range of 0; "
                            "the minimum range must be greater than half the level width.");

    float sumf = 0;
    for (int i = 1; i <= n0; ++i) {
        const double f = Density(type, x[i], q, r);
        if (!std::isfinite(f) || f < 0)
            return refuse(s, p, "The density of the distribution cannot be evaluated on this level grid.");
        const double counts = static_cast<double>(N) * f;
        if (!fitsLong(counts)) return refuse(s, p, kOverflow);
        cycles[i] = RoundHalfEven(counts);
        sumf = static_cast<float>(static_cast<double>(sumf) + f);
        if (sumf == 0) sumf = 1e-20f;
    }

    const bool betaLike = type == kBeta &&
                          static_cast<double>(std::fabs(Q / R - 1.0f)) < 0.15 &&
                          static_cast<double>(N) / n0 < 1.1 && !(Q >= 2.1 && R >= 2.1);
    int64_t run = 0;  // final counts of the levels above level i
    for (int i = 1; i <= n0; ++i) {
        if (i > 1) run += cycles[i - 1];
        const double c = cycles[i] / static_cast<double>(sumf);
        const double k = (betaLike && c > 1.4) ? 1.1 : 1.0;
        const double kc = k * c;
        if (!fitsLong(kc)) return refuse(s, p, kOverflow);
        cycles[i] = RoundHalfEven(kc);
        if (run + cycles[i] > N) cycles[i] = static_cast<int32_t>(N - run);
        if (cycles[i] == 0 && i == 1) cycles[1] = 1;
    }
    // run now holds levels 1..n0-1; the last level takes the rest, so the sum is N.
    cycles[n0] = static_cast<int32_t>(N - run);

    int n = n0;
    float minRange = m;
    for (int i = n0; i >= 1; --i) {
        if (cycles[i] == 0 && i == n) {
            n = n - 1;
            minRange = range[i - 1];
        } else if (cycles[i] == 0 && i == n - 1) {
            cycles[i] = cycles[i + 1];
            n = n - 1;
            minRange = range[i];
        }
    }

    for (int i = 1; i <= n0; ++i) {
        b.LevelRange[i] = range[i];
        b.LevelCycles[i] = cycles[i];
    }
    b.LevelCount = static_cast<int16_t>(n);
    b.MinRange = minRange;
    if (n < n0) {
        if (n >= 2) {
            p.tell(EditingSpectrumTitle(s),
                   std::to_string(n0 - n) + " last spectrum levels with 0 cycles have been removed.",
                   Icon::Information);
        } else {
            p.tell(EditingSpectrumTitle(s), "There is insufficient number of effective spectrum levels.",
                   Icon::Critical);
            b.LevelCount = 0;
        }
    }
    return true;
}

}  // namespace karmo
