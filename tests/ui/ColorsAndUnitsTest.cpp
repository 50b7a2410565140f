#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <gtest/gtest.h>

#include "UiTestEnv.h"
#include "support/ScriptedPrompter.h"
#include <cmath>

#include "core/NumberForms.h"
#include "distribution/DistributionFit.h"
#include "ui/BatchDisplay.h"
#include "ui/FocusEdit.h"
#include "ui/QtCanvas.h"
#include "ui/panels/DataServPanel.h"
#include "ui/panels/Panel.h"

namespace karmo {
namespace {

using test::ScriptedPrompter;
using test::WindowFixture;

QColor Background(QWidget* w) { return w->palette().color(QPalette::Window); }

struct ColorsFixture : ::testing::Test {
    ScriptedPrompter prompter;
    WindowFixture f{&prompter};
    MainWindow& w = f.w();
    DataServPanel* serv = static_cast<DataServPanel*>(w.panel(QStringLiteral("frm_data_serv")));
    std::vector<Color> picked;   // what the picker was preset with
    Color answer = 0x123456;

    void SetUp() override {
        w.show();
        w.setColorPicker([this](Color current) {
            picked.push_back(current);
            return answer;
        });
    }
    void clickSample(int i) { serv->sample(i)->clicked(Qt::LeftButton); }
};

TEST_F(ColorsFixture, OpensTheDataServicesPanelInColoursMode) {
    w.panel(QStringLiteral("frm_Load_Dbase"))->show();
    w.action(QStringLiteral("mnu_settings"))->trigger();
    EXPECT_EQ(w.state().UiMode, 9);
    EXPECT_TRUE(serv->isVisible());
    EXPECT_TRUE(w.panel(QStringLiteral("frm_Load_Dbase"))->isHidden());
    EXPECT_EQ(serv->mode(), DataServMode::Colors);
    EXPECT_EQ(serv->title(), QStringLiteral("Colors"));
    EXPECT_EQ(serv->label(QStringLiteral("Select_data_option"))->text(),
              QStringLiteral("Click a symbolic window to change the colors ..."));
    EXPECT_TRUE(serv->findChild<QGroupBox*>(QStringLiteral("frm_set_graphics"))->isVisible());
    EXPECT_EQ(serv->findChild<QGroupBox*>(QStringLiteral("frm_set_graphics"))->title(), QStringLiteral("Window"));
    EXPECT_FALSE(serv->findChild<QGroupBox*>(QStringLiteral("frm_Load_File"))->isVisible());
    EXPECT_EQ(serv->button(QStringLiteral("cmd_data_do"))->text(), QStringLiteral("&OK"));
    const std::vector<std::pair<int, const char*>> captions = {
        {0, "Graph"}, {1, "History"}, {2, "Spectrum"}, {3, "Beta"}, {5, "Restore Factory Colors"}};
    for (const auto& [i, caption] : captions) EXPECT_EQ(serv->sample(i)->text(), QString::fromLatin1(caption)) << i;
    EXPECT_EQ(serv->sample(0)->palette().color(QPalette::WindowText), ToQColor(0xC000C0));
    EXPECT_EQ(Background(serv->sample(1)), ToQColor(0x80FFFF));
    EXPECT_EQ(Background(serv->sample(2)), ToQColor(0x80FF80));
    EXPECT_EQ(Background(serv->sample(3)), ToQColor(0xFFFF80));
}

TEST_F(ColorsFixture, PickedColoursAreKeptByOk) {
    w.action(QStringLiteral("mnu_settings"))->trigger();
    clickSample(1);
    EXPECT_EQ(picked, std::vector<Color>{0x80FFFF});   // preset with the current colour
    EXPECT_EQ(w.state().HistoryColor, 0x123456u);
    EXPECT_EQ(Background(serv->sample(1)), ToQColor(0x123456));
    answer = 0x000080;
    clickSample(0);
    EXPECT_EQ(w.state().GraphColor, 0x000080u);
    EXPECT_EQ(serv->sample(0)->palette().color(QPalette::WindowText), ToQColor(0x000080));
    serv->button(QStringLiteral("cmd_data_do"))->click();
    EXPECT_FALSE(serv->isVisible());
    EXPECT_EQ(w.state().UiMode, kUiIdle);
    EXPECT_EQ(w.state().HistoryColor, 0x123456u);
    EXPECT_EQ(Background(w.panel(QStringLiteral("frm_Hist"))), ToQColor(0x123456));
}

TEST_F(ColorsFixture, CancelRestoresTheFourColoursButNotThePlotBackground) {
    w.state().PlotBackColor = 0x0000FF;
    w.action(QStringLiteral("mnu_settings"))->trigger();
    clickSample(2);
    clickSample(3);
    w.Graphics_Click(4);   // no such sample: nothing
    EXPECT_EQ(picked.size(), 2u);
    clickSample(5);
    EXPECT_EQ(w.state().SpectrumColor, 0x80FF80u);
    EXPECT_EQ(w.state().PlotBackColor, 0xFFFFFFu);
    clickSample(3);
    serv->button(QStringLiteral("cmd_data_cancel"))->click();
    EXPECT_FALSE(serv->isVisible());
    EXPECT_EQ(w.state().UiMode, kUiIdle);
    EXPECT_EQ(w.state().SpectrumColor, 0x80FF80u);
    EXPECT_EQ(w.state().BetaColor, 0xFFFF80u);
    EXPECT_EQ(w.state().PlotBackColor, 0xFFFFFFu);
}

// ---------------------------------------------------------------------------------------

TEST(Units, SwitchingRefreshesTheCaptions) {
    ScriptedPrompter prompter;
    WindowFixture f(&prompter);
    MainWindow& w = f.w();
    AppState& s = w.state();
    s.CurrentBatch = 1;
    s.batch().MaxValue = 100;
    s.batch().MinValue = -50;
    s.HistoryShown = true;
    Panel* info = w.panel(QStringLiteral("frm_Stress_Info"));
    int refreshed = 0;
    w.onUnitsChanged = [&] { ++refreshed; };
    w.action(QStringLiteral("mnu_US"))->trigger();
    EXPECT_TRUE(w.action(QStringLiteral("mnu_US"))->isChecked());
    EXPECT_FALSE(w.action(QStringLiteral("mnu_SI"))->isChecked());
    EXPECT_EQ(info->label(QStringLiteral("lbl_Max_Stress"))->text(), QStringLiteral("Max Stress [ksi]:"));
    EXPECT_EQ(info->label(QStringLiteral("lbl_Min_Stress"))->text(), QStringLiteral("Min Stress [ksi]:"));
    EXPECT_EQ(info->edit(QStringLiteral("txt_Max_Stress"))->text(), QStringLiteral("14.503"));
    EXPECT_EQ(info->edit(QStringLiteral("txt_Min_Stress"))->text(), QStringLiteral("-7.252"));
    w.action(QStringLiteral("mnu_SI"))->trigger();
    EXPECT_EQ(s.StressFactor, 1.0f);
    EXPECT_EQ(s.StressUnit, "MPa");
    EXPECT_EQ(info->label(QStringLiteral("lbl_Max_Stress"))->text(), QStringLiteral("Max Stress [MPa]:"));
    EXPECT_EQ(info->edit(QStringLiteral("txt_Max_Stress"))->text(), QStringLiteral("100.0"));
    EXPECT_EQ(s.batch().MaxValue, 100.0f);   // nothing stored is converted
    EXPECT_EQ(refreshed, 2);
}

// ---------------------------------------------------------------------------------------

struct BatchFixture : ::testing::Test {
    ScriptedPrompter prompter;
    WindowFixture f{&prompter};
    MainWindow& w = f.w();
    AppState& s = w.state();
    Panel* db = w.panel(QStringLiteral("frm_Load_Dbase"));

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
        w.show();
        w.action(QStringLiteral("mnu_data_edit"))->setEnabled(true);
        w.action(QStringLiteral("mnu_data_edit"))->trigger();
    }
    QString text(const char* name) { return db->label(QString::fromLatin1(name))->text(); }
};

TEST_F(BatchFixture, ShowsTheBatchWithItsCaptionsAndMasks) {
    ASSERT_TRUE(db->isVisible());
    EXPECT_EQ(db->edit(QStringLiteral("txt_Batch"))->text(), QStringLiteral("1"));
    EXPECT_EQ(db->edit(QStringLiteral("txt_Batch_Name"))->text(), QStringLiteral("Crane runway"));
    const std::vector<std::pair<const char*, const char*>> expected = {
        {"Label7", "Stress History"},
        {"Label11", "Stress Spectrum"},
        {"Label14_0", "Stress Distribution"},
        {"lbl_Db_MaxValue_Caption", "Maximum Stress :"},
        {"lbl_Db_MinValue_Caption", "Minimum Stress :"},
        {"lbl_Db_MaxRange_Caption", "Maximum Stress Range:"},
        {"lbl_Db_MinRange_Caption", "Minimum Stress Range:"},
        {"lbl_Db_Points", "1000"},
        {"lbl_Db_MaxValue", "250.5"},
        {"lbl_Db_MinValue", "-120.25"},
        {"lbl_Db_HistTime", "12.5"},
        {"lbl_Db_MaxRange", "200.0"},
        {"lbl_Db_MinRange", "10.0"},
        {"lbl_Db_Levels", "8"},
        {"lbl_Db_Volume", "500000"},
        {"lbl_Db_DistrType", "(Weibull)"},
        {"lbl_Db_Q", "100.0"},
        {"lbl_Db_R", "2.25"},
        {"lbl_Db_Mse", "  DMSE(-)"},
    };
    for (const auto& [name, value] : expected) EXPECT_EQ(text(name), QString::fromUtf8(value)) << name;
    EXPECT_EQ(s.DistributionType, 2);
    EXPECT_EQ(db->label(QStringLiteral("Label7"))->toolTip(), QStringLiteral("Click here for Stress/Strain change"));
}

TEST_F(BatchFixture, MeanStressLineAndLogNormQ) {
    s.batch().UltimateStrength = 500;
    s.batch().YieldStrength = 300;
    s.batch().NotchFactor = 1;
    s.batch().SourceType = -2;
    w.showBatch(1);
    EXPECT_EQ(text("lbl_Db_Mse"), QStringLiteral("DMSE(+): Su=500, Sy=300, Kf=1.0"));
    EXPECT_EQ(text("lbl_Db_DistrType"), QStringLiteral("(Log-norm)"));
    EXPECT_EQ(s.DistributionType, 3);
    EXPECT_EQ(text("lbl_Db_Q"), QString::fromStdString(FormatMask(DisplayedFitQ(3, 0.5f, 1.0f, 200.0f), "###0.0##")));
    EXPECT_EQ(text("lbl_Db_Q"), QStringLiteral("5.798"));   // .5 + ln 200
    s.batch().FitQ = 0;
    s.batch().UltimateStrength = 1.001f;
    s.batch().HasHistory = false;
    w.showBatch(1);
    EXPECT_EQ(text("lbl_Db_DistrType"), QString());
    EXPECT_EQ(text("lbl_Db_Mse"), QString());
}

TEST_F(BatchFixture, QuantityLabelsToggleStressAndStrain) {
    auto click = [&](const char* name) {
        static_cast<ClickLabel*>(db->label(QString::fromLatin1(name)))->clicked(Qt::LeftButton);
    };
    click("Label7");
    EXPECT_EQ(s.batch().Quantity, "Strain ");
    EXPECT_EQ(text("Label7"), QStringLiteral("Strain History"));
    EXPECT_EQ(text("lbl_Db_MaxRange_Caption"), QStringLiteral("Maximum Strain Range:"));
    click("Label11");
    EXPECT_EQ(s.batch().Quantity, "Stress ");
    // the distribution title reacts only while the database is being edited; "Parameters"
    // (element 1) never
    click("Label14_0");
    click("Label14_1");
    EXPECT_EQ(s.batch().Quantity, "Stress ");
    s.DatabaseEditFlag = true;
    click("Label14_1");
    EXPECT_EQ(s.batch().Quantity, "Stress ");
    click("Label14_0");
    EXPECT_EQ(s.batch().Quantity, "Strain ");
    EXPECT_EQ(text("Label14_0"), QStringLiteral("Strain Distribution"));
}

TEST_F(BatchFixture, UsUnitsScaleStressButNotStrain) {
    w.action(QStringLiteral("mnu_US"))->trigger();
    EXPECT_EQ(text("lbl_Db_MaxRange"), QStringLiteral("29.007"));   // 200 MPa in ksi
    static_cast<ClickLabel*>(db->label(QStringLiteral("Label7")))->clicked(Qt::LeftButton);
    EXPECT_EQ(text("lbl_Db_MaxRange"), QStringLiteral("200.0"));
    EXPECT_EQ(s.QuantityUnit, "\xC2\xB5str");
}

}  // namespace
}  // namespace karmo
