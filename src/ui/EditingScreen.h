#pragma once
#include <QObject>
#include <QString>

#include "editing/Correction.h"
#include "editing/EditCommon.h"

class QPushButton;
class QScrollBar;

namespace karmo {

class MainWindow;
class Panel;
class FocusEdit;

// Editing the history as a whole: the Correction dialog (point count, record time, the grid
// of value pairs, the lowpass gate), Rescale, Subtract (by the mark drawn in the history
// plot) and Append with its preview. Opened by the buttons of the history information panel
// and, for a new history typed in, by the input panel's "Keyboard" source.
class EditingScreen : public QObject {
    Q_OBJECT
public:
    explicit EditingScreen(MainWindow& w);

    // The Correction dialog for a new history of the current batch ("Keyboard").
    void openKeyboardEntry();

    // Handlers, named as the controls are.
    void cmd_Correction_Click();
    void cmd_Corr_OK_Click();
    void cmd_Corr_Cancel_Click();
    void vsc_UpDown_Change(int value);
    void cmd_Rescale_Click();
    void cmd_Rscl_OK_Click();
    void cmd_Rscl_Cancel_Click();
    void cmd_Subtract_Click();
    void cmd_Subtract_OK_Click();
    void cmd_Subtract_Cancel_Click();
    void cmd_Append_Click();
    void cmd_Append_OK_Click();
    void cmd_Append_Cancel_Click();

    const CorrectionDialog& correction() const { return d_; }

protected:
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    Panel* panel(const char* name) const;
    FocusEdit* cell(int column, int row) const;
    void openCorrectionPanel();
    void fillCorrectionGrid();
    void setCorrectionScroll();
    void moveInGrid(FocusEdit* from, int step);
    void hideEditingDialogs();
    void showOutcome(const RedrawDecision& d);
    void redraw();
    void focusMainCancel();
    void closeHistoryPanels();
    bool validateBoxes(std::initializer_list<const char*> names, Panel* p);

    MainWindow& w_;
    Panel* corr_;
    Panel* rescale_;
    Panel* subtract_;
    Panel* append_;
    Panel* appendHist_;
    Panel* info_;
    QScrollBar* scroll_;
    CorrectionDialog d_;
    int hintDraws_ = -1;    // the drawing of the history plot the subtract hint was shown for
};

}  // namespace karmo
