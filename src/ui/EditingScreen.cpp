#include "ui/EditingScreen.h"

#include <QApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTimer>

#include "core/AtomicFile.h"
#include "editing/Append.h"
#include "editing/AppendPreview.h"
#include "editing/Rescale.h"
#include "editing/Subtract.h"
#include "ui/FileLists.h"
#include "ui/FocusEdit.h"
#include "ui/HistoryScreen.h"
#include "ui/MainWindow.h"
#include "ui/QtCanvas.h"
#include "ui/panels/FilePanel.h"
#include "ui/panels/Panel.h"

namespace karmo {

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }
std::string S(const QString& s) { return s.toStdString(); }

// Text2 and Text3: the two value columns of the grid.
const char* const kCellColumns[] = {"Text2", "Text3"};

}  // namespace

EditingScreen::EditingScreen(MainWindow& w) : QObject(&w), w_(w) {
    corr_ = panel("frm_Correction");
    rescale_ = panel("frm_Rescale_Info");
    subtract_ = panel("frm_Subtract");
    append_ = panel("frm_Append");
    appendHist_ = panel("frm_Append_Hist");
    info_ = panel("frm_Stress_Info");
    scroll_ = corr_->control<QScrollBar>(QStringLiteral("vsc_UpDown"));

    connect(info_->button(QStringLiteral("cmd_Correction")), &QPushButton::clicked, this,
            &EditingScreen::cmd_Correction_Click);
    connect(info_->button(QStringLiteral("cmd_Rescale")), &QPushButton::clicked, this,
            &EditingScreen::cmd_Rescale_Click);
    connect(info_->button(QStringLiteral("cmd_Subtract")), &QPushButton::clicked, this,
            &EditingScreen::cmd_Subtract_Click);
    connect(info_->button(QStringLiteral("cmd_Append")), &QPushButton::clicked, this,
            &EditingScreen::cmd_Append_Click);

    // --- Correction ---
    AppState& s = w_.state();
    Prompter& p = w_.prompter();
    auto restoreOr = [](FocusEdit& e, const EntryCheck& c) {
        if (c.restore) e.setText(Q(*c.restore));
        return c.accepted;
    };
    corr_->edit(QStringLiteral("txt_Corr_NoPoints"))->setValidator([this, &s, &p, restoreOr](FocusEdit& e) {
        const CountEntry c = CorrectionCountEntry(s, p, d_, S(e.text()));
        if (!restoreOr(e, c)) return false;
        e.setText(QString::number(d_.CorrectionCount));
        setCorrectionScroll();
        fillCorrectionGrid();
        // Shortened after the question: OK runs at once, once the focus has settled.
        if (c.applyNow) QTimer::singleShot(0, this, &EditingScreen::cmd_Corr_OK_Click);
        return true;
    });
    corr_->edit(QStringLiteral("txt_Corr_RecTime"))->setValidator([this, &s, &p, restoreOr](FocusEdit& e) {
        return restoreOr(e, CorrectionRecordTimeEntry(s, p, d_, S(e.text())));
    });
    corr_->edit(QStringLiteral("txt_Corr_Gate"))->setValidator([this, &s, &p, restoreOr](FocusEdit& e) {
        return restoreOr(e, CorrectionGateEntry(s, p, d_, S(e.text())));
    });
    for (int column = 0; column < 2; ++column)
        for (int row = 0; row < kCorrectionRows; ++row) {
            FocusEdit* c = cell(column, row);
            c->installEventFilter(this);
            c->setValidator([this, &s, &p, restoreOr](FocusEdit& e) {
                const int32_t point = e.property("point").toInt();
                if (point < 1) return true;
                return restoreOr(e, CorrectionCellEntry(s, p, d_, point, S(e.text())));
            });
        }
    connect(scroll_, &QScrollBar::valueChanged, this, &EditingScreen::vsc_UpDown_Change);
    // While the box is dragged, the label names the points of the top row.
    connect(scroll_, &QScrollBar::sliderMoved, this, [this](int v) {
        const int32_t i = 2 * v + w_.state().ViewStart - 2;
        QLabel* l = corr_->label(QStringLiteral("lab_hist_corr"));
        l->setText(QString::number(i) + QStringLiteral(" - ") + QString::number(i + 1));
        l->show();
    });
    connect(corr_->button(QStringLiteral("cmd_Corr_OK")), &QPushButton::clicked, this,
            &EditingScreen::cmd_Corr_OK_Click);
    connect(corr_->button(QStringLiteral("cmd_Corr_Cancel")), &QPushButton::clicked, this,
            &EditingScreen::cmd_Corr_Cancel_Click);

    // --- Rescale ---
    rescale_->edit(QStringLiteral("txt_RsclFactor"))->setValidator([&s, &p](FocusEdit& e) {
        return RescaleFactorEntry(s, p, S(e.text())).accepted;
    });
    rescale_->edit(QStringLiteral("txt_RsclOffset"))->setValidator([&s, &p](FocusEdit& e) {
        return RescaleOffsetEntry(s, p, S(e.text())).accepted;
    });
    connect(rescale_->button(QStringLiteral("cmd_Rscl_OK")), &QPushButton::clicked, this,
            &EditingScreen::cmd_Rscl_OK_Click);
    connect(rescale_->button(QStringLiteral("cmd_Rscl_Cancel")), &QPushButton::clicked, this,
            &EditingScreen::cmd_Rscl_Cancel_Click);

    // --- Subtract ---
    subtract_->edit(QStringLiteral("txt_Subtract_From"))->setValidator([&s, &p](FocusEdit& e) {
        return SubtractFromEntry(s, p, S(e.text())).accepted;
    });
    subtract_->edit(QStringLiteral("txt_Subtract_To"))->setValidator([&s, &p](FocusEdit& e) {
        return SubtractToEntry(s, p, S(e.text())).accepted;
    });
    connect(subtract_->button(QStringLiteral("cmd_Subtract_OK")), &QPushButton::clicked, this,
            &EditingScreen::cmd_Subtract_OK_Click);
    connect(subtract_->button(QStringLiteral("cmd_Subtract_Cancel")), &QPushButton::clicked, this,
            &EditingScreen::cmd_Subtract_Cancel_Click);

    // --- Append ---
    auto* files = static_cast<FilePanel*>(append_);
    connect(files->files(), &QListWidget::currentTextChanged, this, [this](const QString& name) {
        if (!name.isEmpty()) append_->edit(QStringLiteral("App_name_HS"))->setText(name);
    });
    connect(append_->button(QStringLiteral("cmd_Append_OK")), &QPushButton::clicked, this,
            &EditingScreen::cmd_Append_OK_Click);
    connect(append_->button(QStringLiteral("cmd_Append_Cancel")), &QPushButton::clicked, this,
            &EditingScreen::cmd_Append_Cancel_Click);
}

