#include <gtest/gtest.h>

#include "spectrum/SpectrumPlot.h"
#include "support/RecordingCanvas.h"

using namespace karmo;
using karmo::test::RecordingCanvas;
using Kind = RecordingCanvas::Kind;

namespace {

// Levels 10, 6, 2 with one cycle each, counted from 10, 2, 8, 4, 6, 0.
AppState threeLevels() {
    AppState s;
    DataBatch& b = s.batch();
    b.PointCount = 6;
    b.LevelCount = 3;
    b.LevelRange[1] = 10;
    b.LevelRange[2] = 6;
    b.LevelRange[3] = 2;
    b.LevelCycles[1] = 1;
    b.LevelCycles[2] = 1;
    b.LevelCycles[3] = 1;
    b.MaxRange = 10;
    b.MinRange = 2;
    b.Volume = 3;
    s.CountedRanges = {0, 2, 6, 10, 0};
    return s;
}

std::vector<const RecordingCanvas::Op*> lines(const RecordingCanvas& c, DashStyle dash) {
    std::vector<const RecordingCanvas::Op*> r;
    for (const auto* op : c.of(Kind::Line))
        if (op->dash == dash) r.push_back(op);
    return r;
}

struct Seg {
    double x1, y1, x2, y2;
};

void expectSegments(const std::vector<const RecordingCanvas::Op*>& got, const std::vector<Seg>& want) {
    ASSERT_EQ(got.size(), want.size());
    for (size_t i = 0; i < want.size(); ++i) {
        EXPECT_NEAR(got[i]->x1, want[i].x1, 1e-6) << i;
        EXPECT_NEAR(got[i]->y1, want[i].y1, 1e-6) << i;
        EXPECT_NEAR(got[i]->x2, want[i].x2, 1e-6) << i;
        EXPECT_NEAR(got[i]->y2, want[i].y2, 1e-6) << i;
    }
}

// An 800 x 600 picture at 96 dpi is 12000 x 9000 twips: the horizontal axis runs from 1200
// (0 cycles) to 10800 (the volume) at height 1350, MaxRange is drawn at 7650.
constexpr double kX0 = 1200, kX1 = 10800, kY0 = 1350, kYTop = 7650;

}  // namespace

TEST(DrawSpectrum, ScreenScaleAxesAndWords) {
    AppState s = threeLevels();
    RecordingCanvas c(800, 600);
    DrawSpectrum(c, s, 0);
    ASSERT_FALSE(c.ops.empty());
    EXPECT_EQ(c.ops[0].kind, Kind::Scale);
    EXPECT_EQ(c.ops[0].y1, 9000);   // y grows upwards
    EXPECT_EQ(c.ops[0].x2, 12000);
    EXPECT_EQ(c.ops[0].y2, 0);
    EXPECT_EQ(c.ops[1].kind, Kind::Clear);
    EXPECT_EQ(c.ops[1].color, s.PlotBackColor);

    // Axes first: vertical at x0, horizontal at y0.
    const auto solid = lines(c, DashStyle::Solid);
    ASSERT_GE(solid.size(), 2u);
    EXPECT_EQ(solid[0]->x1, kX0);
    EXPECT_EQ(solid[0]->x2, kX0);
    EXPECT_EQ(solid[1]->y1, kY0);
    EXPECT_EQ(solid[1]->y2, kY0);

    // "STRESS" down the left side, one letter per line, 200 apart, 220 left of the axis.
    std::vector<std::string> letters;
    double previousY = 1e9;
    for (const auto* t : c.of(Kind::Text)) {
        if (t->text.size() != 1 || t->font.size != 7) continue;
        letters.push_back(t->text);
        EXPECT_EQ(t->x1, kX0 - 220);
        EXPECT_EQ(t->font.name, "Microsoft Sans Serif");
        EXPECT_EQ(t->font.size, 7);
        if (previousY < 1e9) {
            EXPECT_DOUBLE_EQ(previousY - t->y1, 200);
        }
        previousY = t->y1;
    }
    EXPECT_EQ(letters, (std::vector<std::string>{"S", "T", "R", "E", "S", "S"}));
    const auto* cycles = c.findText("CYCLES");
    ASSERT_NE(cycles, nullptr);
    EXPECT_LT(cycles->y1, kY0);
    // The volume at the right end of the axis, 50 units per character, size 9.
    const auto* volume = c.findText("3");
    ASSERT_NE(volume, nullptr);
    EXPECT_EQ(volume->x1, kX1 - 50);
    EXPECT_EQ(volume->font.size, 9);
}

TEST(DrawSpectrum, StairStepsStandSideBySide) {
    AppState s = threeLevels();
    s.batch().LevelCycles[2] = 0;   // an empty inner level leaves no bar of its own
    s.batch().LevelCycles[3] = 2;
    RecordingCanvas c(800, 600);
    DrawSpectrum(c, s, 0);
    auto solid = lines(c, DashStyle::Solid);
    solid.erase(solid.begin(), solid.begin() + 2);  // the axes
    const double h = (kX1 - kX0) / 3, v = (kYTop - kY0) / 10;
    expectSegments(solid, {
        {kX0, kYTop, kX0, kYTop},                 // from (0, MaxRange) to (0, level 1)
        {kX0, kYTop, kX0 + h, kYTop},
        {kX0 + h, kYTop, kX0 + h, kY0},
        {kX0 + h, kY0, kX0 + h, kY0 + 2 * v},     // level 3 starts where level 1 ended
        {kX0 + h, kY0 + 2 * v, kX1, kY0 + 2 * v},
        {kX1, kY0 + 2 * v, kX1, kY0},
    });
    for (const auto* op : solid) EXPECT_EQ(op->penWidth, 1);
    EXPECT_TRUE(lines(c, DashStyle::Dot).empty());   // no count just made
}

