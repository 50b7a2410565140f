#include <QApplication>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>

#include <cmath>
#include <tuple>

#include "UiTestEnv.h"
#include "ui/FatigueScreen.h"
#include "ui/FocusEdit.h"
#include "ui/QtCanvas.h"
#include "ui/panels/FatiguePanel.h"

namespace karmo {
namespace {

// Three levels of a 3-minute record, the middle one below the preset's knee.
void fillSpectrum(AppState& s) {
    test::FillExampleBatch(s);
    DataBatch& b = s.batch();
    b.LevelCount = 3;
    b.RecordTime = 3;
    const std::pair<float, int32_t> levels[] = {{180, 2}, {60, 40}, {20, 900}};
    for (size_t i = 0; i < 3; ++i) {
        b.LevelRange[i + 1] = levels[i].first;
        b.LevelCycles[i + 1] = levels[i].second;
    }
}

QString shown(FatiguePanel* p, const char* label) { return p->label(QString::fromLatin1(label))->text(); }

// Leaves a box by Enter with `typed` in it.
void type(FatiguePanel* p, FatigueBox b, const char* typed) {
    FocusEdit* e = p->box(b);
    e->setFocus();
    QApplication::processEvents();
    e->selectAll();
    QTest::keyClick(e, Qt::Key_Delete);
    QTest::keyClicks(e, typed);
    QTest::keyClick(e, Qt::Key_Return);
}

TEST(FatigueScreen, MenuNeedsASpectrum) {
    test::Ui ui;
    QAction* entry = ui.act("mnu_fatigue");
    ASSERT_NE(entry, nullptr);
    emit ui.w.findChild<QMenu*>("mnu_Results")->aboutToShow();
    EXPECT_FALSE(entry->isEnabled());
    ui.prompter.expect(kDamageTitle, kNoLevelsText, Icon::Information);
    ui.w.fatigueScreen()->mnu_fatigue_Click();
    fillSpectrum(ui.s);
    emit ui.w.findChild<QMenu*>("mnu_Results")->aboutToShow();
    EXPECT_TRUE(entry->isEnabled());
}

TEST(FatigueScreen, PresetTypedCurveRefusalsAndUnits) {
    test::Ui ui;
    MainWindow& w = ui.w;
    w.show();
    QApplication::setActiveWindow(&w);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    fillSpectrum(ui.s);
    ui.act("mnu_fatigue")->trigger();
    FatiguePanel* p = w.fatigueScreen()->panel();
    ASSERT_TRUE(p->isVisible());

    // Detail category 71 in MPa: the preset's curve is shown, not typed.
    const FatigueView preset = ComputeFatigueView(ui.s, FatigueForm{});
    EXPECT_EQ(shown(p, "lbl_Fatigue_Repetitions").toStdString(), preset.repetitions);
    EXPECT_EQ(shown(p, "lbl_Fatigue_Hours").toStdString(), preset.hours);
    EXPECT_EQ(p->box(FatigueBox::SD)->text(), "52.313");
    EXPECT_FALSE(p->box(FatigueBox::SD)->isEnabled());
    const QImage before = p->picture()->buffer().copy();
    EXPECT_FALSE(before.isNull());

    // A refused box keeps the focus; nothing changes.
    ui.prompter.expect(kDamageTitle, kNRefText, Icon::Critical);
    type(p, FatigueBox::NRef, "0");
    EXPECT_TRUE(ui.prompter.allUsed());
    EXPECT_TRUE(p->box(FatigueBox::NRef)->hasFocus());
    type(p, FatigueBox::NRef, "2000000");

    // U&S: the ranges in ksi, the same life.
    ui.act("mnu_US")->trigger();
    EXPECT_EQ(shown(p, "lbl_Detail_Category"), "Detail Category [ksi]:");
    EXPECT_EQ(p->box(FatigueBox::Category)->text(), "10.297");
    EXPECT_EQ(shown(p, "lbl_Fatigue_Repetitions").toStdString(), preset.repetitions);
    EXPECT_EQ(shown(p, "lbl_Fatigue_Hours").toStdString(), preset.hours);
    ui.act("mnu_SI")->trigger();

    // A typed single-slope curve: SD 100 MPa at 2e6 cycles, k 3, k2 3, no cut-off.
    p->control<QRadioButton>("btt_SN_Curve_1")->click();
    EXPECT_TRUE(p->box(FatigueBox::SD)->isEnabled());
    EXPECT_FALSE(p->box(FatigueBox::Category)->isEnabled());
    type(p, FatigueBox::SD, "100");
    type(p, FatigueBox::ND, "2000000");
    type(p, FatigueBox::K2, "3");
    type(p, FatigueBox::SL, "");
    const FatigueForm& f = w.fatigueScreen()->form();
    EXPECT_EQ(std::tuple(f.detailCategory, f.curve.SD, f.curve.ND, f.curve.k2, f.curve.SL.has_value()),
              std::tuple(false, 100.0, 2e6, 3.0, false));
    const double d = 2 / (2e6 * std::pow(100.0 / 180, 3)) + 40 / (2e6 * std::pow(100.0 / 60, 3)) +
                     900 / (2e6 * std::pow(100.0 / 20, 3));
    EXPECT_EQ(shown(p, "lbl_Fatigue_Damage").toStdString(), "Damage per repetition: " + DamageFigure(d));
    EXPECT_NE(p->picture()->buffer(), before);
    p->button("cmd_Fatigue_Close")->click();
    EXPECT_FALSE(p->isVisible());
}

}  // namespace
}  // namespace karmo