Panel* EditingScreen::panel(const char* name) const { return w_.panel(QString::fromLatin1(name)); }

FocusEdit* EditingScreen::cell(int column, int row) const {
    return corr_->edit(ArrayName(QString::fromLatin1(kCellColumns[column]), row));
}

bool EditingScreen::eventFilter(QObject* o, QEvent* e) {
    auto* c = qobject_cast<FocusEdit*>(o);
    if (c && e->type() == QEvent::FocusIn && !FocusEdit::validating()) {
        if (!CorrectionCellEnter(w_.state(), w_.prompter(), d_)) {
            QTimer::singleShot(0, this, [this] { corr_->edit(QStringLiteral("txt_Corr_NoPoints"))->setFocus(); });
            return false;
        }
    } else if (c && e->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(e)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            moveInGrid(c, key == Qt::Key_Up ? -1 : 1);
            return true;
        }
    }
    return QObject::eventFilter(o, e);
}

// Up and Down commit the cell and go to the row above or below in the same column; at the
// top or bottom row the grid scrolls by one row instead.
void EditingScreen::moveInGrid(FocusEdit* from, int step) {
    if (!from->validateNow()) return;
    const int row = from->property("index").toInt();
    const int column = from->objectName().startsWith(QLatin1String("Text3")) ? 1 : 0;
    const int target = row + step;
    if (target < 0 || target >= kCorrectionRows || !cell(column, target)->isEnabled()) {
        scroll_->setValue(scroll_->value() + step);
        return;
    }
    cell(column, target)->setFocus();
}

// ---------------------------------------------------------------------------------------
// Correction

void EditingScreen::cmd_Correction_Click() {
    AppState& s = w_.state();
    if (s.UiMode != kUiIdle) return;
    w_.historyScreen()->resetZoom();
    hideEditingDialogs();
    d_ = PrepareCorrection(s, w_.prompter());
    openCorrectionPanel();
}

