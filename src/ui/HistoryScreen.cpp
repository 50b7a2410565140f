#include "ui/HistoryScreen.h"

#include <QAction>
#include <QApplication>
#include <QCursor>
#include <QEvent>
#include <QLabel>
#include <QLayout>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <algorithm>
#include <cmath>

#include "core/NumberForms.h"
#include "database/BatchOps.h"
#include "database/DataServices.h"
#include "history/HistoryChecks.h"
#include "history/HistoryZoom.h"
#include "history/InputDispatch.h"
#include "spectrum/RainflowCounter.h"
#include "ui/EditingScreen.h"
#include "ui/FileLists.h"
#include "ui/FocusEdit.h"
#include "ui/MainWindow.h"
#include "ui/QtCanvas.h"
#include "ui/panels/DataServPanel.h"
#include "ui/panels/Panel.h"
#include "ui/panels/SpectrumInfoPanel.h"
#include "ui/panels/StressInfoPanel.h"

namespace karmo {

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

// File patterns of the input sources (none for the keyboard).
const char* const kSourcePatterns[] = {"karhs.*", "*.dac;*.bin;*.asc", "", "*.txt"};
constexpr int kKeyboardSource = 2;
constexpr int kTextSource = 3;

}  // namespace

HistoryScreen::HistoryScreen(MainWindow& w) : QObject(&w), w_(w) {
    chk_ = panel("frm_Chk_File");
    parms_ = panel("frm_Hist_Parms");
    hist_ = panel("frm_Hist");
    info_ = panel("frm_Stress_Info");
    pic_ = hist_->findChild<PlotPicture*>(QStringLiteral("Pic_Hist"));
    scroll_ = hist_->findChild<QScrollBar*>(QStringLiteral("hsc_Hist"));
    zoom1_ = info_->findChild<ClickLabel*>(QStringLiteral("Zoom1"));
    files_ = chk_->findChild<FileList*>(QStringLiteral("fil_File_Name"));
    dirs_ = chk_->findChild<DirList*>(QStringLiteral("dir_File_Directory"));
    drives_ = chk_->findChild<DriveList*>(QStringLiteral("drv_File_Drive"));
    fileName_ = chk_->edit(QStringLiteral("fil_name_HS"));

    // --- the input panel ---
    for (int i = 0; i < 4; ++i) {
        auto* b = chk_->findChild<QRadioButton*>(ArrayName(QStringLiteral("btt_Hist_Choice"), i));
        connect(b, &QRadioButton::clicked, this, [this, i] { btt_Hist_Choice_Click(i); });
        if (i == kTextSource) b->installEventFilter(this);
    }
    connect(files_, &QListWidget::currentTextChanged, this, [this](const QString& name) {
        if (!name.isEmpty()) fileName_->setText(name);
    });
    connect(drives_, &DriveList::driveChanged, this,
            [this](const QString& d) { w_.state().CurrentDrive = d.toStdString(); });
    connect(chk_->button(QStringLiteral("cmd_Filepath_OK")), &QPushButton::clicked, this,
            &HistoryScreen::cmd_Filepath_OK_Click);
    connect(chk_->button(QStringLiteral("cmd_Filepath_Cancel")), &QPushButton::clicked, this,
            &HistoryScreen::cmd_Filepath_Cancel_Click);

    // --- the history parameters dialog ---
    parms_->edit(QStringLiteral("txt_Hist_Gate"))->setValidator([this](FocusEdit& e) {
        return ValidateHistGate(w_.state(), w_.prompter(), e.text().toStdString());
    });
    parms_->edit(QStringLiteral("txt_Hist_Scale"))->setValidator([this](FocusEdit& e) {
        return ValidateHistScale(w_.state(), w_.prompter(), e.text().toStdString());
    });
    connect(parms_->button(QStringLiteral("cmd_Hist_Parm_OK")), &QPushButton::clicked, this,
            &HistoryScreen::cmd_Hist_Parm_OK_Click);
    connect(parms_->button(QStringLiteral("cmd_Hist_Parm_Cancel")), &QPushButton::clicked, this,
            &HistoryScreen::cmd_Hist_Parm_Cancel_Click);

    // --- the plot, its scroll bar and the zoom ---
    // The plot follows the scroll bar when the thumb is let go, not while it is dragged.
    scroll_->setTracking(false);
    // A click on the bar takes the focus, which ends a zoom selection that is under way.
    scroll_->setFocusPolicy(Qt::ClickFocus);
    connect(scroll_, &QScrollBar::sliderMoved, this, &HistoryScreen::hsc_Hist_Scroll);
    connect(scroll_, &QScrollBar::valueChanged, this, &HistoryScreen::hsc_Hist_Change);
    scroll_->installEventFilter(this);
    connect(pic_, &PlotPicture::pressed, this, &HistoryScreen::Pic_Hist_MouseDown);
    connect(pic_, &PlotPicture::moved, this, &HistoryScreen::Pic_Hist_MouseMove);
    connect(pic_, &PlotPicture::clicked, this, &HistoryScreen::Pic_Hist_Click);
    connect(zoom1_, &ClickLabel::clicked, this, &HistoryScreen::Zoom1_MouseDown);
    connect(zoom1_, &ClickLabel::doubleClicked, this, &HistoryScreen::Zoom1_DblClick);
    zoom1_->installEventFilter(this);
    pic_->installEventFilter(this);
    connect(zoomButton(), &QPushButton::clicked, this, &HistoryScreen::Cmd_Zoom_Refr_Click);
    if (auto* sp = w_.findChild<PlotPicture*>(QStringLiteral("Pic_Spectr")))
        connect(sp, &PlotPicture::clicked, this, &HistoryScreen::Pic_Spectr_Click);

    // --- the history panel ---
    connect(info_->button(QStringLiteral("cmd_Cancel")), &QPushButton::clicked, this,
            &HistoryScreen::cmd_Cancel_Click);
    connect(info_->button(QStringLiteral("cmd_Save")), &QPushButton::clicked, this, &HistoryScreen::cmd_Save_Click);
    connect(static_cast<StressInfoPanel*>(info_), &StressInfoPanel::freeAreaClicked, this,
            &HistoryScreen::frm_Stress_Info_Click);
}

