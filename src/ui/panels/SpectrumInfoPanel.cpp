#include "ui/panels/SpectrumInfoPanel.h"

#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

#include "database/BatchOps.h"
#include "distribution/DistributionFit.h"
#include "spectrum/SpectrumLevels.h"
#include "spectrum/SpectrumParamsEdit.h"
#include "ui/FocusEdit.h"
#include "ui/MainWindow.h"
#include "ui/QtCanvas.h"
#include "ui/panels/DistrPanel.h"
#include "ui/panels/SpectrPanel.h"
#include "ui/panels/SpectrumParamsPanel.h"
#include "ui/SpectrumScreen.h"

namespace karmo {

namespace {
QString Q(const std::string& s) { return QString::fromStdString(s); }
}  // namespace

SpectrumInfoPanel::SpectrumInfoPanel(QWidget* parent)
    : Panel("frm_Spectrum_Info", QStringLiteral("Stress Spectrum Information"), parent) {
    auto* columns = new QHBoxLayout;
    const struct { const char* frame; const char* caption; const char* box; int stretch; } cols[] = {
        {"frm_Spectrum_Level", "Level", "Level", 1},
        {"frm_Spectrum_Stress", "Stress [MPa]", "Stress", 2},
        {"frm_Spectrum_Cycles", "Cycles", "Cycles", 2},
    };
    for (const auto& c : cols) {
        QGroupBox* f = makeFrame(QString::fromLatin1(c.frame), QString::fromLatin1(c.caption));
        auto* v = new QVBoxLayout(f);
        v->setContentsMargins(3, 3, 3, 3);
        v->setSpacing(1);
        for (int i = 0; i < 5; ++i) {
            FocusEdit* e = makeEdit(ArrayName(QString::fromLatin1(c.box), i));
            e->setProperty("index", i);
            e->setParent(f);
            if (QLatin1String(c.box) == QLatin1String("Level")) e->setReadOnly(true);
            v->addWidget(e);
        }
        columns->addWidget(f, c.stretch);
    }
    columns->addWidget(makeScrollBar(QStringLiteral("vsc_Spectrum"), Qt::Vertical));

    auto* info = new QHBoxLayout;
    info->addWidget(makeLabel(QStringLiteral("lbl_Omit_Points"), QStringLiteral(" Omitted cycles: 0")));
    info->addStretch(1);
    info->addWidget(makeLabel(QStringLiteral("lab_spectr_show"), QString()));

    // "Fit Distrib." gives way to "Save" once a distribution is fitted.
    auto* buttons = new QGridLayout;
    buttons->addWidget(makeButton(QStringLiteral("cmd_Calculate_Beta"), QStringLiteral("Fit &Distrib.")), 0, 0);
    buttons->addWidget(makeButton(QStringLiteral("cmd_Spectr_Refresh"), QStringLiteral("&Refresh")), 0, 1);
    buttons->addWidget(makeButton(QStringLiteral("cmd_Spectrum_Save"), QStringLiteral("&Save")), 0, 2);
    buttons->addWidget(makeButton(QStringLiteral("cmd_Spectr_Correction"), QStringLiteral("C&orrection")), 1, 0);
    buttons->addWidget(makeButton(QStringLiteral("cmd_Spectrum_Cancel"), QStringLiteral("&Close")), 1, 1);
    button(QStringLiteral("cmd_Calculate_Beta"))->setToolTip(QStringLiteral("Fit a distribution  to the spectrum"));
    button(QStringLiteral("cmd_Spectr_Refresh"))->setToolTip(QStringLiteral("Redraw the spectrum"));
    button(QStringLiteral("cmd_Spectrum_Save"))->hide();

    auto* v = new QVBoxLayout(this);
    v->addLayout(columns, 1);
    v->addLayout(info);
    v->addLayout(buttons);
    setDefaultButton(button(QStringLiteral("cmd_Spectrum_Cancel")));
}

void SpectrumInfoPanel::attach(MainWindow& w) {
    w_ = &w;
    const struct { const char* name; void (SpectrumInfoPanel::*slot)(); } commands[] = {
        {"cmd_Calculate_Beta", &SpectrumInfoPanel::cmd_Calculate_Beta_Click},
        {"cmd_Spectr_Refresh", &SpectrumInfoPanel::cmd_Spectr_Refresh_Click},
        {"cmd_Spectr_Correction", &SpectrumInfoPanel::cmd_Spectr_Correction_Click},
        {"cmd_Spectrum_Cancel", &SpectrumInfoPanel::cmd_Spectrum_Cancel_Click},
        {"cmd_Spectrum_Save", &SpectrumInfoPanel::cmd_Spectrum_Save_Click},
    };
    for (const auto& c : commands) connect(button(QString::fromLatin1(c.name)), &QPushButton::clicked, this, c.slot);
    connect(control<QScrollBar>(QStringLiteral("vsc_Spectrum")), &QScrollBar::valueChanged, this,
            &SpectrumInfoPanel::vsc_Spectrum_Change);
    for (const char* column : {"Stress", "Cycles"})
        for (int i = 0; i < 5; ++i) {
            const QString col = QString::fromLatin1(column);
            edit(ArrayName(col, i))->setValidator([this, col, i](FocusEdit&) { return validateCell(col, i); });
            edit(ArrayName(col, i))->installEventFilter(this);
        }
}

bool SpectrumInfoPanel::eventFilter(QObject* o, QEvent* e) {
    if (e->type() != QEvent::KeyPress) return Panel::eventFilter(o, e);
    const int key = static_cast<QKeyEvent*>(e)->key();
    auto* box = qobject_cast<FocusEdit*>(o);
    if (!box || (key != Qt::Key_Up && key != Qt::Key_Down)) return Panel::eventFilter(o, e);
    const QString column = box->objectName().section(QLatin1Char('_'), 0, 0);
    const int row = box->property("index").toInt();
    const int next = row + (key == Qt::Key_Down ? 1 : -1);
    if (next >= 0 && next < 5) {
        edit(ArrayName(column, next))->setFocus(Qt::TabFocusReason);
        return true;
    }
    // At the edge the rows move by one level; the box keeps the focus with the next level.
    auto* bar = control<QScrollBar>(QStringLiteral("vsc_Spectrum"));
    const int value = bar->value() + (key == Qt::Key_Down ? 1 : -1);
    if (value < bar->minimum() || value > bar->maximum() || !box->validateNow()) return true;
    bar->setValue(value);
    return true;
}

void SpectrumInfoPanel::fill() {
    AppState& s = w_->state();
    auto* bar = control<QScrollBar>(QStringLiteral("vsc_Spectrum"));
    const SpectrumInfoView v = SpectrumInfo(s, bar->value() < 1 ? 1 : bar->value());
    shownTop_ = bar->value() < 1 ? 1 : bar->value();
    setTitle(Q(v.caption));
    control<QGroupBox>(QStringLiteral("frm_Spectrum_Stress"))->setTitle(Q(s.QuantityName + s.QuantityUnitBracket));
    label(QStringLiteral("lbl_Omit_Points"))->setText(Q(v.omitted));
    // Only a count leaves cycles below the lowest level.
    label(QStringLiteral("lbl_Omit_Points"))->setVisible(s.BatchKind == 1);
    {
        const QSignalBlocker block(bar);
        bar->setRange(v.scrollMin, v.scrollMax);
        bar->setPageStep(5);
    }
    for (int i = 0; i < 5; ++i) {
        const SpectrumGridRow& r = v.rows[static_cast<size_t>(i)];
        edit(ArrayName(QStringLiteral("Level"), i))->setAcceptedText(Q(r.level));
        for (const auto& [column, text] : {std::pair{"Stress", &r.stress}, std::pair{"Cycles", &r.cycles}}) {
            FocusEdit* e = edit(ArrayName(QString::fromLatin1(column), i));
            e->setAcceptedText(Q(*text));
            e->setReadOnly(r.level.empty());   // no level behind the row
        }
    }
    button(QStringLiteral("cmd_Calculate_Beta"))->setEnabled(v.fitEnabled);
}

void SpectrumInfoPanel::showPanel() {
    AppState& s = w_->state();
    auto* bar = control<QScrollBar>(QStringLiteral("vsc_Spectrum"));
    if (bar->value() < 1) bar->setValue(1);
    fill();
    auto* distr = static_cast<DistrPanel*>(w_->panel(QStringLiteral("frm_Distr")));
    if (distr->coversSpectrumInfo()) distr->hide();
    // A spectrum from a distribution is fitted by its Refresh.
    button(QStringLiteral("cmd_Calculate_Beta"))->setVisible(s.EditChoice != 2 && !s.EditingStoredDistribution);
    setDefaultButton(button(QStringLiteral("cmd_Spectrum_Cancel")));
    show();
    s.UiMode = kUiIdle;
}

void SpectrumInfoPanel::showSpectrum() {
    AppState& s = w_->state();
    correctionFlag_ = false;
    if (s.AfterCounting) s.BatchKind = 1;
    {
        const QSignalBlocker block(control<QScrollBar>(QStringLiteral("vsc_Spectrum")));
        control<QScrollBar>(QStringLiteral("vsc_Spectrum"))->setValue(1);
    }
    drawPlots(false);
    button(QStringLiteral("cmd_Spectrum_Save"))->hide();
    button(QStringLiteral("cmd_Spectr_Refresh"))->setEnabled(true);
    setRefreshCaption(QStringLiteral("&Refresh"), s.ToolTipsHidden == 1 ? QString() : QStringLiteral("Redraw the spectrum"));
    showPanel();
}

void SpectrumInfoPanel::showEdited(bool fromDistribution) {
    AppState& s = w_->state();
    correctionFlag_ = false;
    {
        const QSignalBlocker block(control<QScrollBar>(QStringLiteral("vsc_Spectrum")));
        control<QScrollBar>(QStringLiteral("vsc_Spectrum"))->setValue(1);
    }
    if (!fromDistribution)
        setRefreshCaption(QStringLiteral("&Refresh"), s.ToolTipsHidden == 1 ? QString() : QStringLiteral("Redraw the spectrum"));
    drawPlots(fromDistribution);
    button(QStringLiteral("cmd_Spectrum_Save"))->show();
    button(QStringLiteral("cmd_Spectr_Refresh"))->setEnabled(true);
    showPanel();
    if (!fromDistribution) {
        // The cycles are typed next, from the first level.
        edit(ArrayName(QStringLiteral("Cycles"), 0))->setFocus();
        edit(ArrayName(QStringLiteral("Cycles"), 0))->selectAll();
    }
}

void SpectrumInfoPanel::setRefreshCaption(const QString& caption, const QString& toolTip) {
    button(QStringLiteral("cmd_Spectr_Refresh"))->setText(caption);
    button(QStringLiteral("cmd_Spectr_Refresh"))->setToolTip(toolTip);
}

void SpectrumInfoPanel::scrollToLevel(int32_t level) {
    auto* bar = control<QScrollBar>(QStringLiteral("vsc_Spectrum"));
    bar->setValue(GridScrollFor(w_->state(), level));
    fill();
    const int row = std::clamp(level - shownTop_, 0, 4);
    edit(ArrayName(QStringLiteral("Stress"), row))->setFocus();
    edit(ArrayName(QStringLiteral("Stress"), row))->selectAll();
}

void SpectrumInfoPanel::drawPlots(bool distribution) {
    static_cast<SpectrPanel*>(w_->panel(QStringLiteral("frm_Spectr")))->draw(*w_);
    auto* distr = static_cast<DistrPanel*>(w_->panel(QStringLiteral("frm_Distr")));
    if (distribution) distr->draw(*w_, correctionFlag_);
}

void SpectrumInfoPanel::unitsChanged() {
    if (!w_) return;
    auto* spectr = static_cast<SpectrPanel*>(w_->panel(QStringLiteral("frm_Spectr")));
    auto* distr = static_cast<DistrPanel*>(w_->panel(QStringLiteral("frm_Distr")));
    if (spectr->isVisible()) spectr->draw(*w_);
    if (distr->isVisible()) distr->draw(*w_, correctionFlag_);
    if (isVisible()) fill();
}

void SpectrumInfoPanel::vsc_Spectrum_Change(int) {
    // The scroll bar takes no focus: a box that was typed into is still focused and has not
    // been checked. It is checked now, before the rows move over it; refused, the rows stay.
    auto* typed = qobject_cast<FocusEdit*>(QApplication::focusWidget());
    if (typed && isAncestorOf(typed) && !typed->isReadOnly() && typed->text() != typed->previousText() &&
        !FocusEdit::validating() && !typed->validateNow()) {
        auto* bar = control<QScrollBar>(QStringLiteral("vsc_Spectrum"));
        const QSignalBlocker block(bar);
        bar->setValue(shownTop_);
        return;
    }
    fill();
}

bool SpectrumInfoPanel::validateCell(const QString& column, int row) {
    FocusEdit* e = edit(ArrayName(column, row));
    if (e->isReadOnly() || e->text() == e->previousText()) return true;
    AppState& s = w_->state();
    // The level the row showed when it was typed into; the bar may have moved since.
    const int32_t level = shownTop_ + row;
    const std::string text = e->text().toStdString();
    const GridCellCheck c = column == QLatin1String("Cycles") ? EditGridCycles(s, w_->prompter(), level, text)
                                                              : EditGridStress(s, w_->prompter(), level, text);
    if (c == GridCellCheck::Refused) return false;
    if (c == GridCellCheck::FocusStress) {
        edit(ArrayName(QStringLiteral("Stress"), row))->setFocus();
        return true;
    }
    button(QStringLiteral("cmd_Spectr_Refresh"))->setEnabled(true);
    return true;
}

void SpectrumInfoPanel::cmd_Calculate_Beta_Click() {
    AppState& s = w_->state();
    if (s.UiMode != kUiIdle) return;
    if (!CalculateDistribution(s, w_->prompter())) return;
    auto* distr = static_cast<DistrPanel*>(w_->panel(QStringLiteral("frm_Distr")));
    distr->draw(*w_, correctionFlag_);
    distr->show();
    if (distr->coversSpectrumInfo()) hide();
    button(QStringLiteral("cmd_Calculate_Beta"))->hide();
    button(QStringLiteral("cmd_Spectrum_Save"))->show();
}

void SpectrumInfoPanel::cmd_Spectr_Refresh_Click() {
    AppState& s = w_->state();
    if (s.UiMode != kUiIdle) return;
    int32_t bad = 0;
    switch (SpectrumRefresh(s, w_->prompter(), &bad)) {
        case RefreshResult::Refused:
            if (bad > 0) scrollToLevel(bad);
            else edit(ArrayName(QStringLiteral("Cycles"), 0))->setFocus();
            return;
        case RefreshResult::Declined: return;
        case RefreshResult::Done: break;
    }
    if (s.batch().Volume == 0) return;
    BusyScope busy(w_->prompter());
    const bool refit = s.EditChoice == 2 || s.EditingStoredDistribution;
    if (refit && !CalculateDistribution(s, w_->prompter())) return;
    drawPlots(refit || w_->panel(QStringLiteral("frm_Distr"))->isVisible());
    fill();
    button(QStringLiteral("cmd_Spectr_Refresh"))->setEnabled(false);
}

void SpectrumInfoPanel::cmd_Spectr_Correction_Click() {
    AppState& s = w_->state();
    if (s.UiMode != kUiIdle) return;
    if (!SpectrumCorrection(s, w_->prompter())) {
        edit(ArrayName(QStringLiteral("Cycles"), 0))->setFocus();
        return;
    }
    correctionFlag_ = true;
    hide();
    static_cast<SpectrumParamsPanel*>(w_->panel(QStringLiteral("frm_Spectrum_Params")))->openAfterCount();
}

void SpectrumInfoPanel::cmd_Spectrum_Cancel_Click() {
    if (w_->state().UiMode != kUiIdle) return;
    closeSpectrum();
}

bool SpectrumInfoPanel::closeSpectrum() {
    AppState& s = w_->state();
    const bool stored = w_->spectrumScreen()->editingStored();
    int32_t bad = 0;
    switch (SpectrumCloseQuestion(s, w_->prompter(), &bad)) {
        case CloseAnswer::StayOpen:
            if (bad > 0) scrollToLevel(bad);
            return false;
        case CloseAnswer::Discard:
        case CloseAnswer::Unchanged:
            // A stored batch is left exactly as it was stored, also where choosing the
            // keyboard dropped its distribution and nothing was typed since.
            if (stored || s.SpectrumChanged) {
                RevertBatch(s);
                if (stored) s.batch().RecordTime = s.batch().Saved.RecordTime;
            }
            break;
        case CloseAnswer::Keep: keepSpectrum(); break;
    }
    closePanels();
    if (stored) w_->spectrumScreen()->storedEditClosed();
    return true;
}

void SpectrumInfoPanel::keepSpectrum() {
    AppState& s = w_->state();
    CommitBatch(s);
    s.SpectrumChanged = false;
    s.DatabaseModified = true;
    NameBatchIfEmpty(s, s.CurrentBatch);
    JoinNewBatch(s);
}

void SpectrumInfoPanel::closePanels() {
    AppState& s = w_->state();
    hide();
    w_->panel(QStringLiteral("frm_Spectr"))->hide();
    w_->panel(QStringLiteral("frm_Distr"))->hide();
    s.UiMode = kUiIdle;
    // While the history is edited its panel is in front again and the database commands
    // stay off.
    if (!w_->panel(QStringLiteral("frm_Hist"))->isVisible()) w_->applyMenuEvent(MenuEvent::SpectrumClosed);
}

void SpectrumInfoPanel::cmd_Spectrum_Save_Click() {
    AppState& s = w_->state();
    if (s.UiMode != kUiIdle) return;
    int32_t bad = 0;
    if (!SpectrumSaveChecks(s, w_->prompter(), &bad)) {
        if (bad > 0) scrollToLevel(bad);
        else edit(ArrayName(QStringLiteral("Cycles"), 0))->setFocus();
        return;
    }
    keepSpectrum();
    TellSpectrumIncluded(s, w_->prompter());
}

}  // namespace karmo
