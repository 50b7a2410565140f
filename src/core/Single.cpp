#include "core/Single.h"

#include <cfloat>
#include <cmath>

namespace karmo {

std::optional<float> ToSingle(double v) {
    // Values just above FLT_MAX still round to it; beyond the halfway point to the next
    // power they would round to infinity.
    if (!std::isfinite(v)) return std::nullopt;
    float f = static_cast<float>(std::fabs(v) <= FLT_MAX ? v : 0.0);
    if (std::fabs(v) > FLT_MAX) return std::nullopt;
    return f;
}

bool IsFiniteSingle(float v) { return std::isfinite(v); }

}  // namespace karmo
