#pragma once
#include "ui/panels/Panel.h"

namespace karmo {

// frm_Beta_Params: the parameters of the source distribution.
class BetaParamsPanel : public Panel {
    Q_OBJECT
public:
    explicit BetaParamsPanel(QWidget* parent);
};

}  // namespace karmo
