#include "ui/DatabaseScreen.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <algorithm>

#include "database/BatchOps.h"
#include "database/DataServices.h"
#include "history/HistoryFile.h"
#include "ui/FileLists.h"
#include "ui/FocusEdit.h"
#include "ui/HistoryScreen.h"
#include "ui/MainWindow.h"
#include "ui/SpectrumScreen.h"
#include "ui/panels/DataServPanel.h"
#include "ui/panels/LoadDbasePanel.h"

namespace karmo {

namespace {
QString Q(const std::string& s) { return QString::fromStdString(s); }
}  // namespace

DatabaseScreen::DatabaseScreen(MainWindow& w) : QObject(&w), w_(w) {
    ds_ = static_cast<DataServPanel*>(w_.panel(QStringLiteral("frm_data_serv")));
    db_ = static_cast<LoadDbasePanel*>(w_.panel(QStringLiteral("frm_Load_Dbase")));
    chk_ = w_.panel(QStringLiteral("frm_Chk_File"));

    const struct { const char* name; void (DatabaseScreen::*slot)(); } commands[] = {
        {"Cmd_Load_Db_Next", &DatabaseScreen::Cmd_Load_Db_Next_Click},
        {"Cmd_Load_Db_Prev", &DatabaseScreen::Cmd_Load_Db_Prev_Click},
        {"cmd_Load_Db_Del", &DatabaseScreen::cmd_Load_Db_Del_Click},
        {"Cmd_Load_Db_Cancel", &DatabaseScreen::Cmd_Load_Db_Cancel_Click},
        {"Cmd_Edit_History", &DatabaseScreen::Cmd_Edit_History_Click},
        {"Cmd_Edit_Spectrum", &DatabaseScreen::Cmd_Edit_Spectrum_Click},
        {"Cmd_Edit_Distribution", &DatabaseScreen::Cmd_Edit_Distribution_Click},
    };
    for (const auto& c : commands) connect(db_->button(QString::fromLatin1(c.name)), &QPushButton::clicked, this, c.slot);
    db_->edit(QStringLiteral("txt_Batch"))->setValidator([this](FocusEdit&) { return txt_Batch_LostFocus(); });
    db_->edit(QStringLiteral("txt_Batch_Name"))->setValidator([this](FocusEdit&) { return txt_Batch_Name_LostFocus(); });
    if (auto* descr = w_.findChild<FocusEdit*>(QStringLiteral("txt_CurrBatch_Descr")))
        descr->setValidator([this](FocusEdit&) { return txt_CurrBatch_Descr_LostFocus(); });
}

// ---------------------------------------------------------------------------------------
// the Data menu

bool DatabaseScreen::editingShown() const {
    return w_.panel(QStringLiteral("frm_Hist"))->isVisible() || w_.panel(QStringLiteral("frm_Spectr"))->isVisible();
}

void DatabaseScreen::mnu_data_serv_Click() {
    AppState& s = w_.state();
    if (s.UiMode != kUiIdle) return;
    if (editingShown()) {
        QApplication::beep();
        return;
    }
    s.NewDatabaseSession = false;
    w_.action(QStringLiteral("mnu_form"))->setEnabled(false);
    w_.action(QStringLiteral("mnu_pdoc"))->setEnabled(false);
    if (!ConfirmLeavingDatabase(s, w_.prompter())) return;
    db_->hide();
    w_.showDataServ(DataServMode::OpenDatabase);
    s.UiMode = 0;
}

void DatabaseScreen::mnu_data_new_Click() {
    AppState& s = w_.state();
    if (s.UiMode != kUiIdle) return;
    if (editingShown()) {
        QApplication::beep();
        return;
    }
    if (!ConfirmLeavingDatabase(s, w_.prompter())) return;
    db_->hide();
    w_.showDataServ(DataServMode::NewDatabase);
    s.UiMode = 0;
}

void DatabaseScreen::mnu_data_edit_Click() {
    AppState& s = w_.state();
    if (s.UiMode != kUiIdle) return;
    if (editingShown()) return;
    w_.hideWorkingPanels();
    SelectNewOrLastBatch(s);
    showPanel();
}

void DatabaseScreen::mnu_data_save_Click() {
    AppState& s = w_.state();
    if (s.UiMode != kUiIdle) return;
    s.SavingHistory = false;
    db_->hide();
    w_.showDataServ(DataServMode::SaveDatabase);
    s.UiMode = 0;
}

// ---------------------------------------------------------------------------------------
// the Data Services dialog

void DatabaseScreen::DoDataAction() {
    AppState& s = w_.state();
    // The directory the lists show is the one the action is for.
    s.DatabaseDir = ds_->dirs()->path().toStdString();
    s.UiMode = kUiIdle;
    switch (ds_->mode()) {
        case DataServMode::OpenDatabase:
            if (!OpenDatabaseAction(s, w_.prompter())) break;
            s.DatabaseEditFlag = true;
            w_.applyMenuEvent(MenuEvent::DatabaseOpened);
            ds_->hide();
            showPanel();
            return;
        case DataServMode::NewDatabase:
            if (!NewDatabaseAction(s, w_.prompter())) break;
            s.DatabaseEditFlag = true;
            w_.hideWorkingPanels();
            w_.applyMenuEvent(MenuEvent::DatabaseOpened);
            showPanel();
            return;
        case DataServMode::SaveDatabase:
        case DataServMode::SaveHistory:
            saveFromDialog();
            return;
        case DataServMode::Colors:
            return;
    }
    // Nothing was opened: the dialog stays, and so does the window's busy state.
    s.UiMode = 0;
}

void DatabaseScreen::saveFromDialog() {
    AppState& s = w_.state();
    const bool history = ds_->mode() == DataServMode::SaveHistory;
    if (history) s.SaveFileName = ds_->edit(QStringLiteral("File_Name"))->text().toStdString();
    const SaveOutcome o = SaveFromDialog(s, w_.prompter());
    HistoryScreen* h = w_.historyScreen();
    const bool editing = w_.panel(QStringLiteral("frm_Hist"))->isVisible();
    if (editing && o.historyChanged) h->drawAfterShortening();
    if (o.focusCorrection) {
        ds_->hide();
        s.UiMode = kUiIdle;
        w_.findChild<QPushButton*>(QStringLiteral("cmd_Correction"))->setFocus();
        return;
    }
    if (editing && (o.showBatch || o.reloaded || history)) h->fillInformation();
    if (!o.hideDialog) {
        s.UiMode = 0;   // a question was declined or the write failed: the dialog stays
        return;
    }
    ds_->hide();
    s.SavingHistory = false;
    s.UiMode = kUiIdle;
    if (editing) w_.findChild<QPushButton*>(QStringLiteral("cmd_Cancel"))->setFocus();
}

void DatabaseScreen::cmd_data_cancel_Click() {
    AppState& s = w_.state();
    ds_->hide();
    s.UiMode = kUiIdle;
    if (ds_->mode() == DataServMode::SaveHistory && s.SavingHistory) {
        // Back to the history being edited, as it stands: nothing was saved, nothing is lost.
        s.SavingHistory = false;
        if (auto* close = w_.findChild<QPushButton*>(QStringLiteral("cmd_Cancel")); close && close->isVisible())
            close->setFocus();
        else
            showPanel();
    }
}

// ---------------------------------------------------------------------------------------
// the Loading Database panel

void DatabaseScreen::showCurrentBatch() { w_.showBatch(w_.state().CurrentBatch); }

void DatabaseScreen::showPanel() {
    showCurrentBatch();
    db_->edit(QStringLiteral("txt_Batch"))->setEnabled(true);
    db_->setDefaultButton(db_->button(QStringLiteral("Cmd_Load_Db_Cancel")));
    db_->show();
    db_->button(QStringLiteral("Cmd_Load_Db_Cancel"))->setFocus();
}

void DatabaseScreen::ShowActiveState() { db_->setDeletedLook(false); }
void DatabaseScreen::ShowDeletedState() { db_->setDeletedLook(true); }

void DatabaseScreen::Cmd_Load_Db_Next_Click() {
    if (NextBatch(w_.state(), w_.prompter())) showCurrentBatch();
}

void DatabaseScreen::Cmd_Load_Db_Prev_Click() {
    if (PreviousBatch(w_.state())) showCurrentBatch();
}

void DatabaseScreen::cmd_Load_Db_Del_Click() {
    AppState& s = w_.state();
    if (s.UiMode != kUiIdle) return;
    if (ToggleBatchDeleted(s))
        ShowDeletedState();
    else
        ShowActiveState();
}

void DatabaseScreen::Cmd_Load_Db_Cancel_Click() {
    AppState& s = w_.state();
    if (s.UiMode != kUiIdle) return;
    db_->hide();
    if (s.BatchCount > 0) {
        w_.action(QStringLiteral("mnu_data_save"))->setEnabled(true);
        w_.action(QStringLiteral("mnu_data_edit"))->setEnabled(true);
    }
}

bool DatabaseScreen::txt_Batch_LostFocus() {
    FocusEdit* box = db_->edit(QStringLiteral("txt_Batch"));
    const BatchEntry e = EnterBatchNumber(w_.state(), w_.prompter(), box->text().toStdString());
    if (!e.accepted) return false;
    box->setAcceptedText(Q(e.boxText));
    if (e.changed) showCurrentBatch();
    return true;
}

bool DatabaseScreen::txt_Batch_Name_LostFocus() {
    FocusEdit* box = db_->edit(QStringLiteral("txt_Batch_Name"));
    if (!SetBatchName(w_.state(), w_.prompter(), box->text().toStdString())) {
        box->restorePrevious();
        return false;
    }
    return true;
}

bool DatabaseScreen::txt_CurrBatch_Descr_LostFocus() {
    auto* box = w_.findChild<FocusEdit*>(QStringLiteral("txt_CurrBatch_Descr"));
    if (!SetBatchName(w_.state(), w_.prompter(), box->text().toStdString())) {
        box->restorePrevious();
        return false;
    }
    db_->edit(QStringLiteral("txt_Batch_Name"))->setAcceptedText(box->text());
    return true;
}

void DatabaseScreen::Cmd_Edit_History_Click() {
    AppState& s = w_.state();
    if (s.UiMode != kUiIdle) return;
    const EditHistoryStep step = EditHistoryClick(s, w_.prompter());
    if (step == EditHistoryStep::Stopped) return;
    db_->edit(QStringLiteral("txt_Batch_Name"))->setAcceptedText(Q(s.batch().Name));
    HistoryScreen* h = w_.historyScreen();
    QLabel* prompt = chk_->label(QStringLiteral("lbl_Chk_File_Text"));
    if (step == EditHistoryStep::LoadFile) {
        s.HistoryPath = HistoryFilePath(s.HistoryDir, s.CurrentBatch);
        const OpenHistoryResult r = OpenChkHFile(s, w_.prompter());
        if (r.drawHistory) {
            db_->hide();
            h->showLoadedHistory();
            return;
        }
        if (r.read != HistoryRead::Failed) {
            // A question about the file was declined: the panel stays.
            db_->button(QStringLiteral("Cmd_Load_Db_Next"))->setFocus();
            return;
        }
        prompt->setText(Q(s.QuantityName) + QStringLiteral("History file doesn't exist. Please select a file:"));
    } else {
        prompt->setText(QStringLiteral("Please make a choice (and select a History file)."));
    }
    db_->hide();
    h->openInputPanel();
}

void DatabaseScreen::Cmd_Edit_Spectrum_Click() { w_.spectrumScreen()->editStoredSpectrum(); }
void DatabaseScreen::Cmd_Edit_Distribution_Click() { w_.spectrumScreen()->editStoredDistribution(); }

}  // namespace karmo
