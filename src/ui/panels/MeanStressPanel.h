#pragma once
#include "ui/panels/Panel.h"

namespace karmo {

// frm_Mean_Stress: the mean-stress correction and its material values.
class MeanStressPanel : public Panel {
    Q_OBJECT
public:
    explicit MeanStressPanel(QWidget* parent);
};

}  // namespace karmo
