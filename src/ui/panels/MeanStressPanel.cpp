#include "ui/panels/MeanStressPanel.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "spectrum/CycleCount.h"
#include "ui/FocusEdit.h"
#include "ui/HistoryScreen.h"
#include "ui/MainWindow.h"
#include "ui/panels/SpectrumInfoPanel.h"
#include "ui/panels/SpectrumParamsPanel.h"

namespace karmo {

namespace {
QString Q(const std::string& s) { return QString::fromStdString(s); }
// In the order of MeanStressBox.
constexpr const char* kMeanBoxes[] = {"txt_Ultimate_Strength", "txt_Yield_Strength", "txt_Concent_Factor"};
}  // namespace

MeanStressPanel::MeanStressPanel(QWidget* parent)
    : Panel("frm_Mean_Stress", QStringLiteral("Mean Stress Effect "), parent) {
    auto* v = new QVBoxLayout(this);
    auto* options = new QHBoxLayout;
    QRadioButton* include = makeOption(ArrayName(QStringLiteral("chk_MSE"), 1), QStringLiteral("Include"));
    include->setProperty("index", 1);
    QRadioButton* ignore = makeOption(ArrayName(QStringLiteral("chk_MSE"), 0), QStringLiteral("Ignore"));
    ignore->setProperty("index", 0);
    options->addWidget(include);
    options->addWidget(ignore);
    options->addStretch(1);
    v->addLayout(options);
    auto* g = new QGridLayout;
    addField(g, 0, QStringLiteral("lbl_Ultimate_Strength"), QStringLiteral("Ultimate Strength [MPa]:"),
             QStringLiteral("txt_Ultimate_Strength"));
    addField(g, 1, QStringLiteral("lbl_Yield_Strength"), QStringLiteral("Yield Strength [MPa]:"),
             QStringLiteral("txt_Yield_Strength"));
    addField(g, 2, QStringLiteral("lbl_Concent_Factor"), QStringLiteral("Notch Factor:"),
             QStringLiteral("txt_Concent_Factor"));
    v->addLayout(g);
    v->addStretch(1);
    QPushButton* ok = makeButton(QStringLiteral("cmd_Mean_OK"), QStringLiteral("&OK"));
    v->addLayout(buttonRow({ok, makeButton(QStringLiteral("cmd_Mean_Cancel"), QStringLiteral("&Cancel"))}));
    setDefaultButton(ok);
}

void MeanStressPanel::attach(MainWindow& w) {
    w_ = &w;
    for (int i : {0, 1})
        connect(control<QRadioButton>(ArrayName(QStringLiteral("chk_MSE"), i)), &QRadioButton::clicked, this,
                [this, i] { chk_MSE_Click(i); });
    connect(button(QStringLiteral("cmd_Mean_OK")), &QPushButton::clicked, this, &MeanStressPanel::cmd_Mean_OK_Click);
    connect(button(QStringLiteral("cmd_Mean_Cancel")), &QPushButton::clicked, this,
            &MeanStressPanel::cmd_Mean_Cancel_Click);
    Prompter& p = w.prompter();
    AppState& s = w.state();
    edit(QStringLiteral("txt_Ultimate_Strength"))->setValidator([&s, &p](FocusEdit& e) {
        return ValidateUltimateStrength(s, p, e.text().toStdString());
    });
    edit(QStringLiteral("txt_Yield_Strength"))->setValidator([&s, &p](FocusEdit& e) {
        return ValidateYieldStrength(s, p, e.text().toStdString());
    });
    edit(QStringLiteral("txt_Concent_Factor"))->setValidator([&p](FocusEdit& e) {
        return ValidateNotchFactor(p, e.text().toStdString());
    });
    for (const char* n : kMeanBoxes) edit(QString::fromLatin1(n))->installEventFilter(this);
}

bool MeanStressPanel::eventFilter(QObject* o, QEvent* e) {
    if (e->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(e)->key();
        if (key == Qt::Key_Down || key == Qt::Key_Up) {
            for (int i = 0; i < 3; ++i) {
                if (o->objectName() != QLatin1String(kMeanBoxes[i])) continue;
                const auto next = NextMeanStressBox(static_cast<MeanStressBox>(i), key == Qt::Key_Down);
                edit(QString::fromLatin1(kMeanBoxes[static_cast<int>(next)]))->setFocus(Qt::TabFocusReason);
                return true;
            }
        }
    }
    return Panel::eventFilter(o, e);
}

void MeanStressPanel::open(const MeanStressDialog& d) {
    label(QStringLiteral("lbl_Ultimate_Strength"))->setText(Q(d.ultimateLabel));
    label(QStringLiteral("lbl_Yield_Strength"))->setText(Q(d.yieldLabel));
    edit(QStringLiteral("txt_Ultimate_Strength"))->setAcceptedText(Q(d.ultimateText));
    edit(QStringLiteral("txt_Yield_Strength"))->setAcceptedText(Q(d.yieldText));
    edit(QStringLiteral("txt_Concent_Factor"))->setAcceptedText(Q(d.notchText));
    control<QRadioButton>(ArrayName(QStringLiteral("chk_MSE"), d.include ? 1 : 0))->setChecked(true);
    chk_MSE_Click(d.include ? 1 : 0);
    setDefaultButton(button(QStringLiteral("cmd_Mean_OK")));
    show();
    button(QStringLiteral("cmd_Mean_OK"))->setFocus();
}

MeanStressDialog MeanStressPanel::contents() const {
    MeanStressDialog d;
    d.include = control<QRadioButton>(ArrayName(QStringLiteral("chk_MSE"), 1))->isChecked();
    d.ultimateText = edit(QStringLiteral("txt_Ultimate_Strength"))->text().toStdString();
    d.yieldText = edit(QStringLiteral("txt_Yield_Strength"))->text().toStdString();
    d.notchText = edit(QStringLiteral("txt_Concent_Factor"))->text().toStdString();
    d.ultimateLabel = label(QStringLiteral("lbl_Ultimate_Strength"))->text().toStdString();
    d.yieldLabel = label(QStringLiteral("lbl_Yield_Strength"))->text().toStdString();
    return d;
}

void MeanStressPanel::chk_MSE_Click(int index) {
    for (const char* n : {"txt_Ultimate_Strength", "txt_Yield_Strength", "txt_Concent_Factor"})
        edit(QString::fromLatin1(n))->setEnabled(index == 1);
}

void MeanStressPanel::cmd_Mean_OK_Click() {
    AppState& s = w_->state();
    if (s.UiMode >= 2 || !isVisible()) return;  // the About panel covers the dialog
    const MeanStressDialog d = contents();
    // The count is made over the whole history, so the plot shows all of it first.
    if (s.HistoryPlotOutdated || s.DrawnViewCount < s.batch().PointCount) {
        w_->historyScreen()->redrawInFull();
        s.HistoryPlotOutdated = false;
    }
    hide();
    s.UiMode = 0;   // a long count lets window events run: no second command meanwhile
    const MeanStressOkOutcome out = MeanStressOk(s, w_->prompter(), d);
    if (out.counted) CountCompleted(*w_);
    else s.UiMode = kUiIdle;
}

void MeanStressPanel::cmd_Mean_Cancel_Click() {
    if (!isVisible()) return;
    hide();
    MeanStressCancel(w_->state());
    if (auto* c = w_->findChild<QPushButton*>(QStringLiteral("cmd_Cancel"))) c->setFocus();
}

void CycleCountClicked(MainWindow& w) {
    AppState& s = w.state();
    if (s.UiMode != kUiIdle) return;
    HistoryScreen* h = w.historyScreen();
    h->resetZoom();
    const int32_t pointsBefore = s.batch().PointCount;
    const CycleCountOutcome out = CycleCountClick(s, w.prompter());
    if (!out.ran) return;
    if (out.rearranged) {
        // The drawing ends idle; the dialog or the count that follows is not.
        const int16_t mode = s.UiMode;
        h->redrawInFull();
        s.HistoryPlotOutdated = false;
        s.UiMode = mode;
    }
    if (s.batch().PointCount < pointsBefore) {
        const int16_t mode = s.UiMode;
        h->historyShortened();
        s.UiMode = mode;
    }
    if (out.conflict) return;
    auto* dialog = static_cast<MeanStressPanel*>(w.panel(QStringLiteral("frm_Mean_Stress")));
    if (out.meanStressDialog) {
        dialog->open(out.dialog);
        return;
    }
    if (out.counting.counted) CountCompleted(w);
    else s.UiMode = kUiIdle;
}

void AttachSpectrumRoad(MainWindow& w) {
    static_cast<MeanStressPanel*>(w.panel(QStringLiteral("frm_Mean_Stress")))->attach(w);
    static_cast<SpectrumParamsPanel*>(w.panel(QStringLiteral("frm_Spectrum_Params")))->attach(w);
    static_cast<SpectrumInfoPanel*>(w.panel(QStringLiteral("frm_Spectrum_Info")))->attach(w);
    if (auto* cycle = w.findChild<QPushButton*>(QStringLiteral("cmd_Cycle_Count")))
        QObject::connect(cycle, &QPushButton::clicked, &w, [&w] { CycleCountClicked(w); });
}

void CountCompleted(MainWindow& w) {
    static_cast<SpectrumParamsPanel*>(w.panel(QStringLiteral("frm_Spectrum_Params")))->openAfterCount();
}

}  // namespace karmo
