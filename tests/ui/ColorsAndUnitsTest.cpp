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
    EXPECT_EQ(test::ShownPanels(w), "frm_data_serv");
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
    EXPECT_EQ(test::ShownPanels(w), "");
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
    EXPECT_EQ(test::ShownPanels(w), "");
    EXPECT_EQ(s.UiMode, kUiIdle);
    EXPECT_EQ((std::vector<Color>{s.GraphColor, s.HistoryColor, s.SpectrumColor, s.BetaColor, s.PlotBackColor}),
              (std::vector<Color>{0x000080, 0x123456, 0x80FF80, 0xFFFF80, 0xFFFFFF}));
}

// The database panel's batch display: captions, values in their masks, distribution and
// mean-stress lines, the quantity labels that toggle stress and strain, and the units.
struct BatchDisplay : ::testing::Test {
    Ui ui;
    AppState& s = ui.s;
    Panel* db = ui.panel("frm_Load_Dbase");

    void SetUp() override {
        test::FillExampleBatch(s);
        ui.w.show();
        ui.act("mnu_data_edit")->setEnabled(true);
        ui.act("mnu_data_edit")->trigger();
        // "&Edit Database" stands on a new batch behind the last: back to the example batch
        s.CurrentBatch = 1;
        s.NewBatch = false;
        ui.w.showBatch(1);
    }
    QString text(const char* name) { return db->label(name)->text(); }
    void click(const char* name) { static_cast<ClickLabel*>(db->label(name))->clicked(Qt::LeftButton); }
};

TEST_F(BatchDisplay, CaptionsValuesAndMasks) {
    ASSERT_EQ(test::ShownPanels(ui.w), "frm_Load_Dbase");
    EXPECT_EQ(db->edit("txt_Batch")->text(), "1");
    EXPECT_EQ(db->edit("txt_Batch_Name")->text(), "Crane runway, girder 3");
    const std::pair<const char*, const char*> expected[] = {
        {"Label7", "Stress History"},          {"Label11", "Stress Spectrum"},
        {"Label14_0", "Stress Distribution"},  {"lbl_Db_MaxValue_Caption", "Maximum Stress :"},
        {"lbl_Db_MinRange_Caption", "Minimum Stress Range:"},
        {"lbl_Db_Points", "48212"},            {"lbl_Db_MaxValue", "212.75"},
        {"lbl_Db_MinValue", "-64.5"},          {"lbl_Db_HistTime", "1440.0"},
        {"lbl_Db_MaxRange", "271.5"},          {"lbl_Db_Levels", "8"},
        {"lbl_Db_Volume", "2000000"},          {"lbl_Db_R", "3.5"},
    };
    for (const auto& [name, value] : expected) EXPECT_EQ(text(name), value) << name;
    EXPECT_EQ(db->label("Label7")->toolTip(), "Click here for Stress/Strain change");

    struct Row { int16_t source; float q, su; bool history; int16_t type; const char *label, *shownQ, *mse; };
    const Row rows[] = {
        {0, 0.8125f, 510, true, 1, "(Beta)", "0.813", "DMSE(+): Su=510, Sy=355, Kf=1.6"},
        {-1, 0.8125f, 0, true, 2, "(Weibull)", "220.594", "  DMSE(-)"},           // Q x largest range
        {-2, 0.8125f, 510, true, 3, "(Log-norm)", "6.416", "DMSE(+): Su=510, Sy=355, Kf=1.6"},   // Q + ln 271.5
        {-1, 0, 1.001f, false, 3, "", nullptr, ""},   // no fit: the type stays
    };
    for (const Row& r : rows) {
        s.batch().SourceType = r.source;
        s.batch().FitQ = r.q;
        s.batch().UltimateStrength = r.su;
        s.batch().HasHistory = r.history;
        ui.w.showBatch(1);
        EXPECT_EQ(s.DistributionType, r.type) << r.source;
        EXPECT_EQ(text("lbl_Db_DistrType"), r.label) << r.source;
        if (r.shownQ) { EXPECT_EQ(text("lbl_Db_Q"), r.shownQ) << r.source; }
        EXPECT_EQ(text("lbl_Db_Mse"), r.mse) << r.source;
    }
}

TEST_F(BatchDisplay, UnitsAndQuantityLabels) {
    s.HistoryShown = true;   // the history information boxes follow the units too (1/6.895 ksi per MPa)
    Panel* info = ui.panel("frm_Stress_Info");
    struct Case { const char *item, *unit, *max, *min, *range; };
    for (const Case& c : {Case{"mnu_US", "ksi", "30.856", "-9.355", "39.376"},
                          Case{"mnu_SI", "MPa", "212.75", "-64.5", "271.5"}}) {
        ui.act(c.item)->trigger();
        EXPECT_TRUE(ui.act(c.item)->isChecked());
        EXPECT_EQ(s.StressUnit, c.unit);
        EXPECT_EQ(info->label("lbl_Max_Stress")->text(), QStringLiteral("Max Stress [%1]:").arg(c.unit));
        EXPECT_EQ(info->label("lbl_Min_Stress")->text(), QStringLiteral("Min Stress [%1]:").arg(c.unit));
        EXPECT_EQ(info->edit("txt_Max_Stress")->text(), c.max);
        EXPECT_EQ(info->edit("txt_Min_Stress")->text(), c.min);
        EXPECT_EQ(text("lbl_Db_MaxRange"), c.range);
    }
    EXPECT_FALSE(ui.act("mnu_US")->isChecked());
    EXPECT_EQ(s.batch().MaxValue, 212.75f);   // nothing stored is converted

    ui.act("mnu_US")->trigger();
    click("Label7");
    EXPECT_EQ(s.batch().Quantity, "Strain ");
    EXPECT_EQ(text("Label7"), "Strain History");
    EXPECT_EQ(text("lbl_Db_MaxRange_Caption"), "Maximum Strain Range:");
    EXPECT_EQ(text("lbl_Db_MaxRange"), "271.5");   // strain is not scaled
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
