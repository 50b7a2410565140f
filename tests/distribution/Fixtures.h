#pragma once
#include <vector>

#include "core/AppState.h"

namespace karmo::test {

// Levels from the largest range down; the volume is the sum of the cycles unless given.
// With no ranges only the grid the synthesis fills is set (n levels).
inline void SetSpectrum(AppState& s, float maxRange, float minRange, const std::vector<float>& ranges,
                        const std::vector<int>& cycles, int volume = -1, int n = 0) {
    DataBatch& b = s.batch();
    b.MaxRange = maxRange;
    b.MinRange = minRange;
    b.LevelCount = static_cast<int16_t>(n > 0 ? n : static_cast<int>(ranges.size()));
    int sum = 0;
    for (size_t i = 0; i < ranges.size(); ++i) b.LevelRange[i + 1] = ranges[i];
    for (size_t i = 0; i < cycles.size(); ++i) sum += (b.LevelCycles[i + 1] = cycles[i]);
    b.Volume = volume >= 0 ? volume : sum;
}

}  // namespace karmo::test
