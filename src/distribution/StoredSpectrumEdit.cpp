#include "distribution/StoredSpectrumEdit.h"

#include <algorithm>

#include "distribution/DistributionFit.h"
#include "spectrum/SpectrumLevels.h"

namespace karmo {

void BeginStoredEdit(AppState& s, bool distribution) {
    DataBatch& b = s.batch();
    s.AfterCounting = false;
    s.EditingStoredSpectrum = !distribution;
    s.EditingStoredDistribution = distribution;
    s.NewSpectrum = b.LevelCount == 0;
    s.SpectrumChanged = false;
    // A limit left by the volume of an earlier edit is not this batch's.
    s.MaxLevels = kMaxLevels;
    s.SpectrumBackup = static_cast<const BatchRecord&>(b);
    // The batch's source parameters are of its own type, which the dialogs offer first.
    s.DistributionType = SourceDistributionType(b);
    s.SourceParamsType = s.DistributionType;
    if (distribution) {
        s.EditChoice = 2;
        s.BatchKind = 4;
        s.ShowFitted = true;
    }
}

void ChooseSpectrumEntry(AppState& s, bool keyboard) {
    DataBatch& b = s.batch();
    s.EditChoice = keyboard ? 1 : 2;
    if (keyboard) {
        b.SourceType = 0;
        b.FitQ = 0;
        b.FitR = 0;
        s.BatchKind = 2;
    } else {
        s.ShowFitted = false;
        s.BatchKind = 3;
    }
}

void BuildKeyboardLevels(AppState& s) {
    DataBatch& b = s.batch();
    b.FitQ = b.FitR = 0;
    b.SourceQ = b.SourceR = 0;
    const int32_t n = std::clamp<int32_t>(b.LevelCount, 0, kMaxLevels);
    // One level has the largest range only: no width to divide.
    const float dS = n > 1 ? LevelWidth(b.MaxRange, b.MinRange, n) : 0.0f;
    for (int32_t j = 1; j <= n; ++j)
        b.LevelRange[static_cast<size_t>(j)] = b.MaxRange - dS * static_cast<float>(j - 1);
    const int32_t before = std::clamp<int32_t>(s.SpectrumBackup.LevelCount, 0, kMaxLevels);
    for (int32_t j = before + 1; j <= n; ++j) b.LevelCycles[static_cast<size_t>(j)] = 0;
    const BatchRecord& saved = b.Saved;
    bool same = b.LevelCount == saved.LevelCount && b.MaxRange == saved.MaxRange && b.MinRange == saved.MinRange;
    for (int32_t j = 1; same && j <= n; ++j)
        same = b.LevelRange[static_cast<size_t>(j)] == saved.LevelRange[static_cast<size_t>(j)] &&
               b.LevelCycles[static_cast<size_t>(j)] == saved.LevelCycles[static_cast<size_t>(j)];
    if (!same) s.SpectrumChanged = true;
    FillWorkingLevels(s);
}

}  // namespace karmo
