#include <gtest/gtest.h>

#include "UiTestEnv.h"
#include "support/ScriptedPrompter.h"
#include "ui/WindowGeometry.h"
#include "ui/panels/Panel.h"

namespace karmo {
namespace {

TEST(WindowGeometry, WindowRectKeepsFourToThree) {
    struct Case { const char* what; double sw, sh; double w, h, left, top; };
    const Case cases[] = {
        // exactly 4:3: 0.96 of both screen sizes
        {"1024x768", 15360, 11520, 14745.6, 11059.2, 230.4, 46.08},
        // wider than 4:3: limited by the height, then k = 1.8 > 1.5 takes SH / 1.2
        {"1920x1080", 28800, 16200, 18000, 13500, 432, 86.4},
        // wider, k = 1.28: 0.96 of the height
        {"1366x768", 20490, 11520, 14745.6, 11059.2, 307.35, 61.47},
        // k = 1.4: SH / 1.1
        {"1680x840", 25200, 12600, 12600 / 1.1 * 4 / 3, 12600 / 1.1, 378, 75.6},
        // taller than 4:3: the width rounded to whole pixels decides, then k > 1.5
        {"1280x1024", 19200, 15360, 15360 / 1.2 * 4 / 3, 15360 / 1.2, 288, 57.6},
        // taller, small: 0.96 of the width read back in whole pixels (1228.8 -> 1229)
        {"800x640", 12000, 9600, 11520, 8640, 180, 36},
        // the design size itself
        {"design", 12500, 9375, 12000, 9000, 187.5, 37.5},
    };
    for (const Case& c : cases) {
        const TwipRect r = MainWindowRect(c.sw, c.sh, 15);
        EXPECT_NEAR(r.width, c.w, 1e-6) << c.what;
        EXPECT_NEAR(r.height, c.h, 1e-6) << c.what;
        EXPECT_NEAR(r.left, c.left, 1e-9) << c.what;
        EXPECT_NEAR(r.top, c.top, 1e-9) << c.what;
        EXPECT_NEAR(r.width / r.height, 4.0 / 3.0, 1e-3) << c.what;
    }
}

TEST(WindowGeometry, TallScreenUsesTheWidthReadBack) {
    // 0.96 x 19999 twips = 19199.04: the window holds 1280 pixels = 19200 twips
    const TwipRect r = MainWindowRect(19999, 20000, 15);
    EXPECT_DOUBLE_EQ(r.width, 20000 / 1.2 * 4.0 / 3.0);   // k > 1.5 replaces it
    const TwipRect small = MainWindowRect(9999, 9000, 15);
    EXPECT_DOUBLE_EQ(small.width, 9600);                   // 9599.04 -> 640 pixels
    EXPECT_DOUBLE_EQ(small.height, 7200);
}

TEST(WindowGeometry, FontFactorIsDamped) {
    struct Case { double w; float horizontal, font; bool scaled; };
    const Case cases[] = {
        {19200, 1.6f, 1.44f, true},
        {14400, 1.2f, 1.08f, true},
        {12000, 1.0f, 1.0f, false},
        {9600, 0.8f, 0.8f, true},
        {18000, 1.5f, 1.44f, true},
        {17280, 1.44f, 0.9f * 1.44f, true},
        {24000, 2.0f, 1.44f, true},
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
        {"frm_Hist_Parms", 3826 * 1.5, innerH * 0.45, 3495 * 1.5, 2415 * 1.5},
        {"frm_Append", 3600 * 1.5, 1220 * 1.5, 4935 * 1.5, 5065 * 1.5},
        {"frm_Mean_Stress", 3240 * 1.5, innerH * 0.38, 4815 * 1.5, 3480 * 1.5},
        {"frm_data_serv", 2500 * 1.5, 1500 * 1.5, 5755 * 1.5, 5175 * 1.5},
        {"frm_Load_Dbase", (innerW - 7500 * 1.5) / 2, 1000 * 1.5, 7500 * 1.5, 6250 * 1.5},
    };
    for (const Case& c : cases) {
        const auto r = PanelRect(c.name, f, innerW, innerH);
        ASSERT_TRUE(r.has_value()) << c.name;
        EXPECT_NEAR(r->left, c.left, 1e-3) << c.name;
        EXPECT_NEAR(r->top, c.top, 1e-3) << c.name;
        EXPECT_NEAR(r->width, c.width, 1e-3) << c.name;
        EXPECT_NEAR(r->height, c.height, 1e-3) << c.name;
    }
    EXPECT_FALSE(PanelRect("frm_about", f, innerW, innerH).has_value());
    const TwipRect about = AboutPanelRect(f, 18000);
    EXPECT_NEAR(about.width, 5300 * 1.5, 1e-3);
    EXPECT_NEAR(about.height, 4215 * 1.5, 1e-3);
    EXPECT_NEAR(about.top, 1360 * 1.5, 1e-3);
    EXPECT_NEAR(about.left, (6000 - 2768) * 1.5, 1e-3);
}

TEST(WindowGeometry, MainWindowTakesItsSizeFromTheScreen) {
    struct Case { const char* what; QSizeF screen; int w, h; float font; };
    const Case cases[] = {
        {"1024x768", test::ScreenPixels(1024, 768), 983, 737, 0.9f * 1.2288f},
        {"1920x1080", test::ScreenPixels(1920, 1080), 1200, 900, 1.44f},
        {"12000x9000 window", QSizeF(12500, 9375), 800, 600, 1.0f},
    };
    for (const Case& c : cases) {
        test::ScriptedPrompter prompter;
        test::WindowFixture f(&prompter, c.screen);
        EXPECT_EQ(f.w().width(), c.w) << c.what;
        EXPECT_EQ(f.w().height(), c.h) << c.what;
        EXPECT_FLOAT_EQ(f.w().factors().font, c.font) << c.what;
        // the database panel keeps its design size on the stretched surface
        Panel* db = f.w().panel(QStringLiteral("frm_Load_Dbase"));
        EXPECT_NEAR(db->width(), 7500 * f.w().factors().horizontal / 15, 1.0) << c.what;
        EXPECT_NEAR(db->height(), 6250 * f.w().factors().vertical / 15, 1.0) << c.what;
    }
}

TEST(WindowGeometry, DesignSizeLeavesTheFontsAlone) {
    test::ScriptedPrompter prompter;
    test::WindowFixture design(&prompter, QSizeF(12500, 9375));
    test::WindowFixture big(&prompter, test::ScreenPixels(1920, 1080));
    const double designPt = design.w().centralWidget()->font().pointSizeF();
    const double bigPt = big.w().centralWidget()->font().pointSizeF();
    EXPECT_NEAR(bigPt / designPt, 1.44, 1e-6);
}

}  // namespace
}  // namespace karmo

namespace karmo {
namespace {

TEST(WindowGeometry, DisplayAreasFillTheInnerWindow) {
    const ScaleFactors f = ComputeScaleFactors(14745.6, 11059.2);
    const double innerW = 14745.6, innerH = 10774.2;
    const auto hist = PanelRect("frm_Hist", f, innerW, innerH);
    const auto info = PanelRect("frm_Stress_Info", f, innerW, innerH);
    const auto spectr = PanelRect("frm_Spectr", f, innerW, innerH);
    const auto distr = PanelRect("frm_Distr", f, innerW, innerH);
    ASSERT_TRUE(hist && info && spectr && distr);
    EXPECT_DOUBLE_EQ(info->height, innerH / 2.03);
    EXPECT_DOUBLE_EQ(info->top + info->height, innerH);      // nothing below the window
    EXPECT_LT(hist->top + hist->height, info->top);          // no overlap
    EXPECT_DOUBLE_EQ(info->width, 0.996 * innerW);
    EXPECT_LT(spectr->left + spectr->width, distr->left);
    EXPECT_LE(distr->left + distr->width, innerW);
    EXPECT_EQ(*PanelRect("frm_Spectrum_Info", f, innerW, innerH), *distr);
}

}  // namespace
}  // namespace karmo
