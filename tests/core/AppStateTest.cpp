#include <gtest/gtest.h>

#include "core/AppState.h"

using namespace karmo;

TEST(AppState, StartUpValues) {
    AppState s;
    s.UiMode = 7;
    s.batch(3).Name = "left over";
    InitAppState(s, "/data/run", "/", -1);
    EXPECT_EQ(s.UiMode, 1);
    EXPECT_EQ(s.CurrentBatch, 0);
    EXPECT_EQ(s.DatabaseDir, "/data/run");
    EXPECT_EQ(s.HistoryDir, "/data/run");
    EXPECT_EQ(s.CompanyName, "Orvex");
    EXPECT_EQ(s.QuantityName, "Stress ");
    EXPECT_EQ(s.QuantityUnitBracket, "[MPa]");
    EXPECT_EQ(s.DmseLabel, "DMSE(-)  ");
    EXPECT_EQ(s.TextHasHeader, -1);
    EXPECT_EQ(s.DistributionType, 1);
    EXPECT_EQ(s.Values.size(), 2u);
    EXPECT_TRUE(s.batch(3).Name.empty());
}
