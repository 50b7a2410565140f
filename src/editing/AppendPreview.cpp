#include "editing/AppendPreview.h"

#include <algorithm>
#include <cmath>

#include "core/NumberForms.h"

namespace karmo {

namespace {

// The preview's own frame, in twips: the picture is laid out on 4000 x 2000.
constexpr double kWidth = 4000, kHeight = 2000;
constexpr double xL = 500, xR = 3850, yB = 250, yT = 1650;

}  // namespace

std::string AppendExtremesText(const AppState& s, const AppendHistory& a) {
    const DataBatch& b = s.batch();
    const bool has = b.PointCount > 0;
    const float mx = has ? std::max(b.MaxValue, a.MaxValue) : a.MaxValue;
    const float mn = has ? std::min(b.MinValue, a.MinValue) : a.MinValue;
    return "Smax = " + FormatMask(mx * s.QuantityFactor, "####.0## ") + ",  Smin = " +
           FormatMask(mn * s.QuantityFactor, "####.0## ");
}

void DrawAppendPreview(Canvas& c, const AppState& s, const AppendHistory& a) {
    const DataBatch& b = s.batch();
    const int32_t n = std::clamp<int32_t>(b.PointCount, 0, static_cast<int32_t>(s.Values.size()) - 1);
    const int32_t m = std::clamp<int32_t>(a.AppendCount, 0, static_cast<int32_t>(a.AppendValues.size()) - 1);
    c.setScale(0, kHeight, kWidth, 0);
    c.clear(s.PlotBackColor);
    c.setDrawMode(DrawMode::Copy);
    c.setDashStyle(DashStyle::Solid);
    c.setPenWidth(1);
    c.setColor(kBlack);
    c.line(xL, yB, xR, yB);
    c.line(xL, yB, xL, yT);
    Font f;
    f.size = 8;
    c.setFont(f);
    c.text(20, yT + 250, s.QuantityName == "Strain " ? "STRAIN" : "STRESS");
    c.text(xR - c.textWidth("POINTS"), yB - 60, "POINTS");
    c.text(xL + 200, kHeight - 40, AppendExtremesText(s, a));

    const int64_t total = static_cast<int64_t>(n) + m;
    if (total < 2) return;
    float mx = a.MaxValue, mn = a.MinValue;
    if (n > 0) {
        mx = std::max(mx, b.MaxValue);
        mn = std::min(mn, b.MinValue);
    }
    const double span = mx > mn ? static_cast<double>(mx) - mn : 1.0;
    auto value = [&](int64_t i) { return i <= n ? s.Values[static_cast<size_t>(i)] : a.AppendValues[static_cast<size_t>(i - n)]; };
    auto y = [&](double v) { return yB + (v - mn) / span * (yT - yB); };
    auto x = [&](int64_t i) { return xL + static_cast<double>(i - 1) / static_cast<double>(total - 1) * (xR - xL); };
    auto colour = [&](int64_t i) { return i <= n ? s.HistoryColor : s.GraphColor; };

    const double columns = std::max(1.0, c.deviceWidth() * (xR - xL) / kWidth);
    if (static_cast<double>(total) <= 2 * columns) {
        for (int64_t i = 2; i <= total; ++i) {
            c.setColor(colour(i));
            c.line(x(i - 1), y(value(i - 1)), x(i), y(value(i)));
        }
        return;
    }
    // One stroke per column over the points that fall into it; a column never mixes the
    // two histories, so the join stays visible.
    const double perColumn = static_cast<double>(total) / columns;
    int64_t i = 1;
    while (i <= total) {
        int64_t end = std::min<int64_t>(total, static_cast<int64_t>(std::ceil(static_cast<double>(i) + perColumn)) - 1);
        if (i <= n && end > n) end = n;
        float hi = value(i), lo = hi;
        for (int64_t k = i + 1; k <= end; ++k) {
            hi = std::max(hi, value(k));
            lo = std::min(lo, value(k));
        }
        c.setColor(colour(i));
        c.line(x(i), y(lo), x(i), y(hi));
        i = end + 1;
    }
}

}  // namespace karmo
