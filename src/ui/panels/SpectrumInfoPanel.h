#pragma once
#include "ui/panels/Panel.h"

namespace karmo {

class MainWindow;

// frm_Spectrum_Info: five rows of the spectrum table with its scroll bar and commands.
class SpectrumInfoPanel : public Panel {
    Q_OBJECT
public:
    explicit SpectrumInfoPanel(QWidget* parent);
    void attach(MainWindow& w);

    // A spectrum was built: it is drawn and this panel opens with the fitting command.
    void showSpectrum();
    // Refills the grid from the working copy and shows the panel (UiMode idle).
    void showPanel();
    void fill();
    // After a unit switch: the shown plots and the grid in the new unit.
    void unitsChanged();

public slots:
    void cmd_Calculate_Beta_Click();
    void cmd_Spectr_Refresh_Click();
    void cmd_Spectr_Correction_Click();
    void cmd_Spectrum_Cancel_Click();
    void cmd_Spectrum_Save_Click();
    void vsc_Spectrum_Change(int value);

protected:
    // Up and Down move between the rows of a column, scrolling at the top and bottom row.
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    void drawPlots(bool distribution);
    void closePanels();
    bool validateCell(const QString& column, int row);

    MainWindow* w_ = nullptr;
    bool correctionFlag_ = false;
};

}  // namespace karmo
