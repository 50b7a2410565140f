#include "history/HistoryPlot.h"

#include <algorithm>
#include <cmath>

#include "core/NumberForms.h"
#include "history/Extremes.h"

namespace karmo {

namespace {

constexpr double kArrow = 30;   // arrow heads, twips

// The point count that fits in the history slots: Values hold points 1..size-2.
int32_t storedCount(const AppState& s, int batch) {
    const int32_t n = s.batch(batch).PointCount;
    const int32_t room = static_cast<int32_t>(s.Values.size()) - 1;
    return std::clamp<int32_t>(n, 0, std::max<int32_t>(room, 0));
}

void arrowUp(Canvas& c, double x, double y) {
    c.line(x, y, x - kArrow / 2, y - kArrow);
    c.line(x, y, x + kArrow / 2, y - kArrow);
}

void arrowRight(Canvas& c, double x, double y) {
    c.line(x, y, x - kArrow, y + kArrow / 2);
    c.line(x, y, x - kArrow, y - kArrow / 2);
}

int digits(int64_t v) {
    int n = 1;
    for (v = v < 0 ? -v : v; v >= 10; v /= 10) ++n;
    return n;
}

}  // namespace

void HistoryScales(double H, double xL, double xR, float displayMax, float displayMin, int32_t viewCount,
                   double& lower, double& ys, double& y0, double& xs) {
    lower = displayMin <= 0 ? displayMin : 0.0;
    double span = static_cast<double>(displayMax) - lower;
    if (!(span > 0)) span = 1;
    ys = H / span / 1.6;
    y0 = 0.81 * H - displayMax * ys;
    xs = viewCount > 1 ? (xR - xL) / (viewCount - 1) : (xR - xL);
}

HistoryGeometry HistoryGeometryFor(Canvas& c, HistoryTarget target) {
    HistoryGeometry g;
    const double dpi = c.dotsPerInch() > 0 ? c.dotsPerInch() : 96.0;
    const double pageW = c.deviceWidth() * kTwipsPerInch / dpi;
    const double pageH = c.deviceHeight() * kTwipsPerInch / dpi;
    switch (target) {
        case HistoryTarget::Screen:
            g.W = pageW;
            g.H = pageH;
            g.offsetY = pageH;
            break;
        case HistoryTarget::SavePicture:
            g.H = pageH / 2.09;
            g.W = 0.995 * pageW;
            g.offsetX = 0.001 * pageW;
            g.offsetY = 0.505 * pageH;
            break;
        case HistoryTarget::Printer: {
            const double r = pageW > 0 ? pageH / pageW : 1.0;
            if (r > 0.72) {
                g.W = 0.83 * pageW;
                g.H = 0.35 * g.W;
                g.offsetY = 0.485 * pageH;
            } else if (r >= 0.7) {
                g.H = pageH / 2.6;
                g.W = 0.81 * pageW;
                g.offsetY = pageH / 2;
            } else {
                g.H = pageH / 2.6;
                g.W = g.H / 0.346;
                g.offsetY = 0.5 * pageH;
            }
            g.offsetX = 0.1 * pageW;
            break;
        }
    }
    // The plot's origin lies offsetX right of the target's left edge and offsetY below its
    // top edge (on screen the picture is the plot, so its bottom edge).
    c.setScale(-g.offsetX, g.offsetY, pageW - g.offsetX, g.offsetY - pageH);
    g.pixelsPerUnit = pageW > 0 ? c.deviceWidth() / pageW : 0;
    g.xL = kHistAxisLeft * g.W;
    g.xR = kHistAxisRight * g.W;
    g.yA = kHistAxisBase * g.H;
    g.yT = kHistTop * g.H;
    g.yB = kHistBandLow * g.H;
    g.yE = kHistBandHigh * g.H;
    return g;
}

HistoryGeometry DrawHistory(Canvas& c, AppState& s, int batch, int32_t fromPoint, HistoryTarget target,
                            double f) {
    const DataBatch& b = s.batch(batch);
    s.DrawnViewCount = s.ViewCount;
    HistoryGeometry g = HistoryGeometryFor(c, target);
    const bool screen = target == HistoryTarget::Screen;
    if (screen) c.clear(s.PlotBackColor);
    const int32_t count = storedCount(s, batch);
    if (count == 0) return g;

    c.setDrawMode(DrawMode::Copy);
    c.setDashStyle(DashStyle::Solid);
    c.setPenWidth(1);
    Font arial;
    arial.name = "Arial";

    if (!screen) {
        Font cap = arial;
        cap.size = 10 * f;
        cap.bold = true;
        cap.italic = true;
        c.setFont(cap);
        const std::string caption = s.QuantityName + "History";
        const double x = g.xL - 500 * f, y = g.H + 100;
        c.setColor(kWhite);
        c.box(x, y, x + c.textWidth(caption), y - c.textHeight(caption), true);
        c.setColor(kBlack);
        c.text(x, y, caption);
    }

    // Extremes as drawn: the larger of the two on top whatever order they are stored in.
    s.HistDisplayMax = b.MaxValue;
    s.HistDisplayMin = b.MinValue;
    if (b.MaxValue < b.MinValue) std::swap(s.HistDisplayMax, s.HistDisplayMin);
    const int32_t viewCount = s.ViewCount > 0 ? s.ViewCount : count;
    HistoryScales(g.H, g.xL, g.xR, s.HistDisplayMax, s.HistDisplayMin, viewCount, g.lower, g.ys, g.y0, g.xs);

    // Axes with their arrow heads.
    c.setColor(kBlack);
    c.line(g.xL, g.yA - 20, g.xL, g.yT + 100);
    arrowUp(c, g.xL, g.yT + 100);
    c.line(g.xL - 20, g.yA, g.xR + 100, g.yA);
    arrowRight(c, g.xR + 100, g.yA);

    s.ViewStart = fromPoint;
    s.ViewEnd = fromPoint + viewCount - 1;

    Font axis;
    axis.name = "Microsoft Sans Serif";
    axis.size = 7 * f;
    c.setFont(axis);
    const std::string word = s.QuantityName == "Stress " ? "STRESS" : "STRAIN";
    for (size_t k = 1; k <= word.size(); ++k)
        c.text(g.xL - 245 * f, g.yT - 200.0 * static_cast<double>(k) * f, std::string(1, word[k - 1]));
    c.text((g.xL + g.xR) / 2.2, g.yA - 50 * f, "POINTS");
    axis.size = 9 * f;
    c.setFont(axis);
    c.text(g.xL - 20 * f, g.yA - 50 * f, std::to_string(s.ViewStart));
    const int n = digits(static_cast<int64_t>(s.ViewEnd) + 1) + 1;
    c.text(g.xL + (s.ViewEnd - s.ViewStart) * g.xs - 50.0 * n, g.yA - 50 * f, std::to_string(s.ViewEnd));

    const Color curve = target == HistoryTarget::Printer ? kBlack : s.GraphColor;
    DrawHistoryCurve(c, s.Values, count, g.xL, g.y0, g.xs, g.ys, curve, s.ViewStart, s.ViewEnd, g.pixelsPerUnit);

    axis.name = "Arial";
    c.setFont(axis);
    c.setColor(kBlack);
    c.text((g.xL + g.xR) / 2.5 - 550 * f, g.yT + 50, HistoryExtremesText(s, true, b.RecordTime));
    g.drawn = true;
    return g;
}

void DrawHistoryCurve(Canvas& c, const std::vector<float>& values, int32_t count, double xL, double y0,
                      double xs, double ys, Color colour, int32_t viewStart, int32_t viewEnd,
                      double pixelsPerUnit) {
    count = std::min<int32_t>(count, static_cast<int32_t>(values.size()) - 1);
    const int32_t s = std::max<int32_t>(viewStart, 1);
    const int32_t e = std::min(viewEnd, count);
    if (s > e) return;
    c.setColor(colour);
    const double stepPixels = xs * pixelsPerUnit;
    const double perPixel = stepPixels > 0 ? 1.0 / stepPixels : 1.0;
    const int32_t k = perPixel < 2e9 ? RoundHalfEven(perPixel) : 2000000000;
    const float* v = values.data();
    if (k > 1) {
        // One bar per pixel column of k points; neighbouring columns share their edge
        // point so the bars join up. The window's own ends bound the first and last column.
        for (int32_t col = s / k; col <= e / k - 1; ++col) {
            const int64_t first = std::max<int64_t>(static_cast<int64_t>(col) * k, s);
            const int64_t last = std::min<int64_t>(static_cast<int64_t>(col) * k + k, e);
            if (first > last) continue;
            float hi = v[first], lo = v[first];
            MergeExtremes(v + first, static_cast<size_t>(last - first + 1), hi, lo);
            const double x = xL + (static_cast<double>(col) * k - s) * xs;
            c.line(x, y0 + lo * ys, x, y0 + hi * ys);
        }
        return;
    }
    double px = xL, py = y0 + ys * v[s];
    for (int32_t i = s + 1; i <= e; ++i) {
        const double x = xL + (i - s) * xs, y = y0 + ys * v[i];
        c.line(px, py, x, y);
        px = x;
        py = y;
    }
}

std::string HistoryExtremesText(const AppState& s, bool withRecordTime, float recordTime) {
    std::string t = "Smax = " + FormatMask(s.HistDisplayMax * s.QuantityFactor, "###0.0##") + " " +
                    s.QuantityUnit + ",  Smin = " + FormatMask(s.HistDisplayMin * s.QuantityFactor, "###0.0##") +
                    " " + s.QuantityUnit;
    if (withRecordTime) t += ",  Tr = " + FormatMask(recordTime, "###0.0#") + " min";
    return t;
}

HistoryInfoTexts HistoryInformation(const AppState& s, int batch) {
    const DataBatch& b = s.batch(batch);
    HistoryInfoTexts t;
    t.cycleEnabled = b.PointCount >= 4;
    t.batchName = b.Name;
    t.batchNumber = std::to_string(batch);
    t.title = b.Title;
    t.points = std::to_string(b.PointCount);
    t.maxValue = FormatMask(s.QuantityFactor * b.MaxValue, "#####0.0##");
    t.minValue = FormatMask(s.QuantityFactor * b.MinValue, "#####0.0##");
    t.recordTime = FormatMask(b.PointCount == 0 ? 0.0f : b.RecordTime, "#####0.0##");
    t.caption = s.QuantityName + "History Information";
    t.historyOf = s.QuantityName + "History of:";
    t.maxLabel = "Max " + s.QuantityName + s.QuantityUnitBracket + ":";
    t.minLabel = "Min " + s.QuantityName + s.QuantityUnitBracket + ":";
    t.plotCaption = s.QuantityName + "History";
    t.zoomToolTip = s.ToolTipsHidden == 1 ? std::string() : "Zoom the " + s.QuantityName + "history";
    return t;
}

}  // namespace karmo
