#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "support/TempDir.h"
#include "core/AppState.h"
#include "core/Settings.h"
#include "core/StartUp.h"
#include "support/ScriptedPrompter.h"

using namespace karmo;
using karmo::test::ScriptedPrompter;
using karmo::test::TempDir;

namespace {

constexpr int32_t kTrueColor = -1;   // display capability above 256 colours
constexpr int32_t kPalette = 256;

const std::string kFactoryLineSI =
    " 1  8454143  16777088  16777215  8454016  12583104  0  0 \r\n";

AppState startedIn(const TempDir& dir, int32_t displayNumColors = kTrueColor) {
    AppState s;
    StartUpState(s, dir.str(), "/", displayNumColors);
    return s;
}

}  // namespace

TEST(Settings, FactoryColourSetsOfBothDisplays) {
    AppState s;
    InitAppState(s, "/x", "/", kTrueColor);
    EXPECT_EQ(s.GraphColor, 12583104u);
    EXPECT_EQ(s.HistoryColor, 8454143u);
    EXPECT_EQ(s.PlotBackColor, 16777215u);
    EXPECT_EQ(s.SpectrumColor, 8454016u);
    EXPECT_EQ(s.BetaColor, 16777088u);

    InitAppState(s, "/x", "/", kPalette);
    EXPECT_EQ(s.GraphColor, 12583104u);
    EXPECT_EQ(s.HistoryColor, 65535u);
    EXPECT_EQ(s.PlotBackColor, 16777215u);
    EXPECT_EQ(s.SpectrumColor, 65280u);
    EXPECT_EQ(s.BetaColor, 16776960u);
}

TEST(Settings, FactoryLineIsExactBytes) {
    TempDir dir;
    const AppState s = startedIn(dir);
    EXPECT_EQ(SettingsLine(s), kFactoryLineSI);

    ScriptedPrompter prompter;
    ASSERT_TRUE(SaveSettings(s, dir.str(), prompter));
    EXPECT_EQ(dir.read("Karmo.cfg"), kFactoryLineSI);
    // Nothing but the settings file is left behind.
    EXPECT_EQ(dir.entries(), std::vector<std::string>{"Karmo.cfg"});

    const AppState palette = startedIn(dir, kPalette);
    // The saved light set is read back even on a palette display.
    EXPECT_EQ(palette.HistoryColor, 8454143u);
    AppState fresh;
    InitAppState(fresh, dir.str(), "/", kPalette);
    EXPECT_EQ(SettingsLine(fresh), " 1  65535  16776960  16777215  65280  12583104  0  0 \r\n");
}

TEST(Settings, FieldOneChoosesTheUnitSystem) {
    struct Case {
        const char* field1;
        bool us;
    };
    const Case cases[] = {{"1", false}, {"0", true}, {"2", true}, {"0.5", true}, {"1.0", false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.field1);
        TempDir dir;
        dir.write("Karmo.cfg",
                  std::string(" ") + c.field1 + "  255  65280  16711680  128  32768  1  0 \r\n");
        const AppState s = startedIn(dir);
        EXPECT_EQ(s.UnitsUS, c.us);
        EXPECT_EQ(s.StressUnit, c.us ? "ksi" : "MPa");
        EXPECT_EQ(s.LengthFactor, c.us ? static_cast<float>(1.0 / 2.54) : 1.0f);
        EXPECT_EQ(s.HistoryColor, 255u);
        EXPECT_EQ(s.BetaColor, 65280u);
        EXPECT_EQ(s.PlotBackColor, 16711680u);
        EXPECT_EQ(s.SpectrumColor, 128u);
        EXPECT_EQ(s.GraphColor, 32768u);
        EXPECT_EQ(s.ToolTipsHidden, 1);
    }
}