void EditingScreen::openKeyboardEntry() {
    d_ = PrepareKeyboardEntry(w_.state());
    openCorrectionPanel();
}

void EditingScreen::openCorrectionPanel() {
    AppState& s = w_.state();
    corr_->setTitle(Q(CorrectionCaption(s)));
    corr_->label(QStringLiteral("lbl_Corr_Title"))->setText(Q(CorrectionTitleLabel(s)));
    corr_->edit(QStringLiteral("txt_Corr_Title"))->setAcceptedText(Q(d_.Title));
    corr_->edit(QStringLiteral("txt_Corr_NoPoints"))->setAcceptedText(QString::number(d_.CorrectionCount));
    corr_->edit(QStringLiteral("txt_Corr_RecTime"))->setAcceptedText(Q(d_.RecordTimeText));
    corr_->edit(QStringLiteral("txt_Corr_Gate"))->setAcceptedText(Q(d_.GateText));
    corr_->label(QStringLiteral("lab_hist_corr"))->hide();
    setCorrectionScroll();
    fillCorrectionGrid();
    s.UiMode = 0;
    corr_->show();
    corr_->edit(QStringLiteral("txt_Corr_NoPoints"))->setFocus();
}

void EditingScreen::setCorrectionScroll() {
    const QSignalBlocker quiet(scroll_);
    scroll_->setRange(1, std::max(1, d_.ScrollMax));
    scroll_->setSingleStep(1);
    scroll_->setPageStep(CorrectionLargeStep(d_));
    scroll_->setValue(d_.ScrollValue);
}

void EditingScreen::vsc_UpDown_Change(int value) {
    d_.ScrollValue = value;
    corr_->label(QStringLiteral("lab_hist_corr"))->hide();
    fillCorrectionGrid();
}

void EditingScreen::fillCorrectionGrid() {
    const AppState& s = w_.state();
    const CorrectionGrid g = CorrectionGridRows(s, d_);
    for (int row = 0; row < kCorrectionRows; ++row) {
        const CorrectionRow& r = g.rows[static_cast<size_t>(row)];
        FocusEdit* label = corr_->edit(ArrayName(QStringLiteral("Text1"), row));
        label->setAcceptedText(Q(r.label));
        label->setEnabled(!r.label.empty());
        for (int column = 0; column < 2; ++column) {
            FocusEdit* c = cell(column, row);
            const int32_t point = r.points[static_cast<size_t>(column)];
            c->setProperty("point", point);
            c->setAcceptedText(Q(r.values[static_cast<size_t>(column)]));
            c->setEnabled(point > 0);
        }
    }
    corr_->control<QGroupBox>(QStringLiteral("frm_Stress_Max"))->setTitle(Q(g.firstCaption));
    corr_->control<QGroupBox>(QStringLiteral("frm_Stress_Min"))->setTitle(Q(g.secondCaption));
}

bool EditingScreen::validateBoxes(std::initializer_list<const char*> names, Panel* p) {
    for (const char* n : names) {
        FocusEdit* e = p->edit(QString::fromLatin1(n));
        if (e->hasFocus() && !e->validateNow()) return false;
    }
    return true;
}

void EditingScreen::cmd_Corr_OK_Click() {
    if (!corr_->isVisible()) return;
    // The box or cell with the focus has not been checked yet.
    if (auto* e = qobject_cast<FocusEdit*>(QApplication::focusWidget()); e && corr_->isAncestorOf(e))
        if (!e->validateNow()) return;
    AppState& s = w_.state();
    d_.Title = S(corr_->edit(QStringLiteral("txt_Corr_Title"))->text());
    const bool newHistory = d_.NewHistory;
    const CorrectionOkResult r = CorrectionOk(s, w_.prompter(), d_);
    switch (r.outcome) {
        case CorrectionOutcome::StayOpen:
        case CorrectionOutcome::FocusCount:
            corr_->edit(QStringLiteral("txt_Corr_NoPoints"))->setAcceptedText(QString::number(d_.CorrectionCount));
            setCorrectionScroll();
            fillCorrectionGrid();
            if (r.outcome == CorrectionOutcome::FocusCount) corr_->edit(QStringLiteral("txt_Corr_NoPoints"))->setFocus();
            return;
        case CorrectionOutcome::Abandoned:
        case CorrectionOutcome::HistoryDeleted:
            corr_->hide();
            closeHistoryPanels();
            return;
        case CorrectionOutcome::Applied:
            break;
    }
    corr_->hide();
    if (newHistory) {
        w_.historyScreen()->showLoadedHistory();
    } else {
        // The window fits the new point count.
        PullViewInside(s, s.batch().PointCount);
        if (s.ViewCount < 1) s.ViewCount = s.batch().PointCount;
        showOutcome(r.display);
    }
    focusMainCancel();
}

