#include "ui/panels/SpectrumParamsPanel.h"

#include <QGridLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "distribution/SpectrumParamsOk.h"
#include "spectrum/SpectrumParams.h"
#include "ui/FocusEdit.h"
#include "ui/MainWindow.h"
#include "ui/SpectrumScreen.h"
#include "ui/panels/SpectrumInfoPanel.h"

namespace karmo {

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

const char* boxName(SpectrumParamsBox b) {
    switch (b) {
        case SpectrumParamsBox::Max: return "txt_Spectr_Max";
        case SpectrumParamsBox::Min: return "txt_Spectr_Min";
        case SpectrumParamsBox::Levels: return "txt_Spectr_Levels";
        case SpectrumParamsBox::Volume: return "txt_Spectr_Vol";
        case SpectrumParamsBox::RecordTime: return "txt_Spectr_RTime";
    }
    return "";
}

constexpr const char* kTypeButtons[] = {"chk_Beta", "chk_Weibull", "chk_Lognorm"};

}  // namespace

SpectrumParamsPanel::SpectrumParamsPanel(QWidget* parent)
    : Panel("frm_Spectrum_Params", QStringLiteral("Edit Stress Spectrum Parameters"), parent) {
    auto* g = new QGridLayout;
    addField(g, 0, QStringLiteral("lbl_Spectr_Max"), QStringLiteral("Max Stress Range [MPa]:"),
             QStringLiteral("txt_Spectr_Max"));
    addField(g, 1, QStringLiteral("lbl_Spectr_Min"), QStringLiteral("Min Stress Range [MPa]:"),
             QStringLiteral("txt_Spectr_Min"));
    addField(g, 2, QStringLiteral("lbl_Spectr_Levels"), QStringLiteral("# of Stress Levels (max 100):"),
             QStringLiteral("txt_Spectr_Levels"));
    addField(g, 3, QStringLiteral("lbl_Spectr_Vol"), QStringLiteral("Spectrum Volume [cyc]:"),
             QStringLiteral("txt_Spectr_Vol"));
    addField(g, 4, QStringLiteral("lbl_Spectr_RTime"), QStringLiteral("Record Time [min]:"),
             QStringLiteral("txt_Spectr_RTime"));

    QGroupBox* choice = makeFrame(QStringLiteral("frm_distr_choice"), QString());
    auto* cv = new QGridLayout(choice);
    QLabel* t = makeLabel(QStringLiteral("lbl_Distr_Choice"), QStringLiteral("Type of Distribution:"));
    t->setParent(choice);
    cv->addWidget(t, 0, 0, 1, 3);
    int col = 0;
    for (const auto& [name, caption] : {std::pair{"chk_Beta", "Beta"}, {"chk_Weibull", "Weibull"},
                                        {"chk_Lognorm", "Log-norm"}}) {
        QRadioButton* r = makeOption(QString::fromLatin1(name), QString::fromLatin1(caption));
        r->setParent(choice);
        cv->addWidget(r, 1, col++);
    }
    control<QRadioButton>(QStringLiteral("chk_Beta"))->setChecked(true);

    auto* v = new QVBoxLayout(this);
    v->addLayout(g);
    v->addWidget(choice);
    v->addStretch(1);
    QPushButton* ok = makeButton(QStringLiteral("cmd_Spectr_EditOK"), QStringLiteral("&OK"));
    QPushButton* cancel = makeButton(QStringLiteral("cmd_Spectr_EditCan"), QStringLiteral("&Cancel"));
    // A click on Cancel leaves the box it came from unchecked: what was typed is dropped anyway.
    cancel->setFocusPolicy(Qt::TabFocus);
    v->addLayout(buttonRow({ok, cancel}));
    setDefaultButton(ok);
}

FocusEdit* SpectrumParamsPanel::box(SpectrumParamsBox b) const { return edit(QString::fromLatin1(boxName(b))); }

void SpectrumParamsPanel::attach(MainWindow& w) {
    w_ = &w;
    for (SpectrumParamsBox b : {SpectrumParamsBox::Max, SpectrumParamsBox::Min, SpectrumParamsBox::Levels,
                                SpectrumParamsBox::Volume, SpectrumParamsBox::RecordTime}) {
        box(b)->setValidator([this, b](FocusEdit&) { return validateBox(b); });
        box(b)->installEventFilter(this);
    }
    for (int i = 0; i < 3; ++i)
        connect(control<QRadioButton>(QString::fromLatin1(kTypeButtons[i])), &QRadioButton::clicked, this,
                [this, i] { w_->state().DistributionType = static_cast<int16_t>(i + 1); });
    connect(button(QStringLiteral("cmd_Spectr_EditOK")), &QPushButton::clicked, this,
            &SpectrumParamsPanel::cmd_Spectr_EditOK_Click);
    connect(button(QStringLiteral("cmd_Spectr_EditCan")), &QPushButton::clicked, this,
            &SpectrumParamsPanel::cmd_Spectr_EditCan_Click);
}

