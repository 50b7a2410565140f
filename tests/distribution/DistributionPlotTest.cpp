#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "Fixtures.h"
#include "core/AppState.h"
#include "distribution/Densities.h"
#include "distribution/DistributionPlot.h"
#include "support/RecordingCanvas.h"

using namespace karmo;
using karmo::test::RecordingCanvas;
using karmo::test::SetSpectrum;
using Kind = RecordingCanvas::Kind;

namespace {

// Weibull with fitted Q = 0.5 (of MaxRange 200) and R = 2 over a four-level spectrum.
AppState weibull200(bool fitted) {
    AppState s;
    SetSpectrum(s, 200, 50, {200, 150, 100, 50}, {1, 2, 3, 4});
    s.DistributionType = kWeibull;
    s.DistributionLabel = "(Weibull)";
    if (fitted) {
        s.batch().FitQ = 0.5f;
        s.batch().FitR = 2.0f;
        s.ShowFitted = true;
    } else {
        s.batch().SourceQ = 100.0f;
        s.batch().SourceR = 2.0f;
        s.ShowFitted = false;
    }
    return s;
}

double maxY(const std::vector<const RecordingCanvas::Op*>& lines) {
    double m = -1e300;
    for (const auto* op : lines) m = std::max({m, op->y1, op->y2});
    return m;
}

}  // namespace

TEST(DrawDensityCurve, PeakAtOneOverOnePointSixFiveAndUnitRangeAtOneOverOnePointOFive) {
    struct Case { int16_t type; float q, r; };
    const Case cases[] = {{kBeta, 2.0f, 2.0f}, {kWeibull, 0.5f, 2.0f}, {kLognorm, -1.0f, 0.5f}};
    for (const Case& c : cases) {
        AppState s;
        SetSpectrum(s, 100, 20, {100, 60, 20}, {1, 3, 6});
        s.DistributionType = c.type;
        RecordingCanvas cv(1000, 1000);
        cv.setScale(0, 2000, 1050, 0);
        DrawDensityCurve(s, cv, 1050, 0, 1650, 0, c.q, c.r, 3, 0x123456);
        const auto lines = cv.of(Kind::Line);
        ASSERT_GT(lines.size(), 400u) << c.type;
        EXPECT_NEAR(maxY(lines), 1000.0, 1e-9) << c.type;
        // The line starts at (left, base); the first sample is x = 0.002.
        EXPECT_EQ(lines.front()->x1, 0.0);
        EXPECT_EQ(lines.front()->y1, 0.0);
        EXPECT_NEAR(lines.front()->x2, 2.0, 1e-6);
        EXPECT_LT(lines.back()->x2, 1000.0);
        EXPECT_GT(lines.back()->x2, 997.0);
        EXPECT_EQ(lines.front()->color, 0x123456u);
        EXPECT_EQ(lines.front()->penWidth, 3);
        // The largest sampled density, per level step of the spectrum (3 levels).
        double largest = 0;
        for (float x = 0.002f; x <= 0.998f; x = x + 0.002f)
            largest = std::max(largest, Density(c.type, x, c.q, c.r, false));
        EXPECT_DOUBLE_EQ(s.MaxDensity, largest / 2) << c.type;
    }
}

TEST(DrawDensityCurve, SourceValuesAreNormalised) {
    // Q equal to the batch's SourceQ is in the internal unit: 100 of 200 is 0.5.
    AppState a = weibull200(false);
    RecordingCanvas ca, cb;
    DrawDensityCurve(a, ca, 1050, 0, 1650, 0, 100.0f, 2.0f, 1, 0);
    AppState b = weibull200(true);
    DrawDensityCurve(b, cb, 1050, 0, 1650, 0, 0.5f, 2.0f, 1, 0);
    EXPECT_EQ(a.MaxDensity, b.MaxDensity);
    ASSERT_EQ(ca.ops.size(), cb.ops.size());
    EXPECT_EQ(ca.of(Kind::Line).back()->y2, cb.of(Kind::Line).back()->y2);
}

