#pragma once
#include "ui/panels/Panel.h"

namespace karmo {

// frm_Spectrum_Params: the parameters of the spectrum built from the counted ranges.
class SpectrumParamsPanel : public Panel {
    Q_OBJECT
public:
    explicit SpectrumParamsPanel(QWidget* parent);
};

}  // namespace karmo
