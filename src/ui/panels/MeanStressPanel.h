#pragma once
#include "spectrum/MeanStress.h"
#include "ui/panels/Panel.h"

namespace karmo {

class MainWindow;

// frm_Mean_Stress: the mean-stress correction and its material values. Its OK counts
// the history and opens the spectrum-parameters dialog.
class MeanStressPanel : public Panel {
    Q_OBJECT
public:
    explicit MeanStressPanel(QWidget* parent);
    void attach(MainWindow& w);

    // Shows the dialog with these contents; OK takes the focus.
    void open(const MeanStressDialog& d);
    MeanStressDialog contents() const;

public slots:
    void chk_MSE_Click(int index);
    void cmd_Mean_OK_Click();
    void cmd_Mean_Cancel_Click();

protected:
    // The arrow keys walk the three boxes in a ring.
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    MainWindow* w_ = nullptr;
};

// "C&ycle" of the history panel: rearranges, checks and opens this dialog (stress) or
// counts at once (strain).
void CycleCountClicked(MainWindow& w);

// Connects "C&ycle" and the panels of the road from a history to its spectrum and
// distribution (mean stress, spectrum parameters, spectrum information, plot clicks).
void AttachSpectrumRoad(MainWindow& w);

// After a completed count (UiMode 0): the spectrum-parameters dialog opens.
void CountCompleted(MainWindow& w);

}  // namespace karmo