Panel* HistoryScreen::panel(const char* name) const { return w_.panel(QString::fromLatin1(name)); }

QPushButton* HistoryScreen::zoomButton() const { return info_->button(QStringLiteral("Cmd_Zoom_Refr")); }

double HistoryScreen::textScale() const {
    const ScaleFactors& f = w_.factors();
    return f.scaleControls() ? f.font : 1.0;
}

bool HistoryScreen::eventFilter(QObject* o, QEvent* e) {
    if (o == zoom1_ && e->type() == QEvent::MouseButtonRelease) {
        Zoom1_MouseUp();
    } else if (o == pic_ && e->type() == QEvent::Resize) {
        // A resized picture has lost its drawing and its scale: draw the window again once
        // the resize has settled.
        if (geom_.drawn && w_.state().UiMode == kUiIdle)
            QMetaObject::invokeMethod(
                this, [this] { if (geom_.drawn && hist_->isVisible()) drawHistory(w_.state().ViewStart); },
                Qt::QueuedConnection);
    } else if (o == scroll_ && e->type() == QEvent::FocusIn) {
        hsc_Hist_GotFocus();
    } else if ((e->type() == QEvent::MouseButtonPress || e->type() == QEvent::MouseButtonDblClick) &&
               o->objectName() == QLatin1String("btt_Hist_Choice_3")) {
        // A press on the text-file option that is already chosen asks about the header.
        if (static_cast<QRadioButton*>(o)->isChecked()) {
            w_.popup(QStringLiteral("pop_head"))->popup(QCursor::pos());
            return true;
        }
    }
    return QObject::eventFilter(o, e);
}

// ---------------------------------------------------------------------------------------
// the input panel

