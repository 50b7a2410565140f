#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <gtest/gtest.h>

#include "UiTestEnv.h"
#include "ui/FocusEdit.h"
#include "ui/QtCanvas.h"
#include "ui/panels/DataServPanel.h"

namespace karmo {
namespace {

using test::Ui;

QColor Background(QWidget* w) { return w->palette().color(QPalette::Window); }

// Picked colours are kept by OK; Cancel brings back the four colours from when the dialog
// opened, but not the plot background that "Restore Factory Colors" reset.
TEST(ColoursDialog, PickOkRestoreAndCancel) {
    Ui ui;
    MainWindow& w = ui.w;
    AppState& s = ui.s;
    auto* serv = static_cast<DataServPanel*>(ui.panel("frm_data_serv"));
    std::vector<Color> presets;
    Color answer = 0x123456;
    w.setColorPicker([&](Color current) {
        presets.push_back(current);
        return answer;
    });
    auto click = [&](int i) { serv->sample(i)->clicked(Qt::LeftButton); };
    w.show();
    ui.panel("frm_Load_Dbase")->show();
    w.action("mnu_settings")->trigger();
    EXPECT_EQ(s.UiMode, 9);
    EXPECT_TRUE(serv->isVisible());
    EXPECT_TRUE(ui.panel("frm_Load_Dbase")->isHidden());
    EXPECT_EQ(serv->mode(), DataServMode::Colors);
    EXPECT_EQ(serv->title(), "Colors");
    EXPECT_EQ(serv->label("Select_data_option")->text(), "Click a symbolic window to change the colors ...");
    auto* frame = serv->findChild<QGroupBox*>("frm_set_graphics");
    EXPECT_TRUE(frame->isVisible());
    EXPECT_EQ(frame->title(), "Window");
    EXPECT_FALSE(serv->findChild<QGroupBox*>("frm_Load_File")->isVisible());
    EXPECT_EQ(serv->button("cmd_data_do")->text(), "&OK");
    const std::pair<int, const char*> captions[] = {
        {0, "Graph"}, {1, "History"}, {2, "Spectrum"}, {3, "Beta"}, {5, "Restore Factory Colors"}};
    for (const auto& [i, caption] : captions) EXPECT_EQ(serv->sample(i)->text(), caption) << i;
    EXPECT_EQ(serv->sample(0)->palette().color(QPalette::WindowText), ToQColor(0xC000C0));   // graph: text colour
    EXPECT_EQ(Background(serv->sample(1)), ToQColor(0x80FFFF));
    EXPECT_EQ(Background(serv->sample(2)), ToQColor(0x80FF80));
    EXPECT_EQ(Background(serv->sample(3)), ToQColor(0xFFFF80));

    click(1);
    answer = 0x000080;
    click(0);
    EXPECT_EQ(presets, (std::vector<Color>{0x80FFFF, 0xC000C0}));   // preset with the current colour
    EXPECT_EQ(Background(serv->sample(1)), ToQColor(0x123456));
    EXPECT_EQ(serv->sample(0)->palette().color(QPalette::WindowText), ToQColor(0x000080));
    serv->button("cmd_data_do")->click();
    EXPECT_FALSE(serv->isVisible());
    EXPECT_EQ(s.UiMode, kUiIdle);
    EXPECT_EQ(s.HistoryColor, 0x123456u);
    EXPECT_EQ(s.GraphColor, 0x000080u);
    EXPECT_EQ(Background(ui.panel("frm_Hist")), ToQColor(0x123456));

    s.PlotBackColor = 0x0000FF;
    w.action("mnu_settings")->trigger();
    click(2);
    click(3);
    w.Graphics_Click(4);   // no such sample: nothing
    EXPECT_EQ(presets.size(), 4u);
    click(5);
    EXPECT_EQ(s.GraphColor, 0xC000C0u);
    EXPECT_EQ(s.SpectrumColor, 0x80FF80u);
    EXPECT_EQ(s.PlotBackColor, 0xFFFFFFu);
    click(3);
    serv->button("cmd_data_cancel")->click();
    EXPECT_FALSE(serv->isVisible());
    EXPECT_EQ(s.UiMode, kUiIdle);
    EXPECT_EQ((std::vector<Color>{s.GraphColor, s.HistoryColor, s.SpectrumColor, s.BetaColor, s.PlotBackColor}),
              (std::vector<Color>{0x000080, 0x123456, 0x80FF80, 0xFFFF80, 0xFFFFFF}));
}

TEST(Units, SwitchingRefreshesTheCaptions) {
    Ui ui;
    AppState& s = ui.s;
    s.CurrentBatch = 1;
    s.batch().MaxValue = 100;
    s.batch().MinValue = -50;
    s.HistoryShown = true;
    Panel* info = ui.panel("frm_Stress_Info");
    int refreshed = 0;
    ui.w.onUnitsChanged = [&] { ++refreshed; };
    struct Case { const char* item; const char* unit, *max, *min; };
    for (const Case& c : {Case{"mnu_US", "ksi", "14.503", "-7.252"}, Case{"mnu_SI", "MPa", "100.0", "-50.0"}}) {
        ui.act(c.item)->trigger();
        EXPECT_TRUE(ui.act(c.item)->isChecked());
        EXPECT_EQ(s.StressUnit, c.unit);
        EXPECT_EQ(info->label("lbl_Max_Stress")->text(), QStringLiteral("Max Stress [%1]:").arg(c.unit));
        EXPECT_EQ(info->label("lbl_Min_Stress")->text(), QStringLiteral("Min Stress [%1]:").arg(c.unit));
        EXPECT_EQ(info->edit("txt_Max_Stress")->text(), c.max);
        EXPECT_EQ(info->edit("txt_Min_Stress")->text(), c.min);
    }
    EXPECT_FALSE(ui.act("mnu_US")->isChecked());
    EXPECT_EQ(s.batch().MaxValue, 100.0f);   // nothing stored is converted
    EXPECT_EQ(refreshed, 2);
}

// The database panel's batch display: captions, values in their masks, distribution and
// mean-stress lines, and the quantity labels that toggle stress and strain.
struct BatchDisplay : ::testing::Test {
    Ui ui;
    AppState& s = ui.s;
    Panel* db = ui.panel("frm_Load_Dbase");

