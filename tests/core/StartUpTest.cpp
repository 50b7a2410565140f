#include <gtest/gtest.h>

#include <tuple>

#include "core/AppState.h"
#include "core/StartUp.h"
#include "support/TempDir.h"

using namespace karmo;
using karmo::test::TempDir;

// Karmo.cfg is looked for in the directory given (the one current at start), not elsewhere.
TEST(StartUp, StateAndSettingsOfTheGivenDirectory) {
    TempDir dir;
    dir.write("Karmo.cfg", " 0  1  2  3  4  5  1  0 \r\n");
    AppState s;
    s.UiMode = 4;
    s.batch(3).Name = "left over";
    StartUpState(s, dir.str() + "/", "/", -1);
    EXPECT_TRUE(s.UnitsUS);
    EXPECT_EQ(s.ToolTipsHidden, 1);
    EXPECT_EQ(s.GraphColor, 5u);
    EXPECT_EQ(s.QuantityName + s.QuantityUnitBracket, "Stress [ksi]");

    TempDir other;
    s.QuantityName = "Strain ";
    StartUpState(s, other.str(), "/", 256);
    EXPECT_EQ(s.DatabaseDir + "|" + s.HistoryDir, other.str() + "|" + other.str());
    EXPECT_EQ(s.CompanyName, "Orvex");
    EXPECT_EQ(std::tuple(s.UiMode, s.CurrentBatch, s.ToolTipsHidden, s.TextHasHeader,
                         s.DistributionType),
              std::tuple(1, 0, 0, -1, 1));
    EXPECT_FALSE(s.UnitsUS);
    EXPECT_EQ(s.HistoryColor, 65535u);  // factory colours of a palette display
    EXPECT_EQ(s.QuantityName + s.QuantityUnitBracket + s.DmseLabel, "Stress [MPa]DMSE(-)  ");
    EXPECT_FALSE(s.HistoryShown);
    EXPECT_EQ(s.Values.size(), 2u);
    EXPECT_TRUE(s.batch(3).Name.empty());
}
