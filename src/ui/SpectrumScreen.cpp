#include "ui/SpectrumScreen.h"

#include <QKeyEvent>
#include <QPushButton>
#include <QRadioButton>

#include "database/BatchOps.h"
#include "distribution/DistributionFit.h"
#include "distribution/StoredSpectrumEdit.h"
#include "spectrum/SpectrumLevels.h"
#include "ui/DatabaseScreen.h"
#include "ui/FocusEdit.h"
#include "ui/MainWindow.h"
#include "ui/panels/SpectrumInfoPanel.h"
#include "ui/panels/SpectrumParamsPanel.h"

namespace karmo {

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

const QString kKeyboard = QStringLiteral("btt_Edit_Choice_0");
const QString kDistribution = QStringLiteral("btt_Edit_Choice_1");

// The key codes the parameter dialog's rules are written in.
int keyCode(int qtKey) {
    switch (qtKey) {
        case Qt::Key_Up: return 38;
        case Qt::Key_Down: return 40;
        case Qt::Key_PageDown: return 34;
        default: return 0;
    }
}

}  // namespace

SpectrumScreen::SpectrumScreen(MainWindow& w) : QObject(&w), w_(w) {
    choice_ = w_.panel(QStringLiteral("frm_Edit_Choice"));
    beta_ = w_.panel(QStringLiteral("frm_Beta_Params"));
    params_ = static_cast<SpectrumParamsPanel*>(w_.panel(QStringLiteral("frm_Spectrum_Params")));
    info_ = static_cast<SpectrumInfoPanel*>(w_.panel(QStringLiteral("frm_Spectrum_Info")));

    const struct { Panel* panel; const char* name; void (SpectrumScreen::*slot)(); } commands[] = {
        {choice_, "cmd_Choice_OK", &SpectrumScreen::cmd_Choice_OK_Click},
        {choice_, "cmd_Choice_Cancel", &SpectrumScreen::cmd_Choice_Cancel_Click},
        {beta_, "cmd_Beta_EditOK", &SpectrumScreen::cmd_Beta_EditOK_Click},
        {beta_, "cmd_Beta_EditCan", &SpectrumScreen::cmd_Beta_EditCan_Click},
    };
    for (const auto& c : commands)
        connect(c.panel->button(QString::fromLatin1(c.name)), &QPushButton::clicked, this, c.slot);
    for (auto [name, box] : {std::pair{"txt_Beta_Q", ParamsBox::Q}, std::pair{"txt_Beta_R", ParamsBox::R}}) {
        FocusEdit* e = beta_->edit(QString::fromLatin1(name));
        e->setValidator([this, box](FocusEdit& self) {
            return DistributionParamsLostFocus(w_.prompter(), box, self.text().toStdString());
        });
        e->installEventFilter(this);
    }
}

bool SpectrumScreen::editingStored() const {
    const AppState& s = w_.state();
    return s.EditingStoredSpectrum || s.EditingStoredDistribution;
}

// ---------------------------------------------------------------------------------------
// the ways in from the Loading Database panel

void SpectrumScreen::editStoredSpectrum() { beginStoredEdit(false); }
void SpectrumScreen::editStoredDistribution() { beginStoredEdit(true); }

void SpectrumScreen::beginStoredEdit(bool distribution) {
    AppState& s = w_.state();
    if (s.UiMode != kUiIdle) return;
    PrepareSpectrumEdit(s);
    BeginStoredEdit(s, distribution);
    w_.panel(QStringLiteral("frm_Load_Dbase"))->hide();
    if (distribution) {
        params_->openAfterCount();
        return;
    }
    choice_->setTitle(Q("Edit " + s.QuantityName + "Spectrum Choices"));
    choice_->label(QStringLiteral("lbl_Edit_Choice"))->setText(Q("Please select one to edit " + s.QuantityName + "Spectrum:"));
    // The way the batch's spectrum was made is offered first.
    choice_->control<QRadioButton>(StoredBatchKind(s.batch()) == 3 ? kDistribution : kKeyboard)->setChecked(true);
    s.UiMode = 0;
    choice_->show();
    choice_->button(QStringLiteral("cmd_Choice_OK"))->setFocus();
}

void SpectrumScreen::cmd_Choice_OK_Click() {
    if (!choice_->isVisible()) return;
    ChooseSpectrumEntry(w_.state(), choice_->control<QRadioButton>(kKeyboard)->isChecked());
    choice_->hide();
    params_->openAfterCount();
}

void SpectrumScreen::cmd_Choice_Cancel_Click() {
    if (!choice_->isVisible()) return;
    choice_->hide();
    abandonStoredEdit();
}

// ---------------------------------------------------------------------------------------
// after the spectrum parameters

