#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>

#include <algorithm>

#include "UiTestEnv.h"
#include "history/SeriesReaders.h"
#include "ui/FocusEdit.h"
#include "ui/HistoryScreen.h"
#include "ui/QtCanvas.h"

namespace karmo {
namespace {

using test::ScriptedPrompter;
using test::ShowHistory;

// A measured stress history of 16 reversals whose largest magnitude (120) is not the first.
const std::vector<float> kHistory = {0, 100, -50, 80, -20, 60, 10, 120, -100, 40, -30, 90, -60, 70, 20, 50};

// kHistory begun at its largest value, so nothing is rearranged.
std::vector<float> Rotated() {
    std::vector<float> h = kHistory;
    std::rotate(h.begin(), h.begin() + 7, h.end());
    return h;
}

QString text(Panel* p, const QString& name) { return p->edit(name)->text(); }
QString caption(Panel* p, const QString& name) { return p->label(name)->text(); }
QPushButton* cycleButton(MainWindow& w) { return w.findChild<QPushButton*>("cmd_Cycle_Count"); }

// The rows of the information grid as "level | stress | cycles".
std::vector<std::string> gridRows(Panel* info) {
    std::vector<std::string> rows;
    for (int i = 0; i < 5; ++i)
        rows.push_back((text(info, ArrayName("Level", i)) + " | " + text(info, ArrayName("Stress", i)) + " | " +
                        text(info, ArrayName("Cycles", i)))
                           .toStdString());
    return rows;
}

void clickPicture(MainWindow& w, const char* name) {
    auto* pic = w.findChild<PlotPicture*>(name);
    QTest::mouseClick(pic, Qt::LeftButton, {}, QPoint(pic->width() / 2, pic->height() / 2));
}

// Every message in order, the numbers of the grid, the plot labels and the tool tips.
TEST(SpectrumRoad, StressHistoryToDistribution) {
    test::Ui ui;
    MainWindow& w = ui.w;
    AppState& s = ui.s;
    w.show();
    ShowHistory(w, kHistory, "Stress ");

    ui.prompter.expect("Stress History", "The Stress History has been rearranged.", Icon::Information);
    cycleButton(w)->click();
    EXPECT_EQ(s.Values[1], 120.0f);
    Panel* mean = ui.panel("frm_Mean_Stress");
    ASSERT_EQ(test::ShownPanels(w), "frm_Hist frm_Mean_Stress frm_Stress_Info");
    EXPECT_EQ(s.UiMode, 0);
    for (const auto& [box, value] : {std::pair{"txt_Ultimate_Strength", "500"}, std::pair{"txt_Yield_Strength", "300"},
                                     std::pair{"txt_Concent_Factor", "1"}})
        EXPECT_EQ(text(mean, box), value) << box;
    EXPECT_FALSE(mean->edit("txt_Ultimate_Strength")->isEnabled());   // "Ignore" at first
    cycleButton(w)->click();   // a second command is kept out while the dialog is open
    mean->findChild<QRadioButton*>("chk_MSE_1")->click();
    EXPECT_TRUE(mean->edit("txt_Ultimate_Strength")->isEnabled());
    mean->button("cmd_Mean_OK")->click();

    // The proposals after the count: the largest range is the corrected 120/-100 cycle,
    // 110 x 500 / (500 - 10) x 2.
    Panel* params = ui.panel("frm_Spectrum_Params");
    ASSERT_EQ(test::ShownPanels(w), "frm_Hist frm_Spectrum_Params frm_Stress_Info");
    EXPECT_EQ(params->title(), "Edit Stress Spectrum Parameters");
    EXPECT_EQ(caption(params, "lbl_Spectr_Max"), "Max Stress Range [MPa]:");
    EXPECT_EQ(caption(params, "lbl_Spectr_Levels"), "# of Stress Levels (max 8):");
    const std::pair<const char*, const char*> proposals[] = {{"txt_Spectr_Max", "224.49"}, {"txt_Spectr_Min", "32.258"},
                                                             {"txt_Spectr_Levels", "7"},   {"txt_Spectr_Vol", "8"},
                                                             {"txt_Spectr_RTime", "2.5"}};
    for (const auto& [box, value] : proposals) EXPECT_EQ(text(params, box), value) << box;
    EXPECT_TRUE(params->edit("txt_Spectr_Max")->isReadOnly());
    params->findChild<QRadioButton*>("chk_Weibull")->click();
    params->button("cmd_Spectr_EditOK")->click();

    // Seven levels from 224.49 down to 32.26 MPa, drawn beside the history.
    Panel* info = ui.panel("frm_Spectrum_Info");
    Panel* spectr = ui.panel("frm_Spectr");
    ASSERT_EQ(test::ShownPanels(w), "frm_Hist frm_Spectr frm_Spectrum_Info frm_Stress_Info");
    EXPECT_EQ(s.UiMode, 1);
    EXPECT_EQ(info->title(), "Stress Spectrum Information");
    EXPECT_EQ(gridRows(info), (std::vector<std::string>{"1 | 224.49 | 1", "2 | 192.45 | 0", "3 | 160.41 | 2",
                                                         "4 | 128.37 | 0", "5 | 96.34 | 1"}));
    auto* bar = info->findChild<QScrollBar*>("vsc_Spectrum");
    bar->setValue(3);
    EXPECT_EQ(gridRows(info), (std::vector<std::string>{"3 | 160.41 | 2", "4 | 128.37 | 0", "5 | 96.34 | 1",
                                                         "6 | 64.30 | 3", "7 | 32.26 | 1"}));
    EXPECT_EQ(caption(info, "lbl_Omit_Points"), "Omitted cycles: 0");
    // Up and Down walk a column of the grid and scroll at its ends.
    QApplication::setActiveWindow(&w);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    bar->setValue(1);
    FocusEdit* bottom = info->edit("Cycles_4");
    bottom->setFocus();
    QApplication::processEvents();
    QTest::keyClick(bottom, Qt::Key_Down);
    EXPECT_EQ(bar->value(), 2);
    EXPECT_TRUE(bottom->hasFocus());
    EXPECT_EQ(text(info, "Level_4"), "6");
    QTest::keyClick(bottom, Qt::Key_Up);
    EXPECT_TRUE(info->edit("Cycles_3")->hasFocus());
    EXPECT_EQ(spectr->title(), "Stress Spectrum");
    EXPECT_EQ(caption(spectr, "SSmax"), "224.49 MPa    (range)");
    EXPECT_EQ(caption(spectr, "SSmse"), "DMSE(+): Su=500, Sy=300, Kf=1.0");
    EXPECT_TRUE(ui.act("mnu_summ")->isEnabled());

    info->button("cmd_Calculate_Beta")->click();
    Panel* distr = ui.panel("frm_Distr");
    ASSERT_EQ(test::ShownPanels(w), "frm_Distr frm_Hist frm_Spectr frm_Stress_Info");
    EXPECT_EQ(distr->title(), "Stress Distribution (Weibull)");
    EXPECT_EQ(caption(distr, "DT_0"), "Q = 92.114");
    EXPECT_EQ(caption(distr, "DT_1"), "R = 2.056");
    EXPECT_EQ(distr->label("DT_0")->toolTip(), "f(S)=(R/Q)*(S/Q)^(R-1)*exp[-(S/Q)^R]");
    EXPECT_EQ(caption(distr, "DTSmax"), "224.49 MPa");
    EXPECT_EQ(distr->label("DTSmax")->toolTip(), "P(DS > 224.49 MPa) = 1.95e-3");
    EXPECT_EQ(w.findChild<PlotPicture*>("Pic_Spectr")->toolTip(), "Click here to see the Stress Spectrum info");

    // A click on the spectrum brings its panel back; one on the history hides both plots.
    clickPicture(w, "Pic_Spectr");
    EXPECT_EQ(test::ShownPanels(w), "frm_Hist frm_Spectr frm_Spectrum_Info frm_Stress_Info");
    EXPECT_TRUE(info->button("cmd_Calculate_Beta")->isVisible());
    EXPECT_TRUE(info->button("cmd_Spectrum_Save")->isVisible());
    clickPicture(w, "Pic_Hist");
    EXPECT_EQ(test::ShownPanels(w), "frm_Hist frm_Stress_Info");
}

TEST(SpectrumRoad, StrainHistoryIsCountedWithoutTheMeanStressDialog) {
    test::Ui ui;
    AppState& s = ui.s;
    ui.w.show();
    ShowHistory(ui.w, Rotated(), "Strain ");
    cycleButton(ui.w)->click();
    Panel* params = ui.panel("frm_Spectrum_Params");
    ASSERT_EQ(test::ShownPanels(ui.w), "frm_Hist frm_Spectrum_Params frm_Stress_Info");
    EXPECT_EQ(params->title(), "Edit Strain Spectrum Parameters");
    EXPECT_EQ(text(params, "txt_Spectr_Max"), "220.0");
    params->button("cmd_Spectr_EditOK")->click();

    Panel* spectr = ui.panel("frm_Spectr");
    Panel* info = ui.panel("frm_Spectrum_Info");
    ASSERT_EQ(test::ShownPanels(ui.w), "frm_Hist frm_Spectr frm_Spectrum_Info frm_Stress_Info");
    EXPECT_EQ(spectr->title(), "Strain Spectrum");
    EXPECT_EQ(caption(spectr, "SSmse"), "DMSE(-)  ");
    EXPECT_EQ(s.batch().UltimateStrength, 0.0f);
    EXPECT_EQ(info->title(), "Strain Spectrum Information");
    EXPECT_EQ(s.UiMode, 1);

    // "&Close" keeps the counted spectrum in the batch on Yes.
    ui.prompter.expect("Editing Strain Spectrum", "Do you want to save the changes to the Strain Spectrum?",
                       Icon::Question, Answer::Yes);
    info->button("cmd_Spectrum_Cancel")->click();
    EXPECT_EQ(test::ShownPanels(ui.w), "frm_Hist frm_Stress_Info");
    EXPECT_EQ(s.batch().Saved.LevelCount, s.batch().LevelCount);
    EXPECT_GT(s.batch().LevelCount, 0);
    EXPECT_TRUE(s.DatabaseModified);
    EXPECT_FALSE(s.SpectrumChanged);
}

// Points removed by the conflict check before a count show at once: the point count, the
// plot and a "Re&fresh" caption. The display marks follow the mode the history was shown in.
TEST(SpectrumRoad, CycleShowsTheHistoryTheConflictCheckShortened) {
    test::Ui ui;
    ui.w.show();
    ui.s.FastDisplay = -1;
    ShowHistory(ui.w, {120, -100, 50, 60, -20, 80}, "Stress ");
    EXPECT_TRUE(ui.w.action("pop_disp1_0")->isChecked());
    EXPECT_FALSE(ui.w.action("pop_disp1_1")->isChecked());
    ui.prompter.expect("Check Stress History", "The Stress History has conflicting values at Stress index 4\nRemove the conflict?",
                       Icon::Exclamation, Answer::Yes);
    ui.prompter.expect("Check Stress History", "Remove all conflicts in the Stress History data?", Icon::Question,
                       Answer::Yes);
    ui.prompter.expect("Stress History", "Please use the Correction option to correct the conflicting values.",
                       Icon::Information);
    cycleButton(ui.w)->click();
    Panel* info = ui.panel("frm_Stress_Info");
    EXPECT_EQ(text(info, "txt_No_Points"), "4");
    EXPECT_EQ(info->button("Cmd_Zoom_Refr")->text(), "Re&fresh");
    EXPECT_EQ(std::tuple(ui.s.ViewEnd, ui.s.UiMode), std::tuple(4, 1));
}

// Closing the history with a counted spectrum not yet stored asks about the spectrum first.
TEST(SpectrumRoad, ClosingTheHistoryAsksAboutAnUnstoredSpectrum) {
    test::Ui ui;
    ui.w.show();
    ShowHistory(ui.w, Rotated(), "Strain ");
    cycleButton(ui.w)->click();
    ui.panel("frm_Spectrum_Params")->button("cmd_Spectr_EditOK")->click();
    const char* question = "Do you want to save the changes to the Strain Spectrum?";
    ui.prompter.expect("Editing Strain Spectrum", question, Icon::Question, Answer::Cancel);
    ui.panel("frm_Stress_Info")->button("cmd_Cancel")->click();
    EXPECT_EQ(test::ShownPanels(ui.w), "frm_Hist frm_Spectr frm_Spectrum_Info frm_Stress_Info");
    ui.prompter.expect("Editing Strain Spectrum", question, Icon::Question, Answer::Yes);
    ui.panel("frm_Stress_Info")->button("cmd_Cancel")->click();
    EXPECT_EQ(test::ShownPanels(ui.w), "frm_Load_Dbase");
    EXPECT_TRUE(ui.s.DatabaseModified);
    EXPECT_GT(ui.s.batch().Saved.LevelCount, 0);
}

// A count long enough to report its progress lets window events run; the window stays
// busy meanwhile, so "C&ycle" pressed again does nothing.
TEST(SpectrumRoad, LongCountReportsProgressWithTheWindowBusy) {
    struct Watching : ScriptedPrompter {
        MainWindow* w = nullptr;
        std::vector<int16_t> modes;
        bool progress(double fraction) override {
            modes.push_back(w->state().UiMode);
            cycleButton(*w)->click();
            return ScriptedPrompter::progress(fraction);
        }
    } prompter;
    test::WindowFixture f(&prompter);
    MainWindow& w = f.w();
    prompter.w = &w;
    w.show();
    std::vector<float> h((1 << 21) + 2);
    for (size_t i = 0; i < h.size(); ++i) h[i] = (i % 2 == 0 ? 1.0f : -1.0f) * static_cast<float>(1 + i % 7);
    h[0] = 100;
    ShowHistory(w, h, "Strain ");
    cycleButton(w)->click();
    EXPECT_EQ(prompter.modes, std::vector<int16_t>{0});
    EXPECT_TRUE(w.panel("frm_Spectrum_Params")->isVisible());
    EXPECT_EQ(prompter.busyDepth, 0);
}

TEST(SpectrumRoad, DecliningTheNotchStressQuestionKeepsTheStoredSpectrum) {
    test::Ui ui;
    ui.w.show();
    DataBatch& b = ui.s.batch();
    b.LevelCount = 2;
    b.LevelRange[1] = 150;
    b.LevelRange[2] = 50;
    b.LevelCycles[1] = 3;
    b.LevelCycles[2] = 9;
    b.MaxRange = 150;
    b.MinRange = 50;
    b.Volume = 12;
    ShowHistory(ui.w, Rotated(), "Stress ");
    const BatchRecord before = b;

    cycleButton(ui.w)->click();
    Panel* mean = ui.panel("frm_Mean_Stress");
    mean->findChild<QRadioButton*>("chk_MSE_1")->click();
    mean->edit("txt_Concent_Factor")->setText("5");
    ui.prompter.expect("Mean Stress Correction", "Max Notch Stress exceeds Ultimate Strength\nContinue?",
                       Icon::Question, Answer::No);
    mean->button("cmd_Mean_OK")->click();

    EXPECT_EQ(ui.s.UiMode, 1);
    EXPECT_EQ(test::ShownPanels(ui.w), "frm_Hist frm_Stress_Info");
    BatchRecord after = b;
    after.UltimateStrength = before.UltimateStrength;   // the material values stay as entered
    after.YieldStrength = before.YieldStrength;
    after.NotchFactor = before.NotchFactor;
    EXPECT_EQ(after, before);
}

// Pictures for the documentation, written only when KARMO_SCREENSHOTS names a directory
// (they are looked at, not compared): the measured example series counted with the
// mean-stress correction into twenty levels, and its Weibull fit.
TEST(Screenshots, SpectrumAndDistribution) {
    const QString out = qEnvironmentVariable("KARMO_SCREENSHOTS");
    if (out.isEmpty()) GTEST_SKIP() << "set KARMO_SCREENSHOTS to a directory to write them";
    QDir().mkpath(out);
    struct Accepting : Prompter {
        Answer ask(const Prompt& p) override { return p.buttons == Buttons::Ok ? Answer::Ok : Answer::Yes; }
    } prompter;
    test::WindowFixture f(&prompter);
    MainWindow& w = f.w();
    w.show();
    AppState& s = w.state();
    const std::string series = QDir(KARMO_TEST_DATA "/../../examples/strain-gauge.asc")
                                   .absolutePath()
                                   .toStdString();
    ASSERT_EQ(ReadAsciiSeries(s, prompter, series, s.CurrentBatch), SeriesRead::Loaded);
    s.batch().Name = "Crane runway, girder 3";
    w.historyScreen()->showLoadedHistory();

    cycleButton(w)->click();
    Panel* mean = w.panel("frm_Mean_Stress");
    mean->findChild<QRadioButton*>("chk_MSE_1")->click();
    mean->edit("txt_Ultimate_Strength")->setText("520");
    mean->edit("txt_Yield_Strength")->setText("355");
    mean->edit("txt_Concent_Factor")->setText("1.6");
    mean->button("cmd_Mean_OK")->click();
    Panel* params = w.panel("frm_Spectrum_Params");
    ASSERT_TRUE(params->isVisible());
    params->edit("txt_Spectr_Levels")->setText("20");
    params->edit("txt_Spectr_Min")->setText("15.26");
    params->findChild<QRadioButton*>("chk_Weibull")->click();
    QApplication::processEvents();
    EXPECT_TRUE(w.grab().save(out + "/spectrum-params-1024x768.png"));
    params->button("cmd_Spectr_EditOK")->click();
    QApplication::processEvents();
    EXPECT_TRUE(w.grab().save(out + "/spectrum-1024x768.png"));
    w.panel("frm_Spectrum_Info")->button("cmd_Calculate_Beta")->click();
    QApplication::processEvents();
    EXPECT_TRUE(w.grab().save(out + "/distribution-1024x768.png"));
}

}  // namespace
}  // namespace karmo
