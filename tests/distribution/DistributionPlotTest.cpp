#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "Fixtures.h"
#include "distribution/Densities.h"
#include "distribution/DistributionPlot.h"
#include "support/RecordingCanvas.h"

using namespace karmo;
using karmo::test::RecordingCanvas;
using Kind = RecordingCanvas::Kind;

namespace {

// A four-level spectrum from maxRange down to a quarter of it, with one parameter set.
AppState plotted(int16_t type, float maxRange, float q, float r, bool fitted) {
    AppState s;
    const float m = maxRange;
    karmo::test::SetSpectrum(s, m, m / 4, {m, m * 0.75f, m / 2, m / 4}, {1, 2, 3, 4});
    s.DistributionType = type;
    s.DistributionLabel = type == kWeibull ? "(Weibull)" : "";
    (fitted ? s.batch().FitQ : s.batch().SourceQ) = q;
    (fitted ? s.batch().FitR : s.batch().SourceR) = r;
    s.ShowFitted = fitted;
    return s;
}

bool hasLine(const RecordingCanvas& cv, std::vector<double> want) {
    const auto lines = cv.of(Kind::Line);
    return std::any_of(lines.begin(), lines.end(),
                       [&](auto* op) { return std::vector<double>({op->x1, op->y1, op->x2, op->y2}) == want; });
}

}  // namespace

TEST(DrawDensityCurve, PeakAtOneOverOnePointSixFiveAndUnitRangeAtOneOverOnePointOFive) {
    struct Case { int16_t type; float q, r; };
    for (const Case& c : {Case{kBeta, 2, 2}, {kWeibull, 0.5f, 2}, {kLognorm, -1, 0.5f}}) {
        AppState s = plotted(c.type, 100, c.q, c.r, true);
        RecordingCanvas cv;
        DrawDensityCurve(s, cv, 1050, 0, 1650, 0, c.q, c.r, 3, 0x123456);
        const auto lines = cv.of(Kind::Line);
        double top = 0;
        for (const auto* op : lines) top = std::max({top, op->y1, op->y2});
        EXPECT_NEAR(top, 1000.0, 1e-9) << c.type;
        // From (left, base) to the first sample x = 0.002; the last sample just short of 1.
        EXPECT_TRUE(lines.front()->x1 == 0 && lines.front()->y1 == 0 && std::fabs(lines.front()->x2 - 2) < 1e-6);
        EXPECT_TRUE(lines.back()->x2 > 997 && lines.back()->x2 < 1000) << lines.back()->x2;
        EXPECT_TRUE(lines.back()->color == 0x123456u && lines.back()->penWidth == 3);
    }
    // No density: nothing is drawn.
    AppState b = plotted(kWeibull, 200, 0.5f, 2.0f, true);
    RecordingCanvas none;
    DrawDensityCurve(b, none, 1050, 0, 1650, 0, 0.5f, 0.0f, 1, 0);
    EXPECT_TRUE(none.of(Kind::Line).empty() && b.MaxDensity == 0.0);
}

TEST(DrawSpectrumBars, ThreeLinesPerLevelScaledByMaxDensity) {
    AppState s;
    karmo::test::SetSpectrum(s, 100, 20, {100, 60, 20}, {1, 3, 6});
    s.MaxDensity = 2.0;  // vertical factor 1650 / 2 / 1.65 = 500
    for (bool printer : {false, true}) {
        RecordingCanvas cv(800, 600, printer);
        DrawSpectrumBars(s, cv, 1050, 0, 1650, 0);
        // Level 2: from range 60 down to 60 - dS = 20, height 500 * 3 / 10.
        EXPECT_EQ(cv.of(Kind::Line).size(), 9u);
        EXPECT_TRUE(hasLine(cv, {600, 0, 600, 150}) && hasLine(cv, {600, 150, 200, 150}) && hasLine(cv, {200, 150, 200, 0}));
        EXPECT_EQ(cv.of(Kind::Line)[0]->color, printer ? 0x808080u : 0x000000u);
    }
}

