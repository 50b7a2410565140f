#include <gtest/gtest.h>

#include <regex>
#include <string>

#include "Road.h"
#include "fatigue/FatigueForm.h"

namespace karmo {
namespace {

using test::Cli;
using test::FirstBatch;
using test::Road;

// A number of karmo-cli's JSON by its key.
double JsonNumber(const std::string& json, const std::string& key) {
    std::smatch m;
    EXPECT_TRUE(std::regex_search(json, m, std::regex("\"" + key + "\":([-0-9.eE+]+)"))) << key << " in " << json;
    return m.empty() ? 0 : std::stod(m[1]);
}

// The first batch of a new database against the detail category 71: the life karmo-cli
// gives for the stored batch, in S&I and in U&S alike.
TEST(FatigueRoad, DetailCategoryLifeOfTheFirstBatch) {
    Road r;
    FirstBatch(r);
    r.menu("mnu_fatigue");
    EXPECT_EQ(r.text("frm_Fatigue"), "Fatigue Damage");
    EXPECT_EQ(r.text("txt_Detail_Category"), "71.0");
    const std::string json =
        Cli({"damage", "--db", r.dir.toStdString(), "1", "--detail-category", "71", "--json"});
    const std::string repetitions = "Repetitions to failure: " + LifeFigure(JsonNumber(json, "repetitions"));
    const std::string hours = "Life [h]: " + LifeFigure(JsonNumber(json, "hours"));
    EXPECT_EQ(r.text("lbl_Fatigue_Repetitions").toStdString(), repetitions);
    EXPECT_EQ(r.text("lbl_Fatigue_Hours").toStdString(), hours);
    r.shot("fatigue-damage");

    r.menu("mnu_US");
    EXPECT_EQ(r.text("lbl_Detail_Category"), "Detail Category [ksi]:");
    EXPECT_EQ(r.text("txt_Detail_Category"), "10.297");
    EXPECT_EQ(r.text("lbl_Fatigue_Repetitions").toStdString(), repetitions);
    EXPECT_EQ(r.text("lbl_Fatigue_Hours").toStdString(), hours);
    r.menu("mnu_SI");
    EXPECT_EQ(r.text("lbl_Detail_Category"), "Detail Category [MPa]:");
    EXPECT_EQ(r.text("txt_Detail_Category"), "71.0");
    EXPECT_EQ(r.text("lbl_Fatigue_Repetitions").toStdString(), repetitions);
    r.click("cmd_Fatigue_Close");
    EXPECT_EQ(r.shown(), "frm_Hist frm_Spectr frm_Spectrum_Info frm_Stress_Info");
}

}  // namespace
}  // namespace karmo
