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
#include "core/Units.h"
#include "history/SeriesReaders.h"
#include "support/ScriptedPrompter.h"
#include "ui/FocusEdit.h"
#include "ui/HistoryScreen.h"
#include "ui/QtCanvas.h"
#include "ui/panels/Panel.h"

namespace karmo {
namespace {

using test::ScriptedPrompter;

// A measured stress history of 16 reversals whose largest magnitude (120) is not the first.
const std::vector<float> kHistory = {0, 100, -50, 80, -20, 60, 10, 120, -100, 40, -30, 90, -60, 70, 20, 50};

// The history as read and drawn for editing.
void showHistory(MainWindow& w, const std::vector<float>& v, const char* quantity) {
    AppState& s = w.state();
    DataBatch& b = s.batch();
    b.Quantity = quantity;
    ApplyQuantity(s, s.CurrentBatch);
    s.Values.assign(1, 0.0f);
    s.Values.insert(s.Values.end(), v.begin(), v.end());
    s.Values.push_back(0.0f);
    b.PointCount = static_cast<int32_t>(v.size());
    b.MaxValue = *std::max_element(v.begin(), v.end());
    b.MinValue = *std::min_element(v.begin(), v.end());
    b.RecordTime = 2.5f;
    b.HasHistory = true;
    b.Saved = static_cast<const BatchRecord&>(b);
    w.historyScreen()->showLoadedHistory();
}

QString text(Panel* p, const QString& name) { return p->edit(name)->text(); }
QString caption(Panel* p, const QString& name) { return p->label(name)->text(); }
QPushButton* cycleButton(MainWindow& w) { return w.findChild<QPushButton*>(QStringLiteral("cmd_Cycle_Count")); }

// The rows of the information grid as "level | stress | cycles".
std::vector<std::string> gridRows(Panel* info) {
    std::vector<std::string> rows;
    for (int i = 0; i < 5; ++i)
        rows.push_back((text(info, ArrayName(QStringLiteral("Level"), i)) + QStringLiteral(" | ") +
                        text(info, ArrayName(QStringLiteral("Stress"), i)) + QStringLiteral(" | ") +
                        text(info, ArrayName(QStringLiteral("Cycles"), i)))
                           .toStdString());
    return rows;
}

void clickPicture(MainWindow& w, const char* name) {
    auto* pic = w.findChild<PlotPicture*>(QString::fromLatin1(name));
    QTest::mouseClick(pic, Qt::LeftButton, {}, QPoint(pic->width() / 2, pic->height() / 2));
}

TEST(SpectrumRoad, StressHistoryToDistribution) {
    ScriptedPrompter prompter;
    test::WindowFixture f(&prompter);
    MainWindow& w = f.w();
    w.show();
    showHistory(w, kHistory, "Stress ");
    AppState& s = w.state();

    prompter.expect("Stress History", "The Stress History has been rearranged.", Icon::Information);
    cycleButton(w)->click();
    EXPECT_EQ(s.Values[1], 120.0f);
    Panel* mean = w.panel(QStringLiteral("frm_Mean_Stress"));
    ASSERT_TRUE(mean->isVisible());
    EXPECT_EQ(s.UiMode, 0);
    EXPECT_EQ(text(mean, QStringLiteral("txt_Ultimate_Strength")), QStringLiteral("500"));
    EXPECT_EQ(text(mean, QStringLiteral("txt_Yield_Strength")), QStringLiteral("300"));
    EXPECT_EQ(text(mean, QStringLiteral("txt_Concent_Factor")), QStringLiteral("1"));
    EXPECT_FALSE(mean->edit(QStringLiteral("txt_Ultimate_Strength"))->isEnabled());  // "Ignore" at first
    cycleButton(w)->click();   // a second command is kept out while the dialog is open
    mean->findChild<QRadioButton*>(QStringLiteral("chk_MSE_1"))->click();
    EXPECT_TRUE(mean->edit(QStringLiteral("txt_Ultimate_Strength"))->isEnabled());
    mean->button(QStringLiteral("cmd_Mean_OK"))->click();

    // The proposals after the count: the largest range is the corrected 120/-100 cycle,
    // 110 x 500 / (500 - 10) x 2.
    Panel* params = w.panel(QStringLiteral("frm_Spectrum_Params"));
    ASSERT_TRUE(params->isVisible());
    EXPECT_FALSE(mean->isVisible());
    EXPECT_EQ(params->title(), QStringLiteral("Edit Stress Spectrum Parameters"));
    EXPECT_EQ(caption(params, QStringLiteral("lbl_Spectr_Max")), QStringLiteral("Max Stress Range [MPa]:"));
    EXPECT_EQ(caption(params, QStringLiteral("lbl_Spectr_Levels")), QStringLiteral("# of Stress Levels (max 8):"));
    EXPECT_EQ(text(params, QStringLiteral("txt_Spectr_Max")), QStringLiteral("224.49"));
    EXPECT_TRUE(params->edit(QStringLiteral("txt_Spectr_Max"))->isReadOnly());
    EXPECT_EQ(text(params, QStringLiteral("txt_Spectr_Min")), QStringLiteral("32.258"));
    EXPECT_EQ(text(params, QStringLiteral("txt_Spectr_Levels")), QStringLiteral("7"));
    EXPECT_EQ(text(params, QStringLiteral("txt_Spectr_Vol")), QStringLiteral("8"));
    EXPECT_EQ(text(params, QStringLiteral("txt_Spectr_RTime")), QStringLiteral("2.5"));
    params->findChild<QRadioButton*>(QStringLiteral("chk_Weibull"))->click();
    params->button(QStringLiteral("cmd_Spectr_EditOK"))->click();

    // Seven levels from 224.49 down to 32.26 MPa, drawn beside the history.
    Panel* info = w.panel(QStringLiteral("frm_Spectrum_Info"));
    Panel* spectr = w.panel(QStringLiteral("frm_Spectr"));
    ASSERT_TRUE(info->isVisible());
    EXPECT_TRUE(spectr->isVisible());
    EXPECT_TRUE(w.panel(QStringLiteral("frm_Hist"))->isVisible());
    EXPECT_EQ(s.UiMode, 1);
    EXPECT_EQ(info->title(), QStringLiteral("Stress Spectrum Information"));
    EXPECT_EQ(gridRows(info), (std::vector<std::string>{"1 | 224.49 | 1", "2 | 192.45 | 0", "3 | 160.41 | 2",
                                                         "4 | 128.37 | 0", "5 | 96.34 | 1"}));
    info->findChild<QScrollBar*>(QStringLiteral("vsc_Spectrum"))->setValue(3);
    EXPECT_EQ(gridRows(info), (std::vector<std::string>{"3 | 160.41 | 2", "4 | 128.37 | 0", "5 | 96.34 | 1",
                                                         "6 | 64.30 | 3", "7 | 32.26 | 1"}));
    EXPECT_EQ(caption(info, QStringLiteral("lbl_Omit_Points")), QStringLiteral("Omitted cycles: 0"));
    // Up and Down walk a column of the grid and scroll at its ends.
    QApplication::setActiveWindow(&w);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    auto* bar = info->findChild<QScrollBar*>(QStringLiteral("vsc_Spectrum"));
    bar->setValue(1);
    FocusEdit* bottom = info->edit(QStringLiteral("Cycles_4"));
    bottom->setFocus();
    QApplication::processEvents();
    QTest::keyClick(bottom, Qt::Key_Down);
    EXPECT_EQ(bar->value(), 2);
    EXPECT_TRUE(bottom->hasFocus());
    EXPECT_EQ(text(info, QStringLiteral("Level_4")), QStringLiteral("6"));
    QTest::keyClick(bottom, Qt::Key_Up);
    EXPECT_TRUE(info->edit(QStringLiteral("Cycles_3"))->hasFocus());
    EXPECT_EQ(spectr->title(), QStringLiteral("Stress Spectrum"));
    EXPECT_EQ(caption(spectr, QStringLiteral("SSmax")), QStringLiteral("224.49 MPa    (range)"));
    EXPECT_EQ(caption(spectr, QStringLiteral("SSmse")), QStringLiteral("DMSE(+): Su=500, Sy=300, Kf=1.0"));
    EXPECT_TRUE(w.action(QStringLiteral("mnu_summ"))->isEnabled());

    info->button(QStringLiteral("cmd_Calculate_Beta"))->click();
    Panel* distr = w.panel(QStringLiteral("frm_Distr"));
    ASSERT_TRUE(distr->isVisible());
    EXPECT_FALSE(info->isVisible());
    EXPECT_EQ(distr->title(), QStringLiteral("Stress Distribution (Weibull)"));
    EXPECT_EQ(caption(distr, QStringLiteral("DT_0")), QStringLiteral("Q = 92.114"));
    EXPECT_EQ(caption(distr, QStringLiteral("DT_1")), QStringLiteral("R = 2.056"));
    EXPECT_EQ(distr->label(QStringLiteral("DT_0"))->toolTip(), QStringLiteral("f(S)=(R/Q)*(S/Q)^(R-1)*exp[-(S/Q)^R]"));
    EXPECT_EQ(caption(distr, QStringLiteral("DTSmax")), QStringLiteral("224.49 MPa"));
    EXPECT_EQ(distr->label(QStringLiteral("DTSmax"))->toolTip(), QStringLiteral("P(DS > 224.49 MPa) = 1.95e-3"));
    EXPECT_EQ(w.findChild<PlotPicture*>(QStringLiteral("Pic_Spectr"))->toolTip(),
              QStringLiteral("Click here to see the Stress Spectrum info"));

    // A click on the spectrum brings its panel back; one on the history hides both plots.
    clickPicture(w, "Pic_Spectr");
    EXPECT_TRUE(info->isVisible());
    EXPECT_FALSE(distr->isVisible());
    EXPECT_TRUE(info->button(QStringLiteral("cmd_Calculate_Beta"))->isVisible());
    EXPECT_TRUE(info->button(QStringLiteral("cmd_Spectrum_Save"))->isVisible());
    clickPicture(w, "Pic_Hist");
    EXPECT_FALSE(spectr->isVisible());
    EXPECT_FALSE(info->isVisible());
    EXPECT_TRUE(w.panel(QStringLiteral("frm_Stress_Info"))->isVisible());
}

TEST(SpectrumRoad, StrainHistoryIsCountedWithoutTheMeanStressDialog) {
    ScriptedPrompter prompter;
    test::WindowFixture f(&prompter);
    MainWindow& w = f.w();
    w.show();
    std::vector<float> strain = kHistory;
    std::rotate(strain.begin(), strain.begin() + 7, strain.end());   // starts at its largest value
    showHistory(w, strain, "Strain ");
    AppState& s = w.state();

    cycleButton(w)->click();
    EXPECT_FALSE(w.panel(QStringLiteral("frm_Mean_Stress"))->isVisible());
    Panel* params = w.panel(QStringLiteral("frm_Spectrum_Params"));
    ASSERT_TRUE(params->isVisible());
    EXPECT_EQ(params->title(), QStringLiteral("Edit Strain Spectrum Parameters"));
    EXPECT_EQ(text(params, QStringLiteral("txt_Spectr_Max")), QStringLiteral("220.0"));
    params->button(QStringLiteral("cmd_Spectr_EditOK"))->click();

    Panel* spectr = w.panel(QStringLiteral("frm_Spectr"));
    ASSERT_TRUE(spectr->isVisible());
    EXPECT_EQ(spectr->title(), QStringLiteral("Strain Spectrum"));
    EXPECT_EQ(caption(spectr, QStringLiteral("SSmse")), QStringLiteral("DMSE(-)  "));
    EXPECT_EQ(s.batch().UltimateStrength, 0.0f);
    EXPECT_EQ(w.panel(QStringLiteral("frm_Spectrum_Info"))->title(), QStringLiteral("Strain Spectrum Information"));
    EXPECT_EQ(s.UiMode, 1);

    // "&Close" keeps the counted spectrum in the batch on Yes.
    prompter.expect("Editing Strain Spectrum", "Do you want to save the changes to the Strain Spectrum?",
                    Icon::Question, Answer::Yes);
    w.panel(QStringLiteral("frm_Spectrum_Info"))->button(QStringLiteral("cmd_Spectrum_Cancel"))->click();
    EXPECT_FALSE(spectr->isVisible());
    EXPECT_TRUE(w.panel(QStringLiteral("frm_Stress_Info"))->isVisible());
    EXPECT_EQ(s.batch().Saved.LevelCount, s.batch().LevelCount);
    EXPECT_GT(s.batch().LevelCount, 0);
    EXPECT_TRUE(s.DatabaseModified);
    EXPECT_FALSE(s.SpectrumChanged);
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
    showHistory(w, h, "Strain ");
    cycleButton(w)->click();
    EXPECT_EQ(prompter.modes, std::vector<int16_t>{0});
    EXPECT_TRUE(w.panel(QStringLiteral("frm_Spectrum_Params"))->isVisible());
    EXPECT_EQ(prompter.busyDepth, 0);
}

TEST(SpectrumRoad, DecliningTheNotchStressQuestionKeepsTheStoredSpectrum) {
    ScriptedPrompter prompter;
    test::WindowFixture f(&prompter);
    MainWindow& w = f.w();
    w.show();
    AppState& s = w.state();
    DataBatch& b = s.batch();
    b.LevelCount = 2;
    b.LevelRange[1] = 150;
    b.LevelRange[2] = 50;
    b.LevelCycles[1] = 3;
    b.LevelCycles[2] = 9;
    b.MaxRange = 150;
    b.MinRange = 50;
    b.Volume = 12;
    std::vector<float> h = kHistory;
    std::rotate(h.begin(), h.begin() + 7, h.end());
    showHistory(w, h, "Stress ");
    const BatchRecord before = b;

    cycleButton(w)->click();
    Panel* mean = w.panel(QStringLiteral("frm_Mean_Stress"));
    mean->findChild<QRadioButton*>(QStringLiteral("chk_MSE_1"))->click();
    mean->edit(QStringLiteral("txt_Concent_Factor"))->setText(QStringLiteral("5"));
    prompter.expect("Mean Stress Correction", "Max Notch Stress exceeds Ultimate Strength\nContinue?", Icon::Question,
                    Answer::No);
    mean->button(QStringLiteral("cmd_Mean_OK"))->click();

    EXPECT_EQ(s.UiMode, 1);
    EXPECT_FALSE(w.panel(QStringLiteral("frm_Spectrum_Params"))->isVisible());
    EXPECT_FALSE(w.panel(QStringLiteral("frm_Spectr"))->isVisible());
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
    const std::string series = QDir(QStringLiteral(KARMO_TEST_DATA "/../../examples/strain-gauge.asc"))
                                   .absolutePath()
                                   .toStdString();
    ASSERT_EQ(ReadAsciiSeries(s, prompter, series, s.CurrentBatch), SeriesRead::Loaded);
    s.batch().Name = "Crane runway, girder 3";
    w.historyScreen()->showLoadedHistory();

    cycleButton(w)->click();
    Panel* mean = w.panel(QStringLiteral("frm_Mean_Stress"));
    mean->findChild<QRadioButton*>(QStringLiteral("chk_MSE_1"))->click();
    mean->edit(QStringLiteral("txt_Ultimate_Strength"))->setText(QStringLiteral("520"));
    mean->edit(QStringLiteral("txt_Yield_Strength"))->setText(QStringLiteral("355"));
    mean->edit(QStringLiteral("txt_Concent_Factor"))->setText(QStringLiteral("1.6"));
    mean->button(QStringLiteral("cmd_Mean_OK"))->click();
    Panel* params = w.panel(QStringLiteral("frm_Spectrum_Params"));
    ASSERT_TRUE(params->isVisible());
    params->edit(QStringLiteral("txt_Spectr_Levels"))->setText(QStringLiteral("20"));
    params->edit(QStringLiteral("txt_Spectr_Min"))->setText(QStringLiteral("15.26"));
    params->findChild<QRadioButton*>(QStringLiteral("chk_Weibull"))->click();
    QApplication::processEvents();
    EXPECT_TRUE(w.grab().save(out + QStringLiteral("/spectrum-params-1024x768.png")));
    params->button(QStringLiteral("cmd_Spectr_EditOK"))->click();
    QApplication::processEvents();
    EXPECT_TRUE(w.grab().save(out + QStringLiteral("/spectrum-1024x768.png")));
    w.panel(QStringLiteral("frm_Spectrum_Info"))->button(QStringLiteral("cmd_Calculate_Beta"))->click();
    QApplication::processEvents();
    EXPECT_TRUE(w.grab().save(out + QStringLiteral("/distribution-1024x768.png")));
}

}  // namespace
}  // namespace karmo