// Bars and curve share one vertical scale for every type: a bar stands at its relative
// frequency over its width as a share of the span, 1 / (LevelCount - 1), in the units in
// which the curve draws its density. Beta 1.35 / 6.14 has 1 / B of about 13.
TEST(DrawSpectrumBars, OnTheCurvesVerticalScale) {
    struct Case { int16_t type; float q, r; };
    for (const Case& c : {Case{kBeta, 1.35f, 6.14f}, {kWeibull, 0.5f, 2}, {kLognorm, -1, 0.5f}}) {
        AppState s = plotted(c.type, 200, c.q, c.r, true);
        RecordingCanvas curve, bars;
        DrawDensityCurve(s, curve, 1050, 0, 1650, 0, c.q, c.r, 1, 0);
        DrawSpectrumBars(s, bars, 1050, 0, 1650, 0);
        // The first stroke runs from the base to the sample at x = 0.002.
        const double vertical = curve.of(Kind::Line).front()->y2 / Density(c.type, 0.002f, c.q, c.r);
        const DataBatch& b = s.batch();
        const double width = 1.0 / (b.LevelCount - 1);  // a level's width as a share of the span
        const auto lines = bars.of(Kind::Line);
        ASSERT_EQ(lines.size(), 3u * b.LevelCount);
        for (int i = 1; i <= b.LevelCount; ++i) {
            const double relative = static_cast<double>(b.LevelCycles[i]) / b.Volume;
            EXPECT_NEAR(lines[3 * (i - 1)]->y2, vertical * relative / width, 1e-6 * vertical) << c.type << " level " << i;
        }
    }
}

TEST(DrawDistribution, LabelsByTypeAndUnits) {
    struct Case { int16_t type; float maxRange, q, r; bool fitted, us; const char* dt0; const char* dt1;
                  const char* smax; const char* p; const char* formula; };
    const char* weibull = "f(S)=(R/Q)*(S/Q)^(R-1)*exp[-(S/Q)^R]";
    const Case cases[] = {
        // P = exp(-1 / 0.25) = exp(-4) through "#.0#e+##"; fitted and source sets alike.
        {kWeibull, 200, 0.5f, 2, true, false, "Q = 100.0", "R = 2.0", "200.0 MPa", "P(DS > 200. MPa) = 1.83e-2", weibull},
        {kWeibull, 200, 100, 2, false, false, "Q = 100.0", "R = 2.0", "200.0 MPa", "P(DS > 200. MPa) = 1.83e-2", weibull},
        {kWeibull, 200, 0.5f, 2, true, true, "Q = 14.503", "R = 2.0", "29.007 ksi", "P(DS > 29.01 ksi) = 1.83e-2", weibull},
        {kBeta, 100, 0.24444f, 0.97778f, true, false, "Q = 0.244", "R = 0.978", "100.0 MPa", "P(DS > 100. MPa) = .0e+0",
         "f(S)=S^(Q-1)*(1-S)^(R-1)"},
        // The fitted Log-norm mean -2.12425 is shown as -2.12425 + ln 100; 1 - Phi(2.0935) = 1.82e-2.
        {kLognorm, 100, -2.12425f, 1.0147f, true, false, "Q = 2.481", "R = 1.015", "100.0 MPa", "P(DS > 100. MPa) = 1.82e-2",
         "f(S)=1/(S*R)/(2pi)^0.5*exp{-0.5[(lnS-Q)/R]^2}"},
    };
    for (const Case& c : cases) {
        AppState s = plotted(c.type, c.maxRange, c.q, c.r, c.fitted);
        if (c.us) {
            s.QuantityFactor = 1.0f / 6.895f;
            s.QuantityUnit = "ksi";
        }
        RecordingCanvas cv;
        const DistributionPlotLabels l = DrawDistribution(s, cv, 0);
        EXPECT_EQ(std::vector<std::string>({l.dt0.caption, l.dt1.caption, l.dtsMax.caption, l.dt0.toolTip}),
                  std::vector<std::string>({c.dt0, c.dt1, c.smax, c.formula}));
        EXPECT_EQ(l.dtsMax.toolTip, c.p);
        EXPECT_TRUE(l.dt0.visible && l.dt1.visible && l.dtsMax.visible);
        EXPECT_EQ(s.ShownQ, c.q);
        // Source values are normalised first (100 of 200 is 0.5); MaxDensity is the largest
        // sample over LevelCount - 1: Weibull 0.5/2 peaks at sqrt(2)/0.5 exp(-0.5).
        if (c.type == kWeibull) {
            EXPECT_NEAR(s.MaxDensity, std::sqrt(2.0) / 0.5 * std::exp(-0.5) / 3, 1e-5);
        }
        // The fitted curve in the graph colour, the source curve in black; no title on screen.
        const auto lines = cv.of(Kind::Line);
        EXPECT_EQ(std::any_of(lines.begin(), lines.end(), [&](auto* op) { return op->color == s.GraphColor; }), c.fitted);
        EXPECT_FALSE(cv.hasText(l.frameCaption));
    }
}

