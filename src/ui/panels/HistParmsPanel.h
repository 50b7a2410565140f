#pragma once
#include "ui/panels/Panel.h"

namespace karmo {

// frm_Hist_Parms: scale factor and range gate of a history being read.
class HistParmsPanel : public Panel {
    Q_OBJECT
public:
    explicit HistParmsPanel(QWidget* parent);
};

}  // namespace karmo
