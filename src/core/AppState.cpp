#include "core/AppState.h"

#include "core/Settings.h"

namespace karmo {

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