void HistoryScreen::openInputPanel() {
    AppState& s = w_.state();
    chk_->edit(QStringLiteral("txt_Batch_Label"))->setAcceptedText(QString::number(s.CurrentBatch));
    auto* chosen = chk_->findChild<QRadioButton*>(ArrayName(QStringLiteral("btt_Hist_Choice"), source_));
    chosen->setChecked(true);
    btt_Hist_Choice_Click(source_);
    dirs_->setPath(Q(s.HistoryDir));
    files_->setPath(dirs_->path());
    fileName_->clear();
    s.UiMode = 0;
    chk_->show();
}

void HistoryScreen::btt_Hist_Choice_Click(int index) {
    source_ = index;
    const bool lists = index != kKeyboardSource;
    for (QWidget* l : std::initializer_list<QWidget*>{drives_, dirs_, files_}) l->setEnabled(lists);
    if (lists) files_->setPattern(QString::fromLatin1(kSourcePatterns[index]));
    files_->refresh();
}

void HistoryScreen::cmd_Filepath_OK_Click() {
    AppState& s = w_.state();
    InputChoice choice;
    choice.source = static_cast<HistorySource>(source_);
    choice.directory = dirs_->path().toStdString();
    choice.fileName = fileName_->text().toStdString();
    const InputConfirmResult r = ConfirmInputPanel(s, w_.prompter(), choice);
    Panel* db = panel("frm_Load_Dbase");
    switch (r.next) {
        case InputNext::StayOnInput:
            break;
        case InputNext::ShowDatabasePanel:
            chk_->hide();
            db->setDefaultButton(db->button(QStringLiteral("Cmd_Edit_History")));
            db->show();
            break;
        case InputNext::HistoryFileOpened:
            if (r.opened.drawHistory) {
                chk_->hide();
                db->hide();
                showLoadedHistory();
            } else if (r.opened.focusNextBatch) {
                chk_->hide();
                db->show();
                db->button(QStringLiteral("Cmd_Load_Db_Next"))->setFocus();
            }
            break;
        case InputNext::HistoryParameters:
            showLoadedHistory();
            parms_->setTitle(Q(r.parms.caption));
            parms_->edit(QStringLiteral("txt_Hist_Gate"))->setAcceptedText(Q(r.parms.gateText));
            parms_->edit(QStringLiteral("txt_Hist_Scale"))->setAcceptedText(Q(r.parms.scaleText));
            parms_->setDefaultButton(parms_->button(QStringLiteral("cmd_Hist_Parm_Cancel")));
            chk_->hide();
            parms_->show();
            parms_->edit(QStringLiteral("txt_Hist_Scale"))->setFocus();
            s.UiMode = 0;   // the dialog is open
            break;
        case InputNext::KeyboardEntry: {
            chk_->hide();
            w_.editingScreen()->openKeyboardEntry();
            break;
        }
    }
}

void HistoryScreen::cmd_Filepath_Cancel_Click() {
    chk_->hide();
    panel("frm_Load_Dbase")->show();
    w_.state().UiMode = kUiIdle;
}

void HistoryScreen::cmd_Hist_Parm_OK_Click() {
    AppState& s = w_.state();
    FocusEdit* gate = parms_->edit(QStringLiteral("txt_Hist_Gate"));
    FocusEdit* scale = parms_->edit(QStringLiteral("txt_Hist_Scale"));
    // The box with the focus has not been checked yet.
    if (!gate->validateNow()) {
        gate->setFocus();
        return;
    }
    if (!scale->validateNow()) {
        scale->setFocus();
        return;
    }
    double g = 0, f = 1;
    ParseNumericText(gate->text().toStdString(), g);
    ParseNumericText(scale->text().toStdString(), f);
    if (!ConfirmHistParms(s, w_.prompter(), g, f)) {
        scale->setFocus();
        return;
    }
    showLoadedHistory();
    parms_->hide();
    s.UiMode = kUiIdle;
}

void HistoryScreen::cmd_Hist_Parm_Cancel_Click() {
    CancelHistParms(w_.state());
    parms_->hide();
}

// ---------------------------------------------------------------------------------------
// drawing

