#include <gtest/gtest.h>

#include "UiTestEnv.h"
#include "ui/WindowGeometry.h"

namespace karmo {
namespace {

void ExpectRect(const TwipRect& r, double left, double top, double width, double height, const char* what) {
    EXPECT_NEAR(r.left, left, 1e-6) << what;
    EXPECT_NEAR(r.top, top, 1e-6) << what;
    EXPECT_NEAR(r.width, width, 1e-6) << what;
    EXPECT_NEAR(r.height, height, 1e-6) << what;
}

TEST(WindowGeometry, WindowRectKeepsFourToThree) {
    struct Case { const char* what; double sw, sh; double w, h, left, top; };
    const Case cases[] = {
        // exactly 4:3: 0.96 of both screen sizes
        {"1024x768", 15360, 11520, 14745.6, 11059.2, 230.4, 46.08},
        // wider than 4:3: limited by the height, then k = 1.8 > 1.5 takes SH / 1.2
        {"1920x1080", 28800, 16200, 18000, 13500, 432, 86.4},
        // wider, k = 1.28: 0.96 of the height; k = 1.4: SH / 1.1
        {"1366x768", 20490, 11520, 14745.6, 11059.2, 307.35, 61.47},
        {"1680x840", 25200, 12600, 12600 / 1.1 * 4 / 3, 12600 / 1.1, 378, 75.6},
        // taller than 4:3: 0.96 of the width read back in whole pixels (9599.04 -> 640 pixels)
        {"800x640", 12000, 9600, 11520, 8640, 180, 36},
        {"9999x9000 twips", 9999, 9000, 9600, 7200, 149.985, 29.997},
        // taller, large: then k > 1.5 replaces it
        {"19999x20000 twips", 19999, 20000, 20000 / 1.2 * 4 / 3, 20000 / 1.2, 299.985, 59.997},
        {"design", 12500, 9375, 12000, 9000, 187.5, 37.5},
    };
    for (const Case& c : cases) {
        ExpectRect(MainWindowRect(c.sw, c.sh, 15), c.left, c.top, c.w, c.h, c.what);
    }
}

// The font factor is damped above 1 and capped at 1.44; just at 1.44 it is damped (1.296), so it jumps.
TEST(WindowGeometry, FontFactorIsDamped) {
    struct Case { double w; float horizontal, font; bool scaled; };
    const Case cases[] = {
        {19200, 1.6f, 1.44f, true}, {14400, 1.2f, 1.08f, true},        {12000, 1.0f, 1.0f, false},
        {9600, 0.8f, 0.8f, true},   {17280, 1.44f, 0.9f * 1.44f, true}, {18000, 1.5f, 1.44f, true},
    };
    for (const Case& c : cases) {
        const ScaleFactors f = ComputeScaleFactors(c.w, c.w * 0.75);
        EXPECT_FLOAT_EQ(f.horizontal, c.horizontal) << c.w;
        EXPECT_FLOAT_EQ(f.vertical, c.horizontal) << c.w;
        EXPECT_FLOAT_EQ(f.font, c.font) << c.w;
        EXPECT_EQ(f.scaleControls(), c.scaled) << c.w;
    }
    // only one factor at 1: the controls stay as designed
    EXPECT_FALSE(ComputeScaleFactors(12000, 9500).scaleControls());
}

TEST(WindowGeometry, PanelsArePlacedOnTheScaledSurface) {
    const ScaleFactors f = ComputeScaleFactors(18000, 13500);   // 1.5
    const double innerW = 18000, innerH = 13000;
    struct Case { const char* name; double left, top, width, height; };
    const Case cases[] = {
        {"frm_Chk_File", (innerW - 6435 * 1.5) / 2, innerH / 4 * 0.55, 6435 * 1.5, 6415 * 1.5},
        {"frm_Edit_Choice", (innerW - 4212 * 1.5) / 2, 3000, 4212 * 1.5, 3732 * 1.5},
        {"frm_Beta_Params", 3176 * 1.5, innerH * 0.4, 5895 * 1.5, 2775 * 1.5},
        {"frm_Spectrum_Params", 3176 * 1.5, 1450 * 1.5, 5595 * 1.5, 5215 * 1.5},
        {"frm_Correction", (innerW - 6255 * 1.5) / 2, innerH * 0.08, 6255 * 1.5, 7975 * 1.5},
        {"frm_Load_Dbase", (innerW - 7500 * 1.5) / 2, 1000 * 1.5, 7500 * 1.5, 6250 * 1.5},
    };
    for (const Case& c : cases) {
        const auto r = PanelRect(c.name, f, innerW, innerH);
        ASSERT_TRUE(r.has_value()) << c.name;
        ExpectRect(*r, c.left, c.top, c.width, c.height, c.name);
    }
    // About: centred, "width / 2 - 2768" read in design units
    EXPECT_FALSE(PanelRect("frm_about", f, innerW, innerH).has_value());
    ExpectRect(AboutPanelRect(f, 18000), (6000 - 2768) * 1.5, 1360 * 1.5, 5300 * 1.5, 4215 * 1.5, "frm_about");

    // the display areas fill the inner window without overlapping
    const double w = 14745.6, h = 10774.2;
    const ScaleFactors g = ComputeScaleFactors(w, 11059.2);
    const auto hist = PanelRect("frm_Hist", g, w, h), info = PanelRect("frm_Stress_Info", g, w, h);
    const auto spectr = PanelRect("frm_Spectr", g, w, h), distr = PanelRect("frm_Distr", g, w, h);
    ASSERT_TRUE(hist && info && spectr && distr);
    EXPECT_DOUBLE_EQ(info->height, h / 2.03);
    EXPECT_DOUBLE_EQ(info->top + info->height, h);
    EXPECT_DOUBLE_EQ(info->width, 0.996 * w);
    EXPECT_LT(hist->top + hist->height, info->top);
    EXPECT_DOUBLE_EQ(spectr->left + spectr->width, distr->left);   // no gap over the history information
    EXPECT_LE(distr->left + distr->width, w);
    EXPECT_EQ(*PanelRect("frm_Spectrum_Info", g, w, h), *distr);
}

TEST(WindowGeometry, MainWindowTakesItsSizeFromTheScreen) {
    struct Case { const char* what; QSizeF screen; int w, h; float font; };
    const Case cases[] = {
        {"1024x768", test::ScreenPixels(1024, 768), 983, 737, 0.9f * 1.2288f},
        {"1920x1080", test::ScreenPixels(1920, 1080), 1200, 900, 1.44f},
        {"12000x9000 window", QSizeF(12500, 9375), 800, 600, 1.0f},
    };
    std::vector<double> fontPoints;
    for (const Case& c : cases) {
        test::Ui ui(c.screen);
        EXPECT_EQ(ui.w.width(), c.w) << c.what;
        EXPECT_EQ(ui.w.height(), c.h) << c.what;
        EXPECT_FLOAT_EQ(ui.w.factors().font, c.font) << c.what;
        // the database panel keeps its design size on the stretched surface
        Panel* db = ui.panel("frm_Load_Dbase");
        EXPECT_NEAR(db->width(), 7500 * ui.w.factors().horizontal / 15, 1.0) << c.what;
        EXPECT_NEAR(db->height(), 6250 * ui.w.factors().vertical / 15, 1.0) << c.what;
        fontPoints.push_back(ui.w.centralWidget()->font().pointSizeF());
    }
    EXPECT_NEAR(fontPoints[1] / fontPoints[2], 1.44, 1e-6);   // the design size leaves the fonts alone
}

}  // namespace
}  // namespace karmo
