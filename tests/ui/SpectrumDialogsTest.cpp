#include <QApplication>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>

#include "UiTestEnv.h"
#include "ui/FocusEdit.h"

namespace karmo {
namespace {

// One box left with a typed text: refused with its message (the focus stays and the box
// shows `after`), or accepted (no message, the focus moves on).
struct BoxCase {
    const char* panel;
    const char* box;
    const char* typed;
    const char* title;      // nullptr: accepted
    const char* message;
    Icon icon;
    const char* after;
};

constexpr Icon C = Icon::Critical;
constexpr Icon I = Icon::Information;
constexpr const char* kMean = "frm_Mean_Stress";
constexpr const char* kParams = "frm_Spectrum_Params";
constexpr const char* kParamsTitle = "Stress Spectrum Params";

const BoxCase kCases[] = {
    {kMean, "txt_Ultimate_Strength", "0", "Mean Stress Effect", "The Ultimate Strength must be greater than 0", C, "0"},
    {kMean, "txt_Ultimate_Strength", "abc", "Mean Stress Effect", "The Ultimate Strength must be greater than 0", C,
     "abc"},
    {kMean, "txt_Ultimate_Strength", "500", nullptr, nullptr, C, nullptr},
    {kMean, "txt_Yield_Strength", "-5", "Mean Stress Effect", "The Yield Strength must be greater than 0", C, "-5"},
    {kMean, "txt_Yield_Strength", "300", nullptr, nullptr, C, nullptr},
    {kMean, "txt_Concent_Factor", "0.9", "Mean Stress Effect",
     "The Stress Concentration Factor must be greater or equal to 1", C, "0.9"},
    {kMean, "txt_Concent_Factor", "1", nullptr, nullptr, C, nullptr},
    // after the count: 8 cycles, largest range 224.49 MPa, smallest counted 32.258 MPa
    {kParams, "txt_Spectr_Levels", "x", kParamsTitle, "The number of Stress levels must be numeric", C, "x"},
    {kParams, "txt_Spectr_Levels", "0", kParamsTitle, "The number of Stress levels must be greater than 0", C, "0"},
    {kParams, "txt_Spectr_Levels", "9", "Stress Spectrum params", "The max number of Stress levels is 8", C, "9"},
    {kParams, "txt_Spectr_Levels", "7", nullptr, nullptr, C, nullptr},
    {kParams, "txt_Spectr_Min", "x", kParamsTitle, "The minimum Stress range must be numeric.", C, "x"},
    {kParams, "txt_Spectr_Min", "10", kParamsTitle, "The minimum Stress range should not be less than 32.258 MPa", I,
     "32.258"},
    {kParams, "txt_Spectr_Min", "300", kParamsTitle, "The minimum Stress range should be less than 224.49", C, "300"},
    {kParams, "txt_Spectr_Min", "40", nullptr, nullptr, C, nullptr},
    {kParams, "txt_Spectr_Vol", "x", kParamsTitle, "The spectrum volume must be numeric", C, "x"},
    {kParams, "txt_Spectr_Vol", "1", kParamsTitle, "The spectrum volume must be greater than 1", C, "1"},
    {kParams, "txt_Spectr_Vol", "2", nullptr, nullptr, C, nullptr},
    {kParams, "txt_Spectr_Levels", "3", "Stress Spectrum params", "The max number of Stress levels is 2", C, "3"},
    {kParams, "txt_Spectr_Levels", "2", nullptr, nullptr, C, nullptr},
    {kParams, "txt_Spectr_RTime", "x", kParamsTitle, "The Record Time must be numeric", C, "x"},
    {kParams, "txt_Spectr_RTime", "-1", kParamsTitle, "Record time must be greater than or equal to 0", C, "-1"},
    {kParams, "txt_Spectr_RTime", "3", nullptr, nullptr, C, nullptr},
    // the largest range is typed when a stored spectrum is edited
    {kParams, "txt_Spectr_Max", "x", "Stress Spectrum Params", "The Maximum Stress range must be numeric", C, "x"},
    {kParams, "txt_Spectr_Max", "0", kParamsTitle, "The maximum Stress range must be positive", C, "0"},
    {kParams, "txt_Spectr_Max", "30", kParamsTitle, "The maximum Stress range should not be less than 40.0 ", C, "30"},
    {kParams, "txt_Spectr_Max", "224.49", nullptr, nullptr, C, nullptr},
};

// The boxes are left by Enter, with real focus moves.
TEST(SpectrumDialogs, EveryBoxOfTheMeanStressAndSpectrumParameterDialogs) {
    test::Ui ui;
    MainWindow& w = ui.w;
    w.show();
    QApplication::setActiveWindow(&w);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    test::ShowHistory(w, {120, -100, 40, -30, 90, -60, 70, 20, 50, 0, 100, -50, 80, -20, 60, 10});
    w.findChild<QPushButton*>("cmd_Cycle_Count")->click();
    Panel* mean = ui.panel(kMean);
    ASSERT_TRUE(mean->isVisible());
    mean->findChild<QRadioButton*>("chk_MSE_1")->click();
    Panel* params = ui.panel(kParams);
    // The arrow keys walk the boxes of a dialog in a ring.
    auto arrow = [](Panel* p, const char* from, Qt::Key key, const char* to) {
        p->edit(from)->setFocus();
        QApplication::processEvents();
        QTest::keyClick(p->edit(from), key);
        EXPECT_TRUE(p->edit(to)->hasFocus()) << from << " -> " << to;
    };
    arrow(mean, "txt_Concent_Factor", Qt::Key_Down, "txt_Ultimate_Strength");
    arrow(mean, "txt_Ultimate_Strength", Qt::Key_Up, "txt_Concent_Factor");

    for (const BoxCase& c : kCases) {
        SCOPED_TRACE(std::string(c.box) + " <- " + c.typed);
        if (std::string(c.panel) == kParams && !params->isVisible()) {
            mean->button("cmd_Mean_OK")->click();
            ASSERT_TRUE(params->isVisible());
            params->edit("txt_Spectr_Max")->setReadOnly(false);
            arrow(params, "txt_Spectr_RTime", Qt::Key_Down, "txt_Spectr_Max");
            arrow(params, "txt_Spectr_Max", Qt::Key_Up, "txt_Spectr_RTime");
        }
        FocusEdit* box = ui.panel(c.panel)->edit(c.box);
        box->setFocus();
        QApplication::processEvents();
        ASSERT_TRUE(box->hasFocus());
        box->selectAll();
        QTest::keyClicks(box, c.typed);
        if (c.title) ui.prompter.expect(c.title, c.message, c.icon);
        QTest::keyClick(box, Qt::Key_Return);
        EXPECT_TRUE(ui.prompter.allUsed());
        EXPECT_EQ(box->hasFocus(), c.title != nullptr);
        if (c.title) { EXPECT_EQ(box->text(), c.after); }
    }
    EXPECT_EQ(params->label("lbl_Spectr_Levels")->text(), "# of Stress Levels (max 2):");
    EXPECT_EQ(ui.s.batch().LevelCount, 2);
}

// The proposal of the smallest range, and the limit it is corrected to, are accepted
// although the boxes round them more than 0.0004 below the smallest counted range.
TEST(SpectrumDialogs, OkAcceptsTheProposalAndTheCorrectedMinimum) {
    test::Ui ui;
    ui.w.show();
    const float small = 1.00045f;   // "1.00" in the proposal, "1.0" as the limit
    test::ShowHistory(ui.w, {1.5f, -1.5f, small, 0, small, 0});
    ui.w.findChild<QPushButton*>("cmd_Cycle_Count")->click();
    ui.panel(kMean)->button("cmd_Mean_OK")->click();
    Panel* params = ui.panel(kParams);
    ASSERT_TRUE(params->isVisible());
    ASSERT_EQ(ui.s.MinCountedRange, small);
    EXPECT_EQ(params->edit("txt_Spectr_Min")->text(), "1.00");
    params->button("cmd_Spectr_EditOK")->click();
    EXPECT_FALSE(params->isVisible());
    EXPECT_EQ(ui.s.batch().MinRange, small);

    // "C&orrection" reopens the dialog; a typed minimum below the limit is corrected.
    Panel* info = ui.panel("frm_Spectrum_Info");
    info->button("cmd_Spectr_Correction")->click();
    ASSERT_TRUE(params->isVisible());
    params->edit("txt_Spectr_Min")->setText("0.5");
    ui.prompter.expect(kParamsTitle, "The minimum Stress range should not be less than 1.0 MPa", Icon::Information);
    params->button("cmd_Spectr_EditOK")->click();
    EXPECT_TRUE(params->isVisible());
    EXPECT_EQ(params->edit("txt_Spectr_Min")->text(), "1.0");
    params->button("cmd_Spectr_EditOK")->click();
    EXPECT_FALSE(params->isVisible());
    EXPECT_EQ(ui.s.batch().MinRange, small);
    EXPECT_TRUE(info->isVisible());
}

}  // namespace
}  // namespace karmo
