#include "distribution/DistributionPlot.h"

#include <cmath>
#include <string>

#include "core/NumberForms.h"
#include "distribution/Densities.h"
#include "distribution/DistributionFit.h"
#include "distribution/Exceedance.h"

namespace karmo {

namespace {

void densityCurve(AppState& s, const DataBatch& b, Canvas& target, float right, float left,
                  float height, float base, float Q, float R, float penWidth, Color colour) {
    const int16_t type = EffectiveType(s.DistributionType);
    double q = Q;
    const double r = R;
    // Source values come in the internal unit; the fitted set is already normalised.
    if (Q == b.SourceQ && b.MaxRange > 0) q = NormalisedSourceQ(type, Q, b.MaxRange);
    s.MaxDensity = 0;
    if (!ValidParameters(type, q, r)) return;

    // The sampling runs in single precision, as the stepped loop does.
    const float step = 0.002f;
    const float last = 0.998f;
    double maxDensity = 0;
    for (float x = step; x <= last; x = x + step) {
        const double f = Density(type, x, q, r, false);
        if (std::isfinite(f) && f > maxDensity) maxDensity = f;
    }
    if (!(maxDensity > 0)) return;
    const double betaFactor = (type == kBeta) ? static_cast<double>(BetaFunction(Q, R)) : 1.0;
    const double vertical = height / maxDensity / 1.65 * betaFactor;
    const double horizontal = (static_cast<double>(right) - left) / 1.05;
    // The bars are drawn on the curve's own scale: the peak of the density as drawn, which
    // for Beta includes the factor 1 / B left out of the sampling above.
    const double peak = maxDensity / betaFactor;
    s.MaxDensity = b.LevelCount > 1 ? peak / (b.LevelCount - 1) : peak;

    target.setPenWidth(RoundHalfEven(penWidth));
    target.setColor(colour);
    double px = left, py = base;
    bool havePrevious = true;
    for (float x = step; x <= last; x = x + step) {
        const double f = Density(type, x, q, r, true);
        if (!std::isfinite(f)) {
            havePrevious = false;
            continue;
        }
        const double nx = left + x * horizontal;
        const double ny = base + vertical * f;
        if (havePrevious) target.line(px, py, nx, ny);
        px = nx;
        py = ny;
        havePrevious = true;
    }
}

void spectrumBars(const AppState& s, const DataBatch& b, Canvas& target, float right, float left,
                  float height, float base) {
    const int n = b.LevelCount;
    const float M = b.MaxRange;
    if (n < 2 || n > kMaxLevels || !(M > 0) || b.Volume <= 0) return;
    if (!(s.MaxDensity > 0) || !std::isfinite(s.MaxDensity)) return;
    const float dS = LevelWidth(M, b.MinRange, n);
    const double horizontal = (static_cast<double>(right) - left) / 1.05;
    const double vertical = height / s.MaxDensity / 1.65;
    target.setColor(target.isPrinter() ? kGrey : kBlack);
    for (int i = 1; i <= n; ++i) {
        const double xa = left + b.LevelRange[i] / static_cast<double>(M) * horizontal;
        const double xb =
            left + (static_cast<double>(b.LevelRange[i]) - dS) / static_cast<double>(M) * horizontal;
        const double top = base + vertical * b.LevelCycles[i] / static_cast<double>(b.Volume);
        target.line(xa, base, xa, top);
        target.line(xa, top, xb, top);
        target.line(xb, top, xb, base);
    }
}

}  // namespace

std::string DensityFormula(int16_t type) {
    switch (EffectiveType(type)) {
    case kWeibull: return "f(S)=(R/Q)*(S/Q)^(R-1)*exp[-(S/Q)^R]";
    case kLognorm: return "f(S)=1/(S*R)/(2pi)^0.5*exp{-0.5[(lnS-Q)/R]^2}";
    default: return "f(S)=S^(Q-1)*(1-S)^(R-1)";
    }
}

void DrawDensityCurve(AppState& s, Canvas& target, float right, float left, float height,
                      float base, float Q, float R, float penWidth, Color colour) {
    densityCurve(s, s.batch(), target, right, left, height, base, Q, R, penWidth, colour);
}

void DrawSpectrumBars(AppState& s, Canvas& target, float right, float left, float height,
                      float base) {
    spectrumBars(s, s.batch(), target, right, left, height, base);
}

DistributionPlotLabels DrawDistribution(AppState& s, Canvas& target, int16_t bi,
                                        const DistributionPlotOptions& opt) {
    const DataBatch& b = s.batch(bi);
    const bool printer = target.isPrinter();
    const bool screen = !printer && !opt.savePicture;
    DistributionPlotLabels out;
    out.frameCaption = s.QuantityName + "Distribution " + s.DistributionLabel;
    out.frameColor = s.BetaColor;
    if (screen) target.clear(s.PlotBackColor);

    const bool haveParameters = !(b.FitQ == 0 && b.SourceQ == 0);
    if (!haveParameters && !opt.correctionFlag) return out;

    const double scale = printer ? 1.0 : opt.textScale;
    const Color fittedColour = printer ? kBlack : s.GraphColor;
    const int penWidth = printer ? 5 : 1;
    Font font{"Arial", 8 * scale, false, false};
    target.setFont(font);
    target.setColor(kBlack);
    target.setPenWidth(1);

    // User units are twips, y growing upwards, so offsets keep their size on every target.
    const double dpi = target.dotsPerInch() > 0 ? target.dotsPerInch() : 96.0;
    const double W = target.deviceWidth() * kTwipsPerInch / dpi;
    const double H = target.deviceHeight() * kTwipsPerInch / dpi;
    target.setScale(0, H, W, 0);
    // The plot box: 10 % to 90 % across, 15 % to 90 % down from the top.
    const double x0 = 0.1 * W, x1 = 0.9 * W;
    const double yTop = H - 0.15 * H, yBase = H - 0.9 * H;

    // Axis titles.
    target.setFont(Font{"Microsoft Sans Serif", 7 * scale, false, false});
    const double letterHeight = target.textHeight("P");
    double ly = yTop;
    for (const char* letter : {"P", "D", "F"}) {
        target.text(x0 - 60 - target.textWidth(letter), ly, letter);
        ly -= letterHeight;
    }
    const std::string rangeTitle = s.QuantityName == "Stress " ? "STRESS RANGE" : "STRAIN RANGE";
    target.text(x1 - target.textWidth(rangeTitle), yTop + 60 + letterHeight, rangeTitle);

    // Axes with arrow heads; the vertical one starts a little below the horizontal one.
    target.line(x0, yBase - 100, x0, yTop);
    target.line(x0, yTop, x0 - 30, yTop - 90);
    target.line(x0, yTop, x0 + 30, yTop - 90);
    target.line(x0, yBase, x1 + 100, yBase);
    target.line(x1 + 100, yBase, x1 + 10, yBase + 30);
    target.line(x1 + 100, yBase, x1 + 10, yBase - 30);

    // Curve and bars, growing upwards from the horizontal axis.
    const float left = static_cast<float>(x0), right = static_cast<float>(x1);
    const float height = static_cast<float>(yTop - yBase), base = static_cast<float>(yBase);
    if (!s.ShowFitted) {
        densityCurve(s, b, target, right, left, height, base, b.SourceQ, b.SourceR, 1, kBlack);
        s.ShownQ = b.SourceQ;
        s.ShownR = b.SourceR;
    } else {
        densityCurve(s, b, target, right, left, height, base, b.FitQ, b.FitR,
                     static_cast<float>(penWidth), fittedColour);
        s.ShownQ = b.FitQ;
        s.ShownR = b.FitR;
    }
    spectrumBars(s, b, target, right, left, height, base);

    // Exceedance of the largest range, from the normalised parameters.
    const int16_t type = EffectiveType(s.DistributionType);
    const float M = b.MaxRange;
    const double qn = s.ShowFitted ? static_cast<double>(s.ShownQ)
                                   : (M > 0 ? NormalisedSourceQ(type, s.ShownQ, M) : s.ShownQ);
    out.exceedance = ExceedanceProbability(type, qn, s.ShownR);

    const float f = s.QuantityFactor;
    const float fm = f * M;
    target.setFont(Font{"Arial", 9 * scale, false, false});
    const double labelHeight = target.textHeight("Q");
    out.dtsMax.caption = FormatMask(fm, "###0.0## ") + s.QuantityUnit;
    out.dtsMax.toolTip = "P(DS > " + FormatMask(fm, "####.## ") + s.QuantityUnit + ") = " +
                         (std::isfinite(out.exceedance) ? FormatMask(out.exceedance, "#.0#e+##") : "?");
    out.dtsMax.x = x1 + 130;
    out.dtsMax.y = yBase + labelHeight / 2;
    out.dtsMax.fontSize = 9 * scale;

    std::string qText;
    if (type == kLognorm) {
        qText = FormatMask(s.ShowFitted ? DisplayedFitQ(type, s.ShownQ, f, M)
                                        : DisplayedSourceQ(type, s.ShownQ, f),
                           "##0.0##");
    } else {
        // Beta and Weibull values are Singles: shown from their own 7 digits.
        const float shown = static_cast<float>(s.ShowFitted ? DisplayedFitQ(type, s.ShownQ, f, M)
                                                            : DisplayedSourceQ(type, s.ShownQ, f));
        qText = FormatMask(shown, "##0.0##");
    }
    out.dt0.caption = "Q = " + qText;
    out.dt0.toolTip = DensityFormula(type);
    out.dt1.caption = "R = " + FormatMask(s.ShownR, "##0.0##");
    out.dt0.x = x0;
    out.dt1.x = x0 + 0.35 * (x1 - x0);
    out.dt0.y = out.dt1.y = yBase - 150;
    out.dt0.fontSize = out.dt1.fontSize = 9 * scale;
    out.dt0.visible = out.dt1.visible = out.dtsMax.visible = haveParameters;

    if (!screen) {
        // The printed page and the saved picture carry their own title and parameter line.
        target.setFont(Font{"Arial", 10 * scale, true, true});
        const double tw = target.textWidth(out.frameCaption);
        const double th = target.textHeight(out.frameCaption);
        const double tx = x0 / 2, ty = yTop + 3 * th;
        target.setColor(kWhite);
        target.box(tx - 30, ty + 15, tx + tw + 30, ty - th - 15, true);
        target.setColor(kBlack);
        target.text(tx, ty, out.frameCaption);
        target.setFont(Font{"Arial", 9 * scale, false, false});
        const std::string line = out.dt0.caption + ",    " + out.dt1.caption;
        // Its foot 200 twips above the horizontal axis.
        target.text(x1 - target.textWidth(line), yBase + 200 + target.textHeight(line), line);
    }

    if (b.PointCount >= 1) {
        out.crossCursors = true;
        if (s.ToolTipsHidden != 1) {
            out.spectrumPicToolTip = "Click here to see the " + s.QuantityName + "Spectrum info";
            out.historyPicToolTip = "Click here to see the " + s.QuantityName + "History info";
        }
    }
    return out;
}

}  // namespace karmo
