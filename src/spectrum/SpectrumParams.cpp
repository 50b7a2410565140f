#include "spectrum/SpectrumParams.h"

#include "core/NumberForms.h"

namespace karmo {

SpectrumParamsProposal ProposeSpectrumParams(AppState& s, bool afterCounting) {
    SpectrumParamsProposal d;
    DataBatch& b = s.batch();
    const std::string& q = s.QuantityName;
    d.caption = "Edit " + q + "Spectrum Parameters";
    d.maxLabel = "Max " + q + "Range " + s.QuantityUnitBracket + ":";
    d.minLabel = "Min " + q + "Range " + s.QuantityUnitBracket + ":";
    d.volumeLabel = "Spectrum Volume [cyc]:";
    d.recordTimeLabel = "Record Time [min]:";

    const int32_t n = b.PointCount;
    const int32_t half = RoundHalfEven(n / 2.0);
    if (n >= 1 && b.LevelCount == 0) {
        b.Volume = half;
        b.LevelCount = 7;
        if (half < b.LevelCount) b.LevelCount = static_cast<int16_t>(half);
    }
    if (n < 1) {
        if (b.Volume < 1) d.levelsLimit = kMaxLevels;
        else d.levelsLimit = b.Volume < s.MaxLevels ? b.Volume : s.MaxLevels;
    } else {
        d.levelsLimit = n >= s.MaxLevels ? s.MaxLevels : n / 2;
    }
    // After a count the proposals must pass the dialog's own checks against the new count:
    // levels kept from an earlier spectrum may exceed what this history allows, and its
    // smallest range may lie outside the new span.
    if (afterCounting && b.LevelCount > d.levelsLimit && d.levelsLimit >= 1)
        b.LevelCount = static_cast<int16_t>(d.levelsLimit);
    d.levelsText = std::to_string(b.LevelCount);
    d.volumeText = std::to_string(afterCounting ? half : b.Volume);

    const float maxShown = b.MaxRange * s.QuantityFactor;
    d.maxText = FormatMask(maxShown, "####0.0##");
    d.maxEditable = !afterCounting;

    float smallest = 0;
    const bool storedFits = !afterCounting || (b.MinRange < b.MaxRange && b.MinRange >= MinRangeLowerLimit(s));
    if (b.MinRange > 0 && storedFits) {
        smallest = b.MinRange;
    } else if (b.LevelCount > 0) {
        const float share = b.MaxRange / static_cast<float>(b.LevelCount);
        smallest = share > s.MinCountedRange ? share : s.MinCountedRange;
    }
    d.minValue = smallest;
    const float minShown = smallest * s.QuantityFactor;
    d.minText = smallest == 0 ? FormatMask(0.0, "##0.0##") : FormatMask(minShown, "##0.00#");

    d.recordTimeText = ShortNumber(b.RecordTime);

    d.levelsLabel = "# of " + q + "Levels (max " + std::to_string(d.levelsLimit) + "):";
    return d;
}

float MinRangeLowerLimit(const AppState& s) {
    const DataBatch& b = s.batch();
    if (b.LevelCount < 1) return s.MinCountedRange;
    const float share = b.MaxRange / static_cast<float>(b.LevelCount);
    return share > s.MinCountedRange ? share - 0.0005f : s.MinCountedRange;
}

}  // namespace karmo
