#pragma once
#include "ui/panels/Panel.h"

namespace karmo {

// frm_Spectrum_Info: five rows of the spectrum table with its scroll bar and commands.
class SpectrumInfoPanel : public Panel {
    Q_OBJECT
public:
    explicit SpectrumInfoPanel(QWidget* parent);
};

}  // namespace karmo
