#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "core/AppState.h"
#include "core/Settings.h"
#include "core/StartUp.h"
#include "core/Units.h"
#include "support/ScriptedPrompter.h"
#include "support/TempDir.h"

using namespace karmo;
using karmo::test::ScriptedPrompter;
using karmo::test::TempDir;

namespace {

constexpr int32_t kTrueColor = -1;  // display capability above 256 colours
constexpr int32_t kPalette = 256;

const std::string kFactoryLineSI = " 1  8454143  16777088  16777215  8454016  12583104  0  0 \r\n";

AppState startedIn(const TempDir& dir, int32_t displayNumColors = kTrueColor) {
    AppState s;
    StartUpState(s, dir.str(), "/", displayNumColors);
    return s;
}

}  // namespace

TEST(Settings, FactoryLinesAndSaveInBothUnits) {
    TempDir dir;
    dir.write("Karmo.cfg", " 0  1  2  3  4  5  1  0 \r\nsomething longer that must go\r\n");
    AppState s;
    InitAppState(s, dir.str(), "/", kPalette);
    EXPECT_EQ(SettingsLine(s), " 1  65535  16776960  16777215  65280  12583104  0  0 \r\n");
    InitAppState(s, dir.str(), "/", kTrueColor);
    ScriptedPrompter prompter;
    ASSERT_TRUE(SaveSettings(s, dir.str(), prompter));
    EXPECT_EQ(dir.read("Karmo.cfg"), kFactoryLineSI);
    EXPECT_EQ(dir.entries(), std::vector<std::string>{"Karmo.cfg"});
    // The saved light set is read back even on a palette display.
    EXPECT_EQ(startedIn(dir, kPalette).HistoryColor, 8454143u);

    SelectUnitSystem(s, UnitSystem::US);  // field 1 is the floor of 1/2.54
    ASSERT_TRUE(SaveSettings(s, dir.str(), prompter));
    EXPECT_EQ(dir.read("Karmo.cfg"), " 0" + kFactoryLineSI.substr(2));
    EXPECT_TRUE(startedIn(dir).UnitsUS);
}

// Only a first field of exactly 1 selects SI; the fields may be in any list form.
TEST(Settings, ReadFieldsAndUnitSystem) {
    const std::pair<const char*, bool> cases[] = {  // file, US units
        {" 1  255  65280  16711680  128  32768  1  0 \r\n", false},
        {" 0  255  65280  16711680  128  32768  1  0 \r\n", true},
        {" 2  255  65280  16711680  128  32768  1  0 \r\n", true},
        {"0.5,255,65280,16711680,128,32768,1,0\r\n", true},
        {"1.0\n255\n65280\n16711680\n128\n32768\n1\n0\n", false},
    };
    for (const auto& [content, us] : cases) {
        TempDir dir;
        dir.write("Karmo.cfg", content);
        // Field 1 written back is 0 only when US units were selected.
        EXPECT_EQ(SettingsLine(startedIn(dir)), std::string(us ? " 0" : " 1") +
                                                    "  255  65280  16711680  128  32768  1  0 \r\n")
            << content;
    }
}

// Fields read before a failure keep their values, the rest stay factory, SI is forced.
TEST(Settings, ReadFailures) {
    // File (nullptr: none; "/": a directory in its place), SettingsLine after the failed read.
    const std::pair<const char*, const char*> cases[] = {
        {nullptr, " 1  8454143  16777088  16777215  8454016  12583104  0  0 \r\n"},
        {"/", " 1  8454143  16777088  16777215  8454016  12583104  0  0 \r\n"},
        {" 0  255  65280 \r\n", " 1  255  65280  16777215  8454016  12583104  0  0 \r\n"},
        {" 0  255  abc  1  2  3  1  0 \r\n",
         " 1  255  16777088  16777215  8454016  12583104  0  0 \r\n"},
        {" 0  1  2  3  4  5  1 \r\n", " 1  1  2  3  4  5  1  0 \r\n"},
        {" 0  1  2  3  4  5  7  0 \r\n", " 1  1  2  3  4  5  0  0 \r\n"},
        {" 0  1  9999999999  3  4  5  1  0 \r\n",
         " 1  1  16777088  16777215  8454016  12583104  0  0 \r\n"},
    };
    for (const auto& [content, line] : cases) {
        SCOPED_TRACE(content ? content : "no file");
        TempDir dir;
        if (content != nullptr && *content == '/')
            std::filesystem::create_directory(dir.path() / "Karmo.cfg");
        else if (content != nullptr) dir.write("Karmo.cfg", content);
        AppState s;
        InitAppState(s, dir.str(), "/", kTrueColor);
        s.LengthFactor = 0.5f;
        EXPECT_FALSE(ReadSettings(s, dir.str()));
        EXPECT_EQ(SettingsLine(s), line);
        EXPECT_FALSE(startedIn(dir).UnitsUS);
    }
}

