#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "core/AppState.h"
#include "history/HistoryPlot.h"
#include "history/SeriesReaders.h"
#include "spectrum/RainflowCounter.h"
#include "support/RecordingCanvas.h"
#include "support/ScriptedPrompter.h"

// The history plot after counting has rotated the history to start at its largest
// magnitude: every drawn stroke stays within the batch's extremes, whatever window is
// shown, and the spare slots around the points are never read.

using namespace karmo;
using karmo::test::RecordingCanvas;

namespace {

struct Stroke {
    double x, lo, hi;   // x in plot units; lo and hi as history values
};

std::vector<Stroke> curveStrokes(const RecordingCanvas& c, const AppState& s, const HistoryGeometry& g) {
    std::vector<Stroke> r;
    for (const auto* op : c.of(RecordingCanvas::Kind::Line)) {
        if (op->color != s.GraphColor) continue;
        const double a = (op->y1 - g.y0) / g.ys, b = (op->y2 - g.y0) / g.ys;
        r.push_back({op->x1, std::min(a, b), std::max(a, b)});
    }
    return r;
}

void expectWithinExtremes(const std::vector<Stroke>& strokes, const DataBatch& b) {
    ASSERT_FALSE(strokes.empty());
    for (const Stroke& k : strokes) {
        EXPECT_GE(k.lo, b.MinValue - 1e-3) << "at x " << k.x;
        EXPECT_LE(k.hi, b.MaxValue + 1e-3) << "at x " << k.x;
    }
}

TEST(HistoryPlotAfterRearrange, ExampleSeriesFirstColumnIsItsLargestCycle) {
    AppState s;
    test::ScriptedPrompter p;
    const std::string series = KARMO_TEST_DATA "/../../examples/strain-gauge.asc";
    ASSERT_EQ(ReadAsciiSeries(s, p, series, s.CurrentBatch), SeriesRead::Loaded);
    const int32_t n = s.batch().PointCount;
    ASSERT_EQ(n, 4186);
    ASSERT_TRUE(RearrangeHistory(s.Values, n));
    // The largest stress and the smallest follow each other within five points, so the
    // first pixel column rightly spans nearly the whole value range.
    EXPECT_EQ(std::vector<float>(s.Values.begin() + 1, s.Values.begin() + 7),
              (std::vector<float>{174.15f, 172.3f, 172.95f, -92.3f, -92.0f, -92.6f}));

    s.ViewCount = n;
    RecordingCanvas c(955, 300);    // the picture of a 1024 x 768 window: 5 points a pixel
    const HistoryGeometry g = DrawHistory(c, s, s.CurrentBatch, 1, HistoryTarget::Screen, 1.0);
    const auto strokes = curveStrokes(c, s, g);
    expectWithinExtremes(strokes, s.batch());
    ASSERT_GE(strokes.size(), 2u);
    EXPECT_NEAR(strokes[0].lo, -92.3, 1e-4);    // points 1..5
    EXPECT_NEAR(strokes[0].hi, 174.15, 1e-4);
    EXPECT_NEAR(strokes[1].lo, -92.6, 1e-4);    // points 5..10
    EXPECT_NEAR(strokes[1].hi, 154.55, 1e-4);
}

TEST(HistoryPlotAfterRearrange, NoWindowReadsTheSpareSlots) {
    // An alternating history of random steps, its largest magnitude in the middle.
    std::mt19937 rng(7);
    std::uniform_real_distribution<float> step(0.5f, 100.0f);
    std::vector<float> h(3000);
    for (size_t i = 0; i < h.size(); ++i) h[i] = (i % 2 ? 1.0f : -1.0f) * step(rng);
    h[1733] = 400;
    AppState s;
    s.Values.assign(h.size() + 2, 0.0f);
    std::copy(h.begin(), h.end(), s.Values.begin() + 1);
    s.batch().PointCount = static_cast<int32_t>(h.size());
    const auto [mn, mx] = std::minmax_element(h.begin(), h.end());
    s.batch().MaxValue = *mx;
    s.batch().MinValue = *mn;
    const int32_t n = s.batch().PointCount;
    ASSERT_TRUE(RearrangeHistory(s.Values, n));
    s.Values[0] = s.Values[static_cast<size_t>(n) + 1] = 1e6f;    // any read of them shows

    struct Window {
        int32_t from, count;
        double widthPx;
    };
    const Window windows[] = {
        {1, 3000, 700},   {1, 3000, 120},  {2, 2999, 300},  {7, 1000, 200},
        {2001, 1000, 90}, {2900, 101, 800}, {1, 40, 800},    {2961, 40, 800},
    };
    for (const Window& w : windows) {
        SCOPED_TRACE(testing::Message() << "from " << w.from << ", " << w.count << " points, " << w.widthPx << " px");
        s.ViewCount = w.count;
        RecordingCanvas c(w.widthPx, 300);
        const HistoryGeometry g = DrawHistory(c, s, s.CurrentBatch, w.from, HistoryTarget::Screen, 1.0);
        expectWithinExtremes(curveStrokes(c, s, g), s.batch());
    }
}

}  // namespace
