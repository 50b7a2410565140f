#pragma once
#include <cstdint>
#include <optional>
#include <ostream>

#include "Args.h"
#include "JsonWriter.h"
#include "Pipeline.h"
#include "core/AppState.h"
#include "fatigue/FatigueDamage.h"
#include "fatigue/RainflowMatrix.h"

namespace karmo::cli {

// --matrix MEANBINS: a whole number from 1 to kMaxMeanBins; none when not given. A usage
// error otherwise.
inline constexpr int32_t kMaxMeanBins = 1000;
std::optional<int32_t> MatrixBinsFrom(const ParsedArgs& a);

// The matrix of the count just made (with KeepCycles) on the levels it built.
RainflowMatrix CountedMatrix(const AppState& s, const CountSummary& c, int32_t meanBins);

// "matrix": {"rangeEdges", "meanEdges", "counts"} in internal units.
void WriteMatrixJson(JsonWriter& j, const RainflowMatrix& m);
// The matrix as a table in display units: a row per level, a column per mean bin.
void PrintMatrixText(std::ostream& out, const AppState& s, const RainflowMatrix& m);

// {"perRepetition", "repetitions", "hours", "equivalentRange", "nRef", "levels"}, doubles
// with 17 significant digits; what is not known or infinite is null.
void WriteDamageJson(JsonWriter& j, const DamageResult& r);
void PrintDamageText(std::ostream& out, const AppState& s, const SnCurve& c, const DamageResult& r);

}  // namespace karmo::cli
