#include "distribution/SpectrumParamsOk.h"

#include <cmath>

#include "core/NumberForms.h"
#include "core/Single.h"
#include "distribution/DistributionFit.h"
#include "history/HistoryChecks.h"
#include "spectrum/SpectrumLevels.h"

namespace karmo {

namespace {

double numberOf(const std::string& text) {
    double v = 0;
    ParseNumericText(text, v);
    return v;
}

}  // namespace

SpectrumParamsOkResult SpectrumParamsOk(AppState& s, Prompter& p, const SpectrumParamsTexts& t,
                                        ExactMinText& exact) {
    SpectrumParamsOkResult r;
    DataBatch& b = s.batch();
    auto stay = [&r](SpectrumParamsBox box) {
        r.next = SpectrumParamsNext::StayOpen;
        r.focus = box;
        return r;
    };
    // The whole set again: a click on OK may come before a box was left.
    if (!ValidateSpectrLevels(s, p, t.levels).accepted) return stay(SpectrumParamsBox::Levels);
    if (!s.AfterCounting && !ValidateSpectrMax(s, p, t.max, t.min).accepted) return stay(SpectrumParamsBox::Max);
    if (!ValidateSpectrVol(s, p, t.volume).accepted) return stay(SpectrumParamsBox::Volume);
    if (!ValidateSpectrRTime(s, p, t.recordTime).accepted) return stay(SpectrumParamsBox::RecordTime);

    const double volume = numberOf(t.volume);
    const double largest = numberOf(t.max);
    const double recordTime = numberOf(t.recordTime);
    if (b.LevelCount == 0 ||
        (s.EditingStoredSpectrum && s.EditChoice == 2 && (volume == 0 || largest == 0)) ||
        (s.EditingStoredDistribution && largest == 0) || recordTime < 0) {
        p.tell(s.QuantityName + "Spectrum", "Check the spectrum parameters!", Icon::Critical);
        return stay(SpectrumParamsBox::Levels);
    }
    const SpectrumBoxCheck min = ValidateSpectrMin(s, p, t.min, t.max, exact, true);
    if (!min.accepted) {
        r.minText = min.newText;
        return stay(SpectrumParamsBox::Min);
    }

    const float f = s.QuantityFactor;
    // The boxes were checked above, so each value fits its Single.
    const float smallest = t.min == exact.text ? exact.value : ToSingle(numberOf(t.min) / f).value_or(0.0f);
    if (s.AfterCounting) {
        b.MinRange = smallest;
    } else {
        b.Volume = std::fabs(volume) < 2147483520.0 ? RoundHalfEven(volume) : b.Volume;
        b.MaxRange = ToSingle(largest / f).value_or(b.MaxRange);
        b.MinRange = smallest;
        b.RecordTime = ToSingle(recordTime).value_or(b.RecordTime);
    }
    r.distributionCaption = ConfirmDistributionType(s);
    if (!s.AfterCounting) {
        r.next = SpectrumParamsNext::Stored;
        return r;
    }
    b.FitQ = 0;
    b.FitR = 0;
    b.SourceQ = 0;
    b.SourceR = 0;
    BuildSpectrumLevels(s, p);
    // The levels now come from the history as it stands: saving that history keeps them.
    s.SpectrumRebuilt = true;
    s.SpectrumChanged = true;
    FillWorkingLevels(s);
    if (b.LevelCount < 1) {
        r.next = SpectrumParamsNext::NoLevels;
        return r;
    }
    s.UiMode = kUiIdle;
    r.next = SpectrumParamsNext::LevelsBuilt;
    return r;
}

}  // namespace karmo