void HistoryScreen::showLoadedHistory() {
    AppState& s = w_.state();
    s.ViewCount = s.batch().PointCount;
    s.HistoryShown = true;
    // The whole history is in view: the scroll bar says so, whichever way it was read.
    applyScroll(0, 1, 1, kScrollSpan, 0);
    drawHistory(1);
}

void HistoryScreen::fillInformation() {
    const AppState& s = w_.state();
    const HistoryInfoTexts t = HistoryInformation(s, s.CurrentBatch);
    info_->button(QStringLiteral("cmd_Cycle_Count"))->setEnabled(t.cycleEnabled);
    const std::pair<const char*, const std::string*> boxes[] = {
        {"txt_CurrBatch_Descr", &t.batchName}, {"txt_Curr_Batch_No", &t.batchNumber},
        {"txt_Batch_No", &t.title},            {"txt_No_Points", &t.points},
        {"txt_Max_Stress", &t.maxValue},       {"txt_Min_Stress", &t.minValue},
        {"txt_Record_Time", &t.recordTime}};
    for (const auto& [name, text] : boxes) info_->edit(QString::fromLatin1(name))->setAcceptedText(Q(*text));
    info_->setTitle(Q(t.caption));
    info_->label(QStringLiteral("lbl_Batch_No"))->setText(Q(t.historyOf));
    info_->label(QStringLiteral("lbl_Max_Stress"))->setText(Q(t.maxLabel));
    info_->label(QStringLiteral("lbl_Min_Stress"))->setText(Q(t.minLabel));
    hist_->setTitle(Q(t.plotCaption));
}

void HistoryScreen::drawHistory(int32_t fromPoint) {
    AppState& s = w_.state();
    Prompter& p = w_.prompter();
    eraseMark();
    panel("frm_Subtract")->hide();
    w_.applyMenuEvent(MenuEvent::HistoryDrawn);
    if (auto* l = hist_->label(QStringLiteral("lab_hist_start"))) l->hide();
    pic_->unsetCursor();
    s.DrawnViewCount = s.ViewCount;
    ++draws_;
    info_->button(QStringLiteral("cmd_Correction"))->setEnabled(true);
    // A read or a zoom may have chosen the display mode.
    syncDisplayMenu();

    BusyScope busy(p);
    p.processPendingEvents();
    s.UiMode = 0;
    setZoomButton(false, true);
    w_.action(QStringLiteral("mnu_form"))->setEnabled(true);
    fillInformation();
    // The frames are shown before drawing so the picture has its final size.
    hist_->show();
    info_->show();
    if (hist_->layout()) hist_->layout()->activate();
    pic_->ensureBuffer();
    {
        QtCanvas c(pic_->buffer());
        geom_ = DrawHistory(c, s, s.CurrentBatch, fromPoint, HistoryTarget::Screen, textScale());
        pic_->rememberScale(c.xMap(), c.yMap());
    }
    pic_->update();
    if (geom_.drawn) {
        extremes_ = Q(HistoryExtremesText(s, true, s.batch().RecordTime));
        scroll_->show();
        scroll_->setEnabled(true);
        pic_->show();
        info_->setDefaultButton(info_->button(QStringLiteral("cmd_Cancel")));
    }
    pic_->setCursor(Qt::CrossCursor);
    s.UiMode = kUiIdle;
}

void HistoryScreen::redraw() {
    if (hist_->isVisible()) drawHistory(w_.state().ViewStart);
}

void HistoryScreen::redrawInFull() {
    zoom1_->hide();
    showLoadedHistory();
}

void HistoryScreen::unitsChanged() {
    if (hist_->isVisible() && geom_.drawn) redrawHistoryExtremes();
}

void HistoryScreen::drawAfterShortening() {
    AppState& s = w_.state();
    s.ViewCount = std::min(s.ViewCount, s.batch().PointCount);
    drawHistory(std::clamp(s.ViewStart, 1, std::max(1, s.batch().PointCount - s.ViewCount + 1)));
}