void SpectrumScreen::parametersStored(const std::string& paramsCaption) {
    AppState& s = w_.state();
    if (s.EditChoice != 2) {
        BuildKeyboardLevels(s);
        info_->showEdited(false);
        return;
    }
    openParameterDialog(paramsCaption);
}

void SpectrumScreen::parametersCancelled() {
    if (editingStored()) abandonStoredEdit();
}

void SpectrumScreen::openParameterDialog(const std::string& caption) {
    AppState& s = w_.state();
    Prompter& p = w_.prompter();
    {
        BusyScope busy(p);
        SeedSourceParameters(s, p);
    }
    opened_ = OpenDistributionParams(s);
    beta_->setTitle(Q(caption));
    beta_->edit(QStringLiteral("txt_Beta_Q"))->setAcceptedText(Q(opened_.q));
    beta_->edit(QStringLiteral("txt_Beta_R"))->setAcceptedText(Q(opened_.r));
    // Enter cancels: a distribution is replaced only by a click on OK.
    beta_->setDefaultButton(beta_->button(QStringLiteral("cmd_Beta_EditCan")));
    s.UiMode = 0;
    beta_->show();
    beta_->edit(QStringLiteral("txt_Beta_Q"))->setFocus();
    beta_->edit(QStringLiteral("txt_Beta_Q"))->selectAll();
    p.processPendingEvents();
    ClearFit(s);
}

bool SpectrumScreen::eventFilter(QObject* o, QEvent* e) {
    if (e->type() != QEvent::KeyPress) return QObject::eventFilter(o, e);
    const int key = static_cast<QKeyEvent*>(e)->key();
    const ParamsBox box = o->objectName() == QLatin1String("txt_Beta_Q") ? ParamsBox::Q : ParamsBox::R;
    if (const auto to = DistributionParamsKeyDown(box, keyCode(key))) {
        beta_->edit(*to == ParamsBox::Q ? QStringLiteral("txt_Beta_Q") : QStringLiteral("txt_Beta_R"))
            ->setFocus(Qt::TabFocusReason);
        return true;
    }
    // Down in R stays where it is.
    return key == Qt::Key_Down;
}

void SpectrumScreen::cmd_Beta_EditOK_Click() {
    if (!beta_->isVisible()) return;
    AppState& s = w_.state();
    const DistributionParamsTexts typed{beta_->edit(QStringLiteral("txt_Beta_Q"))->text().toStdString(),
                                        beta_->edit(QStringLiteral("txt_Beta_R"))->text().toStdString()};
    const DistributionParamsOkResult r = DistributionParamsOk(s, w_.prompter(), opened_, typed);
    if (!r.accepted) {
        FocusEdit* e = beta_->edit(r.focus == ParamsBox::Q ? QStringLiteral("txt_Beta_Q") : QStringLiteral("txt_Beta_R"));
        e->setFocus();
        e->selectAll();
        return;
    }
    beta_->hide();
    FillWorkingLevels(s);
    if (s.batch().LevelCount < 1) {
        // No two levels kept a cycle: the grid is chosen again.
        params_->openAfterCount();
        return;
    }
    if (s.EditingStoredDistribution)
        info_->setRefreshCaption(QStringLiteral("&Fit Distrib."),
                                 s.ToolTipsHidden == 1 ? QString() : QStringLiteral("Redraw the spectrum and fit a distribution"));
    else
        info_->setRefreshCaption(Q(r.refreshCaption), Q(r.refreshToolTip));
    info_->showEdited(true);
}

void SpectrumScreen::cmd_Beta_EditCan_Click() {
    if (!beta_->isVisible()) return;
    AppState& s = w_.state();
    const bool backToDatabase = DistributionParamsCancel(s, info_->correctionFlag());
    beta_->hide();
    if (backToDatabase) abandonStoredEdit();
    else info_->showPanel();   // reopened by "C&orrection": the spectrum shown stays
}

// ---------------------------------------------------------------------------------------
// the end of a stored edit

void SpectrumScreen::abandonStoredEdit() {
    AppState& s = w_.state();
    RevertBatch(s);
    s.batch().RecordTime = s.batch().Saved.RecordTime;
    for (const char* n : {"frm_Spectr", "frm_Distr", "frm_Spectrum_Info"}) w_.panel(QString::fromLatin1(n))->hide();
    s.UiMode = kUiIdle;
    w_.applyMenuEvent(MenuEvent::SpectrumClosed);
    storedEditClosed();
}

void SpectrumScreen::storedEditClosed() {
    endStoredEdit();
    w_.databaseScreen()->showPanel();
}

void SpectrumScreen::endStoredEdit() {
    AppState& s = w_.state();
    s.EditingStoredSpectrum = false;
    s.EditingStoredDistribution = false;
    s.EditChoice = 0;
    w_.placePanelAs(w_.panel(QStringLiteral("frm_Distr")), QString());
}

}  // namespace karmo
