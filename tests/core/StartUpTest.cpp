#include <gtest/gtest.h>

#include "support/TempDir.h"
#include "core/AppState.h"
#include "core/StartUp.h"

using namespace karmo;
using karmo::test::TempDir;

TEST(StartUp, WithoutSettingsFile) {
    TempDir dir;
    AppState s;
    s.QuantityName = "Strain ";
    s.UiMode = 4;
    StartUpState(s, dir.str(), "/", 256);
    EXPECT_EQ(s.DatabaseDir, dir.str());
    EXPECT_EQ(s.HistoryDir, dir.str());
    EXPECT_EQ(s.UiMode, 1);
    EXPECT_FALSE(s.UnitsUS);
    EXPECT_EQ(s.ToolTipsHidden, 0);
    EXPECT_EQ(s.HistoryColor, 65535u);  // factory colours of a palette display
    EXPECT_EQ(s.QuantityName, "Stress ");
    EXPECT_EQ(s.QuantityUnitBracket, "[MPa]");
    EXPECT_EQ(s.DmseLabel, "DMSE(-)  ");
    EXPECT_EQ(s.TextHasHeader, -1);
    EXPECT_EQ(s.DistributionType, 1);
    EXPECT_FALSE(s.HistoryShown);
    EXPECT_EQ(s.Values.size(), 2u);
}

TEST(StartUp, SettingsComeFromTheGivenDirectory) {
    TempDir dir;
    dir.write("Karmo.cfg", " 0  1  2  3  4  5  1  0 \r\n");
    AppState s;
    StartUpState(s, dir.str() + "/", "/", -1);
    EXPECT_TRUE(s.UnitsUS);
    EXPECT_EQ(s.ToolTipsHidden, 1);
    EXPECT_EQ(s.GraphColor, 5u);
    EXPECT_EQ(s.QuantityName, "Stress ");
    EXPECT_EQ(s.QuantityFactor, static_cast<float>(1.0 / 6.895));
    EXPECT_EQ(s.QuantityUnit, "ksi");
    EXPECT_EQ(s.QuantityUnitBracket, "[ksi]");

    TempDir other;
    StartUpState(s, other.str(), "/", -1);
    EXPECT_FALSE(s.UnitsUS);
    EXPECT_EQ(s.ToolTipsHidden, 0);
}
