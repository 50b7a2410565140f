#pragma once
#include <initializer_list>

#include "core/AppState.h"

namespace karmo::test {

// A batch with the given levels (ranges from the largest down) and cycles; the volume is
// their sum unless given.
inline void SetSpectrum(AppState& s, float maxRange, float minRange,
                        std::initializer_list<float> ranges, std::initializer_list<int> cycles,
                        int volume = -1) {
    DataBatch& b = s.batch();
    b.MaxRange = maxRange;
    b.MinRange = minRange;
    b.LevelCount = static_cast<int16_t>(ranges.size());
    int i = 1;
    for (float r : ranges) b.LevelRange[i++] = r;
    i = 1;
    int sum = 0;
    for (int c : cycles) {
        b.LevelCycles[i++] = c;
        sum += c;
    }
    b.Volume = volume >= 0 ? volume : sum;
}

// The empty grid the synthesis fills: n levels from maxRange down to minRange.
inline void SetGrid(AppState& s, float maxRange, float minRange, int levels, int volume) {
    DataBatch& b = s.batch();
    b.MaxRange = maxRange;
    b.MinRange = minRange;
    b.LevelCount = static_cast<int16_t>(levels);
    b.Volume = volume;
}

}  // namespace karmo::test