TEST(Settings, FailedSaveIsReportedAndKeepsTheOldFile) {
    TempDir dir;
    const AppState s = startedIn(dir);
    ScriptedPrompter prompter;
    prompter.expect("Save Settings", std::string("Karmo.cfg: ") + std::strerror(ENOENT), Icon::Exclamation);
    EXPECT_FALSE(SaveSettings(s, (dir.path() / "no such dir").string(), prompter));

    // The target is a directory: the rename over it fails and it stays untouched.
    std::filesystem::create_directory(dir.path() / "Karmo.cfg");
    dir.write("Karmo.cfg/keep", "x");
    prompter.expect("Save Settings", std::string("Karmo.cfg: ") + std::strerror(EISDIR), Icon::Exclamation);
    EXPECT_FALSE(SaveSettings(s, dir.str(), prompter));
    EXPECT_EQ(dir.read("Karmo.cfg/keep"), "x");
    EXPECT_EQ(dir.entries(), std::vector<std::string>{"Karmo.cfg"});
}

TEST(Settings, ToolTips) {
    const std::pair<const char*, const char*> expected[] = {
        {"Cmd_Zoom_Refr", "Refresh the display"}, {"cmd_Rescale", "Rescale the stress history"},
        {"cmd_Save", "Save the stress history to file"},
        {"cmd_Correction", "Correct or smooth the stress history"},
        {"cmd_Cycle_Count", "Perform rainflow counting"},
        {"cmd_Subtract", "Subtract some points from the stress history"},
        {"cmd_Append", "Add a stress history to the current one"},
        {"cmd_Cancel", "Close editing the stress history"},
        {"Label7", "Click here for Stress/Strain change"},
        {"Label14", "Click here for Stress/Strain change"},
        {"cmd_Unknown", ""},
    };
    for (const auto& [control, text] : expected) {
        EXPECT_EQ(ToolTipFor(control, 0), text) << control;
        EXPECT_EQ(ToolTipFor(control, 1), "") << control;
    }
}

// Each sample's picker is preset with its own colour and stores the picked one at once;
// index 5 restores the factory set of the display; Cancel restores four colours, not PlotBack.
TEST(Settings, ColoursDialog) {
    const char* captions[] = {"Graph", "History", "Spectrum", "Beta", "", "Restore Factory Colors",
                              ""};
    for (int i = 0; i < 7; ++i) EXPECT_EQ(ColorSampleCaption(i), captions[i]) << i;
    for (const bool ok : {false, true}) {
        TempDir dir;
        dir.write("Karmo.cfg", " 1  1  2  3  4  5  0  0 \r\n");
        AppState s = startedIn(dir, ok ? kPalette : kTrueColor);
        ColorsBackup backup;
        ASSERT_TRUE(OpenColorsDialog(s, backup));
        EXPECT_EQ(s.UiMode, 9);
        EXPECT_FALSE(OpenColorsDialog(s, backup));  // busy: a second click does nothing
        std::vector<Color> presets;
        const auto picker = [&presets](Color c) {
            presets.push_back(c);
            return Color(0x10 + presets.size());
        };
        for (int i = 0; i <= 6; ++i) ColorSampleClick(s, i, picker);
        EXPECT_EQ(presets, (std::vector<Color>{5, 1, 4, 2}));
        EXPECT_EQ(SettingsLine(s), ok ? " 1  65535  16776960  16777215  65280  12583104  0  0 \r\n"
                                      : kFactoryLineSI);
        ColorSampleClick(s, 1, picker);
        EXPECT_EQ(ColorSampleColor(s, 1), Color{0x15});
        CloseColorsDialog(s, backup, ok);
        EXPECT_EQ(s.UiMode, 1);
        EXPECT_EQ(SettingsLine(s), ok ? " 1  21  16776960  16777215  65280  12583104  0  0 \r\n"
                                      : " 1  1  2  16777215  4  5  0  0 \r\n");
    }
}
