#pragma once
#include <string>

namespace karmo::cli {

// The help text of the program ("") or of one command ("history", "spectrum", "synth",
// "db", "report", "damage"); empty for an unknown command.
std::string UsageText(const std::string& command);

}  // namespace karmo::cli
