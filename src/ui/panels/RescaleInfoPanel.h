#pragma once
#include "ui/panels/Panel.h"

namespace karmo {

// frm_Rescale_Info: factor and offset for rescaling the history.
class RescaleInfoPanel : public Panel {
    Q_OBJECT
public:
    explicit RescaleInfoPanel(QWidget* parent);
};

}  // namespace karmo
