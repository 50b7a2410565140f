#include "distribution/Densities.h"

#include <cmath>

namespace karmo {

double GammaFunction(double x) {
    // The evaluation order matters to the last digits the plots and tests rely on.
    const double z = x + 2.0;
    double g = std::sqrt(2.0 * kPi / kE);
    g = g / kE;
    g = g / kE;
    g = g * z;
    g = g / x;
    g = g * z;
    g = g / (x + 1.0);
    g = g * std::pow(z / kE, x - 0.5);
    g = g * (1.0 + (1.0 / 12.0 + (1.0 / 463.0) / z) / z);
    return g;
}

float BetaFunction(float q, float r) {
    const float sum = q + r;
    return static_cast<float>(GammaFunction(q) * GammaFunction(r) / GammaFunction(sum));
}

double BetaShape(double x, double q, double r) {
    return std::pow(x, q - 1.0) * std::pow(1.0 - x, r - 1.0);
}

double BetaDensity(double x, double q, double r) {
    return BetaShape(x, q, r) /
           static_cast<double>(BetaFunction(static_cast<float>(q), static_cast<float>(r)));
}

double WeibullDensity(double x, double q, double r) {
    const double qr = std::pow(q, r);
    return r * std::pow(x, r - 1.0) / qr * std::exp(-std::pow(x, r) / qr);
}

double LognormDensity(double x, double q, double r) {
    const double d = std::log(x) - q;
    return std::exp(-(d * d) / (2.0 * r * r)) / (x * r * std::sqrt(2.0 * kPi));
}

double Density(int16_t type, double x, double q, double r, bool withBetaFactor) {
    switch (EffectiveType(type)) {
    case kWeibull: return WeibullDensity(x, q, r);
    case kLognorm: return LognormDensity(x, q, r);
    default: return withBetaFactor ? BetaDensity(x, q, r) : BetaShape(x, q, r);
    }
}

double NormalisedSourceQ(int16_t type, double sourceQ, double maxRange) {
    switch (EffectiveType(type)) {
    case kWeibull: return sourceQ / maxRange;
    case kLognorm: return sourceQ - std::log(maxRange);
    default: return sourceQ;
    }
}

bool ValidParameters(int16_t type, double q, double r) {
    if (!std::isfinite(q) || !std::isfinite(r) || !(r > 0)) return false;
    if (EffectiveType(type) != kLognorm && !(q > 0)) return false;
    return true;
}

const char* DistributionTypeName(int16_t type) {
    switch (EffectiveType(type)) {
    case kWeibull: return "Weibull";
    case kLognorm: return "Log-norm";
    default: return "Beta";
    }
}

}  // namespace karmo
