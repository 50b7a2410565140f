#pragma once
#include <cstdint>

namespace karmo {

// The three distribution types, numbered as DistributionType holds them. Any other
// number is treated as Beta, the way the fit treats it.
enum DistributionKind : int16_t { kBeta = 1, kWeibull = 2, kLognorm = 3 };

// The program's own constants for pi and e: the gamma approximation (and through it every
// Beta density) is defined with these, not with the full-precision values.
constexpr double kPi = 3.14159265;
constexpr double kE = 2.7182818285;

// Stirling's form applied at x + 2 and shifted back; x > 0. Gives 0.999955 for 1 and
// 23.99955 for 5, not the exact values.
double GammaFunction(double x);

// B(Q, R) = G(Q) G(R) / G(Q + R), kept in single precision.
float BetaFunction(float q, float r);

// Densities of the normalised range x (Q, R in normalised form).
double BetaShape(double x, double q, double r);   // x^(Q-1) (1-x)^(R-1), without 1/B
double BetaDensity(double x, double q, double r);
double WeibullDensity(double x, double q, double r);
double LognormDensity(double x, double q, double r);

// The density of the given type; for Beta without the factor 1 / B(Q, R) when
// withBetaFactor is false (the curve scales by its own maximum).
double Density(int16_t type, double x, double q, double r, bool withBetaFactor = true);

// The type number as used by the density routines: 2 and 3 as they are, anything else 1.
inline int16_t EffectiveType(int16_t type) {
    return (type == kWeibull || type == kLognorm) ? type : static_cast<int16_t>(kBeta);
}

// Source parameters in the internal unit turned into the normalised form the densities
// use (Weibull scale / M, Log-norm mean - ln M; Beta unchanged), M = MaxRange.
double NormalisedSourceQ(int16_t type, double sourceQ, double maxRange);

// Whether Q and R (normalised) describe a density that can be evaluated: finite, R > 0,
// and Q > 0 for Beta and Weibull.
bool ValidParameters(int16_t type, double q, double r);

// "Beta", "Weibull", "Log-norm".
const char* DistributionTypeName(int16_t type);

}  // namespace karmo
