#include "spectrum/SpectrumLevels.h"

#include <cmath>

#include "core/NumberForms.h"

namespace karmo {

LevelGrid SpectrumLevelGrid(int32_t levels, float smax, float smin) {
    LevelGrid g;
    if (levels < 1) return g;
    if (levels > kMaxLevels) levels = kMaxLevels;
    g.levels = levels;
    g.width = levels == 1 ? smax : std::fabs(smax - smin) / static_cast<float>(levels - 1);
    for (int32_t j = 1; j <= levels; ++j) {
        const float offset = static_cast<float>(levels - j) * g.width;
        g.range[j] = smin + offset;
        const float half = 0.5f * g.width;
        g.boundary[j] = g.range[j] - half;
    }
    return g;
}

void BuildSpectrumLevels(AppState& s, Prompter& p) {
    DataBatch& b = s.batch();
    int32_t levels = b.LevelCount;
    if (levels < 1) return;
    if (levels > kMaxLevels) levels = kMaxLevels;
    const float smax = b.MaxRange;
    const float smin = b.MinRange;
    const int32_t n = b.PointCount > 0 ? b.PointCount : 0;

    b.FitQ = 0;
    b.FitR = 0;
    b.SourceQ = 0;
    b.SourceR = 0;

    const LevelGrid grid = SpectrumLevelGrid(levels, smax, smin);
    const auto& boundary = grid.boundary;
    for (int32_t j = 1; j <= levels; ++j) {
        b.LevelRange[j] = grid.range[j];
        b.LevelCycles[j] = 0;
    }
    b.LevelRange[1] = smax;

    // Walk down the ascending ranges from the largest, with cumulative counts per level.
    const int32_t half = RoundHalfEven(n / 2.0);
    int32_t m = half;
    const int32_t top = static_cast<int32_t>(s.CountedRanges.size()) - 1;
    if (m > top) m = top;  // never beyond what the last count holds
    for (int32_t j = 1; j <= levels; ++j) {
        while (m > 0 && s.CountedRanges[static_cast<size_t>(m)] >= boundary[j]) {
            ++b.LevelCycles[j];
            --m;
        }
        if (j < levels) b.LevelCycles[j + 1] = b.LevelCycles[j];
    }
    s.OmittedCycles = RoundHalfEven(n / 2.0 - b.LevelCycles[levels]);
    b.OmittedCycles = s.OmittedCycles;
    b.Volume = b.LevelCycles[levels];

    int32_t sum = 0;
    for (int32_t j = 1; j <= levels; ++j) {
        b.LevelCycles[j] -= sum;
        if (b.LevelCycles[j] < 0) b.LevelCycles[j] = 0;
        sum += b.LevelCycles[j];
    }

    int32_t count = levels;
    for (int32_t j = levels; j >= 1; --j) {
        if (b.LevelCycles[j] == 0 && j == count) {
            --count;
            // With no level left there is no range to take: slot 0 is not a level.
            b.MinRange = j > 1 ? b.LevelRange[j - 1] : 0.0f;
        }
    }
    b.LevelCount = static_cast<int16_t>(count);
    const int32_t removed = levels - count;
    if (removed > 0 && count >= 2) {
        p.tell("Editing " + s.QuantityName + "Spectrum",
               std::to_string(removed) + " last spectrum levels with 0 cycles have been removed.",
               Icon::Information);
    }
}

void FillWorkingLevels(AppState& s) {
    const DataBatch& b = s.batch();
    for (size_t j = 0; j <= static_cast<size_t>(kMaxLevels); ++j) {
        s.WorkLevelRange[j] = b.LevelRange[j];
        s.WorkLevelCycles[j] = static_cast<float>(b.LevelCycles[j]);
    }
}

std::string OmittedCyclesText(int32_t omitted) { return "Omitted cycles: " + std::to_string(omitted); }

bool SpectrumFitEnabled(const BatchRecord& b) {
    return b.LevelCount >= 2 && b.Volume != b.LevelCycles[1];
}

SpectrumInfoView SpectrumInfo(const AppState& s, int32_t scrollPosition) {
    SpectrumInfoView panel;
    const DataBatch& b = s.batch();
    panel.caption = s.QuantityName + "Spectrum Information";
    panel.omitted = OmittedCyclesText(s.OmittedCycles);
    panel.scrollMax = b.LevelCount > 4 ? b.LevelCount - 4 : 1;
    panel.fitEnabled = SpectrumFitEnabled(b);
    panel.showParamsInstead = b.LevelCount == 0;
    int32_t first = scrollPosition;
    if (first < panel.scrollMin) first = panel.scrollMin;
    if (first > panel.scrollMax) first = panel.scrollMax;
    for (int32_t row = 0; row < 5; ++row) {
        const int32_t level = first + row;
        if (level > b.LevelCount || level > kMaxLevels) continue;
        SpectrumGridRow& r = panel.rows[static_cast<size_t>(row)];
        const size_t j = static_cast<size_t>(level);
        r.level = std::to_string(level);
        const float shown = s.WorkLevelRange[j] * s.QuantityFactor;
        r.stress = FormatMask(shown, "####0.00");
        r.cycles = ShortNumber(s.WorkLevelCycles[j]);
    }
    return panel;
}

}  // namespace karmo
