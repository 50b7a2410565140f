#include <gtest/gtest.h>

#include "spectrum/SpectrumPlot.h"
#include "support/RecordingCanvas.h"

using namespace karmo;
using karmo::test::RecordingCanvas;
using Kind = RecordingCanvas::Kind;
using Seg = std::array<double, 4>;

namespace {

// Levels 10, 6, 2 with one cycle each, counted from 10, 2, 8, 4, 6, 0.
AppState threeLevels() {
    AppState s;
    DataBatch& b = s.batch();
    b.PointCount = 6;
    b.LevelCount = 3;
    b.LevelRange = {0, 10, 6, 2};
    b.LevelCycles = {0, 1, 1, 1};
    b.MaxRange = 10;
    b.MinRange = 2;
    b.Volume = 3;
    s.CountedRanges = {0, 2, 6, 10, 0};
    return s;
}

// The lines drawn with the dash style; after the two axes all in the pen width.
std::vector<Seg> lines(const RecordingCanvas& c, DashStyle dash, int penWidth = 1) {
    std::vector<Seg> r;
    for (const auto* op : c.of(Kind::Line)) {
        if (op->dash != dash) continue;
        EXPECT_TRUE(op->penWidth == penWidth || (dash == DashStyle::Solid && r.size() < 2));
        r.push_back({op->x1, op->y1, op->x2, op->y2});
    }
    return r;
}

// An 800 x 600 picture at 96 dpi is 12000 x 9000 twips: the horizontal axis runs from 1200
// (0 cycles) to 10800 (the volume) at height 1350, MaxRange is drawn at 7650.
constexpr double kX0 = 1200, kX1 = 10800, kY0 = 1350, kYTop = 7650;
constexpr double kH = (kX1 - kX0) / 3, kV = (kYTop - kY0) / 10;  // one cycle, one unit of range

}  // namespace

TEST(DrawSpectrum, ScreenAxesWordsAndLabels) {
    for (const char* quantity : {"Stress ", "Strain "}) {
        AppState s = threeLevels();
        s.QuantityName = quantity;
        RecordingCanvas c(800, 600);
        DrawSpectrum(c, s, 0);
        ASSERT_GE(c.ops.size(), 2u);
        EXPECT_EQ((Seg{c.ops[0].x1, c.ops[0].y1, c.ops[0].x2, c.ops[0].y2}), (Seg{0, 9000, 12000, 0}));  // y up
        EXPECT_EQ(std::tuple(c.ops[0].kind, c.ops[1].kind, c.ops[1].color),
                  std::tuple(Kind::Scale, Kind::Clear, s.PlotBackColor));
        const auto axes = lines(c, DashStyle::Solid);
        EXPECT_EQ(std::tuple(axes[0][0], axes[0][2], axes[1][1], axes[1][3]), std::tuple(kX0, kX0, kY0, kY0));
        // The quantity down the left side, one letter per line, 200 apart, 220 left of the axis.
        std::string word;
        for (const auto* t : c.of(Kind::Text)) {
            if (t->text.size() != 1 || t->font.size != 7) continue;
            const double y = c.of(Kind::Text)[0]->y1 - 200.0 * static_cast<double>(word.size());
            EXPECT_EQ(std::tuple(t->x1, t->y1, t->font.name), std::tuple(kX0 - 220, y, "Microsoft Sans Serif"));
            word += t->text;
        }
        EXPECT_EQ(word, std::string(quantity) == "Strain " ? "STRAIN" : "STRESS");
        ASSERT_TRUE(c.findText("CYCLES") && c.findText("3"));
        EXPECT_LT(c.findText("CYCLES")->y1, kY0);
        EXPECT_EQ(std::tuple(c.findText("3")->x1, c.findText("3")->font.size), std::tuple(kX1 - 50, 9));  // the volume
    }
    AppState s = threeLevels();
    s.DmseLabel = "DMSE(+): Su=500, Sy=300, Kf=1.0";
    RecordingCanvas c(800, 600);
    SpectrumPlotLabels l = DrawSpectrum(c, s, 0);
    EXPECT_EQ(std::tuple(l.frameCaption, l.frameColor, l.ssMax, l.ssMse, l.historyToolTip),
              std::tuple("Stress Spectrum", s.SpectrumColor, "10.0 MPa    (range)", s.DmseLabel,
                         "Click here to see the Stress History info"));
    EXPECT_TRUE(l.ssMaxVisible && l.ssMseVisible && l.summaryMenuEnabled && l.historyCrossPointer);
    s.batch().PointCount = 0;  // no history behind the spectrum
    l = DrawSpectrum(c, s, 0);
    EXPECT_FALSE(l.ssMseVisible || l.historyCrossPointer);
    RecordingCanvas empty(800, 600);
    DrawSpectrum(empty, AppState(), 0);
    EXPECT_EQ(lines(empty, DashStyle::Solid).size(), 2u);  // only the axes, and the volume 0
    EXPECT_TRUE(empty.hasText("0"));
}