TEST(DrawDensityCurve, NoDensityDrawsNothing) {
    AppState s = weibull200(true);
    s.MaxDensity = 5;
    RecordingCanvas cv;
    DrawDensityCurve(s, cv, 1050, 0, 1650, 0, 0.5f, 0.0f, 1, 0);
    EXPECT_TRUE(cv.of(Kind::Line).empty());
    EXPECT_EQ(s.MaxDensity, 0.0);
}

TEST(DrawSpectrumBars, ThreeLinesPerLevelScaledByMaxDensity) {
    AppState s;
    SetSpectrum(s, 100, 20, {100, 60, 20}, {1, 3, 6});
    s.MaxDensity = 2.0;  // vertical factor 1650 / 2 / 1.65 = 500
    RecordingCanvas cv;
    DrawSpectrumBars(s, cv, 1050, 0, 1650, 0);
    const auto lines = cv.of(Kind::Line);
    ASSERT_EQ(lines.size(), 9u);
    // Level 2: from range 60 down to 60 - dS = 20, height 500 * 3 / 10.
    const auto* up = lines[3];
    const auto* top = lines[4];
    const auto* down = lines[5];
    EXPECT_DOUBLE_EQ(up->x1, 600.0);
    EXPECT_EQ(up->y1, 0.0);
    EXPECT_DOUBLE_EQ(up->y2, 150.0);
    EXPECT_DOUBLE_EQ(top->x2, 200.0);
    EXPECT_DOUBLE_EQ(down->x1, 200.0);
    EXPECT_EQ(down->y2, 0.0);
    EXPECT_EQ(up->color, 0x000000u);

    RecordingCanvas printer(800, 600, true);
    DrawSpectrumBars(s, printer, 1050, 0, 1650, 0);
    EXPECT_EQ(printer.of(Kind::Line).front()->color, 0x808080u);
}

TEST(DrawDistribution, WeibullFittedAndSourceShowTheSameLabels) {
    for (bool fitted : {true, false}) {
        AppState s = weibull200(fitted);
        RecordingCanvas cv(800, 600);
        const DistributionPlotLabels l = DrawDistribution(s, cv, 0);
        EXPECT_EQ(l.frameCaption, "Stress Distribution (Weibull)");
        EXPECT_EQ(l.dt0.caption, "Q = 100.0") << fitted;
        EXPECT_EQ(l.dt1.caption, "R = 2.0");
        EXPECT_EQ(l.dt0.toolTip, "f(S)=(R/Q)*(S/Q)^(R-1)*exp[-(S/Q)^R]");
        EXPECT_DOUBLE_EQ(l.exceedance, std::exp(-4.0));
        EXPECT_EQ(l.dtsMax.toolTip, "P(DS > 200. MPa) = 1.83e-2");
        EXPECT_EQ(l.dtsMax.caption, "200.0 MPa");
        EXPECT_TRUE(l.dt0.visible && l.dt1.visible && l.dtsMax.visible);
        EXPECT_EQ(s.ShownQ, fitted ? 0.5f : 100.0f);
        EXPECT_EQ(s.ShownR, 2.0f);
        // The fitted curve in the graph colour, the source curve in black.
        const auto lines = cv.of(Kind::Line);
        const bool graphColour =
            std::any_of(lines.begin(), lines.end(), [&](auto* op) { return op->color == s.GraphColor; });
        EXPECT_EQ(graphColour, fitted);
        // The screen has no printed title.
        EXPECT_FALSE(cv.hasText(l.frameCaption));
    }
}

TEST(DrawDistribution, UsUnitsScaleTheShownValues) {
    AppState s = weibull200(true);
    s.QuantityFactor = 1.0f / 6.895f;
    s.QuantityUnit = "ksi";
    RecordingCanvas cv;
    const DistributionPlotLabels l = DrawDistribution(s, cv, 0);
    EXPECT_EQ(l.dt0.caption, "Q = 14.503");
    EXPECT_EQ(l.dtsMax.caption, "29.007 ksi");
    EXPECT_EQ(l.dtsMax.toolTip, "P(DS > 29.01 ksi) = 1.83e-2");
}

