#pragma once
#include <string>

#include "core/AppState.h"
#include "core/Canvas.h"

namespace karmo {

// What the window shows around the spectrum plot after a screen drawing.
struct SpectrumPlotLabels {
    std::string frameCaption;       // frm_Spectr: "Stress Spectrum"
    Color frameColor = 0;           // frm_Spectr back colour (SpectrumColor)
    std::string ssMax;              // SSmax: "1234.5 MPa    (range)"
    bool ssMaxVisible = false;
    std::string ssMse;              // SSmse: DmseLabel
    bool ssMseVisible = false;
    bool summaryMenuEnabled = false;    // mnu_summ
    bool historyCrossPointer = false;   // the history picture gets the cross pointer
    std::string historyToolTip;         // and this tool tip
};

// The plot area of the spectrum on a target, in the target's user units (twips, y up).
struct SpectrumPlotArea {
    double left = 0, bottom = 0, width = 0, height = 0;
};
// On screen the whole picture; on the printer a part of the page sized from its ratio,
// 10 % of the page in from its left and top.
SpectrumPlotArea SpectrumAreaFor(double pageWidth, double pageHeight, bool printer);

// Draws the spectrum of batch b as cumulative stair steps (range up, cycles across, level 1
// at the left) and, while AfterCounting, the counted ranges as a dotted curve. The target's
// scale is set to twips with y growing upwards. textScale multiplies font sizes and text
// offsets. Returns the label texts for a screen drawing (on a printer only the drawing
// counts).
SpectrumPlotLabels DrawSpectrum(Canvas& c, const AppState& s, int b, double textScale = 1.0);

}  // namespace karmo
