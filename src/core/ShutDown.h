#pragma once
#include "core/AppState.h"
#include "core/Prompter.h"

namespace karmo {

inline constexpr const char* kExitTitle = "Exit Program";

// The questions asked when the main window is closed: a changed history, then a changed
// database that holds batches. Each is OK/Cancel with Cancel as the default; Cancel on
// either keeps the program running and asks nothing more. Nothing is saved. Returns true
// when the close is to be cancelled.
bool ConfirmShutDown(const AppState& s, Prompter& prompter);

}  // namespace karmo
