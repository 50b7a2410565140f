#pragma once
#include <QObject>

namespace karmo {

class MainWindow;
class DataServPanel;
class LoadDbasePanel;
class Panel;

// The Loading Database in the window: the "&Data" menu, the Data Services dialog when it
// opens, creates or saves a database or saves the current history, and the Loading
// Database panel with its batch browsing and the ways into a batch's history, spectrum
// and distribution.
class DatabaseScreen : public QObject {
    Q_OBJECT
public:
    explicit DatabaseScreen(MainWindow& w);

    // The "&Data" menu.
    void mnu_data_serv_Click();
    void mnu_data_new_Click();
    void mnu_data_edit_Click();
    void mnu_data_save_Click();

    // cmd_data_do and cmd_data_cancel of the Data Services dialog (not in colours mode).
    void DoDataAction();
    void cmd_data_cancel_Click();

    // The Loading Database panel.
    void Cmd_Load_Db_Next_Click();
    void Cmd_Load_Db_Prev_Click();
    void cmd_Load_Db_Del_Click();
    void Cmd_Load_Db_Cancel_Click();
    void Cmd_Edit_History_Click();
    void Cmd_Edit_Spectrum_Click();
    void Cmd_Edit_Distribution_Click();

    // The panel for the current batch, in front, txt_Batch enabled, "&Close" the default.
    void showPanel();
    void ShowActiveState();
    void ShowDeletedState();

private:
    // A history or a spectrum is on screen: the database stays as it is meanwhile.
    bool editingShown() const;
    void showCurrentBatch();
    void saveFromDialog();
    bool txt_Batch_LostFocus();
    bool txt_Batch_Name_LostFocus();
    bool txt_CurrBatch_Descr_LostFocus();

    MainWindow& w_;
    DataServPanel* ds_;
    LoadDbasePanel* db_;
    Panel* chk_;
};

}  // namespace karmo