void HistoryScreen::historyShortened() {
    AppState& s = w_.state();
    drawAfterShortening();
    // The window now ends at the new last point; "Re&fresh" shows it again.
    s.SelectFrom = s.ViewStart;
    s.SelectTo = s.ViewEnd;
    setZoomButton(true, true);
}

void HistoryScreen::syncDisplayMenu() {
    const AppState& s = w_.state();
    w_.action(QStringLiteral("pop_disp1_0"))->setChecked(s.FastDisplay == -1);
    w_.action(QStringLiteral("pop_disp1_1"))->setChecked(s.FastDisplay != -1);
}

void HistoryScreen::drawOn(Canvas& c, HistoryTarget target, double scale) {
    AppState& s = w_.state();
    DrawHistory(c, s, s.CurrentBatch, s.ViewStart, target, scale);
}

void HistoryScreen::redrawHistoryExtremes() {
    AppState& s = w_.state();
    const QString text = Q(HistoryExtremesText(s, true, s.batch().RecordTime));
    {
        QtCanvas c(pic_->buffer());
        const HistoryGeometry g = HistoryGeometryFor(c, HistoryTarget::Screen);
        const double f = textScale();
        Font font;
        font.name = "Arial";
        font.size = 9 * f;
        c.setFont(font);
        // Written where the drawing put it, covering the whole of the old line.
        const double x = (g.xL + g.xR) / 2.5 - 550 * f, y = g.yT + 50;
        const double wide = std::max(c.textWidth(extremes_.toStdString()), c.textWidth(text.toStdString()));
        c.setColor(s.PlotBackColor);
        c.box(x, y, x + wide + 120, y - c.textHeight(text.toStdString()), true);
        c.setColor(0);
        c.text(x, y, text.toStdString());
    }
    extremes_ = text;
    pic_->update();
}

// ---------------------------------------------------------------------------------------
// marks and zoom

void HistoryScreen::markBox(double x1, double y1, double x2, double y2) {
    if (pic_->buffer().isNull()) return;
    {
        QtCanvas c(pic_->buffer());
        HistoryGeometryFor(c, HistoryTarget::Screen);
        c.setColor(w_.state().BetaColor);
        c.setDrawMode(DrawMode::NotXor);
        c.box(x1, y1, x2, y2, true);
    }
    pic_->update();
}

void HistoryScreen::eraseMark() {
    if (tag_ == QLatin1String("1"))
        markBox(markX1_, geom_.yB, markX2_, geom_.yE);
    else if (tag_ == QLatin1String("2"))
        markBox(markX1_, markY1_, markX2_, markY2_);
    markX1_ = markX2_ = 0;
}

void HistoryScreen::setZoomButton(bool refresh, bool enabled) {
    const AppState& s = w_.state();
    QPushButton* b = zoomButton();
    b->setEnabled(enabled);
    b->setText(refresh ? QStringLiteral("Re&fresh") : QStringLiteral("&Zoom"));
    if (s.ToolTipsHidden == 1)
        b->setToolTip(QString());
    else
        b->setToolTip(refresh ? QStringLiteral("Refresh the display")
                              : Q(HistoryInformation(s, s.CurrentBatch).zoomToolTip));
}

void HistoryScreen::applyScroll(int16_t min, int16_t max, int16_t smallChange, int16_t largeChange, int16_t value) {
    // Set quietly: the caller draws the window itself.
    const QSignalBlocker quiet(scroll_);
    scroll_->setRange(min, max);
    scroll_->setSingleStep(smallChange);
    scroll_->setPageStep(largeChange);
    scroll_->setValue(value);
}

void HistoryScreen::resetZoom() {
    AppState& s = w_.state();
    if (zoom1_->isVisible()) {
        s.ViewCount = s.DrawnViewCount;
        zoom1_->hide();
        setZoomButton(false, true);
        if (s.ToolTipsHidden != 1)
            zoomButton()->setToolTip(QStringLiteral("Zoom the ") + Q(s.QuantityName) + QStringLiteral("History"));
        w_.action(QStringLiteral("mnu_form"))->setEnabled(true);
    }
    eraseMark();
}

