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
    // "&Close": asks about a changed spectrum, keeps or abandons it and closes the spectrum
    // views; false when the user stays.
    bool closeSpectrum();
    // A spectrum typed by keyboard (the grid to fill) or synthesised from a distribution
    // (drawn with its density): the panel opens with "&Save".
    void showEdited(bool fromDistribution);
    void setRefreshCaption(const QString& caption, const QString& toolTip);
    // Set while the spectrum-parameters dialog was reopened by "C&orrection".
    bool correctionFlag() const { return correctionFlag_; }
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
    // The grid's first row shows `level` (an order check refused it); its range takes the focus.
    void scrollToLevel(int32_t level);
    // After "&Save" or "&Close"/Yes: the working levels go into the batch and its saved copy.
    void keepSpectrum();

    MainWindow* w_ = nullptr;
    bool correctionFlag_ = false;
    int shownTop_ = 1;      // the level the first row shows
};

}  // namespace karmo
