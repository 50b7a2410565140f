#pragma once
#include <string>

namespace karmo::tools {

// Writes the example files into dir:
//   strain-gauge.asc, strain-gauge.bin  a measured series, 3 minutes at 200 Hz, in MPa
//   bracket.txt                         a text history with header (peaks and valleys)
//   database/                           a Loading Database of three batches
// Everything comes from fixed seeds, so every run gives the same files. False after a
// message on standard error.
bool MakeExamples(const std::string& dir);

}  // namespace karmo::tools