void HistoryScreen::hsc_Hist_GotFocus() {
    AppState& s = w_.state();
    if (!zoom1_->isVisible()) return;
    s.ViewCount = s.DrawnViewCount;
    zoom1_->hide();
    setZoomButton(false, true);
    w_.action(QStringLiteral("mnu_form"))->setEnabled(true);
}

void HistoryScreen::hsc_Hist_Scroll(int value) {
    const AppState& s = w_.state();
    const int32_t start = ScrollWindowStart(s.batch().PointCount, s.ViewCount, value);
    zoom1_->setText(Q(DisplayPointsText(start, start + s.ViewCount - 1, true)));
    zoom1_->show();
    zoomButton()->setEnabled(true);
}

void HistoryScreen::hsc_Hist_Change(int value) {
    AppState& s = w_.state();
    if (!s.ScrollRedraws) return;
    const int32_t start = ScrollWindowStart(s.batch().PointCount, s.ViewCount, value);
    s.SelectFrom = start;
    s.SelectTo = start + s.ViewCount - 1;
    zoom1_->hide();
    drawHistory(s.SelectFrom);
}

void HistoryScreen::Cmd_Zoom_Refr_Click() {
    AppState& s = w_.state();
    if (s.UiMode == 0) return;
    if (zoomButton()->text() == QLatin1String("&Zoom")) {
        zoom1_->setText(Q(DisplayPointsText(s.ViewStart, s.ViewEnd)));
        zoom1_->show();
        zoomButton()->setEnabled(false);
        return;
    }
    zoomButton()->setEnabled(true);
    const ZoomRefresh r = ApplyZoomRefresh(s, w_.prompter());
    if (r.setScroll)
        applyScroll(r.scroll.min, r.scroll.max, r.scroll.smallChange, r.scroll.largeChange, r.scroll.value);
    markBox(markX1_, geom_.yB, markX2_, geom_.yE);
    markX1_ = markX2_ = 0;
    tag_.clear();
    if (!r.accepted) {
        resetZoom();
    } else {
        drawHistory(s.SelectFrom);
    }
    zoom1_->hide();
}

void HistoryScreen::Zoom1_MouseDown(Qt::MouseButton b) {
    AppState& s = w_.state();
    if (s.UiMode != kUiIdle) return;
    s.ZoomMarked = false;
    eraseMark();
    if (b != Qt::RightButton) tag_ = QStringLiteral("1");
    ZoomLabelPress(s, b == Qt::RightButton);
}

void HistoryScreen::Zoom1_MouseUp() {
    const AppState& s = w_.state();
    if (s.UiMode != kUiIdle) return;
    setZoomButton(true, true);
    zoom1_->setText(Q(DisplayPointsText(s.SelectFrom, s.SelectTo)));
    w_.action(QStringLiteral("mnu_form"))->setEnabled(false);
}

void HistoryScreen::Zoom1_DblClick() {
    // The label's own tag is never set: a double click zooms like the left button.
    Zoom1_MouseDown(Qt::LeftButton);
}

void HistoryScreen::Pic_Hist_MouseDown(Qt::MouseButton b, double x, double y) {
    AppState& s = w_.state();
    if (!geom_.drawn) return;
    Panel* sub = panel("frm_Subtract");
    const bool subtract = sub->isVisible();
    if (zoom1_->isVisible()) {
        setZoomButton(false, false);
        zoom1_->setText(Q(DisplayPointsText(s.ViewStart, s.ViewEnd)));
    } else if (!subtract && s.ViewCount >= kLongWindow && b == Qt::RightButton) {
        w_.popup(QStringLiteral("pop_disp"))->popup(QCursor::pos());
        return;
    }
    sub->label(QStringLiteral("lbl_Subtract_What"))->setText(QStringLiteral("Cut the ") + Q(s.QuantityName) +
                                                             QStringLiteral("History"));
    sub->edit(QStringLiteral("txt_Subtract_From"))->setAcceptedText(QString::number(s.ViewStart));
    sub->edit(QStringLiteral("txt_Subtract_To"))->setAcceptedText(QString::number(s.ViewStart));
    if ((tag_ == QLatin1String("1") && (zoom1_->isVisible() || subtract)) || (tag_ == QLatin1String("2") && subtract))
        eraseMark();
    if (b == Qt::LeftButton || b == Qt::RightButton) {
        markX1_ = markX2_ = RoundHalfEven(std::clamp(x, geom_.xL, geom_.xR));
        markY1_ = markY2_ = RoundHalfEven(std::clamp(y, geom_.yB, geom_.yE));
    }
}

