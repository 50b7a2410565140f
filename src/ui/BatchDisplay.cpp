#include "ui/BatchDisplay.h"

#include "core/NumberForms.h"
#include "core/Settings.h"
#include "core/Units.h"
#include "distribution/DistributionFit.h"
#include "spectrum/MeanStress.h"

namespace karmo {

std::string MeanStressLine(const AppState& s, int b) {
    const DataBatch& d = s.batch(b);
    if (d.UltimateStrength > 1.0011f) {
        return MakeDmseLabel(d.UltimateStrength, d.YieldStrength, d.NotchFactor, s.StressFactor);
    }
    return d.HasHistory ? "  DMSE(-)" : "";
}

BatchDisplayTexts PrepareBatchDisplay(AppState& s, int b) {
    ApplyQuantity(s, b);
    const DataBatch& d = s.batch(b);
    const QuantityCaptions c = CaptionsForQuantity(s);
    BatchDisplayTexts t;
    t.quantityToolTip = ToolTipFor("Label7", s.ToolTipsHidden);
    t.batchNumber = std::to_string(b);
    t.batchName = d.Name;
    t.historyTitle = c.History;
    t.spectrumTitle = c.Spectrum;
    t.distributionTitle = c.Distribution;
    t.maxValueCaption = c.Maximum;
    t.minValueCaption = c.Minimum;
    t.maxRangeCaption = c.MaximumRange;
    t.minRangeCaption = c.MinimumRange;

    // the database counts the closing value with the history
    const int32_t points = d.PointCount % 2 != 0 ? d.PointCount - 1 : d.PointCount;
    const char* mask = "#####0.0##";
    t.points = std::to_string(points);
    t.maxValue = FormatMask(d.MaxValue * s.QuantityFactor, mask);
    t.minValue = FormatMask(d.MinValue * s.QuantityFactor, mask);
    t.historyTime = FormatMask(d.RecordTime, mask);
    t.maxRange = FormatMask(d.MaxRange * s.QuantityFactor, mask);
    t.minRange = FormatMask(d.MinRange * s.QuantityFactor, mask);
    t.levels = std::to_string(d.LevelCount);
    t.volume = std::to_string(d.Volume);
    t.spectrumTime = FormatMask(d.RecordTime, mask);

    if (d.FitQ != 0.0f || d.SourceQ != 0.0f) {
        s.DistributionType = SourceDistributionType(d);
        t.distributionLabel = DistributionLabelFor(s.DistributionType);
    }
    t.q = FormatMask(DisplayedFitQ(s.DistributionType, d.FitQ, s.QuantityFactor, d.MaxRange), "###0.0##");
    t.r = FormatMask(d.FitR, "###0.0##");
    t.meanStressLine = MeanStressLine(s, b);
    return t;
}

}  // namespace karmo
