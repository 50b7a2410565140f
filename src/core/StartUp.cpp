#include "core/StartUp.h"

#include "core/Settings.h"
#include "core/Units.h"

namespace karmo {

void StartUpState(AppState& s, const std::string& currentDir, const std::string& currentDrive,
                  int32_t displayNumColors) {
    InitAppState(s, currentDir, currentDrive, displayNumColors);
    ReadSettings(s, currentDir);
    SelectUnitSystem(s, UnitSystemFromLengthFactor(s.LengthFactor));
    s.HistoryShown = false;
    s.Values.assign(2, 0.0f);
    s.QuantityName = kStressWord;
    DeriveQuantityFromName(s);
    s.DmseLabel = "DMSE(-)  ";
    s.TextHasHeader = -1;
    s.DistributionType = 1;
}

}  // namespace karmo