void HistoryScreen::Pic_Hist_MouseMove(Qt::MouseButtons b, double x, double y) {
    AppState& s = w_.state();
    if (!geom_.drawn) return;
    const MarkedPoints m = PointsUnderMark(s, geom_.xL, geom_.xR, x, markX1_);
    Panel* sub = panel("frm_Subtract");
    const bool subtract = sub->isVisible();
    const int32_t cx = RoundHalfEven(std::clamp(x, geom_.xL, geom_.xR));
    const int32_t cy = RoundHalfEven(std::clamp(y, geom_.yB, geom_.yE));
    const QString word = Q(s.QuantityName);
    auto subtractRange = [&] {
        sub->edit(QStringLiteral("txt_Subtract_From"))->setAcceptedText(QString::number(m.from));
        sub->edit(QStringLiteral("txt_Subtract_To"))->setAcceptedText(QString::number(m.to));
    };
    if (subtract && (b & Qt::LeftButton)) {
        // cut a point range
        if (cx != markX2_) {
            subtractRange();
            markBox(markX2_, geom_.yB, cx, geom_.yE);
            markX2_ = cx;
            tag_ = QStringLiteral("1");
            sub->label(QStringLiteral("lbl_Subtract_What"))
                ->setText(QStringLiteral("Remove the marked portion of the ") + word + QStringLiteral("History"));
        }
    } else if (subtract && (b & Qt::RightButton)) {
        // remove the peaks and valleys inside a rectangle
        if (cx != markX2_ || cy != markY2_) {
            subtractRange();
            markBox(markX1_, markY1_, markX2_, markY2_);
            markBox(markX1_, markY1_, cx, cy);
            markX2_ = cx;
            markY2_ = cy;
            tag_ = QStringLiteral("2");
            sub->label(QStringLiteral("lbl_Subtract_What"))
                ->setText(QStringLiteral("Remove the marked peaks/valleys of the ") + word + QStringLiteral("History"));
            SetMarkedBand(s, geom_.yB, geom_.H, markY1_, cy);
        }
    } else if (!subtract && zoom1_->isVisible() && (b & Qt::LeftButton)) {
        // a zoom range
        if (cx != markX2_) {
            SelectMarkedRange(s, m);
            zoom1_->setText(Q(DisplayPointsText(s.SelectFrom, s.SelectTo)));
            markBox(markX2_, geom_.yB, cx, geom_.yE);
            markX2_ = cx;
            s.ZoomMarked = true;
            setZoomButton(true, true);
            tag_ = QStringLiteral("1");
        }
    }
    const bool otherPlots = w_.panel(QStringLiteral("frm_Distr"))->isVisible() ||
                            w_.panel(QStringLiteral("frm_Spectr"))->isVisible();
    if (!otherPlots) pic_->setToolTip(Q(ValueTipText(s, m.pointer)));
}

// ---------------------------------------------------------------------------------------
// view switching

void HistoryScreen::Pic_Hist_Click() {
    Panel* spectr = panel("frm_Spectr");
    if (!spectr->isVisible()) return;
    spectr->hide();
    panel("frm_Spectrum_Info")->hide();
    panel("frm_Distr")->hide();
    if (auto* sp = w_.findChild<PlotPicture*>(QStringLiteral("Pic_Spectr"))) {
        sp->setToolTip(QString());
        sp->unsetCursor();
    }
}

