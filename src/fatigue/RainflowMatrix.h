#pragma once
#include <cstdint>
#include <vector>

#include "core/AppState.h"
#include "spectrum/SpectrumLevels.h"

namespace karmo {

// Cycles by range level and mean bin. The range levels are those of the spectrum built from
// the same count; the mean bins divide the history's span evenly.
struct RainflowMatrix {
    // levels + 1 edges, falling: level i holds the ranges from rangeEdges[i] (inclusive) up
    // to rangeEdges[i - 1]. Level 1 takes every range above its lower edge, so rangeEdges[0]
    // is its lower edge plus the level width or, when larger, the largest range it holds.
    std::vector<float> rangeEdges;
    // bins + 1 edges, rising: bin j holds the means from meanEdges[j] (inclusive) up to
    // meanEdges[j + 1] (the last bin up to and with its upper edge).
    std::vector<double> meanEdges;
    std::vector<std::vector<int32_t>> counts;   // counts[level - 1][bin]
};

// Sorts the counted cycles into the grid the level builder was given (`grid`, of which the
// first `levelCount` levels were kept) and `meanBins` bins from low to high. Cycles below the
// lowest level are left out, as the spectrum omits them; a mean outside the span goes to the
// nearest bin.
RainflowMatrix BuildRainflowMatrix(const std::vector<CountedCycle>& cycles, const LevelGrid& grid,
                                   int32_t levelCount, double low, double high, int32_t meanBins);

// The smallest and largest of the current history's values 1..PointCount: the span of the
// mean bins.
void HistorySpan(const AppState& s, double& low, double& high);

}  // namespace karmo
