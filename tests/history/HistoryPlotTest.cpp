#include <gtest/gtest.h>

#include <cmath>

#include "HistoryTestData.h"
#include "history/HistoryPlot.h"
#include "support/RecordingCanvas.h"

using namespace karmo;
using karmo::test::RecordingCanvas;
using Kind = RecordingCanvas::Kind;

namespace {

AppState withHistory(const std::vector<float>& points) {
    AppState s = karmo::test::stateWith(points, 0);
    s.batch().RecordTime = 12.5f;
    s.ViewCount = s.batch().PointCount;
    return s;
}

std::vector<const RecordingCanvas::Op*> curve(const RecordingCanvas& c, const AppState& s) {
    std::vector<const RecordingCanvas::Op*> r;
    for (const auto* op : c.of(Kind::Line))
        if (op->color == s.GraphColor) r.push_back(op);
    return r;
}

TEST(HistoryPlot, LongWindowIsOneBarPerColumnOf34Points) {
    std::vector<float> pts(20000);
    for (size_t i = 0; i < pts.size(); ++i) pts[i] = (i % 2 ? 50.0f : -50.0f) + static_cast<float>(i % 97);
    AppState s = withHistory(pts);
    RecordingCanvas c(700, 300);
    const HistoryGeometry g = DrawHistory(c, s, 0, 1, HistoryTarget::Screen, 1.0);
    EXPECT_NEAR((g.xR - g.xL) * g.pixelsPerUnit, 588, 1e-9);
    const auto bars = curve(c, s);
    ASSERT_EQ(bars.size(), 588u);   // columns 0 .. 20000 \ 34 - 1
    for (size_t i = 1; i < bars.size(); ++i) {
        EXPECT_DOUBLE_EQ(bars[i]->x1, bars[i]->x2);
        EXPECT_NEAR(bars[i]->x1 - bars[i - 1]->x1, 34 * g.xs, 1e-6);
    }
    // Column 1 spans points 34..68: its bar reaches their extremes.
    const auto [lo, hi] = std::minmax_element(s.Values.begin() + 34, s.Values.begin() + 69);
    EXPECT_DOUBLE_EQ(bars[1]->y1, g.y0 + *lo * g.ys);
    EXPECT_DOUBLE_EQ(bars[1]->y2, g.y0 + *hi * g.ys);
    EXPECT_EQ(std::tuple(s.ViewStart, s.ViewEnd, s.DrawnViewCount), std::tuple(1, 20000, 20000));
    EXPECT_TRUE(c.hasText("20000"));
}

TEST(HistoryPlot, ShortWindowIsConnectedLinesAndPositiveMinimumStartsAtZero) {
    AppState s = withHistory({20, 80, 40, 100});
    RecordingCanvas c(800, 400);
    const HistoryGeometry g = DrawHistory(c, s, 0, 1, HistoryTarget::Screen, 1.0);
    EXPECT_EQ(g.lower, 0.0);
    // 100 at 0.81 H, the axis base value 0 at 0.185 H
    EXPECT_NEAR(g.y0 + 100 * g.ys, 0.81 * g.H, 1e-6);
    EXPECT_NEAR(g.y0, 0.185 * g.H, 1e-6);
    const auto segs = curve(c, s);
    ASSERT_EQ(segs.size(), 3u);
    EXPECT_DOUBLE_EQ(segs[0]->x1, g.xL);
    EXPECT_NEAR(segs[2]->x2, g.xR, 1e-9);
    EXPECT_TRUE(c.hasText("Smax = 100.0 MPa,  Smin = 20.0 MPa,  Tr = 12.5 min"));
    for (const char* letter : {"S", "T", "R", "E", "POINTS", "1", "4"}) EXPECT_TRUE(c.hasText(letter)) << letter;
}

TEST(HistoryPlot, GuardsAndTargets) {
    // one point in the window and a flat history draw without dividing by zero
    AppState flat = withHistory({0, 0, 0, 0});
    flat.ViewCount = 1;
    RecordingCanvas c(600, 300);
    const HistoryGeometry g = DrawHistory(c, flat, 0, 2, HistoryTarget::Screen, 1.0);
    EXPECT_TRUE(std::isfinite(g.ys) && std::isfinite(g.xs));
    EXPECT_EQ(flat.ViewEnd, 2);

    // no points: the picture is cleared and nothing else drawn
    AppState none;
    RecordingCanvas e(600, 300);
    EXPECT_FALSE(DrawHistory(e, none, 0, 1, HistoryTarget::Screen, 1.0).drawn);
    EXPECT_TRUE(e.of(Kind::Line).empty());

    // the printer draws black with the caption above the plot
    AppState s = withHistory({-10, 30, -20, 40});
    RecordingCanvas p(1000, 1414, true);
    DrawHistory(p, s, 0, 1, HistoryTarget::Printer, 1.0);
    EXPECT_TRUE(curve(p, s).empty());
    const auto* cap = p.findText("Stress History");
    ASSERT_NE(cap, nullptr);
    EXPECT_TRUE(cap->font.bold && cap->font.italic);
}

TEST(HistoryPlot, InformationPanelTexts) {
    AppState s = withHistory({-12.5f, 250.25f, 0, 3});
    s.batch().Name = "Girder";
    s.batch().Title = "run7";
    s.CurrentBatch = 0;
    const HistoryInfoTexts t = HistoryInformation(s, 0);
    EXPECT_EQ(std::tuple(t.cycleEnabled, t.points, t.maxValue, t.minValue, t.recordTime),
              std::tuple(true, "4", "250.25", "-12.5", "12.5"));
    EXPECT_EQ(std::tuple(t.maxLabel, t.historyOf, t.caption, t.zoomToolTip),
              std::tuple("Max Stress [MPa]:", "Stress History of:", "Stress History Information", "Zoom the Stress history"));
}

}  // namespace