TEST(DrawSpectrum, StairStepsAndTheDottedCountedCurve) {
    AppState s = threeLevels();
    s.batch().LevelCycles = {0, 1, 0, 2};  // an empty inner level has no step of its own
    RecordingCanvas before(800, 600);
    DrawSpectrum(before, s, 0);
    EXPECT_TRUE(lines(before, DashStyle::Dot).empty());  // only right after a count
    s.AfterCounting = true;
    RecordingCanvas c(800, 600);
    DrawSpectrum(c, s, 0);
    auto solid = lines(c, DashStyle::Solid);
    solid.erase(solid.begin(), solid.begin() + 2);  // the axes
    // From (0, MaxRange) to level 1; level 3 starts where level 1 ended.
    const double l1 = kYTop, l3 = kY0 + 2 * kV;
    EXPECT_EQ(solid, (std::vector<Seg>{{kX0, l1, kX0, l1}, {kX0, l1, kX0 + kH, l1}, {kX0 + kH, l1, kX0 + kH, kY0},
                                       {kX0 + kH, kY0, kX0 + kH, l3}, {kX0 + kH, l3, kX1, l3}, {kX1, l3, kX1, kY0}}));
    // Largest counted range first, one cycle per step; it ends where the stair steps end.
    EXPECT_EQ(lines(c, DashStyle::Dot), (std::vector<Seg>{{kX0, l1, kX0 + kH, l1},
                                                          {kX0 + kH, l1, kX0 + 2 * kH, kY0 + 6 * kV},
                                                          {kX0 + 2 * kH, kY0 + 6 * kV, kX1, l3}}));
}

TEST(DrawSpectrum, PrinterPageGeometry) {
    const std::array<double, 4> cases[] = {
        // page width and height in twips, plot area width and height
        {16500, 12750, 16500 / 2.45, 0.7 * 16500 / 2.45},  // landscape, ratio above 0.72
        {11000, 16500, 11000 / 2.5, 16500 / 2.6},          // portrait, ratio 0.7 or less
        {11550, 16200, 16200 / 2.6 / 0.7, 16200 / 2.6},    // ratio 0.713, between the two
    };
    for (const auto& [w, h, areaW, areaH] : cases) {
        const SpectrumPlotArea a = SpectrumAreaFor(w, h, true);
        EXPECT_DOUBLE_EQ(a.width, areaW);
        EXPECT_DOUBLE_EQ(a.height, areaH);
        EXPECT_DOUBLE_EQ(a.left, 0.1 * w);
        EXPECT_DOUBLE_EQ(a.bottom + a.height, 0.9 * h);  // top margin 0.1 of the page
    }
    RecordingCanvas c(1100, 850, true);
    const SpectrumPlotLabels l = DrawSpectrum(c, threeLevels(), 0);
    const SpectrumPlotArea a = SpectrumAreaFor(16500, 12750, true);
    const auto solid = lines(c, DashStyle::Solid, 5);  // the printer's pen width
    EXPECT_DOUBLE_EQ(solid[0][0], a.left + 0.1 * a.width);
    EXPECT_DOUBLE_EQ(solid[0][1], a.bottom + 0.15 * a.height);
    EXPECT_TRUE(c.of(Kind::Clear).empty() && !l.ssMaxVisible && l.ssMax.empty());
}
