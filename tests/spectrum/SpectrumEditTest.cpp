#include <gtest/gtest.h>

#include <vector>

#include "spectrum/SpectrumParamsEdit.h"
#include "support/ScriptedPrompter.h"

namespace karmo {
namespace {

using test::ScriptedPrompter;

// A working copy of levels with ranges 100, 80, 60, ... and the given cycles.
void setWorking(AppState& s, const std::vector<float>& cycles) {
    s.batch().LevelCount = static_cast<int16_t>(cycles.size());
    for (size_t j = 1; j <= cycles.size(); ++j) {
        s.WorkLevelRange[j] = 120.0f - 20.0f * static_cast<float>(j);
        s.WorkLevelCycles[j] = cycles[j - 1];
    }
}

TEST(SpectrumLevelCheck, EmptyLevelsInsideAndAtTheEnd) {
    const char* reduce = "The number of levels will be reduced to 2.";
    const char* empty2 = "Number of of cycles at level 2 must be >0!";
    using L = LevelCheck;
    // cycles, after a count, EditChoice, message (refusal or question), answer, result, levels, MinRange
    const std::tuple<std::vector<float>, bool, int16_t, const char*, Answer, L, int16_t, float> cases[] = {
        {{5, 0, 3}, false, 1, empty2, Answer::Ok, L::EmptyInside, 3, 0},
        {{5, 0, 3}, true, 0, nullptr, Answer::Ok, L::Passed, 3, 0},
        {{5, 0, 3}, false, 2, nullptr, Answer::Ok, L::Passed, 3, 0},
        {{5, 3, 0, 0}, false, 1, reduce, Answer::Yes, L::Passed, 2, 80},
        {{5, 3, 0, 0}, false, 1, reduce, Answer::No, L::Declined, 4, 0},
    };
    for (const auto& [cycles, afterCount, editChoice, message, answer, result, levels, minRange] : cases) {
        AppState s;
        setWorking(s, cycles);
        s.AfterCounting = afterCount;
        s.EditChoice = editChoice;
        ScriptedPrompter p;
        if (message) p.expect("Stress Spectrum", message, answer);
        EXPECT_EQ(std::tuple(CheckSpectrumLevels(s, p), s.batch().LevelCount, s.batch().MinRange),
                  std::tuple(result, levels, minRange));
    }
}

TEST(SpectrumPanelCommands, RefreshCorrectionCloseAndSave) {
    AppState s;
    setWorking(s, {5, 3, 2});
    DataBatch& b = s.batch();
    b.Volume = 10;
    ScriptedPrompter p;
    EXPECT_EQ(SpectrumRefresh(s, p), RefreshResult::Done);  // unchanged total: no question
    s.WorkLevelCycles[3] = 7;
    p.expect("Stress Spectrum", "The Spectrum Volume will be increased.", Answer::No);
    EXPECT_EQ(std::tuple(SpectrumRefresh(s, p), b.Volume), std::tuple(RefreshResult::Declined, 10));
    p.expect("Stress Spectrum", "The Spectrum Volume will be increased.", Answer::Yes);
    EXPECT_EQ(std::tuple(SpectrumRefresh(s, p), b.Volume, b.LevelCycles[3]), std::tuple(RefreshResult::Done, 15, 7));
    s.WorkLevelCycles[3] = 1;
    p.expect("Stress Spectrum", "The Spectrum Volume will be reduced.", Answer::Yes);
    EXPECT_EQ(SpectrumRefresh(s, p), RefreshResult::Done);
    s.EditChoice = 1;
    s.WorkLevelRange[2] = 150;
    p.expect("Stress Spectrum", "The Stress value of data set 2 should be smaller than the first value");
    EXPECT_EQ(SpectrumRefresh(s, p), RefreshResult::Refused);
    s.WorkLevelRange[2] = 80;
    // Correction: the volume is the total of the positive counts (a counted spectrum keeps its
    // empty inner levels); none at all is refused.
    s.AfterCounting = true;
    s.WorkLevelCycles[2] = -4;
    ASSERT_TRUE(SpectrumCorrection(s, p));
    // No history: a level needs a cycle, so MaxLevels is the volume.
    EXPECT_EQ(std::tuple(b.Volume, s.UiMode, s.MaxLevels), std::tuple(6, int16_t(0), 6));
    s.UiMode = kUiIdle;
    setWorking(s, {0, 0});
    p.expect("Stress Spectrum", "Please type in Stress ranges and No of cycles first.");
    EXPECT_FALSE(SpectrumCorrection(s, p));
    s.AfterCounting = false;
    setWorking(s, {5, 3});
    EXPECT_EQ(SpectrumCloseQuestion(s, p), CloseAnswer::Unchanged);  // Close asks only after a change
    s.SpectrumChanged = true;
    for (const auto& [answer, result] : {std::pair{Answer::Cancel, CloseAnswer::StayOpen},
                                         std::pair{Answer::No, CloseAnswer::Discard},
                                         std::pair{Answer::Yes, CloseAnswer::Keep}}) {
        p.expect("Editing Stress Spectrum", "Do you want to save the changes to the Stress Spectrum?", answer);
        EXPECT_EQ(SpectrumCloseQuestion(s, p), result);
    }
    EXPECT_TRUE(SpectrumSaveChecks(s, p));
    p.expect("Current Data", "The data is included into the Database.");
    TellSpectrumIncluded(s, p);
    s.AfterCounting = true;
    TellSpectrumIncluded(s, p);  // a counted spectrum is saved without a word
}

// After a count the smallest range may not fall below the limit; a text the dialog wrote is
// judged by the exact value behind it, a typed one also by the limit as the box shows it.
TEST(SpectrumParamsMin, LowerLimitAfterACount) {
    AppState s;
    s.AfterCounting = true;
    s.MinCountedRange = 1.00045f;  // the limit shows as "1.0"
    s.batch().LevelCount = 3;
    s.batch().MaxRange = 3;
    const char* refused = "The minimum Stress range should not be less than 1.0 MPa";
    const std::tuple<const char*, ExactMinText, const char*> cases[] = {
        {"1.00", {"1.00", 1.00045f}, nullptr},  // the proposal
        {"1.0", {"x", 0}, nullptr},             // typed as the box shows the limit
        {"0.9995", {"x", 0}, refused},
        {"0.5", {"0.5", 0.5f}, refused},        // a stale value the dialog wrote
        {"1e39", {"x", 0}, "The minimum Stress range is out of range"},
    };
    for (auto [text, exact, message] : cases) {
        ScriptedPrompter p;
        const bool range = message && std::string(message).ends_with("out of range");
        if (message) p.expect("Stress Spectrum Params", message, range ? Icon::Critical : Icon::Information);
        EXPECT_EQ(ValidateSpectrMin(s, p, text, "3.0", exact).accepted, message == nullptr) << text;
        if (message && !range) {
            EXPECT_EQ(exact.text, "1.0");  // the box shows the limit
        }
    }
}

TEST(SpectrumGrid, CellsOfTheLevelGrid) {
    AppState s;
    setWorking(s, {5, 0});
    s.WorkLevelRange[2] = 0;
    ScriptedPrompter p;
    p.expect("Stress Spectrum", "The Stress Spectrum cycles must be numeric");
    EXPECT_EQ(EditGridCycles(s, p, 1, "a"), GridCellCheck::Refused);
    p.expect("Stress Spectrum", "The Stress Range '2' must be > 0!");
    EXPECT_EQ(EditGridCycles(s, p, 2, "4"), GridCellCheck::FocusStress);
    p.expect("Stress Spectrum", "The Stress value must be numeric");
    EXPECT_EQ(EditGridStress(s, p, 1, "-"), GridCellCheck::Refused);
    p.expect("Stress Spectrum", "The Stress Range '1' must be > 0!");
    EXPECT_EQ(EditGridStress(s, p, 1, "0"), GridCellCheck::Refused);
    EXPECT_EQ(std::tuple(s.WorkLevelCycles[2], s.SpectrumChanged), std::tuple(0.0f, false));
    p.expect("Stress Spectrum", "The Stress Spectrum cycles are out of range");
    EXPECT_EQ(EditGridCycles(s, p, 1, "1e39"), GridCellCheck::Refused);
    s.QuantityFactor = 0.5f;
    p.expect("Stress Spectrum", "The Stress value is out of range");   // 3e38 ksi is beyond a Single in MPa
    EXPECT_EQ(EditGridStress(s, p, 1, "3e38"), GridCellCheck::Refused);
    EXPECT_EQ(EditGridStress(s, p, 2, "30"), GridCellCheck::Accepted);
    EXPECT_EQ(EditGridCycles(s, p, 2, "4"), GridCellCheck::Accepted);
    EXPECT_EQ(std::tuple(s.WorkLevelRange[2], s.WorkLevelCycles[2], s.SpectrumChanged), std::tuple(60.0f, 4.0f, true));
}

}  // namespace
}  // namespace karmo
