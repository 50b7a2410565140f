#include "history/HistoryZoom.h"

#include <algorithm>
#include <cmath>

#include "core/NumberForms.h"
#include "history/HistoryPlot.h"

namespace karmo {

int32_t ScrollWindowStart(int32_t pointCount, int32_t viewCount, int value) {
    int32_t start = RoundHalfEven(static_cast<double>(value) / kScrollSpan * pointCount + 1);
    if (static_cast<int64_t>(start) + viewCount > pointCount) start = pointCount - viewCount + 1;
    return std::max<int32_t>(start, 1);
}

ScrollSettings ScrollSettingsFor(int32_t pointCount, int32_t viewCount, int32_t selectFrom) {
    ScrollSettings r;
    if (viewCount >= pointCount || pointCount <= 0) return r;
    const double n = pointCount;
    r.max = RoundHalfEven16((n - viewCount) / n * (kScrollSpan + 1));
    if (r.max < 1) r.max = 1;
    r.smallChange = 1;
    r.largeChange = RoundHalfEven16(viewCount / n * 8000 + 0.5);
    r.value = RoundHalfEven16((selectFrom - 1) / n * kScrollSpan);
    return r;
}

std::string DisplayPointsText(int32_t from, int32_t to, bool spaced) {
    return "Display Points: " + std::to_string(from) + (spaced ? " - " : "-") + std::to_string(to);
}

void ZoomLabelPress(AppState& s, bool rightButton) {
    const int32_t n = s.batch().PointCount;
    if (rightButton) {
        s.SelectFrom = 1;
        s.SelectTo = n;
        s.ViewCount = n;
        return;
    }
    if (s.ViewCount > kZoomLimit) {
        const int32_t even = s.ViewCount - (s.ViewCount % 2);
        s.ViewCount = static_cast<int32_t>(even / 1.2);
    }
    s.SelectFrom = s.ViewStart;
    if (static_cast<int64_t>(s.ViewStart) + s.ViewCount - 1 >= n) s.ViewCount = n - s.ViewStart + 1;
    s.SelectTo = s.ViewStart + s.ViewCount - 1;
}

ZoomRefresh ApplyZoomRefresh(AppState& s, Prompter& p) {
    ZoomRefresh r;
    const int32_t n = s.batch().PointCount;
    s.ScrollRedraws = true;
    s.ViewCount = std::min<int32_t>(s.SelectTo - s.SelectFrom + 1, n);
    if (s.ViewCount >= kZoomLimit) {
        r.setScroll = true;
        r.scroll = ScrollSettingsFor(n, s.ViewCount, s.SelectFrom);
    }
    if (s.ViewCount < kZoomLimit) {
        s.ViewCount = s.DrawnViewCount;
        p.tell("Zooming " + s.QuantityName + "History", "The Zoom limit is 10 data points", Icon::Information);
        return r;
    }
    s.FastDisplay = n >= kLongWindow ? -1 : 0;
    r.accepted = true;
    return r;
}

MarkedPoints PointsUnderMark(const AppState& s, double xL, double xR, double x, double markX1) {
    const double step = s.DrawnViewCount > 1 ? (xR - xL) / (s.DrawnViewCount - 1) : (xR - xL);
    const auto at = [&](double px) {
        const double raw = s.ViewStart + (step > 0 ? (px - xL) / step : 0.0);
        const double lo = s.ViewStart, hi = std::max(s.ViewStart, s.ViewEnd);
        return RoundHalfEven(std::clamp(raw, lo - 1, hi + 1));
    };
    MarkedPoints m;
    const int32_t p = at(x);
    m.pointer = p >= s.ViewStart && p <= s.ViewEnd ? p : 0;
    m.to = std::clamp(p, s.ViewStart, std::max(s.ViewStart, s.ViewEnd));
    m.from = std::clamp(at(markX1), s.ViewStart, std::max(s.ViewStart, s.ViewEnd));
    if (m.to < m.from) std::swap(m.from, m.to);
    return m;
}

void SelectMarkedRange(AppState& s, const MarkedPoints& m) {
    const int32_t overhang = std::max<int32_t>(s.ViewEnd - s.batch().PointCount, 0);
    s.SelectFrom = m.from - overhang;
    s.SelectTo = m.to - overhang;
}

void SetMarkedBand(AppState& s, double yB, double H, double y1, double y2) {
    const DataBatch& b = s.batch();
    const double lower = b.MinValue <= 0 ? b.MinValue : 0.0;
    const double span = b.MaxValue - lower;
    const double ys = span > 0 ? H / span / 1.6 : H / 1.6;
    s.BandHigh = static_cast<float>(lower + (y2 - yB) / ys);
    s.BandLow = static_cast<float>(lower + (y1 - yB) / ys);
    if (s.BandHigh < s.BandLow) std::swap(s.BandHigh, s.BandLow);
}

std::string ValueTipText(const AppState& s, int32_t p) {
    if (p < 1 || p >= static_cast<int32_t>(s.Values.size())) return std::string();
    return std::to_string(p) + ": " +
           FormatMask(s.QuantityFactor * s.Values[static_cast<size_t>(p)], "###0.0# ");
}

}  // namespace karmo
