#include "distribution/Exceedance.h"

#include <cmath>
#include <limits>

#include "distribution/Densities.h"

namespace karmo {

double LognormAreaBelowOne(double q, double r) {
    const float step = 0.0001f;
    double area = 0;
    double previous = 0;
    for (float x = step; x <= 1.0f; x = x + step) {
        const double f = LognormDensity(static_cast<double>(x), q, r);
        area = area + (f + previous) * 0.0001 / 2;
        previous = f;
    }
    return area;
}

double ExceedanceProbability(int16_t type, double q, double r) {
    if (!ValidParameters(type, q, r)) return std::numeric_limits<double>::quiet_NaN();
    switch (EffectiveType(type)) {
    case kWeibull: return std::exp(-1.0 / std::pow(q, r));
    case kLognorm: return 1.0 - LognormAreaBelowOne(q, r);
    default: return 0.0;
    }
}

}  // namespace karmo
