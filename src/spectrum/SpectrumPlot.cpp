#include "spectrum/SpectrumPlot.h"

#include "core/NumberForms.h"

namespace karmo {

namespace {

// Where the axes sit inside the plot area (fractions of its width and height).
constexpr double kAxisLeft = 0.1;
constexpr double kAxisRight = 0.9;
constexpr double kAxisBottom = 0.15;
constexpr double kRangeTop = 0.85;      // MaxRange is drawn here
constexpr double kAxisTop = 0.9;        // the vertical axis reaches a little above it
constexpr double kAxisOvershoot = 0.03; // the horizontal axis a little beyond Volume

}  // namespace

SpectrumPlotArea SpectrumAreaFor(double pageWidth, double pageHeight, bool printer) {
    SpectrumPlotArea a;
    if (!printer) {
        a.width = pageWidth;
        a.height = pageHeight;
        return a;
    }
    const double ratio = pageHeight > 0 ? pageWidth / pageHeight : 1.0;
    if (ratio > 0.72) {
        a.width = pageWidth / 2.45;
        a.height = 0.7 * a.width;
    } else if (ratio <= 0.7) {
        a.height = pageHeight / 2.6;
        a.width = pageWidth / 2.5;
    } else {
        a.height = pageHeight / 2.6;
        a.width = a.height / 0.7;
    }
    a.left = 0.1 * pageWidth;
    a.bottom = pageHeight - 0.1 * pageHeight - a.height;
    return a;
}

SpectrumPlotLabels DrawSpectrum(Canvas& c, const AppState& s, int b, double textScale) {
    SpectrumPlotLabels out;
    const DataBatch& batch = s.batch(b);
    const bool printer = c.isPrinter();

    const double dpi = c.dotsPerInch() > 0 ? c.dotsPerInch() : 96.0;
    const double pageW = c.deviceWidth() * kTwipsPerInch / dpi;
    const double pageH = c.deviceHeight() * kTwipsPerInch / dpi;
    c.setScale(0, pageH, pageW, 0);
    if (!printer) {
        out.frameCaption = s.QuantityName + "Spectrum";
        out.frameColor = s.SpectrumColor;
        c.clear(s.PlotBackColor);
    }
    const SpectrumPlotArea area = SpectrumAreaFor(pageW, pageH, printer);

    Font font;
    font.name = "Arial";
    c.setFont(font);
    c.setColor(kBlack);
    c.setPenWidth(1);
    c.setDashStyle(DashStyle::Solid);
    c.setDrawMode(DrawMode::Copy);

    const double x0 = area.left + kAxisLeft * area.width;
    const double x1 = area.left + kAxisRight * area.width;
    const double y0 = area.bottom + kAxisBottom * area.height;
    const double y1 = area.bottom + kRangeTop * area.height;
    const double yAxisTop = area.bottom + kAxisTop * area.height;

    // Axes.
    c.line(x0, y0, x0, yAxisTop);
    c.line(x0, y0, x1 + kAxisOvershoot * area.width, y0);

    // Axis words and the volume.
    Font axisFont;
    axisFont.name = "Microsoft Sans Serif";
    axisFont.size = 7 * textScale;
    c.setFont(axisFont);
    const std::string word = s.QuantityName == "Stress " ? "STRESS" : "STRAIN";
    const double letterStep = 200 * textScale;
    double letterTop = (y0 + y1) / 2 + letterStep * static_cast<double>(word.size()) / 2;
    for (char ch : word) {
        c.text(x0 - 220 * textScale, letterTop, std::string(1, ch));
        letterTop -= letterStep;
    }
    const double belowAxis = y0 - 60 * textScale;
    c.text((x0 + x1) / 2 - c.textWidth("CYCLES") / 2, belowAxis, "CYCLES");
    Font volumeFont = axisFont;
    volumeFont.size = 9 * textScale;
    c.setFont(volumeFont);
    const std::string volume = std::to_string(batch.Volume);
    c.text(x1 - 50 * textScale * static_cast<double>(volume.size()), belowAxis, volume);
    c.setFont(font);

    // Scales: cycles across from 0 to Volume, ranges up from 0 to MaxRange. An empty span
    // maps everything onto the axis instead of dividing by zero.
    const double hScale = batch.Volume > 0 ? (x1 - x0) / batch.Volume : 0.0;
    const double vScale = batch.MaxRange > 0 ? (y1 - y0) / batch.MaxRange : 0.0;
    auto X = [&](double cycles) { return x0 + cycles * hScale; };
    auto Y = [&](double range) { return y0 + range * vScale; };

    // Stair steps: one bar per level with cycles, side by side.
    c.setPenWidth(printer ? 5 : 1);
    double px = X(0), py = Y(batch.MaxRange);
    double cumulative = 0;
    const int levels = batch.LevelCount < kMaxLevels ? batch.LevelCount : kMaxLevels;
    for (int j = 1; j <= levels; ++j) {
        const size_t jj = static_cast<size_t>(j);
        const int32_t cycles = batch.LevelCycles[jj];
        if (cycles <= 0) continue;
        const double level = batch.LevelRange[jj];
        const double right = cumulative + cycles;
        c.line(px, py, X(cumulative), Y(level));
        c.line(X(cumulative), Y(level), X(right), Y(level));
        c.line(X(right), Y(level), X(right), Y(0));
        px = X(right);
        py = Y(0);
        cumulative = right;
    }

    // The counted ranges themselves, largest first, right after a count.
    if (s.AfterCounting && !s.CountedRanges.empty()) {
        c.setPenWidth(1);
        c.setDashStyle(DashStyle::Dot);
        const int32_t top = RoundHalfEven(batch.PointCount / 2.0);
        const int32_t last = static_cast<int32_t>(s.CountedRanges.size()) - 1;
        auto counted = [&](int32_t idx) -> double {
            return idx >= 0 && idx <= last ? s.CountedRanges[static_cast<size_t>(idx)] : 0.0;
        };
        double cx = X(0), cy = Y(counted(top));
        for (int32_t i = 0; i < batch.Volume; ++i) {
            const int32_t idx = RoundHalfEven(batch.PointCount / 2.0 - i);
            const double nx = X(i + 1.0), ny = Y(counted(idx));
            c.line(cx, cy, nx, ny);
            cx = nx;
            cy = ny;
        }
        c.setDashStyle(DashStyle::Solid);
    }
    c.setPenWidth(1);

    if (printer) return out;

    const float maxShown = batch.MaxRange * s.QuantityFactor;
    out.ssMax = FormatMask(maxShown, "####.0## ") + s.QuantityUnit + "    (range)";
    out.ssMaxVisible = true;
    out.ssMse = s.DmseLabel;
    const bool hasHistory = batch.PointCount >= 1;
    out.ssMseVisible = hasHistory;
    out.summaryMenuEnabled = true;
    if (hasHistory) {
        out.historyCrossPointer = true;
        if (s.ToolTipsHidden == 0)
            out.historyToolTip = "Click here to see the " + s.QuantityName + "History info";
    }
    return out;
}

}  // namespace karmo
