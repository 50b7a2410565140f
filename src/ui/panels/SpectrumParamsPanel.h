#pragma once
#include "spectrum/SpectrumParamsEdit.h"
#include "ui/panels/Panel.h"

namespace karmo {

class MainWindow;

// frm_Spectrum_Params: the parameters of the spectrum built from the counted ranges.
class SpectrumParamsPanel : public Panel {
    Q_OBJECT
public:
    explicit SpectrumParamsPanel(QWidget* parent);
    void attach(MainWindow& w);

    // Opens the dialog after a count (or again from "C&orrection") with its proposals.
    void openAfterCount();
    SpectrumParamsTexts texts() const;

public slots:
    void cmd_Spectr_EditOK_Click();
    void cmd_Spectr_EditCan_Click();

protected:
    // The arrow keys walk the five boxes in a ring.
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    FocusEdit* box(SpectrumParamsBox b) const;
    bool validateBox(SpectrumParamsBox b);

    MainWindow* w_ = nullptr;
    ExactMinText exactMin_;
};

}  // namespace karmo