void EditingScreen::cmd_Corr_Cancel_Click() {
    AppState& s = w_.state();
    corr_->hide();
    if (d_.NewHistory || s.batch().PointCount == 0) {
        Panel* db = panel("frm_Load_Dbase");
        db->show();
        db->edit(QStringLiteral("txt_Batch"))->setEnabled(true);
        db->setDefaultButton(db->button(QStringLiteral("Cmd_Load_Db_Cancel")));
    }
    focusMainCancel();
    s.UiMode = kUiIdle;
}

// ---------------------------------------------------------------------------------------
// Rescale

void EditingScreen::cmd_Rescale_Click() {
    AppState& s = w_.state();
    if (s.UiMode != kUiIdle) return;
    w_.historyScreen()->resetZoom();
    hideEditingDialogs();
    const RescaleView v = OpenRescale(s);
    rescale_->setTitle(Q(v.caption));
    rescale_->edit(QStringLiteral("txt_RsclFactor"))->setAcceptedText(Q(v.factorText));
    rescale_->edit(QStringLiteral("txt_RsclOffset"))->setAcceptedText(Q(v.offsetText));
    rescale_->setDefaultButton(rescale_->button(QStringLiteral("cmd_Rscl_Cancel")));
    rescale_->show();
    rescale_->edit(QStringLiteral("txt_RsclFactor"))->setFocus();
}

void EditingScreen::cmd_Rscl_OK_Click() {
    if (!validateBoxes({"txt_RsclFactor", "txt_RsclOffset"}, rescale_)) return;
    AppState& s = w_.state();
    const RescaleResult r = RescaleOk(s, w_.prompter(), S(rescale_->edit(QStringLiteral("txt_RsclFactor"))->text()),
                                      S(rescale_->edit(QStringLiteral("txt_RsclOffset"))->text()));
    if (!r.accepted) return;
    rescale_->hide();
    if (r.changed) showOutcome(r.display);
    focusMainCancel();
    s.UiMode = kUiIdle;
}

void EditingScreen::cmd_Rscl_Cancel_Click() {
    rescale_->hide();
    w_.state().UiMode = kUiIdle;
}

// ---------------------------------------------------------------------------------------
// Subtract

void EditingScreen::cmd_Subtract_Click() {
    AppState& s = w_.state();
    if (s.UiMode != kUiIdle) return;
    HistoryScreen* h = w_.historyScreen();
    h->resetZoom();
    h->forgetMarkKind();
    hideEditingDialogs();
    const bool waiting = info_->button(QStringLiteral("Cmd_Zoom_Refr"))->text() == QLatin1String("Re&fresh");
    if (hintDraws_ != h->drawCount() && !waiting) {
        ShowSubtractHint(s, w_.prompter());
        hintDraws_ = h->drawCount();
    }
    subtract_->label(QStringLiteral("lbl_Subtract_What"))->setText(QStringLiteral("Cut the ") + Q(s.QuantityName) +
                                                                   QStringLiteral("History"));
    subtract_->setTitle(Q(SubtractTitle(s)));
    subtract_->setDefaultButton(subtract_->button(QStringLiteral("cmd_Subtract_Cancel")));
    s.UiMode = 0;
    subtract_->show();
}

void EditingScreen::cmd_Subtract_OK_Click() {
    if (!validateBoxes({"txt_Subtract_From", "txt_Subtract_To"}, subtract_)) return;
    AppState& s = w_.state();
    // Boxes typed without a mark count as a marked stretch of points.
    const MarkKind kind =
        w_.historyScreen()->markTag() == QLatin1String("2") ? MarkKind::Rectangle : MarkKind::Stretch;
    subtract_->hide();
    const SubtractResult r = SubtractOk(s, w_.prompter(), S(subtract_->edit(QStringLiteral("txt_Subtract_From"))->text()),
                                        S(subtract_->edit(QStringLiteral("txt_Subtract_To"))->text()), kind);
    switch (r.outcome) {
        case SubtractOutcome::Reopen:
            s.UiMode = 0;
            subtract_->show();
            subtract_->edit(r.focusTo ? QStringLiteral("txt_Subtract_To") : QStringLiteral("txt_Subtract_From"))
                ->setFocus();
            return;
        case SubtractOutcome::HistoryDeleted:
            closeHistoryPanels();
            return;
        case SubtractOutcome::Done:
            break;
    }
    showOutcome(r.display);
    focusMainCancel();
}

