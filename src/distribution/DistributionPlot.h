#pragma once
#include <cstdint>
#include <limits>
#include <string>

#include "core/AppState.h"
#include "core/Canvas.h"

namespace karmo {

struct DistributionPlotOptions {
    // The hidden picture behind "save the screen as a bitmap": drawn like the screen, but
    // with the title and the parameter line of the printed page.
    bool savePicture = false;
    double textScale = 1;          // the main window's layout factor; the printer uses 1
    bool correctionFlag = false;   // the spectrum-parameter dialog was reopened by Correction
};

// A label of the distribution panel: text, tool tip and where it goes, in the target's
// user units (twips, y growing upwards, as DrawDistribution sets them), top-left corner.
struct PlacedLabel {
    std::string caption;
    std::string toolTip;
    double x = 0, y = 0;
    double fontSize = 9;
    bool visible = false;
};

// What the panel shows beside the picture after DrawDistribution.
struct DistributionPlotLabels {
    std::string frameCaption;      // QuantityName + "Distribution " + DistributionLabel
    Color frameColor = 0;          // BetaColor
    PlacedLabel dt0;               // "Q = ..." with the density formula as tool tip
    PlacedLabel dt1;               // "R = ..."
    PlacedLabel dtsMax;            // largest range, exceedance probability as tool tip
    double exceedance = std::numeric_limits<double>::quiet_NaN();
    bool crossCursors = false;     // over the spectrum and history pictures
    std::string spectrumPicToolTip;
    std::string historyPicToolTip;
};

// Draws the distribution of batch b (the current batch) onto the target: axes with their
// titles, the density curve of the fitted set (ShowFitted) or of the source set, and the
// spectrum as relative-frequency bars; on the printer (target.isPrinter()) and in the
// save picture also the title and the parameter line. Sets ShownQ, ShownR and MaxDensity.
DistributionPlotLabels DrawDistribution(AppState& s, Canvas& target, int16_t b,
                                        const DistributionPlotOptions& opt = {});

// One density curve of DistributionType: its largest sampled value reaches 1/1.65 of
// height above base and x = 1 lies at 1/1.05 of the width right - left. Q equal to the
// batch's SourceQ is taken as a source value and normalised first. MaxDensity becomes
// the largest sampled density of the curve as drawn (Beta with its 1 / B) / (LevelCount - 1).
// Parameters that describe no density draw nothing and leave MaxDensity 0.
void DrawDensityCurve(AppState& s, Canvas& target, float right, float left, float height,
                      float base, float Q, float R, float penWidth, Color colour);

// The levels of the current batch as bars of relative frequency times (LevelCount - 1),
// scaled by MaxDensity (so after DrawDensityCurve, on its vertical scale). Grey on the printer.
void DrawSpectrumBars(AppState& s, Canvas& target, float right, float left, float height,
                      float base);

// The density formula of the type, the tool tip of DT(0).
std::string DensityFormula(int16_t type);

}  // namespace karmo