TEST(DrawDistribution, ExceedanceAndFormulaByType) {
    struct Case { int16_t type; float q, r; const char* p; const char* formula; const char* dt0; };
    const Case cases[] = {
        {kBeta, 0.24444f, 0.97778f, "P(DS > 100. MPa) = .0e+0", "f(S)=S^(Q-1)*(1-S)^(R-1)", "Q = 0.244"},
        // Fitted Log-norm mean -2.12425 shown as -2.12425 + ln 100.
        {kLognorm, -2.12425f, 1.0147f, nullptr, "f(S)=1/(S*R)/(2pi)^0.5*exp{-0.5[(lnS-Q)/R]^2}",
         "Q = 2.481"},
    };
    for (const Case& c : cases) {
        AppState s;
        SetSpectrum(s, 100, 20, {100, 60, 20}, {1, 3, 6});
        s.DistributionType = c.type;
        s.batch().FitQ = c.q;
        s.batch().FitR = c.r;
        s.ShowFitted = true;
        RecordingCanvas cv;
        const DistributionPlotLabels l = DrawDistribution(s, cv, 0);
        if (c.p) {
            EXPECT_EQ(l.dtsMax.toolTip, c.p);
        }
        EXPECT_EQ(l.dt0.toolTip, c.formula);
        EXPECT_EQ(l.dt0.caption, c.dt0);
    }
}

TEST(DrawDistribution, AxesAndTheirTitles) {
    AppState s = weibull200(true);
    RecordingCanvas cv(800, 600);
    DrawDistribution(s, cv, 0);
    // Scale in twips of the target, y up: 800 x 600 pixels at 96 per inch.
    const auto scale = cv.of(Kind::Scale);
    ASSERT_EQ(scale.size(), 1u);
    EXPECT_EQ(scale[0]->x1, 0.0);
    EXPECT_EQ(scale[0]->y1, 9000.0);
    EXPECT_EQ(scale[0]->x2, 12000.0);
    EXPECT_EQ(scale[0]->y2, 0.0);
    for (const char* t : {"P", "D", "F", "STRESS RANGE"}) EXPECT_TRUE(cv.hasText(t)) << t;
    EXPECT_EQ(cv.findText("STRESS RANGE")->font.name, "Microsoft Sans Serif");
    EXPECT_EQ(cv.findText("STRESS RANGE")->font.size, 7.0);
    // "PDF" one letter per line, downwards, left of the vertical axis.
    EXPECT_GT(cv.findText("P")->y1, cv.findText("D")->y1);
    EXPECT_GT(cv.findText("D")->y1, cv.findText("F")->y1);
    EXPECT_LT(cv.findText("P")->x1, 1200.0);
    // The plot box runs from x0 = 1200 to x1 = 10800 and from 15 % (y 7650) to 90 % (y 900)
    // down the target. Vertical axis from 100 below the base up to the top; horizontal
    // axis along the base to 100 beyond x1.
    const auto lines = cv.of(Kind::Line);
    auto has = [&](double x1, double y1, double x2, double y2) {
        return std::any_of(lines.begin(), lines.end(), [&](auto* op) {
            return op->x1 == x1 && op->y1 == y1 && op->x2 == x2 && op->y2 == y2;
        });
    };
    EXPECT_TRUE(has(1200, 800, 1200, 7650));
    EXPECT_TRUE(has(1200, 900, 10900, 900));
    // Arrow heads 30 to each side.
    EXPECT_TRUE(has(1200, 7650, 1170, 7560));
    EXPECT_TRUE(has(1200, 7650, 1230, 7560));
    EXPECT_TRUE(has(10900, 900, 10810, 930));
    EXPECT_TRUE(has(10900, 900, 10810, 870));

    // A printer of 600 dots per inch gets the same twips.
    struct Printer600 : RecordingCanvas {
        Printer600() : RecordingCanvas(5000, 3750, true) {}
        double dotsPerInch() const override { return 600; }
    } paper;
    DrawDistribution(s, paper, 0);
    EXPECT_EQ(paper.of(Kind::Scale)[0]->x2, 12000.0);

    s.QuantityName = "Strain ";
    RecordingCanvas strain;
    DrawDistribution(s, strain, 0);
    EXPECT_TRUE(strain.hasText("STRAIN RANGE"));
}

