#pragma once
#include "ui/panels/Panel.h"

namespace karmo {

// frm_Correction: point-by-point correction, ten peak/valley pairs at a time.
class CorrectionPanel : public Panel {
    Q_OBJECT
public:
    explicit CorrectionPanel(QWidget* parent);
};

}  // namespace karmo