TEST(DrawSpectrum, DottedCountedCurveAfterACount) {
    AppState s = threeLevels();
    s.AfterCounting = true;
    RecordingCanvas c(800, 600);
    DrawSpectrum(c, s, 0);
    const double h = (kX1 - kX0) / 3, v = (kYTop - kY0) / 10;
    const auto dotted = lines(c, DashStyle::Dot);
    // Largest range first, one cycle per step; it ends where the stair steps end.
    expectSegments(dotted, {
        {kX0, kY0 + 10 * v, kX0 + h, kY0 + 10 * v},
        {kX0 + h, kY0 + 10 * v, kX0 + 2 * h, kY0 + 6 * v},
        {kX0 + 2 * h, kY0 + 6 * v, kX1, kY0 + 2 * v},
    });
    for (const auto* op : dotted) EXPECT_EQ(op->penWidth, 1);
    const auto solid = lines(c, DashStyle::Solid);
    EXPECT_NEAR(solid.back()->x1, dotted.back()->x2, 1e-6);
}

TEST(DrawSpectrum, LabelsBesideThePlot) {
    AppState s = threeLevels();
    s.DmseLabel = "DMSE(+): Su=500, Sy=300, Kf=1.0";
    RecordingCanvas c(800, 600);
    SpectrumPlotLabels l = DrawSpectrum(c, s, 0);
    EXPECT_EQ(l.frameCaption, "Stress Spectrum");
    EXPECT_EQ(l.frameColor, s.SpectrumColor);
    EXPECT_EQ(l.ssMax, "10.0 MPa    (range)");
    EXPECT_TRUE(l.ssMaxVisible);
    EXPECT_EQ(l.ssMse, "DMSE(+): Su=500, Sy=300, Kf=1.0");
    EXPECT_TRUE(l.ssMseVisible);
    EXPECT_TRUE(l.summaryMenuEnabled);
    EXPECT_TRUE(l.historyCrossPointer);
    EXPECT_EQ(l.historyToolTip, "Click here to see the Stress History info");

    // In ksi, with tool tips hidden and no history behind the spectrum.
    s.QuantityFactor = 1.0f / 6.895f;
    s.QuantityUnit = "ksi";
    s.ToolTipsHidden = 1;
    s.batch().MaxRange = 689.5f;
    l = DrawSpectrum(c, s, 0);
    EXPECT_EQ(l.ssMax, "100.0 ksi    (range)");
    EXPECT_EQ(l.historyToolTip, "");
    s.batch().PointCount = 0;
    l = DrawSpectrum(c, s, 0);
    EXPECT_FALSE(l.ssMseVisible);
    EXPECT_FALSE(l.historyCrossPointer);
}

TEST(DrawSpectrum, StrainAxisWord) {
    AppState s = threeLevels();
    s.QuantityName = "Strain ";
    RecordingCanvas c(800, 600);
    const SpectrumPlotLabels l = DrawSpectrum(c, s, 0);
    std::string word;
    for (const auto* t : c.of(Kind::Text))
        if (t->text.size() == 1 && t->font.size == 7) word += t->text;
    EXPECT_EQ(word, "STRAIN");
    EXPECT_EQ(l.frameCaption, "Strain Spectrum");
}

TEST(DrawSpectrum, PrinterPageGeometry) {
    struct Case {
        double w, h;             // page in twips (96 dpi device pixels x 15)
        double areaW, areaH;
    };
    const Case cases[] = {
        {16500, 12750, 16500 / 2.45, 0.7 * 16500 / 2.45},   // landscape, ratio above 0.72
        {11000, 16500, 11000 / 2.5, 16500 / 2.6},           // portrait, ratio 0.7 or less
        {11550, 16200, 16200 / 2.6 / 0.7, 16200 / 2.6},     // ratio 0.713, between the two
    };
    for (const Case& k : cases) {
        const SpectrumPlotArea a = SpectrumAreaFor(k.w, k.h, true);
        EXPECT_DOUBLE_EQ(a.width, k.areaW);
        EXPECT_DOUBLE_EQ(a.height, k.areaH);
        EXPECT_DOUBLE_EQ(a.left, 0.1 * k.w);
        EXPECT_DOUBLE_EQ(a.bottom + a.height, 0.9 * k.h);   // top margin 0.1 of the page
    }
    AppState s = threeLevels();
    RecordingCanvas c(1100, 850, true);
    const SpectrumPlotLabels l = DrawSpectrum(c, s, 0);
    EXPECT_TRUE(c.of(Kind::Clear).empty());
    const SpectrumPlotArea a = SpectrumAreaFor(16500, 12750, true);
    const auto solid = lines(c, DashStyle::Solid);
    EXPECT_DOUBLE_EQ(solid[0]->x1, a.left + 0.1 * a.width);
    EXPECT_DOUBLE_EQ(solid[0]->y1, a.bottom + 0.15 * a.height);
    EXPECT_EQ(solid[2]->penWidth, 5);       // bars in the printer's pen width
    EXPECT_FALSE(l.ssMaxVisible);
    EXPECT_TRUE(l.ssMax.empty());
}

TEST(DrawSpectrum, EmptySpectrumDrawsOnlyTheFrame) {
    AppState s;
    RecordingCanvas c(800, 600);
    DrawSpectrum(c, s, 0);
    EXPECT_EQ(lines(c, DashStyle::Solid).size(), 2u);   // the axes
    EXPECT_TRUE(c.hasText("0"));                       // the volume
}
