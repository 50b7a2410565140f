#pragma once
#include <optional>

namespace karmo {

// A value bound for a Single field (a history value, a range, a strength, a time): the
// float when the double is finite and within the Single's range, nothing otherwise.
// Converting a double that does not fit is undefined in C++, so every value that enters a
// batch, a history or a file goes through here; values below the smallest Single become
// 0 or a denormal as usual.
std::optional<float> ToSingle(double v);

// True when the float is finite (not an infinity, not NaN).
bool IsFiniteSingle(float v);

}  // namespace karmo
