#pragma once
#include <cstdint>
#include <string>

#include "core/AppState.h"

namespace karmo {

// The part of start-up that is not about widgets, in its order: the start-up values with
// the factory colours of the display, Karmo.cfg from currentDir (the directory that was
// current when the program started), the unit system from LengthFactor, then the stress
// quantity, the DMSE label, the text-file header choice and the Beta distribution.
// The window afterwards applies ToolTipsHidden (ToolTipFor), the colours and the
// captions (CaptionsForQuantity), scales itself and becomes visible.
void StartUpState(AppState& s, const std::string& currentDir, const std::string& currentDrive,
                  int32_t displayNumColors);

}  // namespace karmo
