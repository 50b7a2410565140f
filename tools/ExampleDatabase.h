#pragma once
#include <string>

namespace karmo::tools {

// The example Loading Database in dir: batch 1 counted from the binary series (with its
// history file), batch 2 a spectrum typed in, batch 3 generated from a Weibull
// distribution. Written by the program's own database code. False after a message on
// standard error.
bool MakeExampleDatabase(const std::string& dir, const std::string& seriesPath);

}  // namespace karmo::tools