TEST(DrawDistribution, PrinterAndSavePictureCarryTitleAndParameterLine) {
    AppState s = weibull200(true);
    RecordingCanvas printer(4800, 3600, true);
    DrawDistribution(s, printer, 0);
    const auto* title = printer.findText("Stress Distribution (Weibull)");
    ASSERT_NE(title, nullptr);
    EXPECT_TRUE(title->font.bold && title->font.italic);
    EXPECT_EQ(title->font.size, 10.0);
    const auto* line = printer.findText("Q = 100.0,    R = 2.0");
    ASSERT_NE(line, nullptr);
    EXPECT_FALSE(line->font.bold);
    EXPECT_EQ(line->font.size, 9.0);
    // The white box behind the title.
    const auto boxes = printer.of(Kind::Box);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_TRUE(boxes[0]->filled);
    EXPECT_EQ(boxes[0]->color, 0xFFFFFFu);
    // On paper every curve is black and the fitted curve is 5 wide; nothing is cleared.
    int wide = 0;
    for (const auto* op : printer.of(Kind::Line)) {
        EXPECT_NE(op->color, s.GraphColor);
        if (op->penWidth == 5 && op->color == 0x000000u) ++wide;
    }
    EXPECT_GT(wide, 400);
    EXPECT_TRUE(printer.of(Kind::Clear).empty());
    // The source curve is drawn 1 wide, on paper too.
    AppState src = weibull200(false);
    RecordingCanvas paper(4800, 3600, true);
    DrawDistribution(src, paper, 0);
    for (const auto* op : paper.of(Kind::Line)) EXPECT_NE(op->penWidth, 5);

    RecordingCanvas picture(800, 600);
    DistributionPlotOptions opt;
    opt.savePicture = true;
    opt.textScale = 1.5;
    DrawDistribution(s, picture, 0, opt);
    ASSERT_NE(picture.findText("Stress Distribution (Weibull)"), nullptr);
    EXPECT_EQ(picture.findText("Stress Distribution (Weibull)")->font.size, 15.0);
    EXPECT_NE(picture.findText("Q = 100.0,    R = 2.0"), nullptr);
}

TEST(DrawDistribution, WithoutParametersTheLabelsAreHidden) {
    AppState s;
    SetSpectrum(s, 100, 20, {100, 60, 20}, {1, 3, 6});
    RecordingCanvas cv;
    const DistributionPlotLabels l = DrawDistribution(s, cv, 0);
    EXPECT_FALSE(l.dt0.visible || l.dt1.visible || l.dtsMax.visible);
    EXPECT_EQ(cv.of(Kind::Clear).size(), 1u);
    EXPECT_TRUE(cv.of(Kind::Line).empty());

    // Reopened by Correction: the axes are drawn, the labels stay hidden.
    RecordingCanvas corr;
    DistributionPlotOptions opt;
    opt.correctionFlag = true;
    const DistributionPlotLabels m = DrawDistribution(s, corr, 0, opt);
    EXPECT_FALSE(m.dt0.visible);
    EXPECT_FALSE(corr.of(Kind::Line).empty());
    EXPECT_TRUE(corr.hasText("STRESS RANGE"));
}

TEST(DrawDistribution, HistoryPicturesGetCrossAndToolTips) {
    AppState s = weibull200(true);
    s.batch().PointCount = 10;
    RecordingCanvas cv;
    DistributionPlotLabels l = DrawDistribution(s, cv, 0);
    EXPECT_TRUE(l.crossCursors);
    EXPECT_EQ(l.spectrumPicToolTip, "Click here to see the Stress Spectrum info");
    EXPECT_EQ(l.historyPicToolTip, "Click here to see the Stress History info");

    s.ToolTipsHidden = 1;
    l = DrawDistribution(s, cv, 0);
    EXPECT_TRUE(l.crossCursors);
    EXPECT_EQ(l.spectrumPicToolTip, "");
    EXPECT_EQ(l.historyPicToolTip, "");

    s.batch().PointCount = 0;
    l = DrawDistribution(s, cv, 0);
    EXPECT_FALSE(l.crossCursors);
}
