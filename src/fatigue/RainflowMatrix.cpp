#include "fatigue/RainflowMatrix.h"

#include <algorithm>
#include <cmath>

namespace karmo {

RainflowMatrix BuildRainflowMatrix(const std::vector<CountedCycle>& cycles, const LevelGrid& grid,
                                   int32_t levelCount, double low, double high, int32_t meanBins) {
    RainflowMatrix m;
    const int32_t levels = std::clamp(levelCount, 0, grid.levels);
    const int32_t bins = meanBins < 1 ? 1 : meanBins;
    if (high < low) std::swap(low, high);
    const double span = high - low;

    m.meanEdges.resize(static_cast<size_t>(bins) + 1);
    for (int32_t j = 0; j <= bins; ++j) m.meanEdges[static_cast<size_t>(j)] = low + span * j / bins;
    m.meanEdges.back() = high;
    m.counts.assign(static_cast<size_t>(levels), std::vector<int32_t>(static_cast<size_t>(bins), 0));

    // Level j holds the ranges at or above its lower boundary that no level above it took:
    // the builder's walk down the sorted ranges, cycle by cycle.
    const float* first = grid.boundary.data() + 1;
    const float* last = first + grid.levels;
    float top = grid.boundary[1] + grid.width;
    for (const CountedCycle& c : cycles) {
        const float* at = std::partition_point(first, last, [&](float b) { return c.range < b; });
        const auto level = static_cast<int32_t>(at - first);   // 0-based
        if (level >= levels) continue;
        size_t bin = 0;
        if (span > 0) {
            const double pos = std::floor((c.mean - low) / span * bins);
            bin = pos <= 0 ? 0 : pos >= bins ? static_cast<size_t>(bins) - 1 : static_cast<size_t>(pos);
            // The edges decide, not the rounding of the division.
            while (bin + 1 < static_cast<size_t>(bins) && c.mean >= m.meanEdges[bin + 1]) ++bin;
            while (bin > 0 && c.mean < m.meanEdges[bin]) --bin;
        }
        ++m.counts[static_cast<size_t>(level)][bin];
        if (level == 0) top = std::max(top, c.range);
    }

    m.rangeEdges.resize(static_cast<size_t>(levels) + 1);
    if (levels > 0) m.rangeEdges[0] = top;
    for (int32_t i = 1; i <= levels; ++i)
        m.rangeEdges[static_cast<size_t>(i)] = grid.boundary[static_cast<size_t>(i)];
    return m;
}

void HistorySpan(const AppState& s, double& low, double& high) {
    low = high = 0;
    const int32_t n = std::min<int64_t>(s.batch().PointCount, static_cast<int64_t>(s.Values.size()) - 1);
    if (n < 1) return;
    const auto [mn, mx] = std::minmax_element(s.Values.begin() + 1, s.Values.begin() + 1 + n);
    low = *mn;
    high = *mx;
}

}  // namespace karmo