    void SetUp() override {
        s.CurrentBatch = 1;
        s.BatchCount = 1;
        DataBatch& b = s.batch();
        b.Name = "Crane runway";
        b.Quantity = "Stress ";
        b.PointCount = 1001;
        b.MaxValue = 250.5f;
        b.MinValue = -120.25f;
        b.RecordTime = 12.5f;
        b.MaxRange = 200;
        b.MinRange = 10;
        b.LevelCount = 8;
        b.Volume = 500000;
        b.FitQ = 0.5f;
        b.FitR = 2.25f;
        b.SourceType = -1;
        b.HasHistory = true;
        ui.w.show();
        ui.act("mnu_data_edit")->setEnabled(true);
        ui.act("mnu_data_edit")->trigger();
    }
    QString text(const char* name) { return db->label(name)->text(); }
    void click(const char* name) { static_cast<ClickLabel*>(db->label(name))->clicked(Qt::LeftButton); }
};

TEST_F(BatchDisplay, CaptionsValuesAndMasks) {
    ASSERT_TRUE(db->isVisible());
    EXPECT_EQ(db->edit("txt_Batch")->text(), "1");
    EXPECT_EQ(db->edit("txt_Batch_Name")->text(), "Crane runway");
    const std::pair<const char*, const char*> expected[] = {
        {"Label7", "Stress History"},
        {"Label11", "Stress Spectrum"},
        {"Label14_0", "Stress Distribution"},
        {"lbl_Db_MaxValue_Caption", "Maximum Stress :"},
        {"lbl_Db_MinRange_Caption", "Minimum Stress Range:"},
        {"lbl_Db_Points", "1000"},
        {"lbl_Db_MaxValue", "250.5"},
        {"lbl_Db_MinValue", "-120.25"},
        {"lbl_Db_HistTime", "12.5"},
        {"lbl_Db_MaxRange", "200.0"},
        {"lbl_Db_Levels", "8"},
        {"lbl_Db_Volume", "500000"},
        {"lbl_Db_DistrType", "(Weibull)"},
        {"lbl_Db_Q", "100.0"},
        {"lbl_Db_R", "2.25"},
        {"lbl_Db_Mse", "  DMSE(-)"},
    };
    for (const auto& [name, value] : expected) EXPECT_EQ(text(name), value) << name;
    EXPECT_EQ(s.DistributionType, 2);
    EXPECT_EQ(db->label("Label7")->toolTip(), "Click here for Stress/Strain change");

    s.batch().UltimateStrength = 500;
    s.batch().YieldStrength = 300;
    s.batch().NotchFactor = 1;
    s.batch().SourceType = -2;
    ui.w.showBatch(1);
    EXPECT_EQ(text("lbl_Db_Mse"), "DMSE(+): Su=500, Sy=300, Kf=1.0");
    EXPECT_EQ(text("lbl_Db_DistrType"), "(Log-norm)");
    EXPECT_EQ(s.DistributionType, 3);
    EXPECT_EQ(text("lbl_Db_Q"), "5.798");   // .5 + ln 200

    s.batch().FitQ = 0;
    s.batch().UltimateStrength = 1.001f;
    s.batch().HasHistory = false;
    ui.w.showBatch(1);
    EXPECT_EQ(text("lbl_Db_DistrType"), QString());
    EXPECT_EQ(text("lbl_Db_Mse"), QString());
}

TEST_F(BatchDisplay, QuantityLabelsToggleAndUsUnitsScaleOnlyStress) {
    ui.act("mnu_US")->trigger();
    EXPECT_EQ(text("lbl_Db_MaxRange"), "29.007");   // 200 MPa in ksi
    click("Label7");
    EXPECT_EQ(s.batch().Quantity, "Strain ");
    EXPECT_EQ(text("Label7"), "Strain History");
    EXPECT_EQ(text("lbl_Db_MaxRange_Caption"), "Maximum Strain Range:");
    EXPECT_EQ(text("lbl_Db_MaxRange"), "200.0");
    EXPECT_EQ(s.QuantityUnit, "\xC2\xB5str");
    click("Label11");
    EXPECT_EQ(s.batch().Quantity, "Stress ");
    // the distribution title reacts only while the database is being edited, "Parameters" never
    click("Label14_0");
    click("Label14_1");
    EXPECT_EQ(s.batch().Quantity, "Stress ");
    s.DatabaseEditFlag = true;
    click("Label14_1");
    EXPECT_EQ(s.batch().Quantity, "Stress ");
    click("Label14_0");
    EXPECT_EQ(s.batch().Quantity, "Strain ");
    EXPECT_EQ(text("Label14_0"), "Strain Distribution");
}

}  // namespace
}  // namespace karmo
