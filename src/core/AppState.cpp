#include "core/AppState.h"

#include "core/Settings.h"

namespace karmo {

void CopySpectrumFields(const BatchRecord& from, BatchRecord& to) {
    to.LevelCount = from.LevelCount;
    to.LevelRange = from.LevelRange;
    to.LevelCycles = from.LevelCycles;
    to.MaxRange = from.MaxRange;
    to.MinRange = from.MinRange;
    to.Volume = from.Volume;
    to.FitQ = from.FitQ;
    to.FitR = from.FitR;
    to.SourceQ = from.SourceQ;
    to.SourceR = from.SourceR;
    to.SourceType = from.SourceType;
    to.UltimateStrength = from.UltimateStrength;
    to.YieldStrength = from.YieldStrength;
    to.NotchFactor = from.NotchFactor;
}

void InitAppState(AppState& s, const std::string& currentDir, const std::string& currentDrive,
                  int32_t displayNumColors) {
    s = AppState{};
    s.CompanyName = "Orvex";
    s.CurrentDrive = currentDrive;
    s.HistoryDir = currentDir;
    s.DatabaseDir = currentDir;
    s.UiMode = kUiIdle;
    s.DatabaseModified = false;
    s.DisplayNumColors = displayNumColors;
    SetFactoryColors(s);
    s.HistoryShown = false;
    s.Values.assign(2, 0.0f);
    s.QuantityName = "Stress ";
    s.QuantityFactor = s.StressFactor;
    s.QuantityUnitBracket = s.StressUnitBracket;
    s.QuantityUnit = s.StressUnit;
    s.DmseLabel = "DMSE(-)  ";
    s.TextHasHeader = -1;
    s.DistributionType = 1;
}

}  // namespace karmo
