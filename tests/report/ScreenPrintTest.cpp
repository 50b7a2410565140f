#include <gtest/gtest.h>

#include <algorithm>

#include "core/Units.h"
#include "history/HistoryTestData.h"
#include "report/ScreenPrint.h"
#include "support/RecordingCanvas.h"

using namespace karmo;
using karmo::test::RecordingCanvas;
using Kind = RecordingCanvas::Kind;

namespace {

// A counted history of batch 1 with `levels` levels, a Weibull fit, 394 cycles omitted.
AppState counted(int16_t kind, int levels) {
    AppState s = karmo::test::stateWith({120, -60, 80, -20, 100, -40, 60, -10}, 1);
    s.BatchCount = 1;
    s.BatchKind = kind;
    s.ViewCount = s.batch().PointCount;
    SelectUnitSystem(s, UnitSystem::SI);
    DataBatch& b = s.batch();
    b.Quantity = "Stress ";
    ApplyQuantity(s, 1);
    b.LevelCount = static_cast<int16_t>(levels);
    for (int i = 1; i <= levels; ++i) {
        b.LevelRange[static_cast<size_t>(i)] = 300.0f - 2.5f * static_cast<float>(i - 1);
        b.LevelCycles[static_cast<size_t>(i)] = i * 3;
        b.Volume += i * 3;
    }
    b.MaxRange = b.LevelRange[1];
    b.MinRange = b.LevelRange[static_cast<size_t>(levels)];
    b.FitQ = 0.4f;
    b.FitR = 1.5f;
    b.OmittedCycles = 394;
    s.DistributionType = 2;
    s.DistributionLabel = "(Weibull)";
    s.ShowFitted = true;
    return s;
}

// Where each plot's own text first appears among the texts drawn; -1 when it does not.
int firstText(const RecordingCanvas& c, const std::string& t) {
    const auto texts = c.texts();
    const auto it = std::find(texts.begin(), texts.end(), t);
    return it == texts.end() ? -1 : static_cast<int>(it - texts.begin());
}

TEST(ScreenPrint, PlotsInTheOrderOfTheWindowOnEveryTarget) {
    using P = ScreenPart;
    struct Case {
        VisibleFrames frames;
        int16_t kind;
        std::vector<ScreenPart> parts;
    };
    const Case cases[] = {
        {{true, true, true}, 1, {P::History, P::Spectrum, P::Distribution}},
        {{true, true, false}, 1, {P::History, P::Spectrum, P::SpectrumInfo}},
        {{false, true, true}, 1, {P::Spectrum, P::Distribution}},
        // A typed or generated spectrum: the information box on every page, once.
        {{false, true, true}, 2, {P::Spectrum, P::Distribution, P::SpectrumInfo}},
        {{false, true, false}, 3, {P::Spectrum, P::SpectrumInfo}},
    };
    const char* marks[] = {"Stress History", "CYCLES", "Stress Distribution (Weibull)", "Stress Spectrum Information"};
    for (const ScreenTarget target : {ScreenTarget::Printer, ScreenTarget::SavePicture}) {
        for (const Case& k : cases) {
            AppState s = counted(k.kind, 7);
            const bool printer = target == ScreenTarget::Printer;
            RecordingCanvas c(printer ? 1400 : 1000, printer ? 990 : 750, printer);
            EXPECT_EQ(DrawScreen(c, s, k.frames, target, 1.0), k.parts);
            int previous = -1;
            for (const ScreenPart part : k.parts) {
                const int at = firstText(c, marks[static_cast<int>(part)]);
                EXPECT_GT(at, previous) << marks[static_cast<int>(part)];
                previous = at;
            }
            const auto texts = c.texts();
            const auto footers = std::count_if(texts.begin(), texts.end(), [](const std::string& t) {
                return t.rfind("Spectrum levels: 7", 0) == 0;
            });
            EXPECT_EQ(footers, std::count(k.parts.begin(), k.parts.end(), P::SpectrumInfo));
        }
    }
}

// The texts of the information box, in the order drawn.
std::vector<std::string> infoTexts(const AppState& s) {
    RecordingCanvas c(700, 500, true);
    DrawSpectrumInfo(c, s, 1);
    return c.texts();
}

TEST(ScreenPrint, SpectrumInfoBoxHoldsTheLevelsAndTheirFooter) {
    const std::vector<std::string> history = infoTexts(counted(1, 3));
    EXPECT_EQ(history, (std::vector<std::string>{"Stress Spectrum Information", "Level", "Stress [MPa]", "Cycles",
                                                  "1", "300.0", "3", "2", "297.5", "6", "3", "295.0", "9",
                                                  "Spectrum levels: 3          Omitted cycles: 394",
                                                  "Omitted cycles: 394"}));
    // From 8 levels on the omitted cycles stay on the level line; a typed spectrum has none.
    EXPECT_EQ(infoTexts(counted(1, 8)).back(), "Spectrum levels: 8          Omitted cycles: 394");
    EXPECT_EQ(infoTexts(counted(2, 3)).back(), "Spectrum levels: 3");
    AppState strain = counted(2, 3);
    SelectUnitSystem(strain, UnitSystem::US);
    strain.batch().Quantity = "Strain ";
    ApplyQuantity(strain, 1);
    EXPECT_EQ(infoTexts(strain).at(2), "Strain [" + strain.QuantityUnit + "]");
}

TEST(ScreenPrint, EveryLevelOfALongSpectrumFitsTheBox) {
    for (const int levels : {20, 45, 100}) {
        AppState s = counted(1, levels);
        RecordingCanvas c(700, 500, true);
        DrawSpectrumInfo(c, s, 1);
        const auto boxes = c.of(Kind::Box);
        ASSERT_EQ(boxes.size(), 1u);
        const RecordingCanvas::Op& box = *boxes[0];
        // The recording canvas sets a character 0.6 and a line 1.2 font sizes (points at 96 dpi).
        const double perPixelX = (c.right - c.left) / 700, perPixelY = (c.top - c.bottom) / 500;
        int ranges = 0;
        for (const auto* t : c.of(Kind::Text)) {
            if (t->text == "Stress Spectrum Information") continue;
            const double px = t->font.size * 96 / 72;
            ranges += t->text.find('.') != std::string::npos;
            EXPECT_GE(t->x1, box.x1) << t->text;
            EXPECT_LE(t->x1 + 0.6 * px * static_cast<double>(t->text.size()) * perPixelX, box.x2) << levels << t->text;
            EXPECT_LE(t->y1, box.y1) << levels << " " << t->text;
            EXPECT_GE(t->y1 - 1.2 * px * perPixelY, box.y2 - 1e-6) << levels << " " << t->text;
        }
        EXPECT_EQ(ranges, levels);
    }
}

TEST(ScreenPrint, WindowCopyKeepsItsProportionsInsideTheMargins) {
    struct Case {
        double pageW, pageH, winW, winH, left, top, width, height;
    };
    const Case cases[] = {
        {14000, 9900, 1000, 750, 1400, 990, 10560, 7920},    // landscape page, 4:3 window: the height decides
        {14000, 9900, 2000, 500, 1400, 990, 11200, 2800},    // a wide window: the width decides
        {14000, 9900, 0, 750, 1400, 990, 0, 0},              // nothing to copy
    };
    for (const Case& k : cases) {
        const CopyPlacement p = ScreenCopyPlacement(k.pageW, k.pageH, k.winW, k.winH);
        EXPECT_DOUBLE_EQ(p.left, k.left);
        EXPECT_DOUBLE_EQ(p.top, k.top);
        EXPECT_NEAR(p.width, k.width, 1e-9) << k.winW;
        EXPECT_NEAR(p.height, k.height, 1e-9) << k.winW;
    }
}

}  // namespace