bool SpectrumParamsPanel::eventFilter(QObject* o, QEvent* e) {
    if (e->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(e)->key();
        if (key == Qt::Key_Down || key == Qt::Key_Up) {
            for (int i = 0; i < 5; ++i) {
                const auto b = static_cast<SpectrumParamsBox>(i);
                if (o != box(b)) continue;
                box(NextSpectrumParamsBox(b, key == Qt::Key_Down))->setFocus(Qt::TabFocusReason);
                return true;
            }
        }
    }
    return Panel::eventFilter(o, e);
}

SpectrumParamsTexts SpectrumParamsPanel::texts() const {
    SpectrumParamsTexts t;
    t.max = box(SpectrumParamsBox::Max)->text().toStdString();
    t.min = box(SpectrumParamsBox::Min)->text().toStdString();
    t.levels = box(SpectrumParamsBox::Levels)->text().toStdString();
    t.volume = box(SpectrumParamsBox::Volume)->text().toStdString();
    t.recordTime = box(SpectrumParamsBox::RecordTime)->text().toStdString();
    return t;
}

bool SpectrumParamsPanel::validateBox(SpectrumParamsBox b) {
    const SpectrumBoxCheck c = ValidateSpectrumBox(w_->state(), w_->prompter(), b, texts(), exactMin_);
    if (c.newText) box(b)->setText(Q(*c.newText));
    if (c.levelsLabel) label(QStringLiteral("lbl_Spectr_Levels"))->setText(Q(*c.levelsLabel));
    return c.accepted;
}

void SpectrumParamsPanel::openAfterCount() {
    AppState& s = w_->state();
    const SpectrumParamsProposal d = ProposeSpectrumParams(s, s.AfterCounting);
    setTitle(Q(d.caption));
    label(QStringLiteral("lbl_Spectr_Max"))->setText(Q(d.maxLabel));
    label(QStringLiteral("lbl_Spectr_Min"))->setText(Q(d.minLabel));
    label(QStringLiteral("lbl_Spectr_Levels"))->setText(Q(d.levelsLabel));
    label(QStringLiteral("lbl_Spectr_Vol"))->setText(Q(d.volumeLabel));
    label(QStringLiteral("lbl_Spectr_RTime"))->setText(Q(d.recordTimeLabel));
    box(SpectrumParamsBox::Max)->setAcceptedText(Q(d.maxText));
    box(SpectrumParamsBox::Max)->setReadOnly(!d.maxEditable);
    box(SpectrumParamsBox::Min)->setAcceptedText(Q(d.minText));
    box(SpectrumParamsBox::Levels)->setAcceptedText(Q(d.levelsText));
    box(SpectrumParamsBox::Volume)->setAcceptedText(Q(d.volumeText));
    box(SpectrumParamsBox::RecordTime)->setAcceptedText(Q(d.recordTimeText));
    exactMin_ = ExactMinText{d.minText, d.minValue};
    const int type = s.DistributionType >= 1 && s.DistributionType <= 3 ? s.DistributionType : 1;
    control<QRadioButton>(QString::fromLatin1(kTypeButtons[type - 1]))->setChecked(true);
    s.UiMode = 0;
    show();
    box(SpectrumParamsBox::Levels)->setFocus();
    box(SpectrumParamsBox::Levels)->selectAll();
}

void SpectrumParamsPanel::cmd_Spectr_EditOK_Click() {
    AppState& s = w_->state();
    if (!isVisible() || s.UiMode >= 2) return;
    const SpectrumParamsOkResult r = SpectrumParamsOk(s, w_->prompter(), texts(), exactMin_);
    switch (r.next) {
        case SpectrumParamsNext::StayOpen:
            if (r.minText) box(SpectrumParamsBox::Min)->setText(Q(*r.minText));
            box(r.focus)->setFocus();
            box(r.focus)->selectAll();
            return;
        case SpectrumParamsNext::NoLevels:
            openAfterCount();
            return;
        case SpectrumParamsNext::Stored:
            // Typed by keyboard or defined by a distribution: the grid or the parameters next.
            hide();
            w_->spectrumScreen()->parametersStored(r.distributionCaption);
            return;
        case SpectrumParamsNext::LevelsBuilt:
            break;
    }
    hide();
    static_cast<SpectrumInfoPanel*>(w_->panel(QStringLiteral("frm_Spectrum_Info")))->showSpectrum();
}

void SpectrumParamsPanel::cmd_Spectr_EditCan_Click() {
    if (!isVisible()) return;
    AppState& s = w_->state();
    SpectrumParamsCancel(s);
    hide();
    // Reopened by "C&orrection": the spectrum shown stays, with its panel.
    if (w_->panel(QStringLiteral("frm_Spectr"))->isVisible())
        static_cast<SpectrumInfoPanel*>(w_->panel(QStringLiteral("frm_Spectrum_Info")))->showPanel();
    else
        w_->spectrumScreen()->parametersCancelled();
}

}  // namespace karmo