TEST(Settings, ReadFailuresKeepEarlierFieldsAndForceSI) {
    struct Case {
        const char* name;
        const char* content;     // nullptr: no file at all
        Color history, beta, plotBack, spectrum, graph;
        int16_t toolTips;
    };
    const Color fh = 8454143, fb = 16777088, fp = 16777215, fs = 8454016, fg = 12583104;
    const Case cases[] = {
        {"missing", nullptr, fh, fb, fp, fs, fg, 0},
        {"empty", "", fh, fb, fp, fs, fg, 0},
        {"three fields", " 0  255  65280 \r\n", 255, 65280, fp, fs, fg, 0},
        {"not a number", " 0  255  abc  1  2  3  1  0 \r\n", 255, fb, fp, fs, fg, 0},
        {"seven fields", " 0  1  2  3  4  5  1 \r\n", 1, 2, 3, 4, 5, 1},
        {"tool tip choice out of range", " 0  1  2  3  4  5  7  0 \r\n", 1, 2, 3, 4, 5, 0},
        {"colour beyond a Long", " 0  1  9999999999  3  4  5  1  0 \r\n", 1, fb, fp, fs, fg, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        if (c.content != nullptr) dir.write("Karmo.cfg", c.content);
        AppState s;
        InitAppState(s, dir.str(), "/", kTrueColor);
        EXPECT_FALSE(ReadSettings(s, dir.str()));
        EXPECT_EQ(s.LengthFactor, 1.0f);
        EXPECT_EQ(s.HistoryColor, c.history);
        EXPECT_EQ(s.BetaColor, c.beta);
        EXPECT_EQ(s.PlotBackColor, c.plotBack);
        EXPECT_EQ(s.SpectrumColor, c.spectrum);
        EXPECT_EQ(s.GraphColor, c.graph);
        EXPECT_EQ(s.ToolTipsHidden, c.toolTips);

        const AppState started = startedIn(dir);
        EXPECT_FALSE(started.UnitsUS);
        EXPECT_EQ(started.StressUnitBracket, "[MPa]");
    }
}

TEST(Settings, UnreadableFileIsAReadFailure) {
    TempDir dir;
    std::filesystem::create_directory(dir.path() / "Karmo.cfg");
    AppState s;
    InitAppState(s, dir.str(), "/", kPalette);
    s.LengthFactor = 0.5f;
    EXPECT_FALSE(ReadSettings(s, dir.str()));
    EXPECT_EQ(s.LengthFactor, 1.0f);
    EXPECT_EQ(s.HistoryColor, 65535u);
    EXPECT_EQ(s.ToolTipsHidden, 0);
}

TEST(Settings, ListInputForms) {
    const char* forms[] = {
        "0,255,65280,16711680,128,32768,1,0\r\n",     // commas
        "0\n255\n65280\n16711680\n128\n32768\n1\n0\n",  // one field a line, LF only
        "   0 255\r\n 65280 16711680 128 32768 1 0 trailing words\r\n",
    };
    for (const char* f : forms) {
        SCOPED_TRACE(f);
        TempDir dir;
        dir.write("Karmo.cfg", f);
        AppState s;
        InitAppState(s, dir.str(), "/", kTrueColor);
        EXPECT_TRUE(ReadSettings(s, dir.str()));
        EXPECT_EQ(s.LengthFactor, 0.0f);
        EXPECT_EQ(s.GraphColor, 32768u);
        EXPECT_EQ(s.ToolTipsHidden, 1);
    }
}

TEST(Settings, UsSaveWritesZeroAndReadsBackUs) {
    TempDir dir;
    AppState s = startedIn(dir);
    dir.write("Karmo.cfg", " 0  1  2  3  4  5  1  0 \r\n");
    s = startedIn(dir);
    ASSERT_TRUE(s.UnitsUS);
    ScriptedPrompter prompter;
    ASSERT_TRUE(SaveSettings(s, dir.str(), prompter));
    EXPECT_EQ(dir.read("Karmo.cfg"), " 0  1  2  3  4  5  1  0 \r\n");
    const AppState again = startedIn(dir);
    EXPECT_TRUE(again.UnitsUS);
    EXPECT_EQ(again.StressUnit, "ksi");
}

TEST(Settings, FailedSaveIsReportedAndKeepsTheOldFile) {
    TempDir dir;
    const AppState s = startedIn(dir);
    {
        ScriptedPrompter prompter;
        prompter.expect("Save Settings", std::strerror(ENOENT), Icon::Exclamation);
        EXPECT_FALSE(SaveSettings(s, (dir.path() / "no such dir").string(), prompter));
    }
    {
        // The target is a directory: the rename over it fails and it stays untouched.
        std::filesystem::create_directory(dir.path() / "Karmo.cfg");
        dir.write("Karmo.cfg/keep", "x");
        ScriptedPrompter prompter;
        prompter.expect("Save Settings", std::strerror(EISDIR), Icon::Exclamation);
        EXPECT_FALSE(SaveSettings(s, dir.str(), prompter));
        EXPECT_TRUE(std::filesystem::is_directory(dir.path() / "Karmo.cfg"));
        EXPECT_EQ(dir.entries(), std::vector<std::string>{"Karmo.cfg"});
    }
}

TEST(Settings, SaveReplacesAnOlderFile) {
    TempDir dir;
    dir.write("Karmo.cfg", " 0  1  2  3  4  5  1  0 \r\nsomething longer that must go\r\n");
    AppState s;
    InitAppState(s, dir.str(), "/", kTrueColor);
    ScriptedPrompter prompter;
    ASSERT_TRUE(SaveSettings(s, dir.str(), prompter));
    EXPECT_EQ(dir.read("Karmo.cfg"), kFactoryLineSI);
    EXPECT_EQ(dir.entries(), std::vector<std::string>{"Karmo.cfg"});
}

TEST(Settings, ToolTipTable) {
    const std::pair<const char*, const char*> expected[] = {
        {"Cmd_Zoom_Refr", "Refresh the display"},
        {"cmd_Rescale", "Rescale the stress history"},
        {"cmd_Save", "Save the stress history to file"},
        {"cmd_Correction", "Correct or smooth the stress history"},
        {"cmd_Cycle_Count", "Perform rainflow counting"},
        {"cmd_Subtract", "Subtract some points from the stress history"},
        {"cmd_Append", "Add a stress history to the current one"},
        {"cmd_Cancel", "Close editing the stress history"},
        {"Label7", "Click here for Stress/Strain change"},
        {"Label11", "Click here for Stress/Strain change"},
        {"Label14", "Click here for Stress/Strain change"},
        {"cmd_Unknown", ""},
    };
    for (const auto& [control, text] : expected) {
        EXPECT_EQ(ToolTipFor(control, 0), text) << control;
        EXPECT_EQ(ToolTipFor(control, 1), "") << control;
    }
    EXPECT_EQ(HistoryButtonToolTips().size(), 8u);

    AppState s;
    SelectToolTips(s, 1);
    EXPECT_EQ(s.ToolTipsHidden, 1);
    SelectToolTips(s, 2);
    EXPECT_EQ(s.ToolTipsHidden, 1);
    SelectToolTips(s, 0);
    EXPECT_EQ(s.ToolTipsHidden, 0);
}

TEST(Settings, ColoursDialogCancelAfterRestoreKeepsFactoryPlotBack) {
    TempDir dir;
    dir.write("Karmo.cfg", " 1  1  2  3  4  5  0  0 \r\n");
    AppState s = startedIn(dir);
    ASSERT_EQ(s.PlotBackColor, 3u);

    ColorsBackup backup;
    ASSERT_TRUE(OpenColorsDialog(s, backup));
    EXPECT_EQ(s.UiMode, 9);
    int picks = 0;
    const auto picker = [&picks](Color) { ++picks; return Color{0x0000FF}; };
    EXPECT_TRUE(ColorSampleClick(s, kRestoreFactoryColorsIndex, picker));
    EXPECT_EQ(picks, 0);
    EXPECT_EQ(s.HistoryColor, 8454143u);
    CloseColorsDialog(s, backup, false);
    EXPECT_EQ(s.UiMode, 1);
    EXPECT_EQ(s.HistoryColor, 1u);
    EXPECT_EQ(s.BetaColor, 2u);
    EXPECT_EQ(s.SpectrumColor, 4u);
    EXPECT_EQ(s.GraphColor, 5u);
    EXPECT_EQ(s.PlotBackColor, 16777215u);
}

TEST(Settings, ColoursDialogSamples) {
    AppState s;
    InitAppState(s, "/x", "/", kPalette);
    ColorsBackup backup;
    ASSERT_TRUE(OpenColorsDialog(s, backup));
    EXPECT_FALSE(OpenColorsDialog(s, backup));  // busy: a second click does nothing

    const char* captions[] = {"Graph", "History", "Spectrum", "Beta", "", "Restore Factory Colors", ""};
    for (int i = 0; i < 7; ++i) EXPECT_EQ(ColorSampleCaption(i), captions[i]) << i;

    // Each sample's picker is preset with its own colour and stores the picked one at once.
    std::vector<Color> presets;
    const auto picker = [&presets](Color c) { presets.push_back(c); return Color(0x10 + presets.size()); };
    for (int i = 0; i <= 6; ++i) ColorSampleClick(s, i, picker);
    EXPECT_EQ(presets, (std::vector<Color>{12583104, 65535, 65280, 16776960}));
    EXPECT_EQ(s.PlotBackColor, 16777215u);  // index 5 restored the factory set last
    EXPECT_EQ(s.GraphColor, 12583104u);

    ColorSampleClick(s, 1, picker);
    EXPECT_EQ(ColorSampleColor(s, 1), Color{0x15});
    EXPECT_FALSE(ColorSampleColor(s, 4).has_value());
    CloseColorsDialog(s, backup, true);
    EXPECT_EQ(s.HistoryColor, 0x15u);
    EXPECT_EQ(s.UiMode, 1);
}

TEST(Settings, RestoreFactoryColoursFollowsTheDisplay) {
    for (int32_t display : {kTrueColor, kPalette}) {
        AppState s;
        InitAppState(s, "/x", "/", display);
        s.GraphColor = s.HistoryColor = s.SpectrumColor = s.BetaColor = s.PlotBackColor = 0;
        ColorSampleClick(s, kRestoreFactoryColorsIndex, [](Color c) { return c; });
        const ColorSet f = FactoryColors(display);
        EXPECT_EQ(s.HistoryColor, f.History);
        EXPECT_EQ(s.SpectrumColor, display == kTrueColor ? 8454016u : 65280u);
        EXPECT_EQ(s.PlotBackColor, 16777215u);
    }
}
