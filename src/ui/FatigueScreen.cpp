#include "ui/FatigueScreen.h"

#include <QAction>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>

#include "ui/FocusEdit.h"
#include "ui/MainWindow.h"
#include "ui/QtCanvas.h"
#include "ui/panels/FatiguePanel.h"

namespace karmo {

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

constexpr FatigueBox kAllBoxes[] = {FatigueBox::Category, FatigueBox::K,  FatigueBox::SD,  FatigueBox::ND,
                                    FatigueBox::K2,       FatigueBox::SL, FatigueBox::NRef};

}  // namespace

FatigueScreen::FatigueScreen(MainWindow& w) : QObject(&w), w_(w) {
    panel_ = new FatiguePanel(w.centralWidget());
    panel_->hide();
    if (QMenu* results = w.findChild<QMenu*>(QStringLiteral("mnu_Results")))
        connect(results, &QMenu::aboutToShow, this, &FatigueScreen::syncMenu);
    for (int i : {0, 1})
        connect(panel_->control<QRadioButton>(ArrayName(QStringLiteral("btt_SN_Curve"), i)), &QRadioButton::clicked,
                this, [this, i] { btt_SN_Curve_Click(i); });
    connect(panel_->button(QStringLiteral("cmd_Fatigue_Close")), &QPushButton::clicked, this,
            &FatigueScreen::cmd_Fatigue_Close_Click);
    for (FatigueBox b : kAllBoxes) {
        panel_->box(b)->setValidator([this, b](FocusEdit& e) {
            if (!TakeFatigueBox(w_.prompter(), form_, b, e.text().toStdString(), w_.state().QuantityFactor))
                return false;
            showForm();
            showResults();
            return true;
        });
    }
}

void FatigueScreen::syncMenu() {
    if (QAction* a = w_.action(QStringLiteral("mnu_fatigue"))) a->setEnabled(w_.state().batch().LevelCount > 0);
}

void FatigueScreen::mnu_fatigue_Click() {
    const AppState& s = w_.state();
    if (s.UiMode != kUiIdle) return;
    if (s.batch().LevelCount < 1) {
        w_.prompter().tell(kDamageTitle, kNoLevelsText, Icon::Information);
        return;
    }
    // Over the middle of the window, above the plots.
    const QWidget* surface = w_.centralWidget();
    const double t = w_.twipsPerPixel();
    const double width = surface->width() * t, height = surface->height() * t;
    w_.placePanel(panel_, TwipRect{0.1 * width, 0.15 * height, 0.8 * width, 0.7 * height});
    showForm();
    panel_->show();
    panel_->raise();
    showResults();
    panel_->button(QStringLiteral("cmd_Fatigue_Close"))->setFocus();
}

void FatigueScreen::btt_SN_Curve_Click(int index) {
    // The typed curve starts from the preset in use.
    if (index == 1 && form_.detailCategory) form_.curve = DetailCategoryCurve(form_.category);
    form_.detailCategory = index == 0;
    showForm();
    showResults();
}

void FatigueScreen::cmd_Fatigue_Close_Click() { panel_->hide(); }

void FatigueScreen::unitsChanged() {
    if (!panel_->isVisible()) return;
    showForm();
    showResults();
}

void FatigueScreen::showForm() {
    const AppState& s = w_.state();
    const QString unit = Q(s.QuantityUnitBracket);
    panel_->label(QStringLiteral("lbl_Detail_Category"))->setText(QStringLiteral("Detail Category %1:").arg(unit));
    panel_->label(QStringLiteral("lbl_SN_SD"))->setText(QStringLiteral("Knee Range SD %1:").arg(unit));
    panel_->label(QStringLiteral("lbl_SN_SL"))->setText(QStringLiteral("Cut-off Range SL %1:").arg(unit));
    panel_->control<QRadioButton>(ArrayName(QStringLiteral("btt_SN_Curve"), form_.detailCategory ? 0 : 1))
        ->setChecked(true);
    // The preset's curve is shown but not typed.
    FatigueForm shown = form_;
    shown.curve = FormCurve(form_);
    for (FatigueBox b : kAllBoxes) {
        FocusEdit* e = panel_->box(b);
        e->setAcceptedText(Q(FatigueBoxText(shown, b, s.QuantityFactor)));
        e->setEnabled(b == FatigueBox::NRef || (b == FatigueBox::Category) == form_.detailCategory);
    }
}

void FatigueScreen::showResults() {
    const AppState& s = w_.state();
    const FatigueView v = ComputeFatigueView(s, form_);
    panel_->label(QStringLiteral("lbl_Fatigue_Damage"))->setText(Q(v.damage));
    panel_->label(QStringLiteral("lbl_Fatigue_Repetitions"))->setText(Q(v.repetitions));
    panel_->label(QStringLiteral("lbl_Fatigue_Hours"))->setText(Q(v.hours));
    panel_->label(QStringLiteral("lbl_Fatigue_Equivalent"))->setText(Q(v.equivalent));
    PlotPicture* pic = panel_->picture();
    pic->ensureBuffer();
    pic->draw([&](Canvas& c) { DrawDamageShares(c, v.result, s.GraphColor, s.PlotBackColor); });
}

}  // namespace karmo