TEST(DrawDistribution, AxesTitlesToolTipsAndHiddenLabels) {
    AppState s = plotted(kWeibull, 200, 0.5f, 2, true);
    s.batch().PointCount = 10;
    RecordingCanvas cv(800, 600);
    DistributionPlotLabels l = DrawDistribution(s, cv, 0);
    EXPECT_EQ(l.frameCaption, "Stress Distribution (Weibull)");
    // Twips, y up: 800 x 600 pixels at 96 per inch; the plot box runs across from 1200 to
    // 10800 and down from 7650 (15 %) to 900 (90 %); axes with arrow heads.
    EXPECT_EQ(cv.of(Kind::Scale).at(0)->x2, 12000.0);
    EXPECT_TRUE(hasLine(cv, {1200, 800, 1200, 7650}) && hasLine(cv, {1200, 7650, 1170, 7560}));
    EXPECT_TRUE(hasLine(cv, {1200, 900, 10900, 900}) && hasLine(cv, {10900, 900, 10810, 930}));
    // "PDF" one letter per line downwards, left of the vertical axis.
    EXPECT_TRUE(cv.findText("P")->y1 > cv.findText("D")->y1 && cv.findText("D")->y1 > cv.findText("F")->y1);
    EXPECT_EQ(cv.findText("STRESS RANGE")->font.name, "Microsoft Sans Serif");
    EXPECT_TRUE(l.crossCursors);
    EXPECT_EQ(l.spectrumPicToolTip, "Click here to see the Stress Spectrum info");
    EXPECT_EQ(l.historyPicToolTip, "Click here to see the Stress History info");
    s.QuantityName = "Strain ";
    s.ToolTipsHidden = 1;
    l = DrawDistribution(s, cv, 0);
    EXPECT_TRUE(cv.hasText("STRAIN RANGE") && l.crossCursors && l.spectrumPicToolTip.empty() && l.historyPicToolTip.empty());
    s.batch().PointCount = 0;
    EXPECT_FALSE(DrawDistribution(s, cv, 0).crossCursors);
    // No parameters: labels hidden; only when reopened by Correction are the axes drawn.
    s.batch().FitQ = 0;
    for (bool correction : {false, true}) {
        RecordingCanvas empty;
        l = DrawDistribution(s, empty, 0, {false, 1, correction});
        EXPECT_FALSE(l.dt0.visible || l.dt1.visible || l.dtsMax.visible);
        EXPECT_TRUE(empty.of(Kind::Clear).size() == 1 && empty.hasText("STRAIN RANGE") == correction);
    }
}

TEST(DrawDistribution, PrinterAndSavePictureCarryTitleAndParameterLine) {
    AppState s = plotted(kWeibull, 200, 0.5f, 2, true);
    RecordingCanvas printer(4800, 3600, true), picture(800, 600);
    DrawDistribution(s, printer, 0);
    const auto* title = printer.findText("Stress Distribution (Weibull)");
    const auto* line = printer.findText("Q = 100.0,    R = 2.0");
    ASSERT_TRUE(title && line);
    EXPECT_TRUE(title->font.bold && title->font.italic && title->font.size == 10.0);
    EXPECT_TRUE(!line->font.bold && line->font.size == 9.0);
    const auto boxes = printer.of(Kind::Box);  // white, behind the title
    EXPECT_TRUE(boxes.size() == 1 && boxes[0]->filled && boxes[0]->color == 0xFFFFFFu);
    EXPECT_TRUE(printer.of(Kind::Clear).empty());
    // On paper the fitted curve is black and 5 wide, a source curve stays 1 wide.
    const auto lines = printer.of(Kind::Line);
    EXPECT_GT(std::count_if(lines.begin(), lines.end(), [](auto* op) { return op->penWidth == 5 && op->color == 0u; }), 400);
    AppState src = plotted(kWeibull, 200, 100, 2, false);
    RecordingCanvas paper(4800, 3600, true);
    DrawDistribution(src, paper, 0);
    for (const auto* op : paper.of(Kind::Line)) EXPECT_NE(op->penWidth, 5);
    // The saved picture carries them too, with the window's text scale.
    DrawDistribution(s, picture, 0, {true, 1.5, false});
    EXPECT_EQ(picture.findText("Stress Distribution (Weibull)")->font.size, 15.0);
    EXPECT_NE(picture.findText("Q = 100.0,    R = 2.0"), nullptr);
}
