#pragma once
#include <string>

#include "core/AppState.h"
#include "core/Canvas.h"
#include "editing/Append.h"

namespace karmo {

// The extremes line of the preview: "Smax = <max>,  Smin = <min>" over both histories, in
// display units and the mask "####.0## ".
std::string AppendExtremesText(const AppState& s, const AppendHistory& a);

// The current history followed by the appended one, in the history colour and the graph
// colour, with the axis words ("STRESS" or "STRAIN", "POINTS") and the extremes line. A
// long history is drawn as one vertical stroke per device column (its range there).
void DrawAppendPreview(Canvas& c, const AppState& s, const AppendHistory& a);

}  // namespace karmo
