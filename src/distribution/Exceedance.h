#pragma once
#include <cstdint>

namespace karmo {

// Probability that a range exceeds the largest range of the spectrum, P(x > 1), for Q and
// R in normalised form: Beta 0; Weibull exp(-1 / Q^R); Log-norm 1 minus the trapezoid sum
// of the density from x = 0.0001 to 1 in steps of 0.0001. NaN when the parameters
// describe no density (see ValidParameters).
double ExceedanceProbability(int16_t type, double q, double r);

// The trapezoid sum of the Log-norm density used above: x runs in single precision from
// 0.0001 while x <= 1, the first trapezoid starting from a density of 0 at its left end.
double LognormAreaBelowOne(double q, double r);

}  // namespace karmo
