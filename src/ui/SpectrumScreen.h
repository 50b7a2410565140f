#pragma once
#include <QObject>
#include <string>

#include "distribution/DistributionParams.h"

namespace karmo {

class MainWindow;
class Panel;
class SpectrumInfoPanel;
class SpectrumParamsPanel;

// A spectrum that does not come from a count: typed in by keyboard or generated from a
// distribution, and the stored spectrum or distribution of a batch edited from the Loading
// Database panel. Owns the choice dialog (frm_Edit_Choice), the way on from the
// spectrum-parameters dialog in those situations, and the distribution parameter dialog
// (frm_Beta_Params).
class SpectrumScreen : public QObject {
    Q_OBJECT
public:
    explicit SpectrumScreen(MainWindow& w);

    // "Edit &Spectrum" and "Edit &Distribution" of the Loading Database panel.
    void editStoredSpectrum();
    void editStoredDistribution();

    // The spectrum-parameters dialog stored its values for keyboard or distribution entry
    // (the dialog is hidden): the level grid opens, or the parameter dialog.
    void parametersStored(const std::string& paramsCaption);
    // The spectrum-parameters dialog was cancelled while no spectrum is shown.
    void parametersCancelled();
    // The information panel closed on a stored edit: the Loading Database panel again.
    void storedEditClosed();
    // True while a stored batch's spectrum or distribution is edited.
    bool editingStored() const;

    void cmd_Choice_OK_Click();
    void cmd_Choice_Cancel_Click();
    void cmd_Beta_EditOK_Click();
    void cmd_Beta_EditCan_Click();

protected:
    // The arrow keys of the parameter dialog.
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    void beginStoredEdit(bool distribution);
    void openParameterDialog(const std::string& caption);
    void abandonStoredEdit();
    void endStoredEdit();

    MainWindow& w_;
    Panel* choice_;
    Panel* beta_;
    SpectrumParamsPanel* params_;
    SpectrumInfoPanel* info_;
    DistributionParamsTexts opened_;   // what the parameter dialog's boxes showed when it opened
};

}  // namespace karmo