void HistoryScreen::Pic_Spectr_Click() {
    if (!hist_->isVisible()) return;
    panel("frm_Distr")->hide();
    if (auto* sp = w_.findChild<PlotPicture*>(QStringLiteral("Pic_Spectr"))) {
        sp->setToolTip(QString());
        sp->unsetCursor();
    }
    auto* info = static_cast<SpectrumInfoPanel*>(panel("frm_Spectrum_Info"));
    info->setDefaultButton(info->button(QStringLiteral("cmd_Spectrum_Cancel")));
    info->fill();   // the units may have changed while it was hidden
    info->show();
    info->button(QStringLiteral("cmd_Calculate_Beta"))->show();
}

void HistoryScreen::frm_Stress_Info_Click() {
    if (!panel("frm_Subtract")->isVisible()) resetZoom();
}

// ---------------------------------------------------------------------------------------
// closing and saving

void HistoryScreen::cmd_Cancel_Click() {
    AppState& s = w_.state();
    Prompter& p = w_.prompter();
    if (s.UiMode != kUiIdle) return;
    resetZoom();
    // A spectrum counted here and not yet stored is asked about first, as its own "&Close"
    // would: closing the history must not drop it unasked.
    auto* spectrum = static_cast<SpectrumInfoPanel*>(panel("frm_Spectrum_Info"));
    if (s.SpectrumChanged && panel("frm_Spectr")->isVisible() && !spectrum->closeSpectrum()) return;
    if (s.HistoryModified) {
        const std::string title = s.QuantityName + "History";
        const Answer a = p.ask(Prompt{title,
                                      "Do you want to save the changes to the " + s.QuantityName + "History file?",
                                      Icon::Question, Buttons::YesNoCancel, 0});
        if (a == Answer::Cancel) return;
        if (a == Answer::Yes) {
            ClearDerivedData(s);
            const int32_t n =
                std::clamp<int32_t>(s.batch().PointCount, 0, static_cast<int32_t>(s.Values.size()) - 1);
            const bool rotated = RearrangeHistory(s.Values, n);
            int32_t count = n;
            int16_t removeAll = 1;
            const bool conflict = CheckHistoryConflicts(s, p, s.Values, count, removeAll);
            if (rotated || count != n) drawAfterShortening();   // the plot must show what is being saved
            if (conflict) {
                p.tell(title, "Please use the Correction option to correct the conflicting values.", Icon::Information);
                info_->button(QStringLiteral("cmd_Correction"))->setFocus();
                return;
            }
            s.batch().PointCount = count;
            s.ProcessedCount = count;
            w_.showDataServ(DataServMode::SaveHistory);
            s.SavingHistory = true;
            s.UiMode = 0;
            return;
        }
        // No: the history goes back to what the batch stores.
        RevertHistory(s);
        s.HistoryModified = false;
        panel("frm_Load_Dbase")->show();
    }
    closeEditing();
}

void HistoryScreen::closeEditing() {
    AppState& s = w_.state();
    s.UiMode = kUiIdle;
    zoom1_->hide();
    info_->hide();
    hist_->hide();
    scroll_->hide();
    // The spectrum and distribution of the history go with it.
    for (const char* n : {"frm_Spectr", "frm_Spectrum_Info", "frm_Distr"}) panel(n)->hide();
    s.AfterCounting = false;
    w_.hideWorkingPanels();
    s.HistoryShown = false;
    geom_ = HistoryGeometry{};
    tag_.clear();
    w_.applyMenuEvent(MenuEvent::HistoryClosed);
    w_.showBatch(s.CurrentBatch);
    Panel* db = panel("frm_Load_Dbase");
    db->show();
    db->edit(QStringLiteral("txt_Batch"))->setEnabled(true);
    db->setDefaultButton(db->button(QStringLiteral("Cmd_Load_Db_Cancel")));
    w_.prompter().processPendingEvents();
}

void HistoryScreen::cmd_Save_Click() {
    AppState& s = w_.state();
    if (s.UiMode != kUiIdle) return;
    resetZoom();
    w_.showDataServ(DataServMode::SaveHistory);
    s.SavingHistory = true;
    s.UiMode = 0;
}

}  // namespace karmo