void EditingScreen::cmd_Subtract_Cancel_Click() {
    subtract_->hide();
    w_.historyScreen()->resetZoom();
    w_.state().UiMode = kUiIdle;
}

// ---------------------------------------------------------------------------------------
// Append

void EditingScreen::cmd_Append_Click() {
    AppState& s = w_.state();
    if (s.UiMode != kUiIdle) return;
    w_.historyScreen()->resetZoom();
    hideEditingDialogs();
    auto* files = static_cast<FilePanel*>(append_);
    // Directories made since the list was last filled are offered too.
    files->dirs()->refresh();
    files->files()->setPath(files->dirs()->path());
    append_->label(QStringLiteral("lbl_Append_Text2"))->setText(QStringLiteral("Add a ") + Q(s.QuantityName) +
                                                                 QStringLiteral("History from File:"));
    append_->setTitle(Q(AppendTitle(s)));
    s.UiMode = 0;
    QPushButton* cancel = append_->button(QStringLiteral("cmd_Append_Cancel"));
    append_->setDefaultButton(cancel);
    append_->show();
    cancel->setFocus();
}

void EditingScreen::cmd_Append_OK_Click() {
    AppState& s = w_.state();
    Prompter& p = w_.prompter();
    auto* files = static_cast<FilePanel*>(append_);
    const std::string path =
        JoinPath(S(files->dirs()->path()), S(append_->edit(QStringLiteral("App_name_HS"))->text()));
    AppendHistory a;
    if (!ReadAppendFile(s, p, path, a)) return;
    appendHist_->setTitle(Q(AppendTitle(s)));
    appendHist_->label(QStringLiteral("lbl_Append_SHSmax"))->setText(Q(AppendExtremesText(s, a)));
    appendHist_->show();
    auto* pic = appendHist_->control<PlotPicture>(QStringLiteral("pic_Append_Hist"));
    pic->ensureBuffer();
    pic->draw([&](Canvas& c) { DrawAppendPreview(c, s, a); });
    p.processPendingEvents();
    const bool yes = AskAppend(s, p);
    appendHist_->hide();
    if (!yes) return;
    const bool wholeShown = s.ViewStart == 1 && s.ViewCount >= s.batch().PointCount;
    if (!ApplyAppend(s, p, a)) return;
    append_->hide();
    if (wholeShown) s.ViewCount = s.batch().PointCount;
    redraw();
    focusMainCancel();
    s.UiMode = kUiIdle;
}

void EditingScreen::cmd_Append_Cancel_Click() {
    append_->hide();
    appendHist_->hide();
    w_.state().UiMode = kUiIdle;
}

// ---------------------------------------------------------------------------------------
// shared

void EditingScreen::hideEditingDialogs() {
    for (Panel* p : {corr_, rescale_, subtract_, append_, appendHist_}) p->hide();
}

void EditingScreen::redraw() {
    AppState& s = w_.state();
    w_.historyScreen()->drawHistory(std::max(1, s.ViewStart));
}

// A redraw now, or the plot's refresh button waits for the user.
void EditingScreen::showOutcome(const RedrawDecision& d) {
    AppState& s = w_.state();
    if (!d.refreshPending) {
        redraw();
        return;
    }
    s.SelectFrom = s.ViewStart;
    s.SelectTo = s.ViewStart + s.ViewCount - 1;
    QPushButton* b = info_->button(QStringLiteral("Cmd_Zoom_Refr"));
    b->setEnabled(true);
    b->setText(QStringLiteral("Re&fresh"));
    b->setToolTip(s.ToolTipsHidden == 1 ? QString() : QStringLiteral("Refresh the display"));
    s.UiMode = kUiIdle;
}

void EditingScreen::focusMainCancel() {
    if (QPushButton* b = info_->button(QStringLiteral("cmd_Cancel")); b && b->isVisible()) b->setFocus();
}

void EditingScreen::closeHistoryPanels() {
    w_.historyScreen()->closeEditing();
}

}  // namespace karmo
